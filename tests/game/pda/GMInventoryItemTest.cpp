// Inventory items in the open PDA, driven through the mouse: click or drag, drops on free
// and filled cells with the glow, presses outside the scroll area, the hover tooltip and
// badges, and the multi-cursor's use, analyze and look.
#include "pda/GMInventoryItem.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMInventorySpace.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "support/GMTestInventory.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMMessageBox.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kDescriptions = "pen\n"
                                  "\tanalysed\n\t\tactive=script[e[pen_CL_R]]\n\t\ttext=Ao|B-A\n"
                                  "\tplain\n\t\ttext=A-o\n"
                                  "w01\n\tlater\n\t\tactive=script[e[evt_never]]\n\t\ttext=B\n";

class InventoryItemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 1.0;
        const std::string items = TestItemsFile({{1, "pen", "evidence"},
                                                 {1, "a", "evidence"},
                                                 {1, "w01", "witnesses"},
                                                 {1, "doc01", "documents"},
                                                 {1, "rep01", "reports"}});
        ASSERT_TRUE(WriteTestInventory(mRoots, items, "pen=Ao-B\n", 1));
        mRoots.Write("data/textures/pda/inventory/inventory_descriptions.txt", kDescriptions);
        const std::filesystem::path menu = std::filesystem::path(LSampleRoots::Directory()) / "textures" / "menu";
        for (const auto& file : std::filesystem::directory_iterator(menu)) {
            std::ifstream in(file.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            mRoots.Write("data/textures/menu/" + file.path().filename().string(), bytes.str());
        }
        mPDA = GMPDA::GetInstance();
        ASSERT_NE(nullptr, mPDA);
        mPanel = mPDA->GetInventoryPanel();
        mPDA->Open();
        ASSERT_EQ(1, mPDA->SetPanel(LString("inventory")));
        LFakeTimer::FrameAt(2.0);
        ASSERT_TRUE(mPanel->AddItem(LString("pen")));
        mEvidence = mPanel->GetSubpanel(GMInventoryPanel::CATEGORY_EVIDENCE);
        mPen = mEvidence->GetItem(LString("pen"));
        ASSERT_NE(nullptr, mPen);
        mMenu = GMMultiCursor::GetInstance();
        ASSERT_NE(nullptr, mMenu);
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // The middle of cell aCell of the shown sub-panel, on the screen.
    LVector2 Cell(int aCell) const
    {
        return mEvidence->GetSpace(aCell)->GetCell()->GetWorldPosition() + LVector2(28.0f, 24.0f);
    }

    // A press at aFrom, moves through aPath, a release.
    static void Press(const LVector2& aFrom, std::initializer_list<LVector2> aPath)
    {
        LMouse* mouse = LMouse::Get();
        mouse->OnMove(aFrom);
        mouse->OnButtonDown(1);
        for (const LVector2& to : aPath) {
            mouse->OnMove(to);
        }
        mouse->OnButtonUp(1);
    }

    void CloseMenu()
    {
        mMenu->Hide(false);
        mMenu->RemoveListener(mMenu->GetListener());
        LFakeTimer::Frames(12, 0.05);
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMPDA* mPDA = nullptr;
    GMInventoryPanel* mPanel = nullptr;
    GMInventorySubpanel* mEvidence = nullptr;
    GMInventoryItem* mPen = nullptr;
    GMMultiCursor* mMenu = nullptr;
};

} // namespace

TEST_F(InventoryItemTest, AShortPressIsAClickALongerOneADrag)
{
    const LVector2 at = Cell(0);
    const struct
    {
        const char* mName;
        std::initializer_list<LVector2> mPath;
        bool mClick;
    } kCases[] = {
        {"7.5 pixels", {at + LVector2(0.0f, 7.5f)}, false},
        {"20 pixels and back", {at + LVector2(-20.0f, 0.0f), at}, false},
        {"7 pixels", {at + LVector2(7.0f, -7.0f)}, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mName);
        LFakeTimer::sNow += 1.0;
        Press(at, c.mPath);
        // A drag over its own cell puts the item back.
        EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
        EXPECT_FLOAT_EQ(0.0f, mPen->GetGroup()->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(0.0f, mPen->GetGroup()->GetLocalPosition().y);
        EXPECT_EQ(c.mClick ? mPen : nullptr, mMenu->GetListener());
    }
    const LVector2 menuAt = mPen->GetGroup()->GetWorldPosition() + LVector2(50.0f, 0.0f);
    EXPECT_FLOAT_EQ(menuAt.x, mMenu->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(menuAt.y, mMenu->GetLocalPosition().y);
    const struct
    {
        int mAction;
        bool mEnabled;
    } kActions[] = {{GMMultiCursorAction::USE, true},
                    {GMMultiCursorAction::COLLECT, false},
                    {GMMultiCursorAction::ANALYZE, true},
                    {GMMultiCursorAction::TALK, false},
                    {GMMultiCursorAction::LOOK, true}};
    for (const auto& action : kActions) {
        EXPECT_EQ(action.mEnabled, mMenu->IsActionEnabled(action.mAction)) << action.mAction;
    }
}

TEST_F(InventoryItemTest, APressOutsideTheScrollAreaDoesNothing)
{
    // Row 4 lies below the scroll area's clip.
    GMInventoryItem* pen = nullptr;
    ASSERT_TRUE(mEvidence->RemoveItemById(LString("pen"), &pen));
    ASSERT_TRUE(mEvidence->SetItemAtIndex(pen, 16));
    const LVector2 at = Cell(16);
    for (auto path : {std::initializer_list<LVector2> {at}, {at + LVector2(30.0f, 0.0f)}}) {
        LFakeTimer::sNow += 1.0;
        Press(at, path);
        EXPECT_EQ(nullptr, mMenu->GetListener());
        EXPECT_FLOAT_EQ(49.0f * 4, pen->GetGroup()->GetLocalPosition().y);
    }
    // Nor does resting there show the tooltip.
    LFakeTimer::FrameAt(LFakeTimer::sNow + 2.0);
    EXPECT_FALSE(pen->GetToolTip()->GetVisible());
}

TEST_F(InventoryItemTest, DropsOnFreeAndFilledCells)
{
    LSprite* glow = mEvidence->GetGlow();
    ASSERT_NE(nullptr, glow);
    mLog.Clear();
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(Cell(0));
    mouse->OnButtonDown(1);
    mouse->OnMove(Cell(5));
    EXPECT_TRUE(glow->GetActive());
    EXPECT_FLOAT_EQ(58.0f, glow->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(49.0f, glow->GetLocalPosition().y);
    mouse->OnButtonUp(1);
    EXPECT_FALSE(glow->GetActive());
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 5));
    EXPECT_EQ(LString(""), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
    EXPECT_FLOAT_EQ(58.0f, mPen->GetGroup()->GetLocalPosition().x);
    EXPECT_EQ(mPen, mEvidence->GetItem(LString("pen")));

    // Onto a filled cell: no glow, and the item goes back.
    ASSERT_TRUE(mPanel->AddItem(LString("a")));
    EXPECT_EQ(LString("a"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
    mouse->OnMove(Cell(5));
    mouse->OnButtonDown(1);
    mouse->OnMove(Cell(0));
    EXPECT_FALSE(glow->GetActive());
    mouse->OnButtonUp(1);
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 5));
    EXPECT_FLOAT_EQ(58.0f, mPen->GetGroup()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(49.0f, mPen->GetGroup()->GetLocalPosition().y);
    EXPECT_EQ(2, mPanel->GetItemCount());

    // A lab result moves under its own id, whatever the case it was added in.
    ASSERT_TRUE(mPanel->AddItem(LString("pen_CL")));
    ASSERT_TRUE(mPanel->SelectCategory(GMInventoryPanel::CATEGORY_REPORTS));
    GMInventorySubpanel* reports = mPanel->GetSubpanel(GMInventoryPanel::CATEGORY_REPORTS);
    const LVector2 from = reports->GetSpace(0)->GetCell()->GetWorldPosition() + LVector2(28.0f, 24.0f);
    Press(from, {reports->GetSpace(2)->GetCell()->GetWorldPosition() + LVector2(28.0f, 24.0f)});
    EXPECT_EQ(LString("pen_cl"), mPanel->GetItem(GMInventoryPanel::CATEGORY_REPORTS, 2));
    EXPECT_EQ(LString(""), mPanel->GetItem(GMInventoryPanel::CATEGORY_REPORTS, 0));
    EXPECT_TRUE(mPanel->AddItem(LString("pen_CL")));
    EXPECT_EQ(3, mPanel->GetItemCount());
    EXPECT_EQ("", mLog.Problems("Could not find width"));
}

TEST_F(InventoryItemTest, TheTooltipAfterOneSecondAndLabBadges)
{
    LToolTip* tip = mPen->GetToolTip();
    ASSERT_NE(nullptr, tip);
    const LVector2 at = Cell(0);
    LFakeTimer::sNow = 10.0;
    LMouse::Get()->OnMove(at);
    LFakeTimer::FrameAt(11.0);
    EXPECT_FALSE(tip->GetVisible());
    LFakeTimer::FrameAt(11.01);
    EXPECT_TRUE(tip->GetVisible());
    EXPECT_FLOAT_EQ(at.x, tip->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(at.y - 20.0f, tip->GetLocalPosition().y);
    LMouse::Get()->OnMove(LVector2(5.0f, 5.0f));
    EXPECT_TRUE(tip->IsFadingOut());

    const struct
    {
        const char* mId;
        const char* mText;
        const char* mBadge;
    } kLabs[] = {{"pen_cl", "Crime Lab: Ao-B", "badge_crimelab"},
                 {"pen_RE", "Research: Ao-B", "badge_research"},
                 {"pen_su", "Surveillance: Ao-B", "badge_surveillance"}};
    GMInventorySubpanel* reports = mPanel->GetSubpanel(GMInventoryPanel::CATEGORY_REPORTS);
    for (const auto& lab : kLabs) {
        SCOPED_TRACE(lab.mId);
        ASSERT_TRUE(mPanel->AddItem(LString(lab.mId)));
        GMInventoryItem* item = reports->GetItem(LString(lab.mId).ToLower());
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(LString(lab.mText), item->GetToolTipText());
        ASSERT_NE(nullptr, item->GetToolTip());
        LIDisplayObject* badge = item->GetGroup()->GetMember(LString(lab.mBadge));
        ASSERT_NE(nullptr, badge);
        EXPECT_FLOAT_EQ(26.0f, badge->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(17.0f, badge->GetLocalPosition().y);
    }
}

TEST_F(InventoryItemTest, AnalyzeSendsToTheLabsOnce)
{
    LEventManager* events = LEventManager::Get();
    LGameClock* clock = LGameClock::Get();
    const struct
    {
        const char* mItem;
        int mCategory;
        std::vector<std::string> mLabs;
    } kCases[] = {
        {"pen", GMInventoryPanel::CATEGORY_EVIDENCE, {"CL", "RE"}},
        {"w01", GMInventoryPanel::CATEGORY_WITNESSES, {"SU", "RE"}},
        {"doc01", GMInventoryPanel::CATEGORY_DOCUMENTS, {"CL", "RE"}},
        {"rep01", GMInventoryPanel::CATEGORY_REPORTS, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mItem);
        ASSERT_TRUE(mPanel->AddItem(LString(c.mItem)));
        ASSERT_TRUE(mPanel->SelectCategory(c.mCategory));
        GMInventoryItem* item = mPanel->GetSubpanel(c.mCategory)->GetItem(LString(c.mItem));
        ASSERT_NE(nullptr, item);
        const int before = events->GetEventCount();
        item->OnAction(GMMultiCursorAction::ANALYZE);
        EXPECT_EQ(before + static_cast<int>(c.mLabs.size()), events->GetEventCount());
        for (const std::string& lab : c.mLabs) {
            EXPECT_TRUE(events->IsRaised(LString((c.mItem + ("_" + lab + "_S")).c_str()))) << lab;
        }
        clock->Advance(4.9f, true);
        item->OnAction(GMMultiCursorAction::ANALYZE);
        EXPECT_EQ(before + static_cast<int>(c.mLabs.size()), events->GetEventCount());
        clock->Advance(0.1f, true);
        for (const std::string& lab : c.mLabs) {
            EXPECT_TRUE(events->IsRaised(LString((c.mItem + ("_" + lab + "_R")).c_str()))) << lab;
        }
        EXPECT_EQ(before + 2 * static_cast<int>(c.mLabs.size()), events->GetEventCount());
    }
}

TEST_F(InventoryItemTest, UseAndLook)
{
    auto shownText = []() {
        GMMessageBox* box = GMMessageBox::GetInstance();
        return box->IsOpen() && box->GetTextArea() != nullptr ? box->GetTextArea()->GetText() : LString("-");
    };
    // No entry chosen: nothing shown; then the fallback, then the entry whose script holds.
    ASSERT_TRUE(mPanel->AddItem(LString("w01")));
    mPanel->GetSubpanel(GMInventoryPanel::CATEGORY_WITNESSES)->GetItem(LString("w01"))->OnAction(GMMultiCursorAction::LOOK);
    EXPECT_FALSE(GMMessageBox::GetInstance()->IsOpen());
    mPen->OnAction(GMMultiCursorAction::LOOK);
    EXPECT_EQ(LString("A-o"), shownText());
    LEventManager::Get()->AddEvent(LString("pen_CL_R"), true);
    mPen->OnAction(GMMultiCursorAction::LOOK);
    EXPECT_EQ(LString("Ao B-A"), shownText());
    GMMessageBox::GetInstance()->Close();

    mMenu->SetListener(mPen);
    mPen->OnAction(GMMultiCursorAction::USE);
    EXPECT_EQ(LString("pen"), GMCursor::GetInstance()->GetItemCursor());
    EXPECT_FALSE(mPDA->IsOpen());
    EXPECT_EQ(nullptr, mMenu->GetListener());
    // Closed with the PDA, the item takes no mouse.
    EXPECT_FALSE(LMouse::Get()->Contains(mPen));
}
