// The game's roots in one temporary directory for the whole run, with the test figure,
// its animations and props written once, gesture animations of both gender folders, and
// a fake timer the targets move on between frames.
#pragma once
#include "support/GMTestRoots.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LTestCharacters.h"

#include <string>

inline GMTestRoots& FuzzCharacterWorld()
{
    static GMTestRoots* sRoots = nullptr;
    if (sRoots == nullptr) {
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        sRoots = new GMTestRoots();
        LTestCharacters::Write(*sRoots);
        sRoots->Write("data/animations/AB_M/AB_x.lia1", LTestCharacters::AnimationBytes(u"x_m", 20));
        sRoots->Write("data/animations/AB_F/AB_x.lia1", LTestCharacters::AnimationBytes(u"x_f", 10));
        sRoots->Write("data/animations/nod.lia1", LTestCharacters::AnimationBytes(u"nod", 30));
    }
    return *sRoots;
}

// Moves the fake time on by aSeconds and runs one frame pass.
inline void FuzzFrame(double aSeconds)
{
    LFakeTimer::FrameAt(LFakeTimer::sNow + aSeconds);
}
