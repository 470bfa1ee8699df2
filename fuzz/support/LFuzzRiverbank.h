// The sample's riverbank at "vp01" as the stage of a scene target's inputs, over the fake
// timer: the game prepared once, the location loaded again when an input led elsewhere,
// frames a quarter second apart and left clicks. The fake timer's time is kept here (the
// sample game starts at 1.0 s).
#pragma once
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LString.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"

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

inline bool Prepare()
{
    return GMSceneFlow::PrepareGame() && Enter();
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
