#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontRaster.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "LRectangle.h"
#include "stdlib/LFrameManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
class ToolTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 10.0;
        mFont.reset(MakeTestFont("tips"));
        mTip = LToolTipManager::Get()->CreateToolTip(mFont.get(), LString("tip"), 5.0f);
        ASSERT_NE(nullptr, mTip);
        mTip->SetVisible(false);
    }

    std::unique_ptr<LFontRaster> mFont;
    LToolTip* mTip = nullptr;
};
} // namespace

TEST_F(ToolTipTest, FadesInOverAQuarterSecond)
{
    ASSERT_EQ(1, mTip->FadeIn());
    EXPECT_TRUE(mTip->IsVisible());
    EXPECT_FLOAT_EQ(0.0f, mTip->GetBlend());
    LFakeTimer::FrameAt(10.125);
    EXPECT_NEAR(0.5f, mTip->GetBlend(), 1e-4f);
    LFakeTimer::FrameAt(10.25);
    EXPECT_FLOAT_EQ(1.0f, mTip->GetBlend());
    EXPECT_FALSE(mTip->IsFadingIn());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    LLogCapture log;
    ASSERT_EQ(1, mTip->FadeIn());
    EXPECT_EQ(0, mTip->FadeIn());
    EXPECT_TRUE(log.Contains("FadeIn failure. Already fading in."));
}

TEST_F(ToolTipTest, FadeOutTurnsARunningFadeInBack)
{
    mTip->FadeIn();
    LFakeTimer::FrameAt(10.1);
    EXPECT_NEAR(0.4f, mTip->GetBlend(), 1e-4f);
    ASSERT_EQ(1, mTip->FadeOut());
    LFakeTimer::FrameAt(10.15);
    EXPECT_NEAR(0.2f, mTip->GetBlend(), 1e-4f);
    LFakeTimer::FrameAt(10.2);
    EXPECT_FLOAT_EQ(0.0f, mTip->GetBlend());
    EXPECT_FALSE(mTip->IsVisible());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    // Fading out an invisible tool tip changes nothing.
    EXPECT_EQ(1, mTip->FadeOut());
    EXPECT_FALSE(mTip->IsFadingOut());
}

TEST_F(ToolTipTest, FadeLengthOnlyBetweenFades)
{
    LLogCapture log;
    mTip->FadeIn();
    EXPECT_EQ(0, mTip->SetFadeLength(1.0f));
    EXPECT_TRUE(log.Contains("SetFadeLength failure. Currently fading."));
    mTip->Hide();
    EXPECT_FALSE(mTip->IsVisible());
    EXPECT_EQ(1, mTip->SetFadeLength(1.0f));
}

TEST_F(ToolTipTest, BackgroundFitsTheText)
{
    mTip->SetText(LString("AoB"));
    mTip->SetFillColor(LColor(1.0f, 0.0f, 0.0f, 0.0f));
    LSRectangle* background = mTip->GetBackground();
    ASSERT_NE(nullptr, background);
    ASSERT_NE(nullptr, background->GetRect());
    EXPECT_FLOAT_EQ(18.0f, background->GetRect()->GetWidth());
    EXPECT_FLOAT_EQ(12.0f, background->GetRect()->GetHeight());
    EXPECT_TRUE(background->IsFilled());
    mTip->SetText(LString("AoBAoB"));
    EXPECT_FLOAT_EQ(32.0f, background->GetRect()->GetWidth());
}

TEST_F(ToolTipTest, StaysOnTheScreen)
{
    mTip->SetText(LString("AoB"));
    mTip->SetPosition(790.0f, 595.0f);
    mTip->KeepOnScreen();
    // The text box is the text area's width (100) and the font's row height (8).
    EXPECT_FLOAT_EQ(700.0f, mTip->GetPosition().x);
    EXPECT_FLOAT_EQ(592.0f, mTip->GetPosition().y);
    mTip->SetPosition(-30.0f, -5.0f);
    mTip->KeepOnScreen();
    EXPECT_FLOAT_EQ(0.0f, mTip->GetPosition().x);
    EXPECT_FLOAT_EQ(0.0f, mTip->GetPosition().y);
}

TEST_F(ToolTipTest, ManagerKeepsToolTipsById)
{
    LLogCapture log;
    LToolTipManager* manager = LToolTipManager::Get();
    EXPECT_EQ(nullptr, manager->CreateToolTip(mFont.get(), LString("tip"), 0.0f));
    EXPECT_TRUE(log.Contains("CreateToolTip failure. Duplicate id:tip"));
    EXPECT_EQ(mTip, manager->GetToolTip(LString("tip")));
    EXPECT_EQ(mTip, LDisplayManager::Get()->GetRoot()->GetMember(LString("tip")));
    LToolTip* out = nullptr;
    EXPECT_EQ(1, manager->RemoveToolTip(LString("tip"), &out));
    EXPECT_EQ(mTip, out);
    EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("tip")));
    EXPECT_EQ(0, manager->RemoveToolTip(LString("tip"), nullptr));
    delete out;
}
