#include "Render/LINavigation.h"
#include "Render/LISteering.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {
class LTestNavigation : public LINavigation
{
public:
    explicit LTestNavigation(int& aDeleted) : mDeleted(aDeleted) {}
    ~LTestNavigation() override { ++mDeleted; }
    bool Navigate() override { return true; }

private:
    int& mDeleted;
};

class LTestSteering : public LISteering
{
public:
    bool Steer() override { return false; }
};
} // namespace

TEST(Steering, DirectionStaysAUnitVectorInThePlane)
{
    LTestSteering steering;
    const struct {
        LVector3 given;
        LVector3 expected;
    } cases[] = {
        {LVector3(3, 4, 9), LVector3(0.6f, 0.8f, 0)},
        {LVector3(0, 0, 5), LVector3(0, 1, 0)},
        {LVector3(-2, 0, 0), LVector3(-1, 0, 0)},
        {LVector3(0.001f, 0, 0), LVector3(0, 1, 0)},
    };
    for (const auto& c : cases) {
        steering.SetDirection(LVector3(7, 7, 7));
        EXPECT_TRUE(steering.SetDirection(c.given));
        EXPECT_TRUE(steering.GetDirection()->Equals(c.expected, 1e-6f))
            << ToStd(c.given.ToString()) << " gave " << ToStd(steering.GetDirection()->ToString());
    }
}

TEST(Steering, PositionComesFromTheNavigationItHolds)
{
    LLogCapture log;
    int deleted = 0;
    LTestSteering steering;
    LVector3 out(5, 6, 7);
    EXPECT_FALSE(steering.GetPosition(out));
    EXPECT_EQ(LVector3(5, 6, 7), out);
    EXPECT_FALSE(steering.SetNavigation(nullptr));
    EXPECT_TRUE(log.Contains("SetNavigation failure. NULL arg."));

    LTestNavigation* first = new LTestNavigation(deleted);
    LTestNavigation* second = new LTestNavigation(deleted);
    ASSERT_TRUE(steering.SetNavigation(first));
    ASSERT_TRUE(steering.SetNavigation(first));
    EXPECT_EQ(0, deleted);
    first->SetPosition(LVector3(1, 2, 3));
    EXPECT_TRUE(steering.GetPosition(out));
    EXPECT_EQ(LVector3(1, 2, 3), out);
    ASSERT_TRUE(steering.SetNavigation(second));
    EXPECT_EQ(1, deleted);
    delete second;
}
