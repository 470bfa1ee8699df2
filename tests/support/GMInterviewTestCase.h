// The fixture the interview tests derive from: the fake render, timer (at 10.0 s) and
// sound manager (refusing files that do not exist), the interview files of
// GMTestInterview under fresh roots, no states, events or clock triggers, and the log
// cleared. A derived TearDown lets go of its interviews and sequences before calling this
// one, which deletes the game's singletons.
#pragma once
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"

#include <gtest/gtest.h>

class GMInterviewTestCase : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    LTestCharacters::FakeTimeFirst mFakeTimeFirst;
    LLogCapture mLog;
    GMTestRoots mRoots;
};
