#include "menu/GMSaveGameFile.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "LVector2.h"
#include "container/LString.h"
#include "event/LEventManager.h"
#include "object/LRestoreManager.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPhone.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LGameObjectManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "time/LGameClock.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"
#include "menu/GMSaveIndexFile.h"

#include <cmath>

namespace {

GMSaveGameFile::TitleMusicStop sTitleMusicStop = nullptr;

GMInventoryPanel* Inventory()
{
    GMPDA* pda = GMPDA::GetInstance();
    return pda != nullptr ? pda->GetInventoryPanel() : nullptr;
}

const LIState* State(const char* aId, int aType)
{
    LStateManager* states = LStateManager::Get();
    const LIState* state = states != nullptr ? states->GetState(LString(aId)) : nullptr;
    return state != nullptr && state->GetType() == aType && state->GetValue() != nullptr ? state : nullptr;
}

bool TextState(const char* aId, LString& aOut)
{
    const LIState* state = State(aId, LIState::TYPE_STRING);
    if (state == nullptr) {
        return false;
    }
    aOut = *static_cast<const LString*>(state->GetValue());
    return true;
}

// A finite number state; a value that is not a number of the ground plane is no place.
bool NumberState(const char* aId, float& aOut)
{
    const LIState* state = State(aId, LIState::TYPE_NUMBER);
    if (state == nullptr) {
        return false;
    }
    aOut = *static_cast<const float*>(state->GetValue());
    return std::isfinite(aOut);
}

// Both states of a pair, or nothing.
bool PairState(const char* aX, const char* aZ, LVector2& aOut)
{
    float x = 0.0f;
    float z = 0.0f;
    if (!NumberState(aX, x) || !NumberState(aZ, z)) {
        return false;
    }
    aOut = LVector2(x, z);
    return true;
}

// A record of the restore block may name a handle, and reading it files the restorable
// under that handle in the game object manager, which would then own a singleton that
// its cleaner deletes as well. Nothing in the game files the restorables there, so every
// such handle comes from a damaged or foreign save: it is let go, the object kept.
void ReleaseRestorableHandles()
{
    LGameObjectManager* objects = LGameObjectManager::Get();
    if (objects == nullptr) {
        return;
    }
    const LBase* restorables[] = {LEventManager::Get(), LStateManager::Get(), LGameClock::Get()};
    for (const LBase* restorable : restorables) {
        const unsigned int handle = restorable != nullptr ? objects->GetHandle(restorable) : 0;
        if (handle == 0) {
            continue;
        }
        LBase* kept = nullptr;
        if (!objects->RemoveObject(handle, &kept) || !objects->RemoveHandle(handle)) {
            L_ERROR(LString("Load failure. A saved handle could not be let go: ") + handle);
        } else {
            L_WARNING(LString("A saved handle was let go: ") + handle);
        }
    }
}

} // namespace

// Saving -------------------------------------------------------------------------------

bool GMSaveGameFile::Encode(LMemoryStream& aOut)
{
    GMInventoryPanel* inventory = Inventory();
    LRestoreManager* restore = LRestoreManager::Get();
    if (inventory == nullptr || restore == nullptr) {
        L_ERROR("Encode failure. No inventory or restore manager.");
        return false;
    }
    bool ok = inventory->Write(&aOut);
    ok = restore->Save(&aOut, aOut.GetPosition()) != 0 && ok;
    return ok;
}

bool GMSaveGameFile::SaveGame(const LString& aDescription, const LString& aThumbnail, GMSaveIndexFile* aIndex)
{
    if (aIndex == nullptr) {
        L_ASSERT_FAILURE("Invalid arg.");
        return false;
    }
    // The save leaves the screen at its end, which a change of screen already running
    // would refuse: the player would stay on a save screen that was done.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->IsBusy()) {
        L_ERROR("SaveGame failure. A change of screen is running.");
        return false;
    }
    // Numbered after an index that could not be read, the save would be written over the
    // first saved game and the index would list it alone.
    if (aIndex->IsUnreadable()) {
        L_ERROR(LString("SaveGame failure. The index of saved games could not be read: ") + GMSaveIndexFile::GetFilePath());
        return false;
    }
    // Past every save file on disk, listed or not: a save never writes over another.
    const int number = aIndex->GetNextNumber();
    if (number <= 0) {
        L_ERROR("SaveGame failure. No number is free for the save.");
        return false;
    }
    LMemoryStream bytes(4096, LMemoryStream::GROW_DOUBLE);
    // The save file first: until the index names it, a failure costs nothing.
    if (!Encode(bytes) ||
        !LFileStream::WriteBytesToFile(bytes.GetPosition(), bytes.GetBuffer(), GMSaveIndexFile::GetSavePath(number), true)) {
        L_ASSERT_FAILURE("Unable to create game save file.");
        return false;
    }
    if (!aIndex->Write(number, aDescription, aThumbnail)) {
        return false;
    }
    L_NOTE(LString("Game saved: game") + number);
    if (screens != nullptr) {
        GMIScreen* left = nullptr;
        screens->PopFade(&left);
    }
    return true;
}

// Loading ------------------------------------------------------------------------------

bool GMSaveGameFile::Decode(LMemoryStream& aSave)
{
    LEventManager* events = LEventManager::Get();
    LStateManager* states = LStateManager::Get();
    GMInventoryPanel* inventory = Inventory();
    LRestoreManager* restore = LRestoreManager::Get();
    if (events == nullptr || states == nullptr || inventory == nullptr || restore == nullptr) {
        L_ERROR("Load failure. No inventory, events, states or restore manager.");
        return false;
    }
    events->RemoveAllEvents();
    states->RemoveAllStates();
    if (!inventory->Read(&aSave)) {
        return false;
    }
    const int start = aSave.GetPosition();
    const int end = start + aSave.GetRemaining();
    const bool loaded = restore->Load(&aSave, start, end) != 0;
    ReleaseRestorableHandles();
    return loaded;
}

bool GMSaveGameFile::CanBePlaced()
{
    LString scene;
    LString viewpoint;
    if (!TextState("sta_currentscene", scene) || scene.IsEmpty() || !TextState("sta_currentviewpoint", viewpoint) ||
        viewpoint.IsEmpty()) {
        L_ASSERT_FAILURE("");
        return false;
    }
    // The location is named by the save, a file the player can edit.
    LIFileSystem* files = LIFileSystem::Get();
    if (!LIFileSystem::IsSafeName(scene) ||
        (files != nullptr && !files->PathExists(LString("//scenes/") + scene + "/scene.txt", true))) {
        L_ERROR(LString("Load failure. Unknown location: ") + scene);
        return false;
    }
    return true;
}

void GMSaveGameFile::ApplyLoaded()
{
    const LIState* selected = State("sta_selectedcase", LIState::TYPE_NUMBER);
    LGameClock* clock = LGameClock::Get();
    if (selected != nullptr && clock != nullptr) {
        const float value = *static_cast<const float*>(selected->GetValue());
        if (std::isfinite(value) && value > -2147483648.0f && value < 2147483648.0f) {
            clock->SetCurrentClock(static_cast<int>(value));
        } else {
            L_ERROR("Load failure. The selected case is out of range.");
        }
    }
    static const char* const kSkills[] = {"easy", "medium", "hard"};
    GMOptions* options = GMOptions::GetInstance();
    LStateManager* states = LStateManager::Get();
    const int skill = options != nullptr ? options->GetSkill() : -1;
    if (states != nullptr && skill >= GMOptions::SKILL_EASY && skill <= GMOptions::SKILL_HARD) {
        states->SetState(LString("sta_currentskillsetting"), LString("string"), LString(kSkills[skill]), false);
    }
}

bool GMSaveGameFile::Read(LMemoryStream& aSave)
{
    LMemoryStream snapshot(4096, LMemoryStream::GROW_DOUBLE);
    if (!Encode(snapshot)) {
        L_ERROR("Load failure. The game in progress cannot be kept.");
        return false;
    }
    if (Decode(aSave) && CanBePlaced()) {
        ApplyLoaded();
        // The messages of the game that was replaced are not this game's: the phone
        // works out again which are due. A roll-back below leaves it as it was.
        if (GMPhone* phone = GMPhone::Peek()) {
            phone->Reset();
            phone->UpdateTriggered();
        }
        return true;
    }
    L_ERROR("Load failure. The saved game is damaged; the game in progress is kept.");
    // The copy holds exactly the written bytes: the blocks are read to its end.
    LMemoryStream kept(0, LMemoryStream::GROW_DOUBLE);
    if (!kept.CreateFromBuffer(snapshot.GetPosition(), snapshot.GetBuffer()) || !Decode(kept)) {
        L_ERROR("Load failure. The game in progress could not be put back.");
    }
    return false;
}

bool GMSaveGameFile::LoadGame(const LString& aKey, GMIScreenFaderListener* aListener)
{
    if (aListener == nullptr || aKey.IsEmpty() || !LIFileSystem::IsSafeName(aKey)) {
        L_ASSERT_FAILURE("Invalid arg.");
        return false;
    }
    // The load ends with a fade of its own, which would take the fader from a change of
    // screen that is still running and leave that change unfinished for good.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->IsBusy()) {
        L_ERROR(LString("LoadGame failure. A change of screen is running: ") + aKey);
        return false;
    }
    const LString path = LString("//dataroot/game/") + aKey + ".dat";
    LMemoryStream save(0, LMemoryStream::GROW_DOUBLE);
    if (!save.CreateFromFile(path, true)) {
        L_ASSERT_FAILURE("Unable to create game load file.");
        return false;
    }
    // The fader is taken before the game is touched: a fader that cannot be had leaves
    // the game in progress as it was.
    GMScreenFader* fader = GMScreenFader::GetInstance();
    GMIScreenFaderListener* const previous = fader != nullptr ? fader->GetListener() : nullptr;
    if (fader == nullptr || !fader->SetListener(aListener)) {
        L_ERROR("LoadGame failure. The screen fader could not be had.");
        return false;
    }
    if (!Read(save)) {
        fader->RemoveListener(aListener);
        if (previous != nullptr) {
            fader->SetListener(previous);
        }
        return false;
    }
    L_NOTE(LString("Game loaded: ") + aKey);
    // On a picture already black the placement runs inside this call.
    fader->FadeOut();
    return true;
}

bool GMSaveGameFile::PlaceAfterLoad(GMIScreen* aScreen, GMIScreenFaderListener* aListener)
{
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(aListener);
    }
    if (sTitleMusicStop != nullptr) {
        sTitleMusicStop();
    }
    LString scene;
    LString viewpoint;
    const bool hasScene = TextState("sta_currentscene", scene);
    const bool hasViewpoint = TextState("sta_currentviewpoint", viewpoint);
    if (!hasScene || !hasViewpoint) {
        L_ASSERT_FAILURE("");
        if (fader != nullptr) {
            fader->FadeIn();
        }
        return false;
    }
    if (aScreen != nullptr) {
        aScreen->OnHidden();
    }
    // The load screen and the main menu under it.
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        for (int i = 0; i < 2; ++i) {
            GMIScreen* popped = nullptr;
            screens->PopScreen(&popped);
        }
    }
    LVector2 position;
    LVector2 direction;
    const bool hasPosition = PairState("sta_playerpos_x", "sta_playerpos_z", position);
    const bool hasDirection = PairState("sta_playerdir_x", "sta_playerdir_z", direction);
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    const bool loaded = scenes != nullptr && scenes->LoadScene(scene, true, true);
    bool ok = loaded;
    if (ok) {
        // After the load, which clears any pending place.
        if (hasPosition) {
            scenes->SetPendingPosition(position);
        }
        if (hasDirection) {
            scenes->SetPendingDirection(direction);
        }
        GMScene* current = scenes->GetScene();
        ok = current != nullptr && current->SetViewpoint(viewpoint);
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
    if (!loaded) {
        GMSceneManager::ShowMenuWhenNoScreenIsLeft(scene);
    }
    return ok;
}

void GMSaveGameFile::SetTitleMusicStop(TitleMusicStop aStop)
{
    sTitleMusicStop = aStop;
}
