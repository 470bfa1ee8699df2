#include "Gdi/LFader.h"
#include "Gdi/LSprite.h"
#include "stdlib/LFrameManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class LRecordingListener : public LIFaderListener
{
public:
    void OnFaderEvent(const LString& aFaderId, int aEvent) override
    {
        mEvents.push_back(ToStd(aFaderId) + ":" + std::to_string(aEvent));
    }

    std::vector<std::string> mEvents;
};

class FaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        LFakeTimer::sNow = 5.0;
    }

    LRecordingListener mListener;
    LSprite mObject;
};
} // namespace

TEST_F(FaderTest, RisesAndFinishesOneFrameAfterTheTarget)
{
    LFader fader;
    fader.SetGroup(&mObject);
    fader.SetListener(LString("fade"), &mListener);
    ASSERT_EQ(1, fader.SetValue(0.0f));
    ASSERT_EQ(1, fader.StartFade());
    EXPECT_FLOAT_EQ(0.0f, mObject.GetBlend());
    LFakeTimer::FrameAt(5.5);
    EXPECT_FLOAT_EQ(0.5f, mObject.GetBlend());
    LFakeTimer::FrameAt(6.0);
    EXPECT_FLOAT_EQ(1.0f, mObject.GetBlend());
    EXPECT_EQ((std::vector<std::string> {"fade:0"}), mListener.mEvents);
    LFakeTimer::FrameAt(6.02);
    EXPECT_EQ((std::vector<std::string> {"fade:0", "fade:2"}), mListener.mEvents);
    EXPECT_FALSE(fader.IsRunning());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
}

TEST_F(FaderTest, DirectionGivesTheSign)
{
    LFader fader;
    fader.SetGroup(&mObject);
    fader.SetValue(1.0f);
    fader.SetTargetValue(0.0f);
    fader.SetDirection(-1);
    fader.StartFade();
    LFakeTimer::FrameAt(5.25);
    EXPECT_FLOAT_EQ(0.75f, mObject.GetBlend());
    fader.StopFade();
    fader.SetDirection(0);
    fader.SetValue(0.25f);
    fader.StartFade();
    LFakeTimer::FrameAt(5.75);
    EXPECT_FLOAT_EQ(0.25f, mObject.GetBlend());
    LFakeTimer::FrameAt(6.75);
    EXPECT_FLOAT_EQ(0.0f, mObject.GetBlend());
}

TEST_F(FaderTest, FadersEndingTogetherFinishTogether)
{
    LRecordingListener other;
    LSprite second;
    LFader a;
    LFader b;
    a.SetGroup(&mObject);
    b.SetGroup(&second);
    a.SetListener(LString("a"), &mListener);
    b.SetListener(LString("b"), &other);
    a.StartFade();
    b.StartFade();
    LFakeTimer::FrameAt(6.0);
    LFakeTimer::FrameAt(6.02);
    // Each fader keeps its own end mark: both finish one frame after their end.
    EXPECT_EQ((std::vector<std::string> {"a:0", "a:2"}), mListener.mEvents);
    EXPECT_EQ((std::vector<std::string> {"b:0", "b:2"}), other.mEvents);
}

TEST_F(FaderTest, SettersRefuseValuesOutOfRange)
{
    LLogCapture log;
    LFader fader;
    EXPECT_EQ(0, fader.SetDirection(2));
    EXPECT_TRUE(log.Contains("SetDirection failure. Invalid arg:2"));
    EXPECT_EQ(0, fader.SetFadeTime(-0.1f));
    EXPECT_TRUE(log.Contains("SetFadeTime failure. Value out of range: -0.100000"));
    EXPECT_EQ(1, fader.SetTargetValue(1.0f));
    EXPECT_EQ(0, fader.SetTargetValue(1.5f));
    EXPECT_EQ(1, fader.SetValue(0.0f));
    EXPECT_EQ(0, fader.SetValue(-1.0f));
    EXPECT_EQ(0, fader.SetGroup(nullptr));
    EXPECT_EQ(0, fader.SetListener(LString("x"), nullptr));
    EXPECT_EQ(0, fader.SetListener(LString(""), &mListener));
    EXPECT_EQ(1, fader.StopFade());
    EXPECT_TRUE(mListener.mEvents.empty());
    fader.StartFade();
    EXPECT_EQ(0, fader.StartFade());
    EXPECT_TRUE(log.Contains("StartFade failure. Fade already started."));
}

TEST_F(FaderTest, StoppingKeepsTheBlendAndTellsTheListener)
{
    LFader fader;
    fader.SetGroup(&mObject);
    fader.SetListener(LString("f"), &mListener);
    fader.StartFade();
    LFakeTimer::FrameAt(5.4);
    fader.StopFade();
    LFakeTimer::FrameAt(5.8);
    EXPECT_FLOAT_EQ(0.4f, mObject.GetBlend());
    EXPECT_EQ((std::vector<std::string> {"f:0", "f:1"}), mListener.mEvents);
}

TEST_F(FaderTest, AClockSetBackOrAZeroFadeTimeKeepsTheBlendInRange)
{
    LFader fader;
    fader.SetGroup(&mObject);
    ASSERT_EQ(1, fader.SetValue(0.2f));
    ASSERT_EQ(1, fader.StartFade());
    LFakeTimer::FrameAt(4.0);
    EXPECT_FLOAT_EQ(0.2f, mObject.GetBlend());
    ASSERT_EQ(1, fader.StopFade());

    ASSERT_EQ(1, fader.SetFadeTime(0.0f));
    ASSERT_EQ(1, fader.StartFade());
    EXPECT_FLOAT_EQ(1.0f, mObject.GetBlend());
    LFakeTimer::FrameAt(3.0);
    EXPECT_FLOAT_EQ(1.0f, mObject.GetBlend());
}
