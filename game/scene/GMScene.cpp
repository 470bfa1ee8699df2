#include "scene/GMScene.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "Gdi/LCursor.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "LMatrix4.h"
#include "LVector2.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LCamera.h"
#include "Render/LLight.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIRasterizer.h"
#include "Render/LNavigationTDO.h"
#include "Render/LNodeGroup.h"
#include "Render/LNodeManager.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "container/LVectorFloat.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCharacter.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneAudio.h"
#include "scene/GMSceneManager.h"
#include "scene/GMAmbientAnimPlayer.h"
#include "scene/GMShadowSimple.h"
#include "Render/LShadowBuffer.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "ui/GMCursor.h"
#include "ui/GMPicker.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

namespace {

constexpr int kToggleNoExtras = 2;
constexpr int kToggleSimpleShadows = 5;
constexpr int kFadeFinished = 2;
const char16_t* const kSceneGroupName = u"scenegroup";

bool Toggle(int aIndex)
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr && options->GetToggle(aIndex) != 0;
}

// A value of a list, an assertion failure naming aMissing (when given) when it is not there.
LString Text(const LPropertyList* aList, const LString& aKey, const char* aMissing)
{
    bool found = false;
    const LString value = aList != nullptr ? aList->GetString(aKey, found) : LString();
    if (!found && aMissing != nullptr) {
        L_ASSERT_FAILURE(aMissing);
    }
    return value;
}

// The first three values of a vector key; false (and an assertion failure naming aMissing,
// when given) when there are fewer.
bool Vector3(const LPropertyList* aList, const LString& aKey, const char* aMissing, LVector3& aOut)
{
    bool found = false;
    const LVectorFloat values = aList != nullptr ? aList->GetVectorFloat(aKey, found) : LVectorFloat();
    if (!found || values.GetCount() < 3) {
        if (aMissing != nullptr) {
            L_ASSERT_FAILURE(aMissing);
        }
        return false;
    }
    aOut = LVector3(values[0], values[1], values[2]);
    return true;
}

bool Float(const LPropertyList* aList, const LString& aKey, const char* aMissing, float& aOut)
{
    bool found = false;
    const float value = aList != nullptr ? aList->GetFloat(aKey, found) : 0.0f;
    if (!found) {
        if (aMissing != nullptr) {
            L_ASSERT_FAILURE(aMissing);
        }
        return false;
    }
    aOut = value;
    return true;
}

// The character file's list takes the character's name from the scene (the file's own
// "name", if it has one, gives way).
void NameCharacter(LPropertyList& aData, const LString& aName)
{
    LString* old = nullptr;
    if (aData.RemoveProperty(LString(u"name"), &old)) {
        delete old;
    }
    aData.AddString(LString(u"name"), aName);
}

// An optional file of the location: null, without a message, when it is not there.
bool OptionalExists(const LString& aPath)
{
    LIFileSystem* files = LIFileSystem::Get();
    return files != nullptr && files->PathExists(aPath, true);
}

LPropertyList* LoadOptional(const LString& aPath)
{
    if (!OptionalExists(aPath)) {
        return nullptr;
    }
    LPropertyList* list = L_NEW LPropertyList();
    if (list != nullptr && !list->Load(aPath, true)) {
        delete list;
        list = nullptr;
    }
    return list;
}

// A script of a data file; an empty text (a script that fails) evaluates false.
bool Evaluate(const LString& aText)
{
    LScriptBuilder* builder = LScriptBuilder::Get();
    LScript script;
    return builder != nullptr && builder->BuildScript(aText, &script) && script.Evaluate();
}

// Creates or replaces a text state.
void SetTextState(const char16_t* aId, const LString& aValue, bool aNotify)
{
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(LString(aId), LString(u"string"), aValue, aNotify);
    }
}

LSprite* LoadPicture(const LString& aPath, const LString& aId)
{
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(aPath, &image) || image == nullptr) {
        L_ASSERT_FAILURE(LString(u"Image not found: ") + aPath);
        delete image;
        return nullptr;
    }
    LSprite* sprite = L_NEW LSprite();
    if (sprite != nullptr) {
        sprite->SetId(aId);
        if (!sprite->SetImage(aPath, image, nullptr, nullptr)) {
            L_ASSERT_FAILURE(LString(u"Image not loaded: ") + aPath);
        }
    }
    delete image;
    return sprite;
}

// The camera of a cameras.txt entry: its position and target moved by aRoot (the depth
// mesh's root frame matrix), the horizontal field of view and the planes.
struct CameraValues
{
    LVector3 mPosition;
    LVector3 mTarget;
    LVector3 mUp {0.0f, 1.0f, 0.0f};
    float mFovX = 0.0f;
    float mNear = 0.0f;
    float mFar = 0.0f;
};

void ApplyCamera(LCamera* aCamera, const CameraValues& aValues)
{
    aCamera->SetPosition(aValues.mPosition.x, aValues.mPosition.y, aValues.mPosition.z);
    aCamera->SetTarget(aValues.mTarget.x, aValues.mTarget.y, aValues.mTarget.z);
    aCamera->SetUpVector(aValues.mUp.x, aValues.mUp.y, aValues.mUp.z);
    aCamera->SetPerspectiveHFov(aValues.mFovX, aValues.mNear, aValues.mFar);
}

void DeleteSprites(LVector* aSprites)
{
    for (int i = 0; aSprites != nullptr && i < aSprites->GetCount(); ++i) {
        delete static_cast<LSprite*>(aSprites->GetAt(i));
    }
    delete aSprites;
}

void DeleteScripts(LVector* aScripts)
{
    for (int i = 0; aScripts != nullptr && i < aScripts->GetCount(); ++i) {
        delete static_cast<LScript*>(aScripts->GetAt(i));
    }
    delete aScripts;
}

template <typename T, typename F>
void DeleteTable(LHashKeyList*& aTable, F&& aDelete)
{
    for (int i = 0; aTable != nullptr && i < aTable->GetCount(); ++i) {
        aDelete(static_cast<T*>(aTable->GetAt(i)));
    }
    delete aTable;
    aTable = nullptr;
}

} // namespace

GMScene::GMScene()
{
    if (GMMultiCursor* multiCursor = GMMultiCursor::GetInstance()) {
        multiCursor->Hide(false);
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->SetDoubleClickEnabled(true);
        mListenerRegistered = mouse->AddMember(this, kMousePriority) ? 1 : 0;
    }
    mShadowBuffer = L_NEW LShadowBuffer();
}

GMScene::~GMScene()
{
    // The mouse is fetched at each use: at exit it may be gone before the scene.
    if (LMouse* mouse = LMouse::Get()) {
        if (mMouseLock != 0) {
            mouse->Unlock(this);
        }
        mouse->RemoveListener(this);
    }
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    if (GMPDA* pda = mPDAListening != 0 ? GMPDA::GetInstance() : nullptr) {
        pda->RemoveListener(this);
    }
    // The fader is looked up again: at exit it may be gone before the scene.
    if (GMScreenFader* fader = mFader != nullptr ? GMScreenFader::GetInstance() : nullptr) {
        fader->RemoveListener(this);
    }
    mFader = nullptr;
    if (GMNavigation* navigation = mNavigationSet != 0 ? GMNavigation::GetInstance() : nullptr) {
        if (navigation->GetScene() == this) {
            navigation->Reset();
        }
    }
    if (mSceneGroup != nullptr) {
        if (LNodeManager* nodes = LNodeManager::Get()) {
            LNodeGroup* removed = nullptr;
            nodes->RemoveGroup(LString(kSceneGroupName), &removed);
        }
        delete mSceneGroup;
        mSceneGroup = nullptr;
    }
    delete mAudio;
    mAudio = nullptr;
    DeleteHotspots();
    DeleteDecals();
    DeleteCuts();
    DeleteCloseUps();
    delete mCloseUpList;
    delete mHotspotList;
    // A display tree already gone at exit has deleted the group with it.
    if (LDisplayManager* display = mDisplayGroup != nullptr ? LDisplayManager::Get() : nullptr) {
        display->RemoveMember(mDisplayGroup);
        delete mDisplayGroup;
    }
    mDisplayGroup = nullptr;
    delete mBackground;
    delete mPicker;
    delete mCamera;
    DeleteCharacters();
    delete mDepthMesh;
    delete mLighting;
    delete mShadowSimple;
    delete mShadowBuffer;
    delete mAmbient;
    delete mAnimations;
    delete mEvidence;
    delete mDescription;
}

LString GMScene::Dump() const
{
    return DumpHead("GMScene") + "]";
}

// Loading ----------------------------------------------------------------------------

bool GMScene::Load(const LString& aId)
{
    if (aId.IsEmpty()) {
        L_ERROR("Load failure. Invalid id.");
        return false;
    }
    mId = aId;
    SetTextState(u"sta_currentscene", aId, false);
    mFolder = LString(u"//scenes/") + aId + LString(u"/");
    delete mDescription;
    mDescription = L_NEW LPropertyList();
    if (mDescription == nullptr || !mDescription->Load(mFolder + LString(u"scene.txt"), true)) {
        L_ERROR(LString(u"Load failure. id:") + aId);
        delete mDescription;
        mDescription = nullptr;
        return false;
    }
    bool result = true;
    if (mSceneGroup == nullptr) {
        mSceneGroup = L_NEW LNodeGroup();
        LNodeManager* nodes = LNodeManager::Get();
        result = mSceneGroup != nullptr && mSceneGroup->SetName(LString(kSceneGroupName)) && nodes != nullptr &&
                 nodes->AddGroup(mSceneGroup);
    }

    delete mEvidence;
    mEvidence = LoadOptional(mFolder + LString(u"evidence.txt"));
    StartAudio();
    delete mAnimations;
    mAnimations = LoadOptional(mFolder + LString(u"animations.txt"));

    // Default states never replace a state that exists (one restored from a saved game).
    const LPropertyList* defaults = mDescription->GetList(LString(u"defaultstates"));
    LStateManager* states = LStateManager::Get();
    for (int i = 0; defaults != nullptr && states != nullptr && i < defaults->GetCount(); ++i) {
        const LPropertyList* entry = defaults->GetListAt(i);
        const LString id = Text(entry, LString(u"id"), "'id' not found.");
        const LString type = Text(entry, LString(u"type"), "'type' not found.");
        const LString value = Text(entry, LString(u"value"), "'value' not found.");
        if (!states->HasState(id)) {
            states->SetState(id, type, value, false);
        }
    }

    const bool lights = SetupLights();
    result = result && lights;
    if (!SetupCharacters()) {
        L_ASSERT_FAILURE("SetupCharacters failure.");
    }
    // The player's footsteps: the scene's default step sound; the file stays optional.
    if (LPropertyList* sounds = mPlayer != nullptr ? LoadOptional(mFolder + LString(u"sounds.txt")) : nullptr) {
        mPlayer->SetupFootsteps(sounds);
        delete sounds;
    }

    const LString viewpoint = Text(mDescription, LString(u"defaultviewpoint"), "'defaultviewpoint' not found.");
    const bool shown = lights && SetViewpoint(viewpoint);
    return result && shown;
}

bool GMScene::SetupLights()
{
    delete mLighting;
    mLighting = L_NEW GMLighting();
    return mLighting != nullptr && mLighting->CreateFromFile(mFolder + LString(u"lights_low.txt"), true);
}

bool GMScene::SetupCharacters()
{
    DeleteCharacters();
    mCharacters = L_NEW LHashKeyList(7, false);
    const LPropertyList* player = mDescription != nullptr ? mDescription->GetList(LString(u"characters.player"))
                                                          : nullptr;
    if (player == nullptr || player->GetCount() < 1) {
        L_ASSERT_FAILURE("'characters.player' not found.");
    } else {
        const LString name = player->GetKeyAt(0);
        const LString file = Text(player, name + LString(u".data"), nullptr);
        if (file.IsEmpty()) {
            L_ASSERT_FAILURE(LString(u"'") + name + LString(u".data' not found."));
        }
        LPropertyList data;
        if (!data.Load(LString(u"//characters/") + file, true)) {
            L_ERROR("Prop list creation failure.");
        }
        NameCharacter(data, name);
        GMCharacter* character = L_NEW GMCharacter();
        bool found = false;
        const LString shadow = data.GetString(LString(u"shadowvolume"), found);
        const LString shadowPath = LString(u"//meshes/") + shadow;
        if (character == nullptr || !character->Load(&data, found ? &shadowPath : nullptr)) {
            L_ASSERT_FAILURE("Player character setup failure.");
        }
        if (character != nullptr) {
            character->SetIdleGestureEnabled(true);
            mPlayer = character;
            mCharacters->AddAt(name, character, true);
        }
    }

    const LPropertyList* npcs = mDescription != nullptr ? mDescription->GetList(LString(u"characters.npcs")) : nullptr;
    if (npcs == nullptr) {
        L_ASSERT_FAILURE("'characters.npcs' not found.");
        return true;
    }
    mNPCs = L_NEW GMCharacter*[npcs->GetCount() > 0 ? npcs->GetCount() : 1];
    for (int i = 0; mNPCs != nullptr && i < npcs->GetCount(); ++i) {
        const LString name = npcs->GetKeyAt(i);
        const LPropertyList* entry = npcs->GetListAt(i);
        GMCharacter* character = L_NEW GMCharacter();
        if (character == nullptr) {
            continue;
        }
        LPropertyList data;
        if (!data.Load(LString(u"//characters/") + Text(entry, LString(u"data"), "'data' not found."), true)) {
            L_ERROR("Prop list creation failure.");
        }
        NameCharacter(data, name);
        if (!character->Load(&data, nullptr)) {
            L_ASSERT_FAILURE("NPC character setup failure.");
        }
        mNPCs[mNPCCount++] = character;
        mCharacters->AddAt(name, character, true);
        LVector3 place;
        if (Vector3(entry, LString(u"position"), "'position' not found.", place)) {
            character->SetPosition(place);
        }
        if (Vector3(entry, LString(u"direction"), "'direction' not found.", place)) {
            character->SetDirection(place);
        }
        if (LAnimationCtrl* ctrl = character->GetAnimationCtrl(); ctrl != nullptr && character->GetIdleAnimation()) {
            ctrl->SetAnimation(character->GetIdleAnimation(), false, 0.0f, 4.0f, 12, 1.0f);
        }
    }
    return true;
}

bool GMScene::SetupDepthMesh(const LPropertyList* aViewpoint)
{
    const LString file = Text(aViewpoint, LString(u"depthmesh"), "'depthmesh' not found.");
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (file.IsEmpty() || !stream.CreateFromFile(mFolder + file, true)) {
        L_ASSERT_FAILURE(LString(u"Depth mesh not read: ") + mFolder + file);
        return false;
    }
    LDrawElement* mesh = L_NEW LDrawElement();
    if (mesh == nullptr || !mesh->LoadModel(&stream, LDrawElement::kFlat) || mesh->GetRootFrame() == nullptr) {
        L_ERROR(LString(u"SetupDepthMesh failure. Model not loaded: ") + mFolder + file);
        delete mesh;
        return false;
    }
    delete mDepthMesh;
    mDepthMesh = mesh;
    return true;
}

namespace {

// Reads one camera of cameras.txt; false (logged) when the camera or a value is missing.
bool ReadCamera(const LPropertyList& aCameras, const LString& aId, const LDrawElement* aDepthMesh,
                const char* aNearMissing, const char* aFarMissing, bool aUpVector, CameraValues& aOut)
{
    const LPropertyList* entry = aCameras.GetList(aId);
    if (entry == nullptr) {
        L_ERROR(LString(u"Camera not found:") + aId);
        return false;
    }
    bool ok = Vector3(entry, LString(u"position"), "'position' not found.", aOut.mPosition);
    ok = Vector3(entry, LString(u"target"), "'target' not found.", aOut.mTarget) && ok;
    ok = Float(entry, LString(u"fovx"), "'fovx' not found.", aOut.mFovX) && ok;
    ok = Float(entry, LString(u"znear"), aNearMissing, aOut.mNear) && ok;
    ok = Float(entry, LString(u"zfar"), aFarMissing, aOut.mFar) && ok;
    if (aUpVector) {
        Vector3(entry, LString(u"upvector"), nullptr, aOut.mUp);
    }
    // The depth mesh's root frame places the scene: the camera moves with it.
    if (const LFrame* root = aDepthMesh != nullptr ? aDepthMesh->GetRootFrame() : nullptr) {
        const LVector3 position = aOut.mPosition;
        const LVector3 target = aOut.mTarget;
        LMatrix4::TransformCoord(&aOut.mPosition, &root->GetLocalMatrix(), &position);
        LMatrix4::TransformCoord(&aOut.mTarget, &root->GetLocalMatrix(), &target);
    }
    return ok;
}

} // namespace

bool GMScene::SetupCamera(const LPropertyList* aViewpoint)
{
    const LString id = Text(aViewpoint, LString(u"camera.id"), "'camera' not found.");
    LPropertyList cameras;
    if (!cameras.Load(mFolder + LString(u"cameras.txt"), true)) {
        L_ERROR(LString(u"SetupCamera failure. cameras.txt not read: ") + mFolder);
        return false;
    }
    CameraValues values;
    if (!ReadCamera(cameras, id, mDepthMesh, "'znear' not found.", "'zfar' not found.", true, values)) {
        return false;
    }
    if (mCamera == nullptr) {
        mCamera = L_NEW LCamera();
        if (mCamera == nullptr) {
            return false;
        }
    }
    mCamera->SetName(id);
    ApplyCamera(mCamera, values);
    return true;
}

bool GMScene::SetupDisplayMembers(const LPropertyList* aViewpoint)
{
    LDisplayManager* display = LDisplayManager::Get();
    if (mDisplayGroup != nullptr) {
        if (display != nullptr) {
            display->RemoveMember(mDisplayGroup);
        }
        delete mDisplayGroup;
        mDisplayGroup = nullptr;
    }
    LPropertyList* members = aViewpoint != nullptr ? aViewpoint->GetList(LString(u"displaygroup")) : nullptr;
    if (members != nullptr) {
        GMTextureRoot root(mFolder);
        mDisplayGroup = LLayoutBuilder::BuildGroup(members, true);
    }
    if (mDisplayGroup == nullptr) {
        mDisplayGroup = L_NEW LDisplayGroup();
        if (mDisplayGroup == nullptr) {
            return false;
        }
        mDisplayGroup->SetId(LString(u"displaygroup"));
    }
    mDisplayGroup->SetActive(mActive != 0);
    mDisplayGroup->SetEnabled(mActive != 0);
    return display != nullptr && display->AddMember(mDisplayGroup);
}

bool GMScene::SetupHotspots(const LPropertyList* aViewpoint)
{
    DeleteHotspots();
    delete mHotspotList;
    mHotspotList = nullptr;
    const LString file = Text(aViewpoint, LString(u"hotspots"), "'hotspots' not found.");
    if (file.IsEmpty()) {
        return true;
    }
    mHotspotList = L_NEW LPropertyList();
    if (mHotspotList == nullptr || !mHotspotList->Load(mFolder + file + LString(u".txt"), true)) {
        L_ERROR(LString(u"SetupHotspots failure. Not read: ") + mFolder + file + LString(u".txt"));
        delete mHotspotList;
        mHotspotList = nullptr;
        return true;
    }
    bool interviews = false;
    GMInterviewManager* interviewManager = GMInterviewManager::GetInstance();
    for (int i = 0; i < mHotspotList->GetCount(); ++i) {
        // An entry the factory refuses makes no hotspot (AddHotspot logs the null).
        const LPropertyList* entry = mHotspotList->GetListAt(i);
        GMHotspot* hotspot = GMHotspot::Create(entry);
        if (!AddHotspot(hotspot)) {
            delete hotspot;
            continue;
        }
        if (hotspot->GetKind() == GMHotspot::KIND_INTERVIEW) {
            interviews = true;
            bool found = false;
            const LString interview = entry->GetString(LString(u"typedata.interview.interviewid"), found);
            if (found && interviewManager != nullptr) {
                interviewManager->PreloadInterview(interview);
            }
        }
        hotspot->SetInputEnabled(true);
    }
    if (interviews) {
        SetupCuts();
    }
    return true;
}

bool GMScene::SetupCloseUps(const LPropertyList* aViewpoint)
{
    bool found = false;
    const LString file = aViewpoint != nullptr ? aViewpoint->GetString(LString(u"closeups"), found) : LString();
    if (!found) {
        return false;
    }
    LPropertyList* list = L_NEW LPropertyList();
    const bool loaded = list != nullptr && list->Load(mFolder + file, true);
    // The old close-ups read their entries from the old list: they go first.
    DeleteCloseUps();
    delete mCloseUpList;
    mCloseUpList = loaded ? list : nullptr;
    if (!loaded) {
        delete list;
        return false;
    }
    mCloseUps = L_NEW LVector();
    bool ok = mCloseUps != nullptr;
    for (int i = 0; ok && i < mCloseUpList->GetCount(); ++i) {
        auto* closeUp = L_NEW GMCloseUp();
        if (closeUp == nullptr) {
            ok = false;
            break;
        }
        ok = closeUp->Create(mCloseUpList->GetListAt(i)) && ok;
        mCloseUps->Add(closeUp);
    }
    return ok;
}

void GMScene::DeleteCloseUps()
{
    for (int i = 0; mCloseUps != nullptr && i < mCloseUps->GetCount(); ++i) {
        delete static_cast<GMCloseUp*>(mCloseUps->GetAt(i));
    }
    delete mCloseUps;
    mCloseUps = nullptr;
    mCloseUp = nullptr;
}

int GMScene::GetCloseUpCount() const
{
    return mCloseUps != nullptr ? mCloseUps->GetCount() : 0;
}

GMCloseUp* GMScene::GetCloseUpAt(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetCloseUpCount() ? static_cast<GMCloseUp*>(mCloseUps->GetAt(aIndex)) : nullptr;
}

bool GMScene::SetupCuts()
{
    DeleteCuts();
    const LPropertyList* cuts = mDescription != nullptr ? mDescription->GetList(LString(u"cuts")) : nullptr;
    if (cuts == nullptr) {
        return false;
    }
    LPropertyList cameras;
    if (!cameras.Load(mFolder + LString(u"cameras.txt"), true)) {
        L_ERROR(LString(u"SetupCuts failure. cameras.txt not read: ") + mFolder);
        return false;
    }
    mCutCameras = L_NEW LHashKeyList(7, false);
    mCutBackgrounds = L_NEW LHashKeyList(7, false);
    mCutDecals = L_NEW LHashKeyList(7, false);
    mCutScripts = L_NEW LHashKeyList(7, false);
    if (mCutCameras == nullptr || mCutBackgrounds == nullptr || mCutDecals == nullptr || mCutScripts == nullptr) {
        DeleteCuts();
        return false;
    }
    bool result = true;
    for (int i = 0; i < cuts->GetCount(); ++i) {
        const LPropertyList* cut = cuts->GetListAt(i);
        const LString id = Text(cut, LString(u"id"), "'id' not found.");
        // Every accepted cut has its decal entry: a later cut of the same id (or a second
        // one without id) is refused before anything is made for it.
        if (mCutDecals->IndexOf(id) != -1) {
            L_ERROR(LString(u"SetupCuts failure. Duplicate cut id: ") + id);
            result = false;
            continue;
        }
        const LString cameraId = Text(cut, LString(u"camera"), "'camera' not found.");
        CameraValues values;
        // A cut whose camera is missing gets none: SetCut then keeps the viewpoint's.
        if (ReadCamera(cameras, cameraId, mDepthMesh, "'camera.znear' not found.", "'camera.zfar' not found.", false,
                       values)) {
            if (LCamera* camera = L_NEW LCamera()) {
                camera->SetName(cameraId);
                ApplyCamera(camera, values);
                mCutCameras->AddAt(id, camera, true);
            }
        } else {
            result = false;
        }
        if (LSprite* background = LoadPicture(mFolder + Text(cut, LString(u"background"), "'background' not found."),
                                              LString(u"bg"))) {
            mCutBackgrounds->AddAt(id, background, true);
        }
        LVector* sprites = L_NEW LVector();
        LVector* scripts = L_NEW LVector();
        const LPropertyList* decals = cut != nullptr ? cut->GetList(LString(u"decals")) : nullptr;
        for (int d = 0; decals != nullptr && sprites != nullptr && scripts != nullptr && d < decals->GetCount(); ++d) {
            LPropertyList* decal = decals->GetListAt(d);
            LSprite* sprite = nullptr;
            {
                GMTextureRoot root(mFolder);
                sprite = LLayoutBuilder::BuildSprite(decal);
            }
            if (sprite == nullptr) {
                continue;
            }
            bool found = false;
            LString visible = decal->GetString(LString(u"visible"), found);
            if (!found) {
                visible = LString(u"script[true]");
            }
            LScript* script = L_NEW LScript();
            if (LScriptBuilder* builder = LScriptBuilder::Get(); builder != nullptr && script != nullptr) {
                builder->BuildScript(visible, script);
            }
            sprites->Append(sprite);
            scripts->Append(script);
        }
        mCutDecals->AddAt(id, sprites, true);
        mCutScripts->AddAt(id, scripts, true);
    }
    return result;
}

void GMScene::PlacePlayer(const LPropertyList* aViewpoint)
{
    GMNavigation* navigation = GMNavigation::GetInstance();
    LNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    LSteeringTDO* steering = navigation != nullptr ? navigation->GetSteering() : nullptr;
    if (walker == nullptr || steering == nullptr) {
        L_ASSERT_FAILURE("PlacePlayer failure. No navigation.");
        return;
    }
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (const LVector2* pending = scenes != nullptr ? scenes->GetPendingPosition() : nullptr) {
        walker->SetPosition(LVector3(pending->x, pending->y, 0.0f));
        if (const LVector2* direction = scenes->GetPendingDirection()) {
            steering->SetDirection(LVector3(direction->x, direction->y, 0.0f));
        }
        return;
    }
    const LPropertyList* player = aViewpoint != nullptr
                                      ? aViewpoint->GetList(LString(u"characters.player.vedrin"))
                                      : nullptr;
    if (player == nullptr) {
        L_ASSERT_FAILURE("'characters.player.vedrin' not found.");
    }
    LVector3 values;
    if (Vector3(player, LString(u"position"), nullptr, values)) {
        // Ground x and z are the first two values, as in the navigation's own start.
        walker->SetPosition(LVector3(values.x, values.y, 0.0f));
        if (Vector3(player, LString(u"direction"), nullptr, values)) {
            steering->SetDirection(LVector3(values.x, values.z, 0.0f));
        }
        return;
    }
    bool found = false;
    LString start = player != nullptr ? player->GetString(LString(u"startwaypoint"), found) : LString();
    if (!found && aViewpoint != nullptr) {
        start = aViewpoint->GetString(LString(u"startwaypoint"), found);
    }
    if (!found) {
        L_ASSERT_FAILURE("'startwaypoint' not found.");
        return;
    }
    LPathFindingWeb* web = navigation->GetPathFindingWeb();
    const LWayPoint* point = web != nullptr ? web->GetWayPoint(start) : nullptr;
    if (point == nullptr) {
        L_ASSERT_FAILURE(LString(u"Way-point not found: ") + start);
        return;
    }
    walker->SetPosition(LVector3(point->mPoint.x, point->mPoint.y, 0.0f));
    bool direction = false;
    const LVectorFloat values3 = player != nullptr ? player->GetVectorFloat(LString(u"startdirection"), direction)
                                                   : LVectorFloat();
    if (direction && values3.GetCount() > 2) {
        steering->SetDirection(LVector3(values3[0], values3[2], 0.0f));
    }
}

bool GMScene::AddHotspot(GMHotspot* aHotspot)
{
    if (aHotspot == nullptr) {
        L_ERROR("AddHotspot failure. NULL arg.");
        return false;
    }
    if (FindHotspot(aHotspot->GetId()) != nullptr) {
        L_ERROR("AddHotspot failure. Duplicate found.");
        return false;
    }
    if (mHotspots == nullptr) {
        mHotspots = L_NEW LVector();
    }
    return mHotspots != nullptr && mHotspots->Append(aHotspot) != 0;
}

// Viewpoints and cuts ----------------------------------------------------------------

const LPropertyList* GMScene::ViewpointList(const LString& aViewpoint) const
{
    return mDescription != nullptr ? mDescription->GetList(LString(u"viewpoints.") + aViewpoint) : nullptr;
}

bool GMScene::SetViewpoint(const LString& aViewpoint)
{
    // Nothing changes for a viewpoint that has no list or whose depth mesh does not load:
    // the previous viewpoint stays as it was.
    const LPropertyList* viewpoint = ViewpointList(aViewpoint);
    if (viewpoint == nullptr) {
        L_ASSERT_FAILURE(LString(u"'viewpoints.") + aViewpoint + LString(u"' not found."));
        return false;
    }
    if (!SetupDepthMesh(viewpoint)) {
        L_ASSERT_FAILURE("SetupDepthMesh failure.");
        return false;
    }
    SetTextState(u"sta_currentviewpoint", aViewpoint, true);
    mViewpoint = aViewpoint;
    DeleteCuts();

    const LString background = Text(viewpoint, LString(u"background"), "'background' not found.");
    delete mBackground;
    mBackground = LoadPicture(mFolder + background, LString(u"bg"));

    if (!SetupCamera(viewpoint)) {
        L_ASSERT_FAILURE("SetupCamera failure.");
    }
    delete mPicker;
    mPicker = L_NEW GMPicker(mCamera);
    if (!SetupDisplayMembers(viewpoint)) {
        L_ASSERT_FAILURE("SetupDisplayMembers failure.");
    }
    if (mAudio != nullptr) {
        mAudio->SetViewpoint(aViewpoint);
    }
    MakeAmbientPlayer();

    DeleteDecals();
    const LPropertyList* decals = viewpoint->GetList(LString(u"decals"));
    if (decals != nullptr && decals->GetCount() > 0) {
        mDecals = L_NEW LSprite*[decals->GetCount()];
        GMTextureRoot root(mFolder);
        for (int i = 0; mDecals != nullptr && i < decals->GetCount(); ++i) {
            if (LSprite* sprite = LLayoutBuilder::BuildSprite(decals->GetListAt(i))) {
                mDecals[mDecalCount++] = sprite;
            }
        }
    }

    SetupNavigation(viewpoint);

    DecideNPCs();

    if (GMInterviewManager* interviews = GMInterviewManager::GetInstance()) {
        interviews->ClearInterviews();
    }
    if (!SetupHotspots(viewpoint)) {
        L_ASSERT_FAILURE("SetupHotspots failure.");
    }
    SetupCloseUps(viewpoint);

    if (mLighting != nullptr) {
        mLighting->SelectLights(mCamera != nullptr ? mCamera->GetName() : LString());
        bool found = false;
        const LString caster = viewpoint->GetString(LString(u"shadowcaster"), found);
        if (!found) {
            L_ASSERT_FAILURE("'shadowcaster' not found.");
        } else {
            mLighting->SelectShadowCaster(caster);
        }
    }

    if (mFader != nullptr) {
        mFader->SetValue(1.0f);
        mFader->SetTargetValue(0.0f);
        mFader->FadeIn();
        mFadingIn = 1;
    }

    mShadowShade = kDefaultShadowShade;
    Float(viewpoint, LString(u"shadowblend"), nullptr, mShadowShade);
    UpdateShadowChoice();
    return true;
}

void GMScene::SetupNavigation(const LPropertyList* aViewpoint)
{
    GMNavigation* navigation = GMNavigation::GetInstance();
    mNavigationSet = 1;
    if (navigation == nullptr || !navigation->SetScene(this)) {
        L_ASSERT_FAILURE("SetScene failure.");
    }
    if (mPlayer != nullptr && navigation != nullptr && navigation->GetSteering() != nullptr) {
        mPlayer->SetSteering(navigation->GetSteering());
        navigation->GetSteering()->SetCharacter(mPlayer);
    }
    PlacePlayer(aViewpoint);
    if (navigation != nullptr && mPlayer != nullptr) {
        navigation->UpdatePlayer(mPlayer);
    }
}

bool GMScene::FadeToViewpoint(const LString& aViewpoint)
{
    mPendingViewpoint = aViewpoint;
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    GMNavigation* navigation = GMNavigation::GetInstance();
    LNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    if (scenes != nullptr && walker != nullptr) {
        const LVector3 here = *walker->GetPosition();
        LVector2 place(here.x, here.y);
        if (!navigation->IsInViewpoint(aViewpoint)) {
            LWebPath path;
            LPathFindingWeb* web = navigation->GetPathFindingWeb();
            const LWayPoint* last = nullptr;
            if (navigation->FindPathToViewpoint(aViewpoint, path) && web != nullptr &&
                path.mWayPoints.GetCount() > 0) {
                last = web->GetWayPoint(path.mWayPoints[path.mWayPoints.GetCount() - 1]);
            }
            if (last != nullptr) {
                place = LVector2(last->mPoint.x, last->mPoint.y);
            } else {
                // The player then stays where it is.
                L_ASSERT_FAILURE("No path to viewpoint found.");
            }
        }
        scenes->SetPendingPosition(place);
        if (LSteeringTDO* steering = navigation->GetSteering()) {
            const LVector3* direction = steering->GetDirection();
            scenes->SetPendingDirection(LVector2(direction->x, direction->y));
        }
    }
    SetInput(false);
    mFader = GMScreenFader::GetInstance();
    if (mFader == nullptr) {
        return false;
    }
    mFader->SetListener(this);
    mFader->SetValue(0.0f);
    mFader->SetTargetValue(1.0f);
    // A fader already black answers at once, from inside FadeOut.
    mFadingOut = 1;
    return mFader->FadeOut();
}

void GMScene::OnFade(int aEvent)
{
    if (aEvent != kFadeFinished) {
        return;
    }
    if (mFadingOut != 0) {
        mFadingOut = 0;
        if (GMNavigation* navigation = GMNavigation::GetInstance()) {
            navigation->Reset();
        }
        if (!SetViewpoint(mPendingViewpoint)) {
            L_ASSERT_FAILURE("SetViewpoint failure.");
            // No fade-in was started: come back from black on the viewpoint kept.
            SetupNavigation(ViewpointList(mViewpoint));
            if (mFader != nullptr) {
                mFader->SetValue(1.0f);
                mFader->SetTargetValue(0.0f);
                mFader->FadeIn();
                mFadingIn = 1;
            }
        }
    } else if (mFadingIn != 0) {
        mFadingIn = 0;
        if (mFader != nullptr) {
            mFader->RemoveListener(this);
            mFader = nullptr;
        }
        if (mInputEnabled == 0 && mActive != 0) {
            SetInput(true);
        }
    }
}

bool GMScene::SetCut(const LString& aCut)
{
    mCut = aCut;
    if (aCut == LString(u"-") || mCutCameras == nullptr) {
        mCutCamera = nullptr;
        mCutBackground = nullptr;
        mCutDecal = nullptr;
        mCutScript = nullptr;
        return true;
    }
    mCutCamera = static_cast<LCamera*>(mCutCameras->Get(aCut));
    mCutBackground = static_cast<LSprite*>(mCutBackgrounds->Get(aCut));
    mCutDecal = static_cast<LVector*>(mCutDecals->Get(aCut));
    mCutScript = static_cast<LVector*>(mCutScripts->Get(aCut));
    return true;
}

// Characters -------------------------------------------------------------------------

bool GMScene::DecideNPC(const LPropertyList* aNPC) const
{
    bool found = false;
    const LVectorString viewpoints = aNPC != nullptr ? aNPC->GetVectorString(LString(u"viewpoints"), found)
                                                     : LVectorString();
    if (found) {
        bool listed = false;
        for (int i = 0; i < viewpoints.GetCount() && !listed; ++i) {
            listed = viewpoints[i] == mViewpoint;
        }
        if (!listed) {
            return false;
        }
    }
    found = false;
    const bool extra = aNPC != nullptr && aNPC->GetBool(LString(u"extra"), found);
    if (found && extra && Toggle(kToggleNoExtras)) {
        return false;
    }
    found = false;
    const LString active = aNPC != nullptr ? aNPC->GetString(LString(u"active"), found) : LString();
    return !found || Evaluate(active);
}

void GMScene::DecideNPCs()
{
    const LPropertyList* npcs = mDescription != nullptr ? mDescription->GetList(LString(u"characters.npcs")) : nullptr;
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->SetVisible(true);
    }
    for (int i = 0; npcs != nullptr && i < npcs->GetCount(); ++i) {
        const LString name = npcs->GetKeyAt(i);
        if (GMCharacter* npc = GetCharacter(name)) {
            npc->SetVisible(DecideNPC(npcs->GetListAt(i)));
        }
    }
}

void GMScene::RefreshCharacters()
{
    const LPropertyList* npcs = mDescription != nullptr ? mDescription->GetList(LString(u"characters.npcs")) : nullptr;
    for (int i = 0; npcs != nullptr && i < npcs->GetCount(); ++i) {
        const LPropertyList* entry = npcs->GetListAt(i);
        bool found = false;
        const LString active = entry != nullptr ? entry->GetString(LString(u"active"), found) : LString();
        GMCharacter* npc = GetCharacter(npcs->GetKeyAt(i));
        // The script decides only where the NPC may be at all: never in a viewpoint
        // outside its list, nor as an extra with toggle 2 on.
        if (found && npc != nullptr) {
            npc->SetVisible(DecideNPC(entry));
        }
    }
}

bool GMScene::StartInterview()
{
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (interview == nullptr) {
        L_ERROR("StartInterview failure.");
        return false;
    }
    GMCharacter* witness = GetCharacter(interview->GetWitnessId());
    if (witness != nullptr) {
        witness->SetAmbientSuspended(true);
    }
    if (mPlayer != nullptr) {
        mPlayer->SetAmbientSuspended(true);
    }
    interview->SetListener(this);
    if (!interviews->StartCurrentInterview()) {
        L_ERROR("StartInterview failure.");
        return false;
    }
    mInterviewRunning = 1;
    if (witness != nullptr && mPlayer != nullptr) {
        witness->SetEyeTarget(mPlayer);
        witness->SetLookAt(true);
        mPlayer->SetEyeTarget(witness);
        mPlayer->SetLookAt(true);
    }
    return true;
}

void GMScene::ResetCharacters()
{
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (GMCharacter* witness = interview != nullptr ? GetCharacter(interview->GetWitnessId()) : nullptr) {
        witness->SetAmbientSuspended(false);
        witness->SetLookAt(false);
    }
    if (mPlayer != nullptr) {
        mPlayer->SetAmbientSuspended(false);
        mPlayer->SetLookAt(false);
    }
    mInterviewRunning = 0;
    SetHotspotsEnabled(true);
}

bool GMScene::AddCharacter(const LString& aName, GMCharacter* aCharacter, bool aPlayer)
{
    if (aCharacter == nullptr || GetCharacter(aName) != nullptr || (aPlayer && mPlayer != nullptr)) {
        L_ERROR("AddCharacter failure.");
        return false;
    }
    if (mCharacters == nullptr) {
        mCharacters = L_NEW LHashKeyList(7, false);
        if (mCharacters == nullptr) {
            return false;
        }
    }
    if (aPlayer) {
        mPlayer = aCharacter;
    } else {
        GMCharacter** grown = L_NEW GMCharacter*[mNPCCount + 1];
        if (grown == nullptr) {
            return false;
        }
        for (int i = 0; i < mNPCCount; ++i) {
            grown[i] = mNPCs[i];
        }
        grown[mNPCCount] = aCharacter;
        delete[] mNPCs;
        mNPCs = grown;
        ++mNPCCount;
    }
    mCharacters->AddAt(aName, aCharacter, true);
    return true;
}

GMCharacter* GMScene::GetCharacter(const LString& aName) const
{
    return mCharacters != nullptr ? static_cast<GMCharacter*>(mCharacters->Get(aName)) : nullptr;
}

GMCharacter* GMScene::GetNPC(int aIndex) const
{
    return aIndex >= 0 && aIndex < mNPCCount ? mNPCs[aIndex] : nullptr;
}

// Audio and shadows ------------------------------------------------------------------

void GMScene::StartAudio()
{
    if (mAudio != nullptr || !OptionalExists(mFolder + LString(u"audio.txt"))) {
        return;
    }
    mAudio = L_NEW GMSceneAudio();
    if (mAudio == nullptr) {
        return;
    }
    if (!mAudio->Load(mFolder)) {
        delete mAudio;
        mAudio = nullptr;
        return;
    }
    mAudio->Start();
    if (!mViewpoint.IsEmpty()) {
        mAudio->SetViewpoint(mViewpoint);
    }
}

void GMScene::StopAudio()
{
    if (mAudio != nullptr) {
        mAudio->Stop();
        delete mAudio;
        mAudio = nullptr;
    }
    mKeepAudio = 0;
}

void GMScene::MakeAmbientPlayer()
{
    delete mAmbient;
    mAmbient = nullptr;
    // Option toggle 2 drops the ambient animations; a location without them has no file.
    if (Toggle(kToggleNoExtras) || mAnimations == nullptr) {
        return;
    }
    const LPropertyList* viewpoint = mAnimations->GetList(LString(u"viewpoints.") + mViewpoint);
    if (viewpoint == nullptr) {
        return;
    }
    mAmbient = L_NEW GMAmbientAnimPlayer();
    if (mAmbient != nullptr) {
        mAmbient->Build(viewpoint);
    }
}

void GMScene::UpdateShadowChoice()
{
    mSimpleShadows = Toggle(kToggleSimpleShadows) ? 1 : 0;
    if (mSimpleShadows != 0 && mShadowSimple == nullptr) {
        mShadowSimple = L_NEW GMShadowSimple();
    }
}

// Input ------------------------------------------------------------------------------

void GMScene::SetInput(bool aEnabled)
{
    if (LMouse* mouse = LMouse::Get()) {
        if (aEnabled && mListenerRegistered == 0) {
            mListenerRegistered = mouse->AddMember(this, kMousePriority) ? 1 : 0;
        } else if (!aEnabled && mListenerRegistered != 0) {
            mouse->RemoveListener(this);
            mListenerRegistered = 0;
        }
    }
    mInputEnabled = aEnabled ? 1 : 0;
    SetHotspotsEnabled(aEnabled);
}

void GMScene::SetInputEnabled(bool aEnabled)
{
    if ((mInputEnabled != 0) == aEnabled || (aEnabled && mActive == 0)) {
        return;
    }
    SetInput(aEnabled);
}

void GMScene::SetHotspotsEnabled(bool aEnabled)
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        GetHotspot(i)->SetInputEnabled(aEnabled);
    }
}

void GMScene::SetMouseLock(bool aLock)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return;
    }
    if (aLock) {
        mMouseLock = mouse->Lock(this) ? 1 : 0;
    } else {
        mouse->Unlock(this);
        mMouseLock = 0;
    }
}

void GMScene::OnClick(int aButton, bool aRun)
{
    LMouse* mouse = LMouse::Get();
    if (mMouseLock != 0 && mouse != nullptr) {
        mouse->Interrupt();
    }
    if (mInputEnabled == 0) {
        return;
    }
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr && cursor->GetType() == GMCursor::TYPE_ITEM) {
        // The click only puts the item back.
        cursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
        cursor->ReleaseCursor(LString());
        if (mouse != nullptr) {
            mouse->Interrupt();
        }
        UpdateHotspots();
        return;
    }
    if (aButton != 1 || mPicker == nullptr || mouse == nullptr) {
        return;
    }
    LVector2 position(0.0f, 0.0f);
    mouse->GetPosition(position);
    mPicker->Pick(static_cast<int>(position.x), static_cast<int>(position.y), aRun);
}

void GMScene::OnDoubleClick(int aButton)
{
    OnClick(aButton, true);
}

void GMScene::OnButtonDown(int aButton)
{
    OnClick(aButton, false);
}

void GMScene::OnMove(const LVector2& aPosition)
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (LCursor* engineCursor = cursor != nullptr ? cursor->GetEngineCursor() : nullptr) {
        engineCursor->OnMove(aPosition);
    }
}

void GMScene::OnButtonUp(int)
{
    LMouse* mouse = LMouse::Get();
    if (mMouseLock != 0 && mouse != nullptr) {
        mouse->Interrupt();
    }
}

void GMScene::UpdateHotspots()
{
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    for (int i = 0; i < GetHotspotCount(); ++i) {
        GMHotspot* hotspot = GetHotspot(i);
        hotspot->UpdateActive();
        if (mInputEnabled != 0 && hotspot->IsActive() && hotspot->IsInputEnabled()) {
            hotspot->OnMove(position);
        }
    }
}

void GMScene::OnPDAEvent(int aCode)
{
    if (aCode == EVENT_MINIMIZED) {
        if (mInputEnabled == 0 && mActive != 0) {
            SetInput(true);
        }
    } else if (aCode == EVENT_OPENED) {
        SetInputEnabled(false);
    }
}

void GMScene::OnInterviewEvent(int aCode)
{
    if (aCode == EVENT_TAKEN_OVER) {
        SetInputEnabled(false);
    } else if (aCode == EVENT_RETURNED) {
        SetInputEnabled(true);
    }
}

// Screen -----------------------------------------------------------------------------

void GMScene::OnShow()
{
    GMCursor* cursor = GMCursor::GetInstance();
    if (cursor != nullptr) {
        cursor->SetVisible(true);
    }
    mActive = 1;
    if (mInterviewRunning == 0) {
        SetInputEnabled(true);
    }
    SetMouseLock(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetActive(true);
        mDisplayGroup->SetEnabled(true);
    }
    if (mSceneGroup != nullptr) {
        mSceneGroup->SetVisible(true);
    }
    if (cursor != nullptr) {
        cursor->ReleaseCursor(LString());
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        mPDAListening = pda->SetListener(this) ? 1 : 0;
        pda->Minimize(false);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (mPlayer != nullptr) {
        mPlayer->ResetAmbient();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->ResetAmbient();
    }
    DecideNPCs();
    UpdateShadowChoice();
    StartAudio();
    MakeAmbientPlayer();
}

void GMScene::OnLeave()
{
    SetInput(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetEnabled(false);
    }
}

void GMScene::OnHidden()
{
    SetInput(false);
    SetMouseLock(false);
    if (mDisplayGroup != nullptr) {
        mDisplayGroup->SetActive(false);
    }
    if (mSceneGroup != nullptr) {
        mSceneGroup->SetVisible(false);
    }
    mActive = 0;
    if (mPlayer != nullptr) {
        mPlayer->StopAmbient();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->StopAmbient();
    }
    // A covering screen that asked for it hears the location's audio on; an open close-up
    // keeps it too. The flag holds for this one hiding only.
    if (mKeepAudio == 0 && mCloseUp == nullptr) {
        StopAudio();
    }
    mKeepAudio = 0;
}

// Per frame --------------------------------------------------------------------------

bool GMScene::Update()
{
    if (mActive == 0) {
        return true;
    }
    bool result = true;
    GMNavigation* navigation = GMNavigation::GetInstance();
    if (mPlayer != nullptr) {
        result = mPlayer->UpdateSteering() != 0 && result;
        if (navigation != nullptr) {
            navigation->UpdatePlayer(mPlayer);
        }
        result = mPlayer->UpdateTransform() != 0 && result;
        if (mSimpleShadows != 0 && mShadowSimple != nullptr) {
            mShadowSimple->Update(*mPlayer->GetPosition());
        }
    }
    for (int i = 0; i < mNPCCount; ++i) {
        if (mNPCs[i]->GetVisible()) {
            result = mNPCs[i]->UpdateSteering() != 0 && result;
            result = mNPCs[i]->UpdateTransform() != 0 && result;
        }
    }
    return result;
}

void GMScene::RenderStencilShadows(LCamera* aCamera)
{
    // Without a light that casts them there are no shadows to mark.
    const LLight* caster = mLighting != nullptr ? mLighting->GetShadowCaster() : nullptr;
    if (mShadowBuffer == nullptr || mPlayer == nullptr || caster == nullptr) {
        return;
    }
    mShadowBuffer->BeginShadowVolumes();
    mPlayer->UpdateShadow(caster, aCamera);
    mPlayer->RenderShadow(kShadowVolumeValue);
    mShadowBuffer->Render(mShadowShade);
    // The shade's black texture and opacity must not reach untextured characters.
    if (LIRasterizer* rasterizer = LIRasterizer::Get()) {
        rasterizer->SetTexture();
        rasterizer->SetBlendFactor(1.0f);
    }
}

bool GMScene::Render()
{
    if (mActive == 0) {
        return true;
    }
    LCamera* camera = mCutCamera != nullptr ? mCutCamera : mCamera;
    LRenderer* renderer = LRenderer::Get();
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (renderer == nullptr || rasterizer == nullptr) {
        return false;
    }
    const bool cut = mCutCamera != nullptr || mCutBackground != nullptr || mCutDecal != nullptr;

    renderer->Begin();
    LSprite* background = cut ? mCutBackground : mBackground;
    if (background == nullptr || !background->Render(renderer)) {
        renderer->End();
        return false;
    }
    if (!cut) {
        if (mAmbient != nullptr) {
            mAmbient->RenderBackground(renderer);
        }
        for (int i = 0; i < GetHotspotCount(); ++i) {
            GetHotspot(i)->RenderDisplayMember();
        }
    }
    renderer->End();

    if (camera == nullptr || !camera->Apply()) {
        return false;
    }
    rasterizer->SetColorWriteEnable(false);
    rasterizer->SetAlphaBlendEnable(false);
    rasterizer->SetZEnable(true);
    rasterizer->SetZWriteEnable(true);
    if (mDepthMesh != nullptr) {
        mDepthMesh->Render();
    }
    rasterizer->SetColorWriteEnable(true);

    if (mPlayer != nullptr) {
        mPlayer->UpdateSkins();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->UpdateSkins();
    }

    if (mSimpleShadows != 0 && mShadowSimple != nullptr) {
        mShadowSimple->Render();
    } else {
        RenderStencilShadows(camera);
    }

    if (!camera->Apply()) {
        return false;
    }
    if (mLighting != nullptr) {
        mLighting->Apply();
    }
    if (mPlayer != nullptr) {
        mPlayer->Render();
    }
    for (int i = 0; i < mNPCCount; ++i) {
        mNPCs[i]->Render();
    }

    renderer->Begin();
    if (!cut) {
        for (int i = 0; i < mDecalCount; ++i) {
            mDecals[i]->Render(renderer);
        }
        if (mAmbient != nullptr) {
            mAmbient->RenderForeground(renderer);
        }
    } else {
        for (int i = 0; mCutDecal != nullptr && i < mCutDecal->GetCount(); ++i) {
            LScript* script = mCutScript != nullptr ? static_cast<LScript*>(mCutScript->GetAt(i)) : nullptr;
            if (script == nullptr || script->Evaluate()) {
                static_cast<LSprite*>(mCutDecal->GetAt(i))->Render(renderer);
            }
        }
    }
    renderer->End();
    return true;
}

// What the rest of the game reads ----------------------------------------------------

int GMScene::GetHotspotCount() const
{
    return mHotspots != nullptr ? mHotspots->GetCount() : 0;
}

GMHotspot* GMScene::GetHotspot(int aIndex) const
{
    return aIndex >= 0 && aIndex < GetHotspotCount() ? static_cast<GMHotspot*>(mHotspots->GetAt(aIndex)) : nullptr;
}

GMHotspot* GMScene::FindHotspot(const LString& aId) const
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        if (GetHotspot(i)->GetId() == aId) {
            return GetHotspot(i);
        }
    }
    return nullptr;
}

LSprite* GMScene::GetDecal(int aIndex) const
{
    return aIndex >= 0 && aIndex < mDecalCount ? mDecals[aIndex] : nullptr;
}

void GMScene::SetPlayerPlace(const LVector3& aPosition, const LVector3& aDirection)
{
    mPlayerPosition = aPosition;
    mPlayerDirection = aDirection;
    mHasPlace = true;
}

const LVector3* GMScene::GetPlayerPosition() const
{
    if (mPlayer != nullptr) {
        mPlayerPosition = *mPlayer->GetPosition();
        return &mPlayerPosition;
    }
    return mHasPlace ? &mPlayerPosition : nullptr;
}

const LVector3* GMScene::GetPlayerDirection() const
{
    GMNavigation* navigation = mPlayer != nullptr ? GMNavigation::GetInstance() : nullptr;
    LSteeringTDO* steering = navigation != nullptr ? navigation->GetSteering() : nullptr;
    if (steering != nullptr) {
        mPlayerDirection = *steering->GetDirection();
        return &mPlayerDirection;
    }
    return mHasPlace ? &mPlayerDirection : nullptr;
}

// Tear-down --------------------------------------------------------------------------

void GMScene::DeleteHotspots()
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        delete GetHotspot(i);
    }
    delete mHotspots;
    mHotspots = nullptr;
}

void GMScene::DeleteDecals()
{
    for (int i = 0; i < mDecalCount; ++i) {
        delete mDecals[i];
    }
    delete[] mDecals;
    mDecals = nullptr;
    mDecalCount = 0;
}

void GMScene::DeleteCuts()
{
    mCutCamera = nullptr;
    mCutBackground = nullptr;
    mCutDecal = nullptr;
    mCutScript = nullptr;
    DeleteTable<LCamera>(mCutCameras, [](LCamera* aCamera) { delete aCamera; });
    DeleteTable<LSprite>(mCutBackgrounds, [](LSprite* aSprite) { delete aSprite; });
    DeleteTable<LVector>(mCutDecals, [](LVector* aSprites) { DeleteSprites(aSprites); });
    DeleteTable<LVector>(mCutScripts, [](LVector* aScripts) { DeleteScripts(aScripts); });
}

void GMScene::DeleteCharacters()
{
    // The navigation's steering holds the player: it goes first.
    GMNavigation* navigation = mNavigationSet != 0 ? GMNavigation::GetInstance() : nullptr;
    if (mPlayer != nullptr && navigation != nullptr && navigation->GetScene() == this) {
        navigation->Reset();
    }
    delete mPlayer;
    mPlayer = nullptr;
    for (int i = 0; i < mNPCCount; ++i) {
        delete mNPCs[i];
    }
    delete[] mNPCs;
    mNPCs = nullptr;
    mNPCCount = 0;
    delete mCharacters;
    mCharacters = nullptr;
}
