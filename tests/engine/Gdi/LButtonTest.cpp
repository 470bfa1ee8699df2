// Buttons: event sequences from the mouse, the look shown per state and its fall-backs,
// enabling and disabling, and looks added or removed while the button is live.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
class Recorder : public LIButtonListener
{
public:
    void OnButton(const LString& aId, int aEvent) override
    {
        mEvents.push_back(aEvent);
        mIds.push_back(ToStd(aId));
    }
    std::vector<int> mEvents;
    std::vector<std::string> mIds;
};

// A look of 80 x 20 pixels from the button's origin.
LSprite* Look(const char* aId)
{
    return BoxSprite(aId, 80.0f, 20.0f);
}

const LVector2 kInside(120.0f, 110.0f);
const LVector2 kOutside(10.0f, 10.0f);

class ButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
        mMouse->OnMove(kOutside);
        mButton = new LButton();
        mButton->SetId(LString("ok"));
        mButton->SetPosition(100.0f, 100.0f);
    }

    void TearDown() override { delete mButton; }

    // Looks for the given states, registered with the mouse under mRecorder.
    void Build(std::initializer_list<int> aStates)
    {
        static const char* const kNames[] = {"x", "d", "h", "ho", "n", "o"};
        for (int state : aStates) {
            ASSERT_EQ(1, mButton->AddButtonStateObject(state, Look(kNames[state])));
        }
        ASSERT_TRUE(mButton->SetMouseOrder(&mRecorder, 0.0f));
        mButton->UpdateStateObjects();
    }

    // The id of the only active look.
    std::string Shown()
    {
        mButton->UpdateStateObjects();
        std::string shown;
        for (unsigned int state = 0; state < 6; ++state) {
            LIDisplayObject* look = mButton->GetStateObject(state);
            if (look != nullptr && look->GetActive()) {
                shown += (shown.empty() ? "" : "+") + ToStd(look->GetId());
            }
        }
        return shown;
    }

    LMouse* mMouse = nullptr;
    LButton* mButton = nullptr;
    Recorder mRecorder;
};
} // namespace

TEST_F(ButtonTest, PressMoveOutAndReleaseIsReleasedOutsideNotAClick)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_OVER, XBTNSTATE_DOWN});
    mMouse->OnMove(kInside);
    mMouse->OnButtonDown(1);
    mMouse->OnButtonDown(1); // still pressed: nothing
    mMouse->OnMove(kOutside);
    mMouse->OnButtonUp(1);
    EXPECT_EQ((std::vector<int> {1, 0, 2, 3}), mRecorder.mEvents);
    EXPECT_EQ("ok", mRecorder.mIds[0]);
    EXPECT_EQ("n", Shown());
}

TEST_F(ButtonTest, PressAndReleaseInsideIsAClick)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_OVER, XBTNSTATE_DOWN});
    mMouse->OnMove(kInside);
    mMouse->OnButtonDown(2); // only the primary button counts
    mMouse->OnButtonDown(1);
    EXPECT_EQ("d", Shown());
    mMouse->OnButtonUp(2);
    mMouse->OnButtonUp(1);
    mMouse->OnButtonUp(1);
    EXPECT_EQ((std::vector<int> {1, 0, 4}), mRecorder.mEvents);
    EXPECT_EQ("o", Shown());
    // A press that began outside is no press of the button.
    mMouse->OnMove(kOutside);
    mMouse->OnButtonDown(1);
    mMouse->OnMove(kInside);
    mMouse->OnButtonUp(1);
    EXPECT_EQ((std::vector<int> {1, 0, 4, 2, 1}), mRecorder.mEvents);
}

TEST_F(ButtonTest, LookPerStateHilightBeatsDisabledAndPressedBeatsHilight)
{
    Build({0, 1, 2, 3, 4, 5});
    EXPECT_EQ("n", Shown());
    mButton->SetHilighted(true);
    EXPECT_EQ("h", Shown());
    mMouse->OnMove(kInside);
    EXPECT_EQ("ho", Shown());
    mMouse->OnButtonDown(1);
    EXPECT_EQ("d", Shown());
    EXPECT_EQ(XBTNSTATE_DOWN, mButton->GetState());
    mMouse->OnButtonUp(1);
    mButton->SetHilighted(false);
    EXPECT_EQ("o", Shown());
    mButton->SetEnabled(false);
    EXPECT_EQ("x", Shown());
    mButton->SetHilighted(true);
    EXPECT_EQ("h", Shown());
    EXPECT_EQ(XBTNSTATE_HILIGHTED, mButton->GetState());
}

TEST_F(ButtonTest, MissingLooksFallBackToHilightedThenNormal)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED});
    mButton->SetHilighted(true);
    mMouse->OnMove(kInside);
    EXPECT_EQ(XBTNSTATE_HILIGHTED_OVER, mButton->GetState());
    EXPECT_EQ("h", Shown());
    mMouse->OnButtonDown(1);
    EXPECT_EQ("n", Shown());
    mButton->SetEnabled(false);
    mButton->SetHilighted(false);
    EXPECT_EQ("n", Shown());

    // Without a normal look nothing is shown and nothing is hit.
    LLogCapture log;
    LButton bare;
    bare.AddButtonStateObject(XBTNSTATE_OVER, Look("o"));
    EXPECT_EQ(nullptr, bare.GetObject());
    EXPECT_TRUE(log.Contains("GetObject failure. XBTNSTATE_NORMAL object undefined."));
    EXPECT_FALSE(bare.HitTestStateObject(LVector2(1.0f, 1.0f)));
}

TEST_F(ButtonTest, DisabledButtonsIgnoreTheMouseUntilEnabledAgain)
{
    Build({XBTNSTATE_NORMAL});
    mMouse->OnMove(kInside);
    mMouse->OnButtonDown(1);
    // Disabled, the button forgets its press and the mouse over it.
    mButton->SetEnabled(false);
    mButton->SetEnabled(false);
    EXPECT_FALSE(mButton->IsPressed());
    EXPECT_FALSE(mButton->IsOver());
    mMouse->OnButtonUp(1);
    mMouse->OnMove(kOutside);
    mButton->SetEnabled(true);
    mButton->SetEnabled(true);
    EXPECT_EQ((std::vector<int> {1, 0, 6, 5}), mRecorder.mEvents);

    // An inactive parent silences the button as well.
    LDisplayGroup parent;
    parent.SetId(LString("parent"));
    LButton* child = mButton;
    mButton = nullptr;
    ASSERT_TRUE(parent.AddMember(child, true));
    parent.SetActive(false);
    mMouse->OnMove(kInside);
    EXPECT_EQ(4u, mRecorder.mEvents.size());
    parent.SetActive(true);
    mMouse->OnMove(kInside);
    EXPECT_EQ(1, mRecorder.mEvents.back());
}

TEST_F(ButtonTest, AButtonThatCannotBeSeenTakesNoPressUntilShownAgain)
{
    Build({XBTNSTATE_NORMAL});
    LDisplayGroup parent;
    parent.SetId(LString("parent"));
    LButton* child = mButton;
    mButton = nullptr;
    ASSERT_TRUE(parent.AddMember(child, true));
    // Hidden itself, hidden by its group, or in a disabled group: the mouse passes by.
    const std::function<void(bool)> hides[] = {
        [&](bool aHidden) { child->SetVisible(!aHidden); },
        [&](bool aHidden) { parent.SetVisible(!aHidden); },
        [&](bool aHidden) { parent.SetEnabled(!aHidden); },
    };
    for (const auto& hide : hides) {
        hide(true);
        mMouse->OnMove(kInside);
        mMouse->OnButtonDown(1);
        mMouse->OnButtonUp(1);
        mMouse->OnMove(kOutside);
        EXPECT_TRUE(mRecorder.mEvents.empty());
        EXPECT_FALSE(child->IsPressed());
        hide(false);
        mMouse->OnMove(kInside);
        mMouse->OnButtonDown(1);
        mMouse->OnButtonUp(1);
        mMouse->OnMove(kOutside);
        EXPECT_EQ((std::vector<int> {1, 0, 4, 2}), mRecorder.mEvents);
        mRecorder.mEvents.clear();
    }
}

// A press kept by a button that stopped answering made the first release after it was
// shown again a click, wherever the mouse had been meanwhile.
TEST_F(ButtonTest, AButtonThatStopsAnsweringForgetsItsPressAndTheMouseOverIt)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_DOWN});
    LDisplayGroup outer;
    outer.SetId(LString("outer"));
    auto* inner = new LDisplayGroup();
    inner->SetId(LString("inner"));
    ASSERT_TRUE(outer.AddMember(inner, true));
    LButton* child = mButton;
    mButton = nullptr;
    ASSERT_TRUE(inner->AddMember(child, true));
    struct Route
    {
        const char* mName;
        std::function<void(bool)> mSilence;
    };
    const Route routes[] = {
        {"hidden", [&](bool aOn) { child->SetVisible(!aOn); }},
        {"inactive", [&](bool aOn) { child->SetActive(!aOn); }},
        {"group hidden", [&](bool aOn) { inner->SetVisible(!aOn); }},
        {"group above inactive", [&](bool aOn) { outer.SetActive(!aOn); }},
        {"group above disabled", [&](bool aOn) { outer.SetEnabled(!aOn); }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.mName);
        mMouse->OnMove(kInside);
        mMouse->OnButtonDown(1);
        route.mSilence(true);
        EXPECT_FALSE(child->IsPressed());
        EXPECT_FALSE(child->IsOver());
        EXPECT_EQ(XBTNSTATE_NORMAL, child->GetState());
        // Shown again under the mouse that never moved: the release is no click; the next
        // press there finds the mouse over it (a new enter) and makes one.
        route.mSilence(false);
        mMouse->OnButtonUp(1);
        EXPECT_EQ((std::vector<int> {1, 0}), mRecorder.mEvents);
        mMouse->OnButtonDown(1);
        mMouse->OnButtonUp(1);
        EXPECT_EQ((std::vector<int> {1, 0, 1, 0, 4}), mRecorder.mEvents);
        mMouse->OnMove(kOutside);
        mRecorder.mEvents.clear();
    }
}

TEST_F(ButtonTest, MovesBetweenFramesHitTheLookThatIsShown)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_OVER});
    // No frame is drawn between the moves: the over look must already be the one hit.
    mMouse->OnMove(kInside);
    mMouse->OnMove(LVector2(121.0f, 111.0f));
    EXPECT_EQ((std::vector<int> {1}), mRecorder.mEvents);
    EXPECT_EQ("o", Shown());
}

TEST_F(ButtonTest, LooksAddedOrRemovedWhileLiveAreSwitchedAtTheNextFrame)
{
    Build({XBTNSTATE_NORMAL, XBTNSTATE_HILIGHTED});
    mButton->AddButtonStateObject(XBTNSTATE_OVER, Look("o"));
    EXPECT_EQ("n", Shown());

    // The hilighted-over state shows the hilighted look by fall-back; taking that look
    // away must not leave the button drawing it.
    mButton->SetHilighted(true);
    mMouse->OnMove(kInside);
    ASSERT_EQ("h", Shown());
    LIDisplayObject* taken = nullptr;
    ASSERT_EQ(1, mButton->RemoveButtonStateObject(XBTNSTATE_HILIGHTED, &taken));
    ASSERT_NE(nullptr, taken);
    delete taken;
    EXPECT_EQ("n", Shown());
    EXPECT_EQ(mButton->GetStateObject(XBTNSTATE_NORMAL), mButton->GetObject());
}

TEST_F(ButtonTest, RefusalsAreLogged)
{
    LLogCapture log;
    Build({XBTNSTATE_NORMAL});
    LSprite* second = Look("n2");
    EXPECT_EQ(0, mButton->AddButtonStateObject(XBTNSTATE_NORMAL, second));
    EXPECT_TRUE(log.Contains("AddButtonStateObject failed. aState already defined: 4"));
    // A look whose id another look has is refused as a member: the state stays free.
    second->SetId(LString("n"));
    EXPECT_EQ(0, mButton->AddButtonStateObject(XBTNSTATE_OVER, second));
    EXPECT_EQ(nullptr, mButton->GetStateObject(XBTNSTATE_OVER));
    delete second;
    EXPECT_EQ(0, mButton->SetListener(&mRecorder));
    EXPECT_TRUE(log.Contains("SetListener failure. Listener already defined. Remove first."));
    EXPECT_EQ(0, mButton->SetListener(nullptr));
    mButton->RemoveListener();
    EXPECT_EQ(1, mButton->SetListener(&mRecorder));
    LIDisplayObject* out = nullptr;
    EXPECT_EQ(0, mButton->RemoveButtonStateObject(XBTNSTATE_OVER, &out));
    EXPECT_TRUE(log.Contains("RemoveButtonStateObject failure."));
    out = mButton;
    EXPECT_EQ(0, mButton->RemoveButtonStateObject(XBTNSTATE_NORMAL, &out));
    EXPECT_TRUE(log.Contains("Invalid argument."));
}

TEST_F(ButtonTest, TheShownLookIsDrawnOnTopOfTheMembers)
{
    RegisterFakeRender();
    LSprite* normal = ImageSprite("n", 8, 8);
    LSprite* over = ImageSprite("o", 8, 8);
    mButton->AddButtonStateObject(XBTNSTATE_NORMAL, normal);
    mButton->AddButtonStateObject(XBTNSTATE_OVER, over);
    LDisplayManager::Get()->AddMember(mButton);
    mButton = nullptr; // the display manager owns it now
    ASSERT_TRUE(LDisplayManager::Get()->Render());
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(2u, draws.size());
    EXPECT_EQ(normal->GetTexture(), draws[0].mTextureHandle);
    EXPECT_EQ(normal->GetTexture(), draws[1].mTextureHandle);
}
