// The PDA and its bar over a scene, on the sample's PDA layouts and pictures: the listener
// codes of opening and closing, the zoom, panels and their scroll geometry, the busy time,
// the menu button, dragging, tooltips, flashing, new items, the hidden mode, and exit with
// the PDA open.
#include "pda/GMPDA.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "pda/GMIPDAListener.h"
#include "pda/GMIPDAPanel.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LCleaner.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The scene as the PDA's listener, hearing every code.
class Scene : public GMScene
{
public:
    void OnPDAEvent(int aCode) override
    {
        mHeard.push_back(aCode);
        GMScene::OnPDAEvent(aCode);
    }
    std::vector<int> Take()
    {
        std::vector<int> heard;
        heard.swap(mHeard);
        return heard;
    }
    std::vector<int> mHeard;
};


const char* const kAllTips = "PDA_map=Map\nPDA_inv=Inventory\nPDA_phone=Phone\nPDA_log=Log\nPDA_menu=Menu\n";

class PDATest : public ::testing::Test
{
protected:
    // The sample's PDA files under fresh roots, with the test's tooltip texts.
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(mRoots.Mounted());
        ASSERT_TRUE(mRoots.CopySample("textures/pda"));
        mRoots.Write("data/assets/tooltips.txt", mTips);
        ASSERT_TRUE(RegisterGameTestFonts(mRoots));
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
        mScene = std::make_unique<Scene>();
        GMSceneManager::GetInstance()->SetScene(mScene.get());
        mPDA = GMPDA::GetInstance();
        mBar = GMPDAMinimized::GetInstance();
        ASSERT_NE(nullptr, mPDA);
        ASSERT_NE(nullptr, mBar);
        // The scene shown makes itself the PDA's listener and shows the bar.
        mScene->OnShow();
        mScene->Take();
    }

    void TearDown() override
    {
        if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
            scenes->SetScene(nullptr);
        }
        if (GMPDA* pda = GMPDA::GetInstance()) {
            pda->RemoveListener(mScene.get());
        }
        mScene.reset();
        delete GMCleaner::GetInstance();
    }

    // Opens the PDA without the zoom, on a panel, and forgets the codes.
    void OpenOn(const char* aPanel)
    {
        ASSERT_EQ(1, mBar->Maximize(false));
        ASSERT_EQ(1, mPDA->SetPanel(LString(aPanel)));
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.6);
        ASSERT_FALSE(mPDA->IsBusy());
        mScene->Take();
    }

    static void Click(float aX, float aY)
    {
        LMouse::Get()->OnMove(LVector2(aX, aY));
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    // The middle of a main-menu button on the screen.
    LVector2 MenuButton(const char* aId) const
    {
        LIDisplayObject* button = mPDA->GetMainMenu()->GetMember(LString(aId));
        return button->GetWorldPosition() + LVector2(60.0f, 15.0f);
    }

    static float StateNumber(const char* aId)
    {
        LIState* state = LStateManager::Get()->GetState(LString(aId));
        if (state == nullptr || state->GetType() != LIState::TYPE_NUMBER) {
            return -1.0f;
        }
        return *static_cast<float*>(state->GetValue());
    }

    // A new item's entry in the inventory's item data.
    static bool ItemEntry(LPropertyList& aEntry)
    {
        const std::string text = "sprite\n\tid=badge\n\ttexture=pda_min_icons.tga\n";
        return aEntry.Parse(text.c_str(), static_cast<int>(text.size()));
    }

    std::string mTips = kAllTips;
    LLogCapture mLog;
    GMTestRoots mRoots;
    std::unique_ptr<Scene> mScene;
    GMPDA* mPDA = nullptr;
    GMPDAMinimized* mBar = nullptr;
};

} // namespace

TEST_F(PDATest, ListenerCodesOfOpeningAndClosing)
{
    ASSERT_EQ(1, mBar->Maximize(true));
    EXPECT_EQ(std::vector<int>({2}), mScene->Take());
    EXPECT_FALSE(mScene->IsInputEnabled());
    LFakeTimer::FrameAt(0.29);
    EXPECT_TRUE(mScene->Take().empty());
    LFakeTimer::FrameAt(0.31);
    EXPECT_EQ(std::vector<int>({4, 3}), mScene->Take());
    EXPECT_TRUE(mPDA->IsOpen());
    EXPECT_FALSE(mBar->IsShown());

    EXPECT_EQ(0, mBar->Maximize(true));
    EXPECT_EQ(0, mBar->Maximize(false));
    EXPECT_TRUE(mScene->Take().empty());

    ASSERT_EQ(1, mPDA->CloseToBar());
    EXPECT_EQ(std::vector<int>({0, 5}), mScene->Take());
    EXPECT_FALSE(mPDA->IsOpen());
    LFakeTimer::FrameAt(0.5);
    EXPECT_TRUE(mScene->Take().empty());
    LFakeTimer::FrameAt(0.62);
    EXPECT_EQ(std::vector<int>({1}), mScene->Take());
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_TRUE(mBar->IsShown());

    EXPECT_EQ(0, mPDA->Close());
    EXPECT_EQ(0, mBar->Minimize(false));
    EXPECT_TRUE(mScene->Take().empty());

    ASSERT_EQ(1, mBar->Maximize(false));
    EXPECT_EQ(std::vector<int>({4, 2}), mScene->Take());
    EXPECT_EQ(1, mBar->Minimize(false));
    EXPECT_EQ(std::vector<int>({5, 1}), mScene->Take());
    EXPECT_TRUE(mScene->IsInputEnabled());
}

TEST_F(PDATest, TheZoomGrowsTheBarTowardsThePDA)
{
    const LVector2 home = mBar->GetBarPosition();
    const LVector2 pda = mPDA->GetGroup()->GetWorldPosition();
    ASSERT_EQ(1, mBar->Maximize(true));
    LFakeTimer::FrameAt(0.15);
    LDisplayGroup* bar = mBar->GetBar();
    EXPECT_FLOAT_EQ(2.0f, bar->GetScale().x);
    EXPECT_FLOAT_EQ(2.0f, bar->GetScale().y);
    EXPECT_FLOAT_EQ(0.5f, bar->GetBlend());
    EXPECT_FLOAT_EQ((home.x + pda.x) / 2.0f, bar->GetLocalPosition().x);
    EXPECT_FLOAT_EQ((home.y + pda.y) / 2.0f, bar->GetLocalPosition().y);
    LFakeTimer::FrameAt(1.0);
    EXPECT_FLOAT_EQ(3.0f, bar->GetScale().x);
    EXPECT_FLOAT_EQ(0.0f, bar->GetBlend());

    // Closing runs the same way back; at its end the bar is home at full size.
    mPDA->CloseToBar();
    LFakeTimer::FrameAt(1.15);
    EXPECT_FLOAT_EQ(2.0f, bar->GetScale().x);
    EXPECT_FLOAT_EQ(0.5f, bar->GetBlend());
    LFakeTimer::FrameAt(1.4);
    EXPECT_FLOAT_EQ(1.0f, bar->GetScale().x);
    EXPECT_FLOAT_EQ(home.x, bar->GetLocalPosition().x);
}

TEST_F(PDATest, PanelsPickTheirScrollGeometry)
{
    OpenOn("inventory");
    const struct
    {
        const char* mId;
        float mClipHeight;
        float mX;
        float mY;
    } kCases[] = {
        {"Log", 152.0f, 171.0f, 70.0f},
        {"phone", 137.0f, 171.0f, 85.0f},
        {"map", 152.0f, 171.0f, 70.0f},
        {"inventory", 137.0f, 171.0f, 85.0f},
    };
    LDisplayGroup* area = mPDA->GetScrollArea();
    ASSERT_NE(nullptr, area);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mId);
        ASSERT_EQ(1, mPDA->SetPanel(LString(c.mId)));
        EXPECT_TRUE(mPDA->GetCurrentPanel()->GetId().EqualsNoCase(LString(c.mId)));
        EXPECT_TRUE(mPDA->GetCurrentPanel()->IsShown());
        ASSERT_NE(nullptr, area->GetClip());
        EXPECT_FLOAT_EQ(0.0f, area->GetClip()->GetX());
        EXPECT_FLOAT_EQ(248.0f, area->GetClip()->GetWidth());
        EXPECT_FLOAT_EQ(c.mClipHeight, area->GetClip()->GetHeight());
        EXPECT_FLOAT_EQ(c.mX, area->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(c.mY, area->GetLocalPosition().y);
        EXPECT_NE(nullptr, mPDA->GetScrollBar());
        // The menu button of the shown panel is the one disabled.
        for (const char* id : {"map", "inventory", "phone", "log"}) {
            auto* button = static_cast<LButton*>(mPDA->GetMainMenu()->GetMember(LString(id)));
            EXPECT_EQ(!LString(id).EqualsNoCase(LString(c.mId)), button->IsEnabled()) << id;
        }
    }
    // The current panel in other letters changes nothing; an unknown id is refused.
    GMIPDAPanel* current = mPDA->GetCurrentPanel();
    EXPECT_EQ(1, mPDA->SetPanel(LString("INVENTORY")));
    EXPECT_EQ(current, mPDA->GetCurrentPanel());
    EXPECT_EQ(0, mPDA->SetPanel(LString("notes")));
    EXPECT_EQ(1, mLog.Count("SetPanel failure. ID not found:notes"));
    EXPECT_EQ(current, mPDA->GetCurrentPanel());
    EXPECT_EQ(current, mPDA->GetInventoryPanel());
}

TEST_F(PDATest, PressesWaitForThePanelChangeAndTheCase)
{
    OpenOn("inventory");
    const double start = LFakeTimer::sNow;
    ASSERT_EQ(1, mPDA->SetPanel(LString("map")));
    LFakeTimer::FrameAt(start + 0.4);
    mPDA->OnButton(LString("phone"), XBTNEVENT_PRESSED);
    EXPECT_EQ(LString("map"), mPDA->GetCurrentPanel()->GetId());
    LFakeTimer::FrameAt(start + 0.6);
    mPDA->OnButton(LString("phone"), XBTNEVENT_PRESSED);
    EXPECT_EQ(LString("phone"), mPDA->GetCurrentPanel()->GetId());

    // Without a case only the map opens, and the PDA keeps answering.
    LFakeTimer::FrameAt(start + 1.2);
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("0"), false);
    mPDA->OnButton(LString("log"), XBTNEVENT_PRESSED);
    EXPECT_EQ(LString("phone"), mPDA->GetCurrentPanel()->GetId());
    EXPECT_FALSE(mPDA->IsBusy());
    mPDA->OnButton(LString("map"), XBTNEVENT_PRESSED);
    EXPECT_EQ(LString("map"), mPDA->GetCurrentPanel()->GetId());

    // A selected case that is no int is no case: logged, and still only the map opens.
    double at = start + 1.2;
    for (float value : {std::numeric_limits<float>::quiet_NaN(), 1e10f, -1e10f}) {
        SCOPED_TRACE(value);
        at += 0.6;
        LFakeTimer::FrameAt(at);
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("1"), false);
        *static_cast<float*>(LStateManager::Get()->GetState(LString("sta_selectedcase"))->GetValue()) = value;
        mLog.Clear();
        mPDA->OnButton(LString("log"), XBTNEVENT_PRESSED);
        EXPECT_EQ(LString("map"), mPDA->GetCurrentPanel()->GetId());
        EXPECT_FALSE(mPDA->IsBusy());
        EXPECT_TRUE(mLog.Contains("Invalid selected case: not a number in the int range.")) << mLog.Bytes();
    }
    LFakeTimer::FrameAt(at + 0.6);
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("0"), false);

    // The current panel's button: no press, no tooltip.
    LFakeTimer::FrameAt(at + 2.0);
    mPDA->OnButton(LString("map"), XBTNEVENT_ENTER);
    EXPECT_FALSE(mPDA->GetToolTip()->IsFadingIn());
    mPDA->OnButton(LString("map"), XBTNEVENT_PRESSED);
    EXPECT_FALSE(mPDA->IsBusy());
}

TEST_F(PDATest, MenuRecordsThePlayerAndAsksForTheMainMenu)
{
    mScene->SetPlayerPlace(LVector3(12.5f, 1.0f, -4.0f), LVector3(0.6f, 0.8f, 0.0f));
    mScene->SetKeepAudio(true);
    OpenOn("inventory");
    mPDA->OnButton(LString("menu"), XBTNEVENT_PRESSED);
    EXPECT_FLOAT_EQ(12.5f, StateNumber("sta_playerpos_x"));
    EXPECT_FLOAT_EQ(-4.0f, StateNumber("sta_playerpos_z"));
    EXPECT_FLOAT_EQ(0.6f, StateNumber("sta_playerdir_x"));
    EXPECT_FLOAT_EQ(0.8f, StateNumber("sta_playerdir_z"));
    EXPECT_FALSE(mScene->GetKeepAudio());
    EXPECT_FALSE(mPDA->IsOpen());
    EXPECT_TRUE(mBar->IsAnimating());
    LIState* menu = LStateManager::Get()->GetState(LString("sta_mainmenu_active"));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(LIState::TYPE_BOOLEAN, menu->GetType());
    EXPECT_EQ(1, *static_cast<unsigned char*>(menu->GetValue()));
    EXPECT_EQ(std::vector<int>({0, 5}), mScene->Take());
    EXPECT_FALSE(mPDA->IsBusy());
}

TEST_F(PDATest, GroupPlacementDraggingAndTooltips)
{
    LDisplayGroup* group = mPDA->GetGroup();
    EXPECT_FLOAT_EQ(9000.0f, group->GetRelativeZ());
    EXPECT_FLOAT_EQ(100.0f, group->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(100.0f, group->GetLocalPosition().y);
    EXPECT_FALSE(group->GetActive());
    OpenOn("inventory");
    // The active case's picture, under one id whatever its entry calls it, replaced at
    // every opening.
    auto caseDisplays = [group]() {
        int count = 0;
        for (int i = 0; i < group->GetMemberCount(); ++i) {
            count += group->GetMemberAt(i)->GetId() == LString("case_display") ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(1, caseDisplays());
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("2"), false);
    mPDA->Close();
    mBar->Maximize(false);
    EXPECT_EQ(1, caseDisplays());
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("0"), false);
    mPDA->Close();
    mBar->Maximize(false);
    EXPECT_EQ(0, caseDisplays());

    // Hovering a menu button shows its text above the mouse.
    LMouse::Get()->OnMove(MenuButton("phone"));
    mPDA->OnButton(LString("phone"), XBTNEVENT_ENTER);
    EXPECT_TRUE(mPDA->GetToolTip()->IsFadingIn());
    EXPECT_EQ(LString("Phone"), mPDA->GetToolTip()->GetTextArea()->GetText());
    EXPECT_FLOAT_EQ(MenuButton("phone").y - 20.0f, mPDA->GetToolTip()->GetLocalPosition().y);

    // The drag strip moves the PDA anywhere, also partly off the screen.
    LMouse::Get()->OnMove(LVector2(300.0f, 105.0f));
    mPDA->OnButton(LString("dragbutton"), XBTNEVENT_PRESSED);
    LMouse::Get()->OnMove(LVector2(750.0f, 5.0f));
    LMouse::Get()->OnButtonUp(1);
    EXPECT_FLOAT_EQ(550.0f, group->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(0.0f, group->GetLocalPosition().y);
    LMouse::Get()->OnMove(LVector2(10.0f, 10.0f));
    EXPECT_FLOAT_EQ(550.0f, group->GetLocalPosition().x);
}

namespace {

class PDAShortTipsTest : public PDATest
{
protected:
    PDAShortTipsTest() { mTips = "PDA_map=\nPDA_inv=Inventory\n"; }
};

} // namespace

TEST_F(PDAShortTipsTest, AMissingTextIsNamedAndAnEmptyOneShowsNothing)
{
    OpenOn("inventory");
    mPDA->OnButton(LString("phone"), XBTNEVENT_ENTER);
    EXPECT_TRUE(mPDA->GetToolTip()->IsFadingIn());
    EXPECT_EQ(LString("Tooltip missing"), mPDA->GetToolTip()->GetTextArea()->GetText());
    mPDA->GetToolTip()->Hide();
    mPDA->OnButton(LString("map"), XBTNEVENT_ENTER);
    EXPECT_FALSE(mPDA->GetToolTip()->IsFadingIn());
}

TEST_F(PDATest, TheBarIsDraggedWithinTheScreen)
{
    LDisplayGroup* bar = mBar->GetBar();
    const LVector2 home = mBar->GetBarPosition();
    LMouse::Get()->OnMove(home + LVector2(5.0f, 5.0f));
    LMouse::Get()->OnButtonDown(1);
    const struct
    {
        float mX, mY, mWantX, mWantY;
    } kMoves[] = {
        {-300.0f, -300.0f, 0.0f, 5.0f},
        {900.0f, 900.0f, 630.0f, 492.0f},
        {305.0f, 205.0f, 300.0f, 200.0f},
    };
    for (const auto& move : kMoves) {
        LMouse::Get()->OnMove(LVector2(move.mX, move.mY));
        EXPECT_FLOAT_EQ(move.mWantX, bar->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(move.mWantY, bar->GetLocalPosition().y);
    }
    LMouse::Get()->OnButtonUp(1);
    LMouse::Get()->OnMove(LVector2(50.0f, 50.0f));
    EXPECT_FLOAT_EQ(300.0f, bar->GetLocalPosition().x);
}

// The move button stays active and registered with the mouse while a group above it is
// hidden: the press must pass it by all the same. Hidden mode (the bar inactive) and a
// screen that hides the bar (its buttons off the mouse) keep it out of reach too. Shown
// again, the same press drags the bar.
TEST_F(PDATest, TheBarsMoveButtonTakesNoPressWhileTheBarCannotBeSeen)
{
    LButton* move = dynamic_cast<LButton*>(mBar->GetBar()->GetMember(LString("move")));
    ASSERT_NE(nullptr, move);
    const struct
    {
        const char* mName;
        std::function<void(bool)> mHide;
    } kHides[] = {
        {"the bar's group", [&](bool aHidden) { mBar->GetBar()->SetVisible(!aHidden); }},
        {"the bar's root", [&](bool aHidden) { mBar->GetRoot()->SetVisible(!aHidden); }},
        {"hidden mode",
         [&](bool aHidden) {
             GMOptions::GetInstance()->SetToggle(1, aHidden ? 1 : 0);
             mBar->Show();
         }},
        {"a screen that hides the bar",
         [&](bool aHidden) {
             if (aHidden) {
                 mBar->Hide();
             } else {
                 mBar->Show();
             }
         }},
    };
    // Drags from the move button's corner to the point and tells whether the button took it.
    // The drags are a second apart, so that no press is a double click.
    const auto drag = [&](const LVector2& aTo) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 1.0);
        LMouse::Get()->OnMove(mBar->GetBarPosition() + LVector2(5.0f, 5.0f));
        LMouse::Get()->OnButtonDown(1);
        const bool pressed = move->IsPressed();
        LMouse::Get()->OnMove(aTo + LVector2(5.0f, 5.0f));
        LMouse::Get()->OnButtonUp(1);
        LMouse::Get()->OnMove(LVector2(700.0f, 10.0f));
        return pressed;
    };
    // Each shown drag goes a little further, so that each one moves the bar.
    LVector2 to(300.0f, 200.0f);
    for (const auto& hide : kHides) {
        hide.mHide(true);
        const LVector2 before = mBar->GetBar()->GetLocalPosition();
        EXPECT_FALSE(drag(to)) << hide.mName;
        EXPECT_FLOAT_EQ(before.x, mBar->GetBar()->GetLocalPosition().x) << hide.mName;
        EXPECT_FLOAT_EQ(before.y, mBar->GetBar()->GetLocalPosition().y) << hide.mName;

        hide.mHide(false);
        EXPECT_TRUE(drag(to)) << hide.mName;
        EXPECT_FLOAT_EQ(to.x, mBar->GetBar()->GetLocalPosition().x) << hide.mName;
        EXPECT_FLOAT_EQ(to.y, mBar->GetBar()->GetLocalPosition().y) << hide.mName;
        to += LVector2(10.0f, 10.0f);
    }
}

TEST_F(PDATest, FlashBlinksTheIconAndPlaysTheMessage)
{
    GMOptions::GetInstance()->mVolume = 0.25f;
    ASSERT_EQ(1, mBar->Flash(1, 4.0f, 0.8f));
    LIDisplayObject* phone = mBar->GetIcon(1);
    EXPECT_TRUE(phone->GetVisible());
    ASSERT_EQ(1u, LFakeSoundPlayer::Live().size());
    EXPECT_EQ(LString("messageFlash"), LFakeSoundPlayer::Live()[0]->mId);
    EXPECT_EQ(LString("//sounds/message.mp2"), LFakeSoundPlayer::Live()[0]->mFileName);
    EXPECT_FLOAT_EQ(0.25f, LFakeSoundPlayer::Live()[0]->mVolume);
    EXPECT_TRUE(LFakeSoundPlayer::Live()[0]->mPlaying);
    const struct
    {
        double mAt;
        bool mVisible;
    } kFrames[] = {{0.7, true}, {0.85, false}, {1.6, false}, {1.7, true}, {2.55, false}, {4.1, false}, {4.95, false}};
    for (const auto& frame : kFrames) {
        LFakeTimer::FrameAt(frame.mAt);
        EXPECT_EQ(frame.mVisible, phone->GetVisible()) << frame.mAt;
    }
    EXPECT_FALSE(mBar->IsFlashing());
    LFakeSoundPlayer::Live()[0]->End();
    EXPECT_TRUE(LFakeSoundPlayer::Live().empty());

    // Without a duration it blinks until stopped, or until a maximize.
    mBar->Flash(0, 0.0f, 0.5f);
    LFakeTimer::FrameAt(100.0);
    EXPECT_TRUE(mBar->IsFlashing());
    mBar->StopFlash(3);
    EXPECT_FALSE(mBar->IsFlashing());
    EXPECT_FALSE(mBar->GetIcon(0)->GetVisible());
    mBar->Flash(2, 0.0f, 0.5f);
    mBar->Maximize(true);
    EXPECT_FALSE(mBar->IsFlashing());
    EXPECT_FALSE(mBar->GetIcon(2)->GetVisible());
}

TEST_F(PDATest, ANewItemBlinksTwiceOnTheBar)
{
    LPropertyList entry;
    ASSERT_TRUE(ItemEntry(entry));
    mBar->ShowNewItem(&entry);
    LIDisplayObject* picture = mBar->GetNewItem();
    ASSERT_NE(nullptr, picture);
    EXPECT_FLOAT_EQ(73.0f, picture->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(27.0f, picture->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(100.0f, picture->GetRelativeZ());
    EXPECT_FLOAT_EQ(0.7f, picture->GetBlend());
    const struct
    {
        double mAt;
        bool mVisible;
    } kFrames[] = {{0.2, false}, {0.31, true}, {0.62, false}, {0.93, true}};
    for (const auto& frame : kFrames) {
        LFakeTimer::FrameAt(frame.mAt);
        ASSERT_EQ(picture, mBar->GetNewItem());
        EXPECT_EQ(frame.mVisible, picture->GetVisible()) << frame.mAt;
    }
    LFakeTimer::FrameAt(1.24);
    EXPECT_EQ(nullptr, mBar->GetNewItem());

    // A second item replaces the first.
    mBar->ShowNewItem(&entry);
    mBar->ShowNewItem(&entry);
    EXPECT_NE(nullptr, mBar->GetNewItem());
    int pictures = 0;
    for (int i = 0; i < mBar->GetBar()->GetMemberCount(); ++i) {
        pictures += mBar->GetBar()->GetMemberAt(i)->GetId() == LString("badge") ? 1 : 0;
    }
    EXPECT_EQ(1, pictures);

    // While an interview runs the maximize button does nothing.
    mScene->SetInterviewRunning(true);
    mBar->OnButton(LString("maximize"), XBTNEVENT_PRESSED);
    EXPECT_FALSE(mBar->IsAnimating());
    EXPECT_TRUE(mScene->Take().empty());
}

TEST_F(PDATest, HiddenModeOpensOnTheSecondButton)
{
    GMOptions::GetInstance()->SetToggle(1, 1);
    mBar->Show();
    EXPECT_FALSE(mBar->IsShown());
    LMouse::Get()->OnButtonDown(2);
    LMouse::Get()->OnButtonUp(2);
    EXPECT_TRUE(mBar->IsAnimating());
    LFakeTimer::FrameAt(0.4);
    EXPECT_TRUE(mPDA->IsOpen());
    mScene->Take();
    // Closing never animates and leaves the bar hidden.
    EXPECT_EQ(1, mBar->Minimize(true));
    EXPECT_EQ(std::vector<int>({5, 1}), mScene->Take());
    EXPECT_FALSE(mBar->IsShown());
}

// A new item or a flash during a zoom used to stop the zoom: the PDA never opened and the
// scene never had its input back. Now the three jobs run side by side.
TEST_F(PDATest, AZoomGoesOnThroughNewItemsAndFlashes)
{
    LPropertyList entry;
    ASSERT_TRUE(ItemEntry(entry));
    mBar->ShowNewItem(&entry);
    mBar->Flash(1, 0.2f, 0.1f);
    ASSERT_EQ(1, mBar->Maximize(true));
    LFakeTimer::FrameAt(0.15);
    EXPECT_FLOAT_EQ(2.0f, mBar->GetBar()->GetScale().x);
    LFakeTimer::FrameAt(0.35);
    EXPECT_TRUE(mPDA->IsOpen());
    mScene->Take();

    mPDA->CloseToBar();
    mBar->Flash(1, 0.1f, 0.05f);
    LFakeTimer::FrameAt(0.5);
    LFakeTimer::FrameAt(0.7);
    EXPECT_FALSE(mBar->IsFlashing());
    EXPECT_TRUE(mBar->IsMinimized());
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_EQ(std::vector<int>({0, 5, 1}), mScene->Take());
}

// A flash while the last message still played used to leak the old player, whose end
// notice then deleted the new one.
TEST_F(PDATest, ASecondFlashReplacesThePlayingMessage)
{
    mBar->Flash(1, 4.0f, 0.8f);
    mBar->Flash(1, 4.0f, 0.8f);
    EXPECT_EQ(2u, LFakeSoundManager::sMade.size());
    ASSERT_EQ(1u, LFakeSoundPlayer::Live().size());
    LFakeSoundPlayer* second = LFakeSoundPlayer::Live()[0];
    EXPECT_EQ(mBar->GetMessageSound(), second);
    EXPECT_TRUE(second->mPlaying);
    LFakeTimer::FrameAt(0.1);
    EXPECT_EQ(second, mBar->GetMessageSound());
    second->MarkEnded();
    LFakeTimer::FrameAt(0.2);
    EXPECT_EQ(nullptr, mBar->GetMessageSound());
    EXPECT_TRUE(LFakeSoundPlayer::Live().empty());
}

// The whole road with the mouse: the bar's maximize button, a panel button, exit, and
// the menu button.
TEST_F(PDATest, ClicksOpenChangeAndCloseThePDA)
{
    LIDisplayObject* maximize = mBar->GetBar()->GetMember(LString("maximize"));
    ASSERT_NE(nullptr, maximize);
    const LVector2 onMaximize = maximize->GetWorldPosition() + LVector2(10.0f, 10.0f);
    Click(onMaximize.x, onMaximize.y);
    EXPECT_FALSE(mScene->IsInputEnabled());
    LFakeTimer::FrameAt(0.4);
    ASSERT_TRUE(mPDA->IsOpen());
    EXPECT_EQ(std::vector<int>({2, 4, 3}), mScene->Take());

    const LVector2 onLog = MenuButton("log");
    Click(onLog.x, onLog.y);
    ASSERT_NE(nullptr, mPDA->GetCurrentPanel());
    EXPECT_EQ(LString("log"), mPDA->GetCurrentPanel()->GetId());
    LFakeTimer::FrameAt(1.0);

    const LVector2 onExit = MenuButton("exit");
    Click(onExit.x, onExit.y);
    EXPECT_FALSE(mPDA->IsOpen());
    LFakeTimer::FrameAt(1.4);
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_EQ(std::vector<int>({0, 5, 1}), mScene->Take());

    Click(onMaximize.x, onMaximize.y);
    LFakeTimer::FrameAt(2.0);
    ASSERT_TRUE(mPDA->IsOpen());
    EXPECT_EQ(LString("log"), mPDA->GetCurrentPanel()->GetId());
    EXPECT_TRUE(mPDA->GetCurrentPanel()->IsShown());
    const LVector2 onMenu = MenuButton("menu");
    Click(onMenu.x, onMenu.y);
    LIState* menu = LStateManager::Get()->GetState(LString("sta_mainmenu_active"));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(1, *static_cast<unsigned char*>(menu->GetValue()));
}

// Exit deletes the game's singletons, then the engine's: the PDA goes last and must not
// reach for the bar or anything already gone.
TEST_F(PDATest, ExitWithThePDAOpenOnAPanel)
{
    OpenOn("phone");
    mPDA->OnButton(LString("dragbutton"), XBTNEVENT_PRESSED);
    GMSceneManager::GetInstance()->SetScene(nullptr);
    mLog.Clear();
    delete GMCleaner::GetInstance();
    EXPECT_NE(nullptr, GMPDA::GetInstance());
    delete LCleaner::Get();
    EXPECT_EQ(nullptr, GMPDA::GetInstance());
    EXPECT_EQ(0, mLog.Count("ASSERT FAILURE")) << mLog.Bytes();
}

TEST(PDAPanels, ThePanelTableAndTheInventoryStandAlone)
{
    LLogCapture log;
    RegisterFakeRender();
    GMPDA* pda = GMPDA::GetInstance();
    ASSERT_NE(nullptr, pda);
    for (const char* id : {"inventory", "map", "log", "phone"}) {
        GMIPDAPanel* panel = pda->GetPanel(LString(id));
        ASSERT_NE(nullptr, panel) << id;
        EXPECT_EQ(LString(id), panel->GetId());
        EXPECT_EQ(pda->GetGroup(), panel->GetGroup()->GetGroup());
        EXPECT_FALSE(panel->GetGroup()->GetActive());
    }
    // Without its item data the inventory takes nothing.
    EXPECT_FALSE(pda->GetInventoryPanel()->AddItem(LString("badge")));
    EXPECT_EQ(1, log.Count("GMInventoryPanel unable to add item: badge"));
    EXPECT_EQ(0, pda->AddPanel(LString("MAP"), pda->GetPanel(LString("map"))));
    EXPECT_EQ(1, log.Count("AddPanel failure. Duplicate found:MAP"));
}
