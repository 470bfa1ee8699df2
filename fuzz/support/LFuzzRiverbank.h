// The sample's riverbank at "vp01" as the stage of a scene target's inputs, over the fake
// timer: the game prepared and the location loaded once, frames a quarter second apart and
// left clicks. No input leaves anything to the next: Settle, after each, compares what an
// input can change of the game (the PDA inventory, the states, the events, the location,
// the viewpoint and the top screen) with the stage as it was first set, and only when
// something differs puts the game back and loads the location again. Loading costs far more
// than most inputs, so the many inputs that change nothing run at the full rate, and each
// input frees what it made (libFuzzer's leak check runs only after one that did not).
// The fake timer's time is kept here (the sample game starts at 1.0 s).
#pragma once
#include "GMScreenManager.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "LVector3.h"
#include "container/LString.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "stdlib/LRandom.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "LFuzzInput.h"
#include "LFuzzRecords.h"

#include <cstddef>
#include <string>
#include <vector>

namespace LFuzzRiverbank {

inline const LString kLocation(u"case01/riverbank");

inline double& Now()
{
    static double sNow = 1.0;
    return sNow;
}

// Whether the riverbank stands at "vp01", loading it when another location (or viewpoint)
// stands.
inline bool Enter()
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    GMScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr;
    if (scene != nullptr && scene->GetId() == kLocation && scene->GetViewpoint() == LString(u"vp01")) {
        return true;
    }
    return scenes != nullptr && scenes->LoadScene(kLocation, true, true) && scenes->GetScene() != nullptr;
}

// What an input may change of the game's data, as bytes: the PDA inventory's block, then
// each state's id, type and value and each event's id (not the times they were set, which
// every load sets anew). With aSaved, the inventory's, the states' and the events' blocks
// as a saved game holds them. False when a block is not written.
inline bool Snapshot(std::string& aOut, bool aSaved = false)
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    LStateManager* states = LStateManager::Get();
    LEventManager* events = LEventManager::Get();
    LMemoryStream bytes(4096, LMemoryStream::GROW_DOUBLE);
    if (inventory == nullptr || states == nullptr || events == nullptr || !inventory->Write(&bytes) ||
        (aSaved && (states->OnSave(&bytes) == 0 || events->OnSave(&bytes) == 0))) {
        return false;
    }
    aOut.assign(reinterpret_cast<const char*>(bytes.GetBuffer()), static_cast<size_t>(bytes.GetPosition()));
    if (aSaved) {
        return true;
    }
    for (int i = 0; i < states->GetStateCount(); ++i) {
        const LIState* state = states->GetStateAt(i);
        if (state == nullptr) {
            continue;
        }
        aOut += "\nstate " + ToStd(state->GetId()) + " " + std::to_string(state->GetType()) + " ";
        if (const void* value = state->GetValue(); value != nullptr) {
            switch (state->GetType()) {
            case LIState::TYPE_BOOLEAN: aOut += std::to_string(*static_cast<const unsigned char*>(value)); break;
            case LIState::TYPE_NUMBER: aOut += std::to_string(*static_cast<const float*>(value)); break;
            case LIState::TYPE_STRING: aOut += ToStd(*static_cast<const LString*>(value)); break;
            default: break;
            }
        }
    }
    for (int i = 0; i < events->GetEventCount(); ++i) {
        if (const LEvent* event = events->GetEventAt(i)) {
            aOut += "\nevent " + ToStd(event->GetId());
        }
    }
    return true;
}

// The game's data as the stage was first set, as Snapshot gives it and as saved.
inline std::string& Stage()
{
    static std::string sStage;
    return sStage;
}
inline std::string& SavedStage()
{
    static std::string sSaved;
    return sSaved;
}
// Where the player stands and faces in aScene, as text.
inline std::string Place(const GMScene& aScene)
{
    const LVector3* at = aScene.GetPlayerPosition();
    const LVector3* facing = aScene.GetPlayerDirection();
    std::string place;
    for (const LVector3* v : {at, facing}) {
        place += v != nullptr ? std::to_string(v->x) + " " + std::to_string(v->y) + " " + std::to_string(v->z) + ";" : "-;";
    }
    return place;
}
inline std::string& StagePlace()
{
    static std::string sPlace;
    return sPlace;
}

// Whether the riverbank stands at "vp01" as the top screen, the player where the stage put
// it, with the game's data as staged.
inline bool Untouched()
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    GMScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    std::string now;
    return scene != nullptr && scene->GetId() == kLocation && scene->GetViewpoint() == LString(u"vp01") &&
           screens != nullptr && screens->GetTop() == scene && Place(*scene) == StagePlace() && Snapshot(now) &&
           now == Stage();
}

// Puts the staged game's data back (nobody told, as a saved game is read) and loads the
// location again, which sets itself up from that data. False when a step fails.
inline bool Restage()
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (inventory == nullptr || scenes == nullptr) {
        return false;
    }
    scenes->UnloadScene();
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->Clear();
    }
    LMemoryStream bytes(4, -1);
    LoadFuzzInput(bytes, reinterpret_cast<const uint8_t*>(SavedStage().data()), SavedStage().size());
    LEventManager::Get()->RemoveAllEvents();
    if (!inventory->Read(&bytes) || LStateManager::Get()->OnLoad(&bytes, 0.0f) == 0 ||
        LEventManager::Get()->OnLoad(&bytes, 0.0f) == 0) {
        return false;
    }
    return scenes->LoadScene(kLocation, true, true) && scenes->GetScene() != nullptr;
}

// The game prepared, the riverbank loaded and staged. The stage is taken after one
// reload, so that it is what every later reload makes of it (the first entry raises what
// only a first entry raises).
inline bool Prepare()
{
    if (!GMSceneFlow::PrepareGame() || !Enter() || !Snapshot(SavedStage(), true) || !Restage() ||
        !Snapshot(SavedStage(), true) || !Snapshot(Stage())) {
        return false;
    }
    StagePlace() = Place(*GMSceneManager::GetInstance()->GetScene());
    return Untouched();
}

// Before an input: the engine's random draws start from a seed of the input's own.
inline void Begin(size_t aSize)
{
    LRandom::Seed(static_cast<unsigned int>(aSize));
    LFuzzForgetRecords();
}

// After an input: the stage set again when the input changed it. False when it cannot be.
inline bool Settle()
{
    return Untouched() || (Restage() && Untouched());
}

// Frames a quarter second apart; with aEndSounds every sound that plays ends.
inline void Run(int aFrames, bool aEndSounds = true)
{
    for (int i = 0; i < aFrames; ++i) {
        Now() += 0.25;
        LFakeTimer::FrameAt(Now());
        if (!aEndSounds) {
            continue;
        }
        const std::vector<LFakeSoundPlayer*> live = LFakeSoundPlayer::Live();
        for (LFakeSoundPlayer* player : live) {
            player->MarkEnded();
        }
    }
}

// A press and release of the left button at aAt, at the current time.
inline void Click(const LVector2& aAt)
{
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(aAt);
    mouse->OnButtonDown(1);
    mouse->OnButtonUp(1);
}

// The kept time catches up with the fake timer (moved on by whatever ran without Run).
inline void CatchUp()
{
    Now() = LFakeTimer::sNow;
}

} // namespace LFuzzRiverbank
