// The action menu: where it opens, its fades, the presses that reach its listener and
// the game clock, the click outside, the tooltips, the two sides and the mouse it holds.
#include "multicursor/GMMultiCursor.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "Render/LColor.h"
#include "Render/LVertexBuffer.h"
#include "multicursor/GMIMultiCursorListener.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Listener : GMIMultiCursorListener
{
    void OnAction(int aAction) override { mHeard += std::to_string(aAction); }
    std::string mHeard;
};

struct Other : LIMouseListener
{
    void OnButtonDown(int) override { ++mHeard; }
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    int mHeard = 0;
};

// Screen centres of the buttons with the menu opened at (200, 100) on side 0 (each
// button is 51 pixels square).
const LVector2 kLook(225.0f, 125.0f);
const LVector2 kUse(245.0f, 177.0f);
const LVector2 kTalk(225.0f, 340.0f);
const LVector2 kOutside(600.0f, 500.0f);

class MultiCursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 1.0;
        ASSERT_TRUE(mRoots.Mounted());
        ASSERT_TRUE(RegisterGameTestFonts(mRoots));
        mRoots.Write("data/textures/multicursor.tga", LImageBytes::Tga(256, 256, 32, 8, std::string(256 * 256 * 4, '\x40')));
        mRoots.Write("data/assets/tooltips.txt", "use=Ao\ncollect=B\nanalyze=oo\nlook=AB\n");
        ASSERT_NE(nullptr, GMCursor::GetInstance()); // without cursor files: logged here
        auto* hand = new LSprite();
        hand->SetId(LString("hand"));
        ASSERT_TRUE(LCursor::Get()->AddState(LString("hand"), hand));
        mLog.Clear();
        mMenu = GMMultiCursor::GetInstance();
        ASSERT_NE(nullptr, mMenu);
        ASSERT_TRUE(LMouse::Get()->AddMember(&mOther, 5.0f));
    }

    void TearDown() override { LMouse::Get()->RemoveListener(&mOther); }

    // Frame passes 0.02 s apart until the fade has ended; the number of passes.
    int Fade()
    {
        int passes = 0;
        while (mMenu->IsFading() && passes < 40) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
            ++passes;
        }
        return passes;
    }

    // Opens the menu at (200, 100) with talk enabled and waits for the fade-in.
    void Open(GMIMultiCursorListener* aListener = nullptr)
    {
        mMenu->SetSide(0);
        mMenu->SetActionEnabled(GMMultiCursorAction::TALK, true);
        if (aListener != nullptr) {
            mMenu->SetListener(aListener);
        }
        mMenu->ShowAt(LVector2(200.0f, 100.0f));
        Fade();
        ASSERT_TRUE(mMenu->IsOpen());
    }

    static void Press(const LVector2& aAt)
    {
        LMouse::Get()->OnMove(aAt);
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    static std::string Where(LIDisplayObject* aObject)
    {
        const LVector2 at = aObject->GetPosition();
        return LTestPoint(at.x, at.y);
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMMultiCursor* mMenu = nullptr;
    Other mOther;
    Listener mListener;
};

} // namespace

TEST_F(MultiCursorTest, IsBuiltClosedInTheDisplayTreeWithLookAloneEnabled)
{
    EXPECT_EQ(mMenu, LDisplayManager::Get()->GetRoot()->GetMember(LString("multicursor")));
    EXPECT_FLOAT_EQ(9500.0f, mMenu->GetRelativeZ());
    EXPECT_FALSE(mMenu->GetVisible());
    EXPECT_EQ("[GMMultiCursor <", ToStd(mMenu->Dump()).substr(0, 16));
    EXPECT_EQ("19,38", Where(mMenu->GetMenuSprite()));
    const char* ids[] = {"use", "collect", "analyze", "talk", "look"};
    const char* texts[] = {"Ao", "B", "oo", "", "AB"}; // "talk" is missing: empty
    for (int action = 1; action <= 5; ++action) {
        SCOPED_TRACE(ids[action - 1]);
        LButton* button = mMenu->GetButton(action);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(button, mMenu->GetMember(FromStd(ids[action - 1])));
        EXPECT_EQ(action == GMMultiCursorAction::LOOK, mMenu->IsActionEnabled(action));
        EXPECT_FLOAT_EQ(10.0f, button->GetRelativeZ());
        EXPECT_TRUE(LMouse::Get()->Contains(button));
        LToolTip* tip = mMenu->GetToolTip(action);
        ASSERT_NE(nullptr, tip);
        EXPECT_EQ("mctooltip_" + std::to_string(action - 1), ToStd(tip->GetId()));
        EXPECT_EQ(texts[action - 1], ToStd(tip->GetTextArea()->GetText()));
        EXPECT_FALSE(tip->GetVisible());
    }
    EXPECT_EQ(nullptr, mMenu->GetButton(0));
    EXPECT_EQ(nullptr, mMenu->GetButton(6));
    EXPECT_FALSE(mLog.Contains("ERROR"));
    EXPECT_FALSE(mLog.Contains("ASSERT"));
}

TEST_F(MultiCursorTest, OpensNoLowerThan300AndASecondShowAtChangesNothing)
{
    struct Case
    {
        float mY;
        const char* mAt;
    };
    for (const Case& c : {Case {450.0f, "200,300"}, Case {300.0f, "200,300"}, Case {120.0f, "200,120"}}) {
        SCOPED_TRACE(c.mY);
        mMenu->ShowAt(LVector2(200.0f, c.mY));
        EXPECT_EQ(c.mAt, Where(mMenu));
        mMenu->ShowAt(LVector2(10.0f, 10.0f)); // while fading in
        EXPECT_EQ(c.mAt, Where(mMenu));
        Fade();
        mMenu->Hide(false);
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
        mMenu->ShowAt(LVector2(10.0f, 10.0f)); // while fading out
        EXPECT_EQ(c.mAt, Where(mMenu));
        Fade();
        EXPECT_FALSE(mMenu->GetVisible());
    }
}

TEST_F(MultiCursorTest, FadesInTenthByTenthAtMostEvery15Milliseconds)
{
    LFrameManager* frames = LFrameManager::Get();
    const int listeners = frames->GetListenerCount();
    mMenu->ShowAt(LVector2(200.0f, 100.0f));
    EXPECT_TRUE(mMenu->GetVisible());
    EXPECT_FLOAT_EQ(0.0f, mMenu->GetBlend());
    LFakeTimer::FrameAt(1.015); // not more than 0.015 s
    EXPECT_FLOAT_EQ(0.0f, mMenu->GetBlend());
    LFakeTimer::FrameAt(1.016);
    EXPECT_FLOAT_EQ(0.1f, mMenu->GetBlend());
    const int steps = 1 + Fade();
    EXPECT_TRUE(steps == 10 || steps == 11) << steps;
    EXPECT_FLOAT_EQ(1.0f, mMenu->GetBlend());
    EXPECT_TRUE(mMenu->IsOpen());
    EXPECT_EQ(listeners + 1, frames->GetListenerCount()); // stays for the hovering

    mMenu->Hide(false);
    const int down = Fade();
    EXPECT_TRUE(down == 10 || down == 11) << down;
    EXPECT_FALSE(mMenu->GetVisible());
    EXPECT_EQ(listeners, frames->GetListenerCount());
    EXPECT_TRUE(mMenu->GetActive());
}

TEST_F(MultiCursorTest, PressesReachTheListenerAndCostOneUnitOfGameTime)
{
    LGameClock* clock = LGameClock::Get();
    const float start = clock->GetTime();
    Open(&mListener);
    Press(kTalk);
    EXPECT_EQ("4", mListener.mHeard);
    EXPECT_FLOAT_EQ(start + 1.0f, clock->GetTime());
    EXPECT_TRUE(mMenu->GetVisible()); // the listener hides it, not the menu

    // Without a listener the press still costs its time.
    ASSERT_EQ(1, mMenu->RemoveListener(&mListener));
    EXPECT_EQ(0, mMenu->RemoveListener(&mListener));
    Press(kLook);
    EXPECT_FLOAT_EQ(start + 2.0f, clock->GetTime());

    // A disabled button reports nothing and does not close the menu.
    mMenu->SetListener(&mListener);
    mListener.mHeard.clear();
    Press(kUse);
    EXPECT_EQ("", mListener.mHeard);
    EXPECT_TRUE(mMenu->IsOpen());
    EXPECT_FLOAT_EQ(start + 2.0f, clock->GetTime());

    // A press outside the buttons answers 0 and fades the menu out.
    Press(kOutside);
    EXPECT_EQ("0", mListener.mHeard);
    EXPECT_FALSE(mMenu->IsOpen());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    Fade();
    EXPECT_FALSE(mMenu->GetVisible());
    EXPECT_EQ(0, mOther.mHeard); // the menu's presses went nowhere else
    EXPECT_EQ(0, mMenu->SetListener(nullptr));
    EXPECT_EQ(&mListener, mMenu->GetListener());
    EXPECT_EQ(1, mLog.Count("ERROR: "));
    EXPECT_TRUE(mLog.Contains("SetListener failure. NULL arg."));
}

TEST_F(MultiCursorTest, HidingWithDeactivateSilencesTheButtonsUntilTheNextFadeInHasEnded)
{
    // Active from the start: a press during the first fade-in already counts.
    mMenu->SetListener(&mListener);
    mMenu->ShowAt(LVector2(200.0f, 100.0f));
    LFakeTimer::FrameAt(1.02);
    Press(kLook);
    EXPECT_EQ("5", mListener.mHeard);

    mMenu->Hide(true);
    Fade();
    EXPECT_FALSE(mMenu->GetActive());
    mListener.mHeard.clear();
    mMenu->ShowAt(LVector2(200.0f, 100.0f));
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
    Press(kLook);
    EXPECT_EQ("", mListener.mHeard);
    Fade();
    Press(kLook);
    EXPECT_EQ("5", mListener.mHeard);
}

TEST_F(MultiCursorTest, HidingAMenuAlreadyHiddenWithDeactivateSilencesItsButtonsAtOnce)
{
    // Hidden without deactivating (a talk), then hidden again with it (an interview that
    // opens later): no fade is left waiting, and the hidden buttons take no clicks.
    Open(&mListener);
    mMenu->Hide(false);
    Fade();
    EXPECT_FALSE(mMenu->IsFading());
    EXPECT_TRUE(mMenu->GetActive());
    mMenu->Hide(true);
    EXPECT_FALSE(mMenu->IsFading());
    EXPECT_FALSE(mMenu->GetActive());
    EXPECT_FALSE(mMenu->IsOpen());
    mListener.mHeard.clear();
    Press(kLook);
    EXPECT_EQ("", mListener.mHeard);
    // It opens as before.
    Open(&mListener);
    Press(kLook);
    EXPECT_EQ("5", mListener.mHeard);
}

TEST_F(MultiCursorTest, AHiddenOrFadingMenusButtonsLetPressesThroughAndCostNoTime)
{
    // Closed without deactivating (a look), the hidden buttons stay where it was shown:
    // a press there goes on to whatever lies below and costs no game time.
    Open(&mListener);
    mMenu->Hide(false);
    Fade();
    ASSERT_FALSE(mMenu->GetVisible());
    ASSERT_TRUE(mMenu->GetActive());
    LGameClock* clock = LGameClock::Get();
    const float start = clock->GetTime();
    mListener.mHeard.clear();
    Press(kLook);
    EXPECT_EQ("", mListener.mHeard);
    EXPECT_FLOAT_EQ(start, clock->GetTime());
    EXPECT_EQ(1, mOther.mHeard);
    // During its fade-out the menu is on its way: its buttons take no press either, and
    // the next fade-in makes them answer again.
    Open(&mListener);
    mMenu->Hide(false);
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
    ASSERT_TRUE(mMenu->IsFading());
    ASSERT_TRUE(mMenu->GetVisible());
    Press(kLook);
    EXPECT_EQ("", mListener.mHeard);
    EXPECT_FLOAT_EQ(start, clock->GetTime());
    EXPECT_EQ(2, mOther.mHeard);
    Fade();
    Open(&mListener);
    Press(kLook);
    EXPECT_EQ("5", mListener.mHeard);
}

TEST_F(MultiCursorTest, WhileOpenTheMouseBelongsToTheMenuAlone)
{
    Open(&mListener);
    EXPECT_TRUE(LMouse::Get()->IsLocked());
    LMouse::Get()->OnMove(kOutside);
    LMouse::Get()->OnButtonDown(2);
    LMouse::Get()->OnButtonUp(2);
    EXPECT_EQ(0, mOther.mHeard);
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    mMenu->Hide(false);
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    Fade();
    LMouse::Get()->OnButtonDown(2);
    EXPECT_EQ(1, mOther.mHeard);
}

TEST_F(MultiCursorTest, ATooltipAppearsAfterASecondOfHoveringAboveOrBelowTheMouse)
{
    Open(&mListener);
    const double start = LFakeTimer::sNow;
    LMouse::Get()->OnMove(kTalk);
    LFakeTimer::FrameAt(start);
    LToolTip* talk = mMenu->GetToolTip(GMMultiCursorAction::TALK);
    LFakeTimer::FrameAt(start + 1.0); // not more than 1.0 s
    EXPECT_FALSE(talk->GetVisible());
    LFakeTimer::FrameAt(start + 1.01);
    EXPECT_TRUE(talk->GetVisible());
    EXPECT_EQ("225,320", Where(talk)); // 20 above the mouse
    EXPECT_EQ(LColor(0.8f, 0.96f, 1.0f, 0.62f), talk->GetBackground()->GetFillColor());

    // Another button restarts the delay and fades the shown tooltip out.
    LMouse::Get()->OnMove(kUse);
    LFakeTimer::FrameAt(start + 1.5);
    EXPECT_TRUE(talk->IsFadingOut());
    LToolTip* use = mMenu->GetToolTip(GMMultiCursorAction::USE);
    LFakeTimer::FrameAt(start + 2.5);
    EXPECT_FALSE(use->GetVisible());
    LFakeTimer::FrameAt(start + 2.51);
    EXPECT_TRUE(use->GetVisible());
    EXPECT_EQ(LColor(0.8f, 0.4f, 0.4f, 0.4f), use->GetBackground()->GetFillColor()); // disabled

    // Near the top of the screen the tooltip goes 30 below the mouse.
    mMenu->Hide(false);
    Fade();
    mMenu->ShowAt(LVector2(200.0f, 10.0f));
    Fade();
    LMouse::Get()->OnMove(LVector2(225.0f, 35.0f));
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
    LFakeTimer::FrameAt(LFakeTimer::sNow + 1.1);
    LToolTip* look = mMenu->GetToolTip(GMMultiCursorAction::LOOK);
    EXPECT_TRUE(look->GetVisible());
    EXPECT_EQ("225,65", Where(look));
}

// A tooltip still waiting for its delay when the menu was hidden used to appear over
// the closing menu, holding the fade-out back until it did.
TEST_F(MultiCursorTest, HidingForgetsATooltipThatIsStillWaiting)
{
    Open(&mListener);
    LMouse::Get()->OnMove(kTalk);
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
    mMenu->Hide(false);
    const int passes = Fade();
    EXPECT_LE(passes, 11);
    EXPECT_FALSE(mMenu->GetVisible());
    LFakeTimer::FrameAt(LFakeTimer::sNow + 1.5);
    EXPECT_FALSE(mMenu->GetToolTip(GMMultiCursorAction::TALK)->GetVisible());
}

TEST_F(MultiCursorTest, TheSecondSideMirrorsThePictureAndTheButtons)
{
    EXPECT_EQ(1, mMenu->SetActionEnabled(0, true));
    EXPECT_EQ(1, mMenu->SetActionEnabled(6, true));
    for (int action = 1; action <= 4; ++action) {
        EXPECT_FALSE(mMenu->IsActionEnabled(action));
    }
    mMenu->SetSide(1);
    LSprite* picture = mMenu->GetMenuSprite();
    EXPECT_EQ("10,38", Where(picture));
    EXPECT_EQ("27,0", Where(mMenu->GetButton(GMMultiCursorAction::LOOK)));
    EXPECT_EQ("0,107", Where(mMenu->GetButton(GMMultiCursorAction::COLLECT)));
    // Texels 204 to 255 across, 0 to 190 down.
    const auto field = [picture](int aVertex, int aField) {
        return static_cast<const float*>(picture->GetVertexBuffer()->GetVertex(aVertex))[aField] * 256.0f;
    };
    EXPECT_FLOAT_EQ(204.0f, field(0, 3));
    EXPECT_FLOAT_EQ(255.0f, field(2, 3));
    EXPECT_FLOAT_EQ(190.0f, field(0, 4));
    mMenu->SetSide(0);
    EXPECT_EQ("19,38", Where(picture));
    EXPECT_FLOAT_EQ(153.0f, field(0, 3));
    EXPECT_FLOAT_EQ(203.0f, field(2, 3));
    EXPECT_EQ("30,107", Where(mMenu->GetButton(GMMultiCursorAction::COLLECT)));
}
