// The screen fader: its black overlay on top of the 2-D tree and fades over 0.3 s told to one
// listener.
#include "ui/GMIScreenFaderListener.h"
#include "ui/GMScreenFader.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Render/LTextureManager.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTexture.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingListener : public GMIScreenFaderListener
{
public:
    void OnFade(int aEvent) override { mEvents.push_back(aEvent); }
    std::vector<int> mEvents;
};

class ScreenFaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 10.0;
        mFader = new GMScreenFader();
        ASSERT_TRUE(mFader->Init());
        ASSERT_TRUE(mFader->SetListener(&mListener));
    }

    void TearDown() override { delete mFader; }

    float Blend() const { return mFader->GetGroup()->GetBlend(); }

    LLogCapture mLog;
    RecordingListener mListener;
    GMScreenFader* mFader = nullptr;
};

} // namespace

TEST_F(ScreenFaderTest, OverlayIsOneOpaqueBlackPixelOverTheScreenDrawnAboveEverythingElse)
{
    LDisplayGroup* root = LDisplayManager::Get()->GetRoot();
    LSprite* below = ImageSprite("below", 4, 4);
    below->SetRelativeZ(99999.0f);
    root->AddMember(below, true);
    ASSERT_EQ(mFader->GetGroup(), root->GetMember(LString("gmscreenfader")));
    EXPECT_FLOAT_EQ(100000.0f, mFader->GetGroup()->GetRelativeZ());

    auto* texture = static_cast<LFakeTexture*>(LTextureManager::Get()->GetTexture(LString("gmscreenfader")));
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ((std::vector<uint8_t> {0, 0, 0, 255}), texture->Pixels());

    mFader->SetValue(1.0f);
    mFader->GetGroup()->SetBlend(1.0f);
    ASSERT_TRUE(LDisplayManager::Get()->Render());
    ASSERT_NE(nullptr, LFakeRasterizer::Instance());
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_LE(2u, draws.size());
    EXPECT_EQ(LTextureManager::Get()->GetTexture(LString("below")), draws[draws.size() - 2].mTexture);
    EXPECT_EQ(texture, draws.back().mTexture);
    // The one-pixel quad is stretched over 800 x 600.
    EXPECT_FLOAT_EQ(800.0f, draws.back().mWorld[0]);
    EXPECT_FLOAT_EQ(600.0f, draws.back().mWorld[5]);
    delete below;
}

TEST_F(ScreenFaderTest, InitAgainKeepsOneOverlayAndTheFaderWorks)
{
    LDisplayGroup* root = LDisplayManager::Get()->GetRoot();
    const int members = root->GetMemberCount();
    ASSERT_TRUE(mFader->Init());
    EXPECT_EQ(members, root->GetMemberCount());
    EXPECT_EQ(mFader->GetGroup(), root->GetMember(LString("gmscreenfader")));
    ASSERT_TRUE(mFader->FadeOut());
    LFakeTimer::FrameAt(10.15);
    EXPECT_FLOAT_EQ(0.5f, Blend());
}

TEST_F(ScreenFaderTest, FadesTakeTheirTimeAndFinishOnceTheTargetHasBeenDrawn)
{
    ASSERT_TRUE(mFader->FadeOut());
    EXPECT_FALSE(mFader->IsFadedIn());
    EXPECT_TRUE(mFader->GetGroup()->GetActive());
    LFakeTimer::FrameAt(10.15);
    EXPECT_FLOAT_EQ(0.5f, Blend());
    LFakeTimer::FrameAt(10.31);
    EXPECT_FLOAT_EQ(1.0f, Blend());
    EXPECT_EQ((std::vector<int> {0}), mListener.mEvents);
    LFakeTimer::FrameAt(10.33);
    EXPECT_EQ((std::vector<int> {0, 2}), mListener.mEvents);

    // A fade-in restarts from black whatever the blend was.
    mListener.mEvents.clear();
    ASSERT_TRUE(mFader->FadeIn());
    EXPECT_TRUE(mFader->IsFadedIn());
    LFakeTimer::FrameAt(10.405);
    EXPECT_NEAR(0.75f, Blend(), 1e-4f);
    // A fade-out in the middle of it stops it (1) and starts from clear.
    ASSERT_TRUE(mFader->FadeOut());
    EXPECT_EQ((std::vector<int> {0, 1, 0}), mListener.mEvents);
    EXPECT_FLOAT_EQ(0.0f, Blend());
}

TEST_F(ScreenFaderTest, OneListenerOnlyItsOwnerRemovesIt)
{
    RecordingListener other;
    EXPECT_FALSE(mFader->SetListener(nullptr));
    EXPECT_TRUE(mLog.Contains("ERROR: .\\ui\\GMScreenFader.cpp"));
    EXPECT_TRUE(mLog.Contains("SetListener failure. NULL arg."));
    EXPECT_EQ(&mListener, mFader->GetListener());
    EXPECT_FALSE(mFader->RemoveListener(&other));
    EXPECT_EQ(&mListener, mFader->GetListener());

    ASSERT_TRUE(mFader->SetListener(&other));
    mFader->OnFaderEvent(LString("gmscreenfader"), 3);
    mFader->OnFaderEvent(LString("gmscreenfader"), -1);
    mFader->OnFaderEvent(LString("gmscreenfader"), 1);
    EXPECT_EQ((std::vector<int> {1}), other.mEvents);
    EXPECT_TRUE(mListener.mEvents.empty());
}
