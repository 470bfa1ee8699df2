#include "stdlib/LRandom.h"
#include "support/LTestDirectory.h"
#include "win32/WinTestHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

TEST(Random, ASeedReplaysItsSequenceWithinZeroTo32767)
{
    LRandom::Seed(7);
    std::vector<int> first;
    int low = LRandom::MAX;
    int high = 0;
    for (int i = 0; i < 300000; ++i) {
        first.push_back(LRandom::Next());
        low = std::min(low, first.back());
        high = std::max(high, first.back());
    }
    EXPECT_EQ(0, low);
    EXPECT_EQ(32767, high);
    LRandom::Seed(7);
    for (int value : first) {
        ASSERT_EQ(value, LRandom::Next());
    }
    LRandom::Seed(8);
    EXPECT_NE(first[0], LRandom::Next());
}

TEST(Random, APinGivesItsNumberEveryTimeAndTheSequenceGoesOnAfterIt)
{
    LRandom::Seed(7);
    const int first = LRandom::Next();
    const int second = LRandom::Next();
    LRandom::Seed(7);
    EXPECT_EQ(first, LRandom::Next());
    LRandom::Pin(1234);
    EXPECT_TRUE(LRandom::IsPinned());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(1234, LRandom::Next());
    }
    LRandom::Pin(40000); // out of range: unpinned
    EXPECT_FALSE(LRandom::IsPinned());
    EXPECT_EQ(second, LRandom::Next());
}

TEST(Random, TheScriptsRandomLinePinsTheGeneratorOnlyWhileTheHooksRun)
{
    LTestDirectory directory;
    directory.Write("script.txt", "random 4321\nquit\n");
    ::setenv(WIN_TEST_SCRIPT_VARIABLE, directory.File("script.txt").c_str(), 1);
    ::setenv(WIN_TEST_OUTPUT_VARIABLE, directory.Path().c_str(), 1);
    WinTestHooksLoad();
    ASSERT_TRUE(WinTestHooksActive());
    LRandom::Seed(7);
    EXPECT_EQ(4321, LRandom::Next());
    EXPECT_EQ(4321, LRandom::Next());

    ::unsetenv(WIN_TEST_SCRIPT_VARIABLE);
    ::unsetenv(WIN_TEST_OUTPUT_VARIABLE);
    WinTestHooksLoad();
    LRandom::Seed(7);
    const int a = LRandom::Next();
    LRandom::Seed(7);
    EXPECT_EQ(a, LRandom::Next());
    // The sequence of a seed, as without any script.
    unsigned int state = 7;
    state = state * 214013u + 2531011u;
    EXPECT_EQ(static_cast<int>((state >> 16) & LRandom::MAX), a);
}
