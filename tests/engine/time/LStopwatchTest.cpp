#include "time/LStopwatch.h"

#include <gtest/gtest.h>

TEST(Stopwatch, RunsFromZeroFreezesAndResumes)
{
    LStopwatch watch;
    const float first = watch.GetElapsed();
    EXPECT_GE(first, 0.0f);
    EXPECT_LT(first, 1.0f);
    EXPECT_GE(watch.GetElapsed(), first);

    watch.SetElapsed(2.5f);
    EXPECT_GE(watch.GetElapsed(), 2.5f);
    EXPECT_LT(watch.GetElapsed(), 3.5f);

    watch.Stop();
    EXPECT_TRUE(watch.IsStopped());
    const float frozen = watch.GetElapsed();
    EXPECT_EQ(frozen, watch.GetElapsed());
    EXPECT_GE(frozen, 2.5f);
    watch.SetElapsed(2.5f);
    EXPECT_EQ(2.5f, watch.GetElapsed());

    watch.Resume();
    EXPECT_FALSE(watch.IsStopped());
    EXPECT_GE(watch.GetElapsed(), 2.5f);
    EXPECT_LT(watch.GetElapsed(), 3.5f);

    watch.Reset();
    EXPECT_FALSE(watch.IsStopped());
    EXPECT_LT(watch.GetElapsed(), 1.0f);
    watch.Stop();
    watch.Reset();
    EXPECT_TRUE(watch.IsStopped());
    EXPECT_EQ(0.0f, watch.GetElapsed());
}
