#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"
#include "time/LITimer.h"
#include "time/LTimerWin.h"
#include "win32/WinTimer.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Timer, CountsSecondsFromItsStartAndFromReset)
{
    LITimer* timer = LITimer::Get();
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(timer, LITimer::Get());
    EXPECT_LT(timer->GetTime(), 0.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const double elapsed = timer->GetTime();
    EXPECT_GE(elapsed, 0.029);
    EXPECT_TRUE(timer->Reset());
    EXPECT_LT(timer->GetTime(), elapsed);
    EXPECT_FALSE(LTimerWin().Reset()); // a timer that never started
}

TEST(Timer, ElapsedTimeIsRightAcrossTheCounterWrap)
{
    const DWORD now = timeGetTime();
    WinTimerSetOffset(0xFFFFFFFFu - now - 5); // 5 ms before the wrap
    LTimerWin timer;
    ASSERT_TRUE(timer.Init(0));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double elapsed = timer.GetTime();
    EXPECT_GE(elapsed, 0.019);
    EXPECT_LT(elapsed, 5.0);
    WinTimerSetOffset(0);
}

TEST(Timer, GoneForGoodAfterTheCleaner)
{
    ASSERT_NE(nullptr, LITimer::Get());
    LLogCapture log;
    delete LCleaner::Get();
    EXPECT_TRUE(log.Contains("~LITimer()"));
    EXPECT_EQ(nullptr, LITimer::Get());
    EXPECT_FALSE(log.Contains("Timer creation failure."));
}
