#include "stdlib/LRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
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
