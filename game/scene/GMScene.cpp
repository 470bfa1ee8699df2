#include "scene/GMScene.h"

#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "container/LHashKeyList.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "stdlib/LLog.h"

GMScene::GMScene() = default;

GMScene::~GMScene()
{
    DeleteHotspots();
    DeleteCharacters();
}

LString GMScene::Dump() const
{
    return DumpHead("GMScene") + "]";
}

bool GMScene::Load(const LString& aId)
{
    L_NOTE(LString(u"Load: locations are not read yet: ") + aId);
    return false;
}

bool GMScene::SetupCharacters() { return true; }
bool GMScene::SetupLights() { return false; }
bool GMScene::SetupCamera(const LPropertyList*) { return false; }
bool GMScene::SetupDepthMesh(const LPropertyList*) { return false; }
bool GMScene::SetupDisplayMembers(const LPropertyList*) { return false; }
bool GMScene::SetupHotspots(const LPropertyList*) { return true; }
bool GMScene::SetupCloseUps(const LPropertyList*) { return false; }
bool GMScene::SetupCuts() { return false; }
void GMScene::PlacePlayer(const LPropertyList*) {}

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

bool GMScene::SetViewpoint(const LString&) { return false; }
bool GMScene::FadeToViewpoint(const LString&) { return false; }
bool GMScene::SetCut(const LString& aCut)
{
    mCut = aCut;
    return true;
}

void GMScene::SetInputEnabled(bool aEnabled)
{
    mInputEnabled = aEnabled ? 1 : 0;
}

void GMScene::SetHotspotsEnabled(bool aEnabled)
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        GetHotspot(i)->SetInputEnabled(aEnabled);
    }
}

void GMScene::SetMouseLock(bool) {}
bool GMScene::StartInterview() { return false; }
void GMScene::ResetCharacters()
{
    mInterviewRunning = 0;
    SetHotspotsEnabled(true);
}
void GMScene::RefreshCharacters() {}
void GMScene::StartAudio() {}
void GMScene::StopAudio()
{
    mKeepAudio = 0;
}
bool GMScene::Update() { return true; }
bool GMScene::Render() { return true; }
void GMScene::OnLeave() {}
void GMScene::OnHidden() {}
void GMScene::OnShow() {}
void GMScene::OnDoubleClick(int) {}
void GMScene::OnButtonDown(int) {}
void GMScene::OnMove(const LVector2&) {}
void GMScene::OnButtonUp(int) {}
void GMScene::OnFade(int) {}

void GMScene::OnPDAEvent(int aCode)
{
    if (aCode == EVENT_MINIMIZED) {
        SetInputEnabled(true);
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

GMCharacter* GMScene::GetCharacter(const LString& aName) const
{
    return mCharacters != nullptr ? static_cast<GMCharacter*>(mCharacters->Get(aName)) : nullptr;
}

bool GMScene::AddCharacter(const LString& aName, GMCharacter* aCharacter, bool aPlayer)
{
    if (aCharacter == nullptr || GetCharacter(aName) != nullptr) {
        L_ERROR("AddCharacter failure.");
        return false;
    }
    if (mCharacters == nullptr) {
        mCharacters = L_NEW LHashKeyList(7, false);
    }
    if (mCharacters == nullptr) {
        return false;
    }
    if (aPlayer) {
        if (mPlayer != nullptr) {
            L_ERROR("AddCharacter failure.");
            return false;
        }
        mPlayer = aCharacter;
    } else {
        GMCharacter** grown = L_NEW GMCharacter*[mNPCCount + 1];
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

GMCharacter* GMScene::GetNPC(int aIndex) const
{
    return aIndex >= 0 && aIndex < mNPCCount ? mNPCs[aIndex] : nullptr;
}

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
    return mHasPlace ? &mPlayerPosition : nullptr;
}

const LVector3* GMScene::GetPlayerDirection() const
{
    return mHasPlace ? &mPlayerDirection : nullptr;
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

void GMScene::DeleteCharacters()
{
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

void GMScene::DeleteHotspots()
{
    for (int i = 0; i < GetHotspotCount(); ++i) {
        delete GetHotspot(i);
    }
    delete mHotspots;
    mHotspots = nullptr;
}
