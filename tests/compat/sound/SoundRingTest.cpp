#include "sound/SoundRing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stereo frames numbered from aFirst: left n, right -n.
std::vector<float> Numbered(int aFirst, int aCount)
{
    std::vector<float> frames;
    for (int i = aFirst; i < aFirst + aCount; ++i) {
        frames.push_back(static_cast<float>(i));
        frames.push_back(static_cast<float>(-i));
    }
    return frames;
}

// The frames Peek shows, checked to be numbered on from aFirst; returns their count.
int PeekNumbered(const SoundRing& aRing, int aFirst)
{
    const float* data = nullptr;
    const int count = aRing.Peek(&data);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(static_cast<float>(aFirst + i), data[2 * i]) << i;
        EXPECT_EQ(static_cast<float>(-aFirst - i), data[2 * i + 1]) << i;
    }
    return count;
}

} // namespace

TEST(SoundRing, FramesComeOutInOrderAndInOnePieceAcrossTheWrap)
{
    SoundRing ring;
    ASSERT_TRUE(ring.Reserve(100, 2));
    EXPECT_EQ(100, ring.Space());
    EXPECT_EQ(90, ring.Write(Numbered(0, 90).data(), 90));
    EXPECT_EQ(90, PeekNumbered(ring, 0));
    ring.Consume(80);
    // 10 frames to the end of the ring, 50 after the wrap: all seen in one piece.
    EXPECT_EQ(60, ring.Write(Numbered(90, 60).data(), 60));
    EXPECT_EQ(70, ring.Available());
    EXPECT_EQ(70, PeekNumbered(ring, 80));
    // Full: only what fits is taken.
    EXPECT_EQ(30, ring.Write(Numbered(150, 40).data(), 40));
    EXPECT_EQ(0, ring.Space());
    ring.Consume(19);
    // From the last frame before the wrap: the guard shows that many more at once.
    EXPECT_EQ(1 + SoundRing::kGuardFrames, PeekNumbered(ring, 99));
    ring.Consume(1000);
    EXPECT_EQ(0, ring.Available());
    EXPECT_EQ(0, PeekNumbered(ring, 0));
    ring.Clear();
    EXPECT_EQ(100, ring.Space());
}
