// GMScene: loading and set-up.
#include "scene/GMScene.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LMatrix4.h"
#include "LVector2.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LNavigationTDO.h"
#include "Render/LNodeGroup.h"
#include "Render/LNodeManager.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "container/LVectorFloat.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCharacter.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneManager.h"
#include "scene/GMSceneReading.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "util/GMTextureRoot.h"

using namespace GMSceneReading;

namespace {

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

} // namespace

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
