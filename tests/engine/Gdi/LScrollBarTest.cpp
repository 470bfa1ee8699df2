// Scroll bars: arrow steps and their limits, the held-arrow repeat on a fake clock,
// dragging the bar, content without travel, and parts that are let go however their
// release is lost.
#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LIScrollBarListener.h"
#include "Gdi/LScrollBar.h"
#include "Input/LMouse.h"
#include "stdlib/LFrameManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
class Positions : public LIScrollBarListener
{
public:
    void OnScroll(int aContentPosition) override { mSeen.push_back(aContentPosition); }
    std::vector<int> mSeen;
};

// A button at (x, y) with a normal look of w x h pixels, heard by the mouse.
std::unique_ptr<LButton> MakeButton(const char* aId, float aX, float aY, float aWidth, float aHeight)
{
    auto button = std::make_unique<LButton>();
    button->SetId(LString(aId));
    button->AddButtonStateObject(XBTNSTATE_NORMAL, BoxSprite("n", aWidth, aHeight));
    button->SetPosition(aX, aY);
    button->SetMouseOrder(nullptr, 0.0f);
    return button;
}

// An up arrow at the top of a 120-pixel track with a 20-pixel bar (travel 100), a down
// arrow below it, and 300 pixels of content in a 100-pixel area (travel 200).
struct Bar
{
    explicit Bar(float aX)
        : mUp(MakeButton("up", aX, 0.0f, 20.0f, 20.0f)),
          mDown(MakeButton("down", aX, 140.0f, 20.0f, 20.0f)),
          mBar(MakeButton("bar", aX, 20.0f, 20.0f, 20.0f))
    {
        mContent.SetId(LString("content"));
    }

    LScrollBarParams Params() const
    {
        LScrollBarParams params;
        params.mUpArrow = mUp.get();
        params.mDownArrow = mDown.get();
        params.mBar = mBar.get();
        params.mBarHeight = 20;
        params.mBarAreaHeight = 120;
        params.mContentHeight = 300;
        params.mContentStartPos = LVector2(5.0f, 10.0f);
        params.mScrollAreaHeight = 100;
        params.mScrollIncrement = 20;
        return params;
    }

    bool Create()
    {
        if (!mScroll.Create(Params())) {
            return false;
        }
        mScroll.SetListener(&mHeard);
        return mScroll.SetContentGroup(&mContent) != 0;
    }

    std::unique_ptr<LButton> mUp;
    std::unique_ptr<LButton> mDown;
    std::unique_ptr<LButton> mBar;
    LDisplayGroup mContent;
    Positions mHeard;
    LScrollBar mScroll;
};

class ScrollBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        RegisterFakeRender();
        LFakeTimer::sNow = 10.0;
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
        mMouse->OnMove(LVector2(500.0f, 500.0f));
    }

    void PressAt(float aX, float aY)
    {
        mMouse->OnMove(LVector2(aX, aY));
        mMouse->OnButtonDown(1);
    }

    // Press at (x, y), one frame at aTime, release.
    void ClickAt(float aX, float aY, double aTime)
    {
        PressAt(aX, aY);
        LFakeTimer::FrameAt(aTime);
        mMouse->OnButtonUp(1);
    }

    // A created scroll bar at x, kept until the test ends.
    Bar& Made(float aX)
    {
        mBars.push_back(std::make_unique<Bar>(aX));
        EXPECT_TRUE(mBars.back()->Create());
        return *mBars.back();
    }

    // Both coordinates of a display object in one value.
    static std::vector<float> At(LIDisplayObject& aObject)
    {
        return {aObject.GetPosition().x, aObject.GetPosition().y};
    }

    LMouse* mMouse = nullptr;
    std::vector<std::unique_ptr<Bar>> mBars;
};
} // namespace

TEST_F(ScrollBarTest, ArrowStepsStopAtTheEndOfTheTravel)
{
    Bar& bar = Made(200.0f);
    EXPECT_EQ(200, bar.mScroll.GetContentTravel());
    for (int i = 0; i < 10; ++i) {
        bar.mScroll.ScrollDown();
    }
    EXPECT_EQ(200, bar.mScroll.GetContentPosition());
    bar.mScroll.ScrollDown();
    EXPECT_EQ((std::vector<int> {20, 40, 60, 80, 100, 120, 140, 160, 180, 200}), bar.mHeard.mSeen);
    // Bar and content stay proportional; the content moves up out of the area.
    EXPECT_EQ(100, bar.mScroll.GetBarPosition());
    EXPECT_EQ((std::vector<float> {200.0f, 120.0f}), At(*bar.mBar));
    EXPECT_EQ((std::vector<float> {5.0f, -190.0f}), At(bar.mContent));
    bar.mScroll.SetFraction(0.5f);
    EXPECT_EQ(100, bar.mScroll.GetContentPosition());
    EXPECT_EQ(50, bar.mScroll.GetBarPosition());
    bar.mScroll.SetFraction(7.0f);
    EXPECT_EQ(200, bar.mScroll.GetContentPosition());
    bar.mScroll.Reset();
    bar.mScroll.ScrollUp();
    EXPECT_EQ(0, bar.mScroll.GetContentPosition());
    EXPECT_EQ(0, bar.mHeard.mSeen.back());
}

TEST_F(ScrollBarTest, HeldArrowStepsAtOnceAfterTheDelayAndThenEveryInterval)
{
    Bar& bar = Made(200.0f);
    PressAt(205.0f, 145.0f);
    LFakeTimer::FrameAt(10.0);
    EXPECT_EQ((std::vector<int> {20}), bar.mHeard.mSeen);
    LFakeTimer::FrameAt(10.1);
    LFakeTimer::FrameAt(10.29);
    EXPECT_EQ(20, bar.mScroll.GetContentPosition());
    LFakeTimer::FrameAt(10.31);
    EXPECT_EQ(40, bar.mScroll.GetContentPosition());
    LFakeTimer::FrameAt(10.33);
    EXPECT_EQ(40, bar.mScroll.GetContentPosition());
    LFakeTimer::FrameAt(10.35);
    EXPECT_EQ(60, bar.mScroll.GetContentPosition());
    // Off the arrow the repeat pauses; back on it, it goes on without a new first step.
    mMouse->OnMove(LVector2(300.0f, 145.0f));
    LFakeTimer::FrameAt(10.5);
    EXPECT_EQ(60, bar.mScroll.GetContentPosition());
    mMouse->OnMove(LVector2(205.0f, 145.0f));
    LFakeTimer::FrameAt(10.51);
    EXPECT_EQ(80, bar.mScroll.GetContentPosition());
    mMouse->OnButtonUp(1);
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    // The up arrow walks back.
    ClickAt(205.0f, 5.0f, 11.0);
    EXPECT_EQ(60, bar.mScroll.GetContentPosition());
}

TEST_F(ScrollBarTest, DraggingTheBarMovesTheContentByItsShareAndClampsAtTheEnds)
{
    Bar& bar = Made(200.0f);
    Bar& other = Made(300.0f);
    PressAt(210.0f, 30.0f);
    EXPECT_TRUE(mMouse->IsLocked());
    mMouse->OnMove(LVector2(260.0f, 80.0f));
    LFakeTimer::FrameAt(10.0);
    EXPECT_EQ(100, bar.mScroll.GetContentPosition());
    EXPECT_FLOAT_EQ(70.0f, bar.mBar->GetPosition().y);
    // The cursor keeps following the locked mouse.
    EXPECT_FLOAT_EQ(260.0f, LCursor::Get()->GetGroup()->GetPosition().x);
    // Every other part is ignored while the bar is dragged.
    other.mScroll.OnButton(LString("down"), XBTNEVENT_PRESSED);
    mMouse->OnMove(LVector2(210.0f, 500.0f));
    LFakeTimer::FrameAt(10.1);
    EXPECT_EQ(200, bar.mScroll.GetContentPosition());
    EXPECT_EQ(0, other.mScroll.GetContentPosition());
    mMouse->OnMove(LVector2(210.0f, -40.0f));
    LFakeTimer::FrameAt(10.2);
    EXPECT_EQ(0, bar.mScroll.GetBarPosition());
    mMouse->OnButtonUp(1);
    EXPECT_FALSE(mMouse->IsLocked());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    ClickAt(305.0f, 145.0f, 10.3);
    EXPECT_EQ(20, other.mScroll.GetContentPosition());
}

TEST_F(ScrollBarTest, EachScrollBarTellsItsListenerOfEveryChange)
{
    Bar& first = Made(200.0f);
    Bar& second = Made(300.0f);
    first.mScroll.ScrollDown();
    second.mScroll.ScrollDown();
    EXPECT_EQ(first.mHeard.mSeen, second.mHeard.mSeen);
    EXPECT_EQ((std::vector<int> {20}), second.mHeard.mSeen);
}

TEST_F(ScrollBarTest, ContentThatFitsDisablesTheButtonsUntilItGrows)
{
    Bar& bar = Made(200.0f);
    bar.mScroll.SetFraction(0.5f);
    bar.mScroll.SetContentHeight(100);
    EXPECT_EQ((std::vector<bool> {false, false, false}),
              (std::vector<bool> {bar.mUp->IsEnabled(), bar.mDown->IsEnabled(), bar.mBar->IsEnabled()}));
    EXPECT_EQ(0, bar.mScroll.GetBarPosition());
    EXPECT_EQ(0, bar.mScroll.GetContentPosition());
    EXPECT_FLOAT_EQ(0.0f, bar.mScroll.GetFraction());
    bar.mScroll.ScrollDown();
    bar.mScroll.SetFraction(0.5f);
    EXPECT_EQ(0, bar.mScroll.GetContentPosition());
    bar.mScroll.SetContentHeight(500);
    EXPECT_TRUE(bar.mBar->IsEnabled());
    bar.mScroll.ScrollDown();
    EXPECT_EQ(20, bar.mScroll.GetContentPosition());
    EXPECT_EQ(5, bar.mScroll.GetBarPosition());
}

TEST_F(ScrollBarTest, PartsWhoseReleaseIsLostAreLetGo)
{
    Bar& bar = Made(200.0f);
    Bar& other = Made(300.0f);
    // The bar is disabled under the drag: it never hears the release.
    PressAt(210.0f, 30.0f);
    bar.mScroll.SetContentHeight(100);
    mMouse->OnButtonUp(1);
    LFakeTimer::FrameAt(10.0);
    EXPECT_FALSE(mMouse->IsLocked());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    {
        // A scroll bar deleted while its arrow is held.
        Bar gone(400.0f);
        ASSERT_TRUE(gone.Create());
        PressAt(405.0f, 145.0f);
        LFakeTimer::FrameAt(10.1);
        EXPECT_EQ(20, gone.mScroll.GetContentPosition());
    }
    mMouse->OnButtonUp(1);
    ClickAt(305.0f, 145.0f, 10.2);
    EXPECT_EQ(20, other.mScroll.GetContentPosition());
}

TEST_F(ScrollBarTest, ABarWithACenterStaysOnItsTrack)
{
    Bar bar(200.0f);
    bar.mBar->SetCenter(10.0f, 10.0f);
    bar.mBar->SetPosition(210.0f, 30.0f);
    ASSERT_TRUE(bar.Create());
    EXPECT_FLOAT_EQ(20.0f, bar.mBar->GetPosition().y);
    bar.mScroll.SetFraction(1.0f);
    EXPECT_EQ((std::vector<float> {200.0f, 120.0f}), At(*bar.mBar));
}

TEST_F(ScrollBarTest, HorizontalBarsMoveAlongX)
{
    Bar bar(200.0f);
    LScrollBarParams params = bar.Params();
    params.mHorizontal = 1;
    ASSERT_TRUE(bar.mScroll.Create(params));
    bar.mScroll.SetContentGroup(&bar.mContent);
    bar.mScroll.SetFraction(0.25f);
    EXPECT_FLOAT_EQ(225.0f, bar.mBar->GetPosition().x);
    EXPECT_EQ((std::vector<float> {-45.0f, 10.0f}), At(bar.mContent));
}

TEST_F(ScrollBarTest, RefusalsAreLogged)
{
    LLogCapture log;
    Bar bar(200.0f);
    LScrollBarParams params = bar.Params();
    params.mBar = nullptr;
    EXPECT_EQ(0, bar.mScroll.Create(params));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    // A null content group is refused with an error, yet the old content is let go of and
    // stays where it was.
    ASSERT_TRUE(bar.mScroll.Create(bar.Params()));
    ASSERT_EQ(1, bar.mScroll.SetContentGroup(&bar.mContent));
    bar.mScroll.SetContentHeight(1000);
    bar.mScroll.SetFraction(0.25f);
    log.Clear();
    EXPECT_EQ(0, bar.mScroll.SetContentGroup(nullptr));
    EXPECT_EQ(1, log.Count("SetContentGroup failure. NULL arg."));
    EXPECT_TRUE(log.Contains("ERROR"));
    EXPECT_EQ(nullptr, bar.mScroll.GetContentGroup());
    const LVector2 before = bar.mContent.GetLocalPosition();
    bar.mScroll.SetFraction(0.5f);
    EXPECT_EQ(before.x, bar.mContent.GetLocalPosition().x);
    EXPECT_EQ(before.y, bar.mContent.GetLocalPosition().y);
    Positions stranger;
    bar.mScroll.SetListener(&bar.mHeard);
    EXPECT_EQ(0, bar.mScroll.RemoveListener(&stranger));
    EXPECT_EQ(1, bar.mScroll.RemoveListener(&bar.mHeard));
}

TEST_F(ScrollBarTest, ClearedContentStaysWhereItWasWhileTheBarMoves)
{
    Bar& bar = Made(200.0f);
    bar.mScroll.ScrollDown();
    EXPECT_EQ((std::vector<float> {5.0f, -10.0f}), At(bar.mContent));
    bar.mScroll.ClearContentGroup();
    EXPECT_EQ(nullptr, bar.mScroll.GetContentGroup());
    bar.mScroll.ScrollDown();
    EXPECT_EQ(40, bar.mScroll.GetContentPosition());
    EXPECT_EQ((std::vector<float> {5.0f, -10.0f}), At(bar.mContent));

    // ClearContentGroup is the quiet way: nothing logged. A refused null content clears as
    // well: the old content is not moved by later scrolling.
    LLogCapture log;
    ASSERT_EQ(1, bar.mScroll.SetContentGroup(&bar.mContent));
    bar.mScroll.ClearContentGroup();
    EXPECT_EQ("", log.Problems());
    ASSERT_EQ(1, bar.mScroll.SetContentGroup(&bar.mContent));
    EXPECT_EQ(0, bar.mScroll.SetContentGroup(nullptr));
    EXPECT_EQ(nullptr, bar.mScroll.GetContentGroup());
    const std::vector<float> before = At(bar.mContent);
    bar.mScroll.ScrollUp();
    EXPECT_EQ(before, At(bar.mContent));
}

TEST_F(ScrollBarTest, DeletedContentAndButtonsAreLeftAlone)
{
    Bar& bar = Made(200.0f);
    auto* content = new LDisplayGroup();
    ASSERT_EQ(1, bar.mScroll.SetContentGroup(content));
    delete content;
    EXPECT_EQ(nullptr, bar.mScroll.GetContentGroup());
    // Scrolling, a wheel step and new content heights no longer reach the deleted group.
    bar.mScroll.ScrollDown();
    bar.mScroll.ScrollStep(true);
    bar.mScroll.SetContentHeight(500);
    EXPECT_EQ(0, bar.mScroll.GetContentPosition());

    // Buttons deleted before their scroll bar: its height changes and its end skip them.
    bar.mUp.reset();
    bar.mBar.reset();
    bar.mScroll.SetContentHeight(50);
    bar.mScroll.SetFraction(0.5f);
    EXPECT_TRUE(bar.mDown->GetListener() == &bar.mScroll);
    EXPECT_FALSE(bar.mDown->IsEnabled());
}
