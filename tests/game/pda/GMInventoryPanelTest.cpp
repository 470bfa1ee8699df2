// The inventory panel over the sample's PDA files and test item data: filing items by case
// and category, the ids of lab results, the grid, categories and the shown panel, and the
// saved block (its bytes, the round trip, damaged blocks refused without a change).
#include "pda/GMInventoryPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LToolTip.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventorySpace.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/GMTestInventory.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#include <string>

namespace {

// The log panel takes nothing from its layout, and says so when the PDA builds it.
const char* const kLogNotBuilt = "NYI.";

std::string Int(int32_t aValue)
{
    return std::string(reinterpret_cast<const char*>(&aValue), 4);
}

// An id as the stream writes it: unit count, UTF-16 units, terminator.
std::string Id(const std::string& aId)
{
    std::string bytes = Int(static_cast<int32_t>(aId.size()));
    for (char c : aId) {
        bytes += std::string {c, '\0'};
    }
    return bytes + std::string(2, '\0');
}

// A block whose sub-panel aIndex holds aRecord (count and items) and the others nothing.
std::string Block(int aIndex, const std::string& aRecord)
{
    std::string bytes;
    for (int i = 0; i < GMInventoryPanel::SUBPANEL_COUNT; ++i) {
        bytes += i == aIndex ? aRecord : Int(0);
    }
    return bytes;
}

const std::string kItems = TestItemsFile({{1, "pen", "evidence"},
                                          {1, "w01", "witnesses"},
                                          {1, "doc01", "documents"},
                                          {1, "rep01", "reports"},
                                          {1, "a", "evidence"},
                                          {1, "a_b_c", "documents"},
                                          {1, "odd", "nothing"},
                                          {1, "untyped", ""},
                                          {2, "knife", "evidence"}});
const char* const kTips = "pen=Fountain pen\nknife=Kitchen knife\n";

class InventoryPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(WriteTestInventory(mRoots, mItems, kTips, mCase));
        mPDA = GMPDA::GetInstance();
        ASSERT_NE(nullptr, mPDA);
        mPanel = mPDA->GetInventoryPanel();
        ASSERT_NE(nullptr, mPanel);
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    static void SelectCase(int aCase)
    {
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"),
                                       LString(std::to_string(aCase).c_str()), false);
    }

    std::string Saved() const
    {
        LMemoryStream stream(64, 64);
        EXPECT_TRUE(mPanel->Write(&stream));
        return WrittenBytes(stream);
    }

    bool ReadBlock(const std::string& aBytes) const
    {
        LMemoryStream stream(4, -1);
        Load(stream, aBytes);
        return mPanel->Read(&stream);
    }

    GMInventorySubpanel* Subpanel(int aCase, int aCategory) const
    {
        return mPanel->GetSubpanel((aCase - 1) * 4 + aCategory);
    }

    int mCase = 1;
    std::string mItems = kItems;
    LLogCapture mLog;
    GMTestRoots mRoots;
    GMPDA* mPDA = nullptr;
    GMInventoryPanel* mPanel = nullptr;
};

class InventoryPanelNoCaseTest : public InventoryPanelTest
{
protected:
    InventoryPanelNoCaseTest() { mCase = 0; }
};

// Case 1's documents: 57 items "x0" ... "x56".
class InventoryPanelFullTest : public InventoryPanelTest
{
protected:
    InventoryPanelFullTest()
    {
        mItems = "items\n\tcase1\n";
        for (int i = 0; i < 57; ++i) {
            mItems += "\t\tx" + std::to_string(i) + "\n\t\t\ttype=documents\n\t\t\tsprite\n\t\t\t\tid=x" +
                      std::to_string(i) + "\n\t\t\t\ttexture=case1_items.tga\n";
        }
    }
};

// Counts double clicks.
class DoubleClicks : public LIMouseListener
{
public:
    void OnDoubleClick(int) override { ++mCount; }
    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    int mCount = 0;
};

} // namespace

TEST_F(InventoryPanelTest, IdsFindTheirEntryAndSubpanel)
{
    SelectCase(2);
    ASSERT_TRUE(mPanel->AddItem(LString("knife_CL")));
    EXPECT_EQ(LString("knife_cl"), mPanel->GetItem(4 + GMInventoryPanel::CATEGORY_REPORTS, 0));
    // The lab result is one item whatever the case of its suffix.
    EXPECT_TRUE(mPanel->AddItem(LString("knife_CL")));
    EXPECT_TRUE(mPanel->AddItem(LString("knife_cl")));
    EXPECT_EQ(1, mPanel->GetItemCount());
    ASSERT_TRUE(mPanel->AddItem(LString("knife")));
    EXPECT_EQ(LString("knife"), mPanel->GetItem(4 + GMInventoryPanel::CATEGORY_EVIDENCE, 0));

    SelectCase(1);
    const struct
    {
        const char* mId;
        int mSubpanel;
        const char* mHeld;
    } kCases[] = {
        {"a_b", GMInventoryPanel::CATEGORY_EVIDENCE, "a"},
        {"a_b_c", GMInventoryPanel::CATEGORY_DOCUMENTS, "a_b_c"},
        {"pen_Su", GMInventoryPanel::CATEGORY_REPORTS, "pen_su"},
        {"pen_re", GMInventoryPanel::CATEGORY_REPORTS, "pen_re"},
        {"w01", GMInventoryPanel::CATEGORY_WITNESSES, "w01"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mId);
        ASSERT_TRUE(mPanel->AddItem(LString(c.mId)));
        EXPECT_NE(nullptr, mPanel->GetSubpanel(c.mSubpanel)->GetItem(LString(c.mHeld)));
    }
    EXPECT_EQ(LString("pen_re"), mPanel->GetItem(GMInventoryPanel::CATEGORY_REPORTS, 1));
    EXPECT_EQ(7, mPanel->GetItemCount());
    EXPECT_EQ("", mLog.ProblemsBut({"Could not find width", kLogNotBuilt}));

    // Refusals change nothing: an unknown key (a plain line), a key of another case, a
    // type that names no category, an entry without type.
    EXPECT_FALSE(mPanel->AddItem(LString("zzz_CL")));
    const std::vector<std::string> lines = mLog.Lines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "GMInventoryPanel unable to add item: zzz")) << mLog.Bytes();
    EXPECT_FALSE(mPanel->AddItem(LString("knife")));
    EXPECT_FALSE(mPanel->AddItem(LString("odd")));
    EXPECT_EQ(1, mLog.Count("Invalid panel type."));
    EXPECT_FALSE(mPanel->AddItem(LString("untyped")));
    EXPECT_EQ(1, mLog.Count("'type' not found."));
    EXPECT_EQ(7, mPanel->GetItemCount());
}

TEST_F(InventoryPanelNoCaseTest, WithoutASelectedCaseItemsGoToCaseOne)
{
    EXPECT_EQ(1, mPanel->GetCase());
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
}

TEST_F(InventoryPanelTest, TheGridAndAFullSubpanel)
{
    GMInventorySubpanel* evidence = Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE);
    EXPECT_EQ(691, evidence->GetContentHeight());
    for (int i : {0, 1, 3, 4, 5, 54, 55}) {
        SCOPED_TRACE(i);
        LSprite* cell = evidence->GetSpace(i)->GetCell();
        ASSERT_NE(nullptr, cell);
        EXPECT_EQ(LString("gridbox_") + i, cell->GetId());
        EXPECT_FLOAT_EQ(58.0f * (i % 4), cell->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(49.0f * (i / 4), cell->GetLocalPosition().y);
    }

    // Items take the first free cell.
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    ASSERT_TRUE(mPanel->AddItem(LString("a")));
    GMInventoryItem* pen = nullptr;
    ASSERT_TRUE(evidence->RemoveItemById(LString("pen"), &pen));
    ASSERT_TRUE(evidence->SetItemAtIndex(pen, 9));
    ASSERT_TRUE(mPanel->AddItem(LString("pen_cl")));
    EXPECT_EQ(LString("a"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 1));
    EXPECT_EQ(LString("pen_cl"), mPanel->GetItem(GMInventoryPanel::CATEGORY_REPORTS, 0));
    EXPECT_FLOAT_EQ(58.0f, pen->GetGroup()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(98.0f, pen->GetGroup()->GetLocalPosition().y);
}

TEST_F(InventoryPanelFullTest, AFullSubpanelRefusesTheNextItemBeforeMakingIt)
{
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    bar->Show();
    for (int i = 0; i < 56; ++i) {
        ASSERT_TRUE(mPanel->AddItem(LString("x") + i));
    }
    ASSERT_NE(nullptr, bar->GetNewItem());
    EXPECT_EQ(LString("x55"), bar->GetNewItem()->GetId());
    mLog.Clear();
    EXPECT_FALSE(mPanel->AddItem(LString("x56")));
    EXPECT_EQ(1, mLog.Count("ERROR: ")) << mLog.Bytes();
    EXPECT_EQ(LString("x55"), bar->GetNewItem()->GetId());
    EXPECT_EQ(56, mPanel->GetItemCount());
    // An item held already is still taken as held.
    EXPECT_TRUE(mPanel->AddItem(LString("x3")));
}

TEST_F(InventoryPanelTest, TheSavedBlockAndItsRoundTrip)
{
    EXPECT_EQ(std::string(64, '\0'), Saved());
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    const std::string pen = Int(0) + Int(1) + Int(0) + Int(3) + std::string("p\0e\0n\0\0\0", 8) + std::string(56, '\0');
    EXPECT_EQ(Hex(pen), Hex(Saved()));

    // Lab results under their own ids, an item moved to another cell, other cases.
    ASSERT_TRUE(mPanel->AddItem(LString("pen_CL")));
    ASSERT_TRUE(mPanel->AddItem(LString("w01")));
    SelectCase(2);
    ASSERT_TRUE(mPanel->AddItem(LString("knife_Re")));
    GMInventorySubpanel* evidence = Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE);
    GMInventoryItem* moved = nullptr;
    ASSERT_TRUE(evidence->RemoveItemById(LString("pen"), &moved));
    ASSERT_TRUE(evidence->SetItemAtIndex(moved, 9));
    const std::string expected = Int(1) + Int(0) + Id("w01") + Int(1) + Int(9) + Id("pen") + Int(0) + Int(1) +
                                 Int(0) + Id("pen_cl") + Int(0) + Int(0) + Int(0) + Int(1) + Int(0) +
                                 Id("knife_re") + std::string(32, '\0');
    const std::string saved = Saved();
    ASSERT_EQ(Hex(expected), Hex(saved));

    mPanel->RemoveAllItems();
    EXPECT_EQ(0, mPanel->GetItemCount());
    ASSERT_TRUE(ReadBlock(saved));
    EXPECT_EQ(Hex(saved), Hex(Saved()));
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 9));
    // A lab result read back is the same item: adding it again adds nothing.
    EXPECT_TRUE(mPanel->AddItem(LString("knife_RE")));
    EXPECT_EQ(4, mPanel->GetItemCount());
    EXPECT_EQ("", mLog.ProblemsBut({"Could not find width", kLogNotBuilt}));
}

TEST_F(InventoryPanelTest, DamagedBlocksAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    const std::string before = Saved();
    const std::string good = Block(1, Int(1) + Int(4) + Id("pen"));
    const struct
    {
        const char* mName;
        std::string mBytes;
    } kCases[] = {
        {"empty", ""},
        {"cut in a count", good.substr(0, 2)},
        {"cut in an id", good.substr(0, 4 + 4 + 4 + 4 + 3)},
        {"cut before the terminator", good.substr(0, 4 + 4 + 4 + 4 + 6)},
        {"last record missing", good.substr(0, good.size() - 4)},
        {"negative count", Block(1, Int(-1))},
        {"57 items", Block(1, Int(57) + std::string(57 * 16, '\0'))},
        {"count beyond the bytes", Block(15, Int(2) + Int(0) + Id("pen"))},
        {"cell 56", Block(1, Int(1) + Int(56) + Id("pen"))},
        {"cell -1", Block(1, Int(1) + Int(-1) + Id("pen"))},
        {"two items in a cell", Block(1, Int(2) + Int(3) + Id("pen") + Int(3) + Id("a"))},
        {"an id twice", Block(1, Int(2) + Int(3) + Id("pen") + Int(4) + Id("pen"))},
        {"negative id length", Block(1, Int(1) + Int(0) + Int(-1) + std::string(8, '\0'))},
        {"id longer than the bytes", Block(1, Int(1) + Int(0) + Int(1000) + std::string("p\0\0\0", 4))},
        {"empty id", Block(1, Int(1) + Int(0) + Int(0) + std::string(2, '\0'))},
        {"no terminator", Block(1, Int(1) + Int(0) + Int(3) + std::string("p\0e\0n\0x\0", 8))},
        {"a 0 inside the id", Block(1, Int(1) + Int(0) + Int(3) + std::string("p\0\0\0n\0\0\0", 8))},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mName);
        mLog.Clear();
        EXPECT_FALSE(ReadBlock(c.mBytes));
        EXPECT_EQ(1, mLog.Count("ERROR: ")) << mLog.Bytes();
        EXPECT_EQ(Hex(before), Hex(Saved()));
    }
    // The same blocks through a stream that cannot tell its length.
    for (size_t cut : {size_t(2), size_t(19), good.size() - 4}) {
        LLimitedStream stream(static_cast<int>(cut));
        EXPECT_FALSE(mPanel->Read(&stream)) << cut;
        EXPECT_EQ(Hex(before), Hex(Saved()));
    }
}

TEST_F(InventoryPanelTest, AnIdWithoutEntryIsDroppedSilently)
{
    mLog.Clear();
    ASSERT_TRUE(ReadBlock(Block(1, Int(3) + Int(0) + Id("ghost") + Int(4) + Id("pen") + Int(5) + Id("knife"))));
    EXPECT_EQ(1, mPanel->GetItemCount());
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 4));
    EXPECT_EQ("", mLog.ProblemsBut({"Could not find width", kLogNotBuilt}));
}

TEST_F(InventoryPanelTest, ItemsMadeAgainShareTheirTooltip)
{
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    GMInventorySubpanel* evidence = Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE);
    LToolTip* tip = evidence->GetItem(LString("pen"))->GetToolTip();
    ASSERT_NE(nullptr, tip);
    const std::string saved = Saved();
    for (int load = 0; load < 2; ++load) {
        ASSERT_TRUE(ReadBlock(saved));
        EXPECT_EQ(tip, evidence->GetItem(LString("pen"))->GetToolTip());
    }
    EXPECT_EQ(0, mLog.Count("CreateToolTip failure")) << mLog.Bytes();
}

TEST_F(InventoryPanelTest, ACellHoldsOneItem)
{
    ASSERT_TRUE(mPanel->AddItem(LString("pen")));
    GMInventorySubpanel* evidence = Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE);
    const int members = evidence->GetGroup()->GetMemberCount();
    // A second item for the filled cell is refused and deleted, not left without a cell.
    auto* other = new GMInventoryItem();
    LPropertyList entry;
    const std::string text = "sprite\n\tid=a\n\ttexture=case1_items.tga\n";
    ASSERT_TRUE(entry.Parse(text.c_str(), static_cast<int>(text.size())));
    ASSERT_TRUE(other->Create(&entry, 0));
    mLog.Clear();
    EXPECT_FALSE(evidence->SetItemAtIndex(other, 0));
    EXPECT_EQ(1, mLog.Count("SetItem failure. Space already filled.")) << mLog.Bytes();
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
    EXPECT_EQ(nullptr, evidence->GetItem(LString("a")));
    EXPECT_EQ(members, evidence->GetGroup()->GetMemberCount());
    EXPECT_EQ(1, mPanel->GetItemCount());
}

TEST_F(InventoryPanelTest, ShownPanelCategoriesAndDoubleClicks)
{
    LMouse* mouse = LMouse::Get();
    mouse->SetDoubleClickEnabled(true);
    DoubleClicks clicks;
    mouse->AddMember(&clicks, 5.0f);
    auto doubleClick = [mouse]() {
        for (int i = 0; i < 2; ++i) {
            mouse->OnMove(LVector2(5.0f, 5.0f));
            mouse->OnButtonDown(1);
            mouse->OnButtonUp(1);
        }
    };
    mPDA->Open();
    ASSERT_EQ(1, mPDA->SetPanel(LString("inventory")));
    EXPECT_EQ(GMInventoryPanel::CATEGORY_EVIDENCE, mPanel->GetCategory());
    EXPECT_TRUE(Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE)->GetGroup()->IsActive());
    for (int i = 0; i < 4; ++i) {
        auto* button = dynamic_cast<LButton*>(mPanel->GetMenuGroup()->GetMember(LString(
            i == 0 ? "witnesses" : i == 1 ? "evidence" : i == 2 ? "documents" : "reports")));
        ASSERT_NE(nullptr, button) << i;
        EXPECT_EQ(i != GMInventoryPanel::CATEGORY_EVIDENCE, button->IsEnabled()) << i;
    }
    doubleClick();
    EXPECT_EQ(0, clicks.mCount);

    // The same category again keeps the scroll; another one resets it.
    LScrollBar* bar = mPDA->GetScrollBar();
    ASSERT_NE(nullptr, bar);
    bar->ScrollDown();
    const int scrolled = bar->GetContentPosition();
    EXPECT_NE(0, scrolled);
    mPanel->OnButton(LString("evidence"), XBTNEVENT_PRESSED);
    EXPECT_EQ(scrolled, bar->GetContentPosition());
    // The wheel scrolls too: back down, forward up.
    mouse->OnWheel(-120.0f);
    EXPECT_LT(scrolled, bar->GetContentPosition());
    mouse->OnWheel(120.0f);
    EXPECT_EQ(scrolled, bar->GetContentPosition());
    mPanel->OnButton(LString("documents"), XBTNEVENT_PRESSED);
    EXPECT_EQ(GMInventoryPanel::CATEGORY_DOCUMENTS, mPanel->GetCategory());
    EXPECT_EQ(0, bar->GetContentPosition());
    EXPECT_FALSE(Subpanel(1, GMInventoryPanel::CATEGORY_EVIDENCE)->GetGroup()->IsActive());
    EXPECT_TRUE(Subpanel(1, GMInventoryPanel::CATEGORY_DOCUMENTS)->GetGroup()->IsActive());
    mPanel->OnButton(LString("nothing"), XBTNEVENT_PRESSED);
    EXPECT_EQ(GMInventoryPanel::CATEGORY_DOCUMENTS, mPanel->GetCategory());

    mPDA->Close();
    EXPECT_FALSE(mPanel->IsShown());
    EXPECT_EQ(nullptr, mPanel->GetMenuGroup()->GetMember(LString("documents")));
    EXPECT_FALSE(Subpanel(1, GMInventoryPanel::CATEGORY_DOCUMENTS)->GetGroup()->GetActive());
    LFakeTimer::sNow = 5.0;
    doubleClick();
    EXPECT_EQ(1, clicks.mCount);
    mouse->RemoveListener(&clicks);
}

// A case or category outside the 16 sub-panels is refused, not indexed.
TEST_F(InventoryPanelTest, ACaseOrCategoryOutsideTheSubpanelsIsRefused)
{
    for (int category : {-1, GMInventoryPanel::CATEGORY_NONE}) {
        EXPECT_FALSE(mPanel->SelectCategory(category)) << category;
        EXPECT_EQ(GMInventoryPanel::CATEGORY_EVIDENCE, mPanel->GetCategory());
    }
    for (int selected : {0, 5}) {
        SCOPED_TRACE(selected);
        SelectCase(selected);
        mLog.Clear();
        ASSERT_TRUE(mPanel->AddItem(LString("pen")));
        EXPECT_EQ(1, mLog.Count("Invalid selected case: " + std::to_string(selected)));
        EXPECT_EQ(1, mPanel->GetCase());
    }
    EXPECT_EQ(LString("pen"), mPanel->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));
    EXPECT_EQ(1, mPanel->GetItemCount());
}

TEST_F(InventoryPanelTest, HidingAPanelThatWasNotShownLogsNothingAndShowingStillBuildsItsButtons)
{
    mLog.Clear();
    // The PDA hides every panel as it closes, the ones never shown too.
    mPanel->Hide();
    mPanel->Hide();
    EXPECT_EQ(0, mLog.Count("ERROR: ")) << mLog.Bytes();
    ASSERT_TRUE(mPanel->Show());
    EXPECT_NE(nullptr, mPanel->GetMenuGroup()->GetMember(LString("evidence")));
    mPanel->Hide();
    EXPECT_EQ(nullptr, mPanel->GetMenuGroup()->GetMember(LString("evidence")));
    EXPECT_EQ(0, mLog.Count("Remove member failure")) << mLog.Bytes();
}
