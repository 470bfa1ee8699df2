#include "support/GMInterviewTestCase.h"

#include "event/LEventManager.h"
#include "state/LStateManager.h"
#include "support/GMTestInterview.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "time/LGameClock.h"
#include "util/GMCleaner.h"

void GMInterviewTestCase::SetUp()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    LFakeTimer::sNow = 10.0;
    ASSERT_TRUE(mRoots.Mounted());
    GMTestInterview::Write(mRoots);
    LStateManager::Get()->RemoveAllStates();
    LEventManager::Get()->RemoveAllEvents();
    LGameClock::Get()->Reset();
    LFakeSoundManager::sRefuseUnfound = true;
    LFakeSoundManager::sMade.clear();
    mLog.Clear();
}

void GMInterviewTestCase::TearDown()
{
    LFakeSoundManager::sRefuseUnfound = false;
    delete GMCleaner::GetInstance();
}
