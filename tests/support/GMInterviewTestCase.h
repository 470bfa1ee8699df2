// The fixture the interview tests derive from: the fake render, timer (at 10.0 s), sound
// manager (refusing files that do not exist) and movie manager, the interview files of
// GMTestInterview under fresh roots, no states, events or clock triggers, and the log
// cleared. MakeScene gives a current scene with two characters of the test figure. A
// derived TearDown lets go of its interviews and sequences before calling this one, which
// takes the scene back and deletes it and the game's singletons.
#pragma once
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"

#include <gtest/gtest.h>

class GMCharacter;
class GMScene;

class GMInterviewTestCase : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // A scene with the player "player" and the character "witness" (head type "head"),
    // made the scene manager's current scene and shown (its input on).
    void MakeScene();

    LTestCharacters::FakeTimeFirst mFakeTimeFirst;
    LLogCapture mLog;
    GMTestRoots mRoots;
    GMScene* mScene = nullptr;
    GMCharacter* mPlayer = nullptr;
    GMCharacter* mWitness = nullptr;
};
