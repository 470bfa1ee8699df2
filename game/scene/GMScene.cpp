#include "scene/GMScene.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LNodeGroup.h"
#include "Render/LNodeManager.h"
#include "Render/LShadowBuffer.h"
#include "Render/LSteeringTDO.h"
#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMPDA.h"
#include "scene/GMAmbientAnimPlayer.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneAudio.h"
#include "scene/GMSceneReading.h"
#include "scene/GMShadowSimple.h"
#include "script/LScript.h"
#include "stdlib/LLog.h"
#include "ui/GMPicker.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"

using namespace GMSceneReading;

namespace {

constexpr int kToggleNoExtras = 2;
constexpr int kToggleSimpleShadows = 5;


bool Toggle(int aIndex)
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr && options->GetToggle(aIndex) != 0;
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
