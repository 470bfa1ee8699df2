// The game cursor over the engine cursor: the types and their states, release by owner,
// item cursors, and the highlight ring that follows the mouse.
#include "ui/GMCursor.h"

#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A cursor list entry of the layout form the cursor files use.
std::string Entry(const std::string& aId, int aDepth)
{
    const std::string tabs(aDepth, '\t');
    return tabs + aId + "\n" + tabs + "\tid=" + aId + "\n" + tabs + "\ttexture=a.tga\n";
}

// An item of an inventory case list, with its picture's corners when given.
std::string Item(const std::string& aId, const std::string& aCorners)
{
    std::string text = "\t\t" + aId + "\n\t\t\tsprite\n\t\t\t\tid=" + aId + "\n\t\t\t\ttexture=a.tga\n";
    return aCorners.empty() ? text : text + "\t\t\t\ttexturecoords=" + aCorners + "\n";
}

// Every named state but "target", which the engine cursor will lack.
const std::vector<std::string> kNamed = {"default", "hand", "rollover", "crosshair", "empty"};
const std::vector<std::string> kDirections = {"go_left",    "go_right",    "go_top",        "go_bottom",
                                              "go_topleft", "go_topright", "go_bottomleft", "go_bottomright"};

class GameCursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mDirectory.Path())));
        mDirectory.Write("a.tga", LImageBytes::Tga(8, 8, 32, 8, std::string(8 * 8 * 4, '\x40')));
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
        mMouse->OnMove(LVector2(20.0f, 30.0f));
        mRoot = LString("//textures/menu/");
        ASSERT_TRUE(LTextureManager::Get()->SetRoot(mRoot));
    }

    void TearDown() override { delete mCursor; }

    void WriteFiles()
    {
        std::string named = "cursors\n";
        for (const auto& id : kNamed) {
            named += Entry(id, 1);
        }
        mDirectory.Write("cursors.txt", named + "\tbroken\n\t\ttexture=a.tga\n");
        std::string directions = "cursors\n";
        for (const auto& id : kDirections) {
            directions += Entry(id, 1);
        }
        mDirectory.Write("cursors_dir.txt", directions);
        mDirectory.Write("pda/inventory/a.tga", LImageBytes::Tga(8, 8, 32, 8, std::string(8 * 8 * 4, '\x40')));
        mDirectory.Write("pda/inventory/inventory_items.txt",
                         "items\n\tcase1\n" + Item("knife", "10|20|73|51") + "\t\tnosprite=1\n\tcase3\n" +
                             Item("glove", "1|2|3") + "\tcase5\n" + Item("ring", ""));
        mDirectory.Write("icon_cursors.txt", "hilight\n\tid=hilight\n\ttexture=a.tga\n\tcenter=16|16\n");
    }

    void Make()
    {
        mCursor = new GMCursor();
        ASSERT_EQ(LCursor::Get(), mCursor->GetEngineCursor());
    }

    // The engine cursor state shown, "" for none, "several" for more than one.
    std::string Shown() const
    {
        LDisplayGroup* group = LCursor::Get()->GetGroup();
        std::string shown;
        for (int i = 0; i < group->GetMemberCount(); ++i) {
            LIDisplayObject* member = group->GetMemberAt(i);
            if (member->GetActive()) {
                shown = shown.empty() ? ToStd(member->GetId()) : "several";
            }
        }
        return shown;
    }

    // Where the ring's centre stands.
    static LVector2 Spot(LSprite* aRing) { return aRing->GetPosition() + aRing->GetCenter(); }

    LTestDirectory mDirectory;
    LMouse* mMouse = nullptr;
    GMCursor* mCursor = nullptr;
    LString mRoot;
};

} // namespace

TEST_F(GameCursorTest, EveryTypeShowsItsStateAndBadRequestsChangeNothing)
{
    WriteFiles();
    LLogCapture log;
    Make();
    EXPECT_TRUE(log.Contains("BuildSprite failure. 'id' not found."));
    // The item files are read under their own texture root, and the old one comes back.
    EXPECT_EQ(ToStd(mRoot), ToStd(LTextureManager::Get()->GetRoot()));

    for (GMCursorType type = 0; type < GMCursor::TYPE_COUNT; ++type) {
        const std::string name = ToStd(GMCursor::GetStateName(type));
        if (name.empty() || name == "target") {
            continue;
        }
        EXPECT_TRUE(mCursor->SetCursor(type, LString("owner"))) << name;
        EXPECT_EQ(name, Shown());
        EXPECT_EQ(type, mCursor->GetType());
        EXPECT_EQ(type, GMCursor::FindType(FromStd(name)));
    }
    EXPECT_EQ(-1, GMCursor::FindType(LString("")));
    EXPECT_EQ(-1, GMCursor::FindType(LString("Hand")));

    // A state the engine cursor lacks, a type outside the table, and an item type with no
    // item leave the cursor and its owner as they were.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot1")));
    log.Clear();
    for (GMCursorType type : {GMCursor::TYPE_TARGET, -1, 16, GMCursor::TYPE_ITEM, GMCursor::TYPE_ITEM_HILIGHT}) {
        EXPECT_FALSE(mCursor->SetCursor(type, LString("other"))) << type;
    }
    EXPECT_TRUE(log.Contains("SetState failure. Invalid id:target"));
    EXPECT_TRUE(log.Contains("SetCursor failure. Invalid type: 16"));
    EXPECT_EQ("rollover", Shown());
    EXPECT_EQ(GMCursor::TYPE_ROLLOVER, mCursor->GetType());
    EXPECT_FALSE(mCursor->GetHilight());
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("hotspot1")));
    EXPECT_EQ("default", Shown());
}

TEST_F(GameCursorTest, OnlyTheOwnerOrAnEmptyIdReleases)
{
    WriteFiles();
    Make();
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot1")));
    EXPECT_FALSE(mCursor->ReleaseCursor(LString("hotspot2")));
    EXPECT_FALSE(mCursor->ReleaseCursor(LString("HOTSPOT1")));
    EXPECT_EQ("rollover", Shown());
    EXPECT_EQ("hotspot1", ToStd(mCursor->GetOwner()));

    mCursor->SetDefaultCursor(GMCursor::TYPE_HAND);
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("hotspot1")));
    EXPECT_EQ("hand", Shown());
    EXPECT_EQ("", ToStd(mCursor->GetOwner()));
    // Once released, the old owner no longer owns anything, but an empty id always releases.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_CROSSHAIR, LString("caseselection")));
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("")));
    EXPECT_EQ(GMCursor::TYPE_HAND, mCursor->GetType());
}

TEST_F(GameCursorTest, ItemCursorsShowThePlainItemAndBecomeTheDefault)
{
    WriteFiles();
    LLogCapture log;
    Make();
    EXPECT_TRUE(log.Contains("Item cursor creation failure: nosprite"));
    EXPECT_TRUE(log.Contains("'texturecoords' needs four numbers: glove"));
    LIDisplayObject* knife = LCursor::Get()->GetGroup()->GetMember(LString("knife"));
    ASSERT_NE(nullptr, knife);
    EXPECT_EQ(LVector2(31.5f, 15.5f), knife->GetCenter());
    ASSERT_NE(nullptr, LCursor::Get()->GetGroup()->GetMember(LString("glove")));
    // Only cases 1 to 4 are read.
    EXPECT_EQ(nullptr, LCursor::Get()->GetGroup()->GetMember(LString("ring")));

    for (const char* id : {"knife_CL", "knife_re", "knife_Su", "knife"}) {
        ASSERT_TRUE(mCursor->SetItemCursor(LString(id))) << id;
        EXPECT_EQ("knife", Shown());
        EXPECT_EQ(id, ToStd(mCursor->GetItemCursor()));
        EXPECT_EQ(GMCursor::TYPE_ITEM, mCursor->GetType());
    }
    // Only the last three characters count as a lab suffix.
    EXPECT_FALSE(mCursor->SetItemCursor(LString("knife_clx")));
    EXPECT_FALSE(mCursor->SetItemCursor(LString("_cl")));
    ASSERT_TRUE(mCursor->SetItemCursor(LString("glove_cl")));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot")));
    ASSERT_TRUE(mCursor->ReleaseCursor(LString("hotspot")));
    EXPECT_EQ("glove", Shown());
    EXPECT_EQ(GMCursor::TYPE_ITEM, mCursor->GetDefaultType());
}

TEST_F(GameCursorTest, HighlightFollowsTheMouseAboveTheFadeOnlyWithTheHighlightedItem)
{
    WriteFiles();
    Make();
    LSprite* ring = mCursor->GetHilightSprite();
    ASSERT_NE(nullptr, ring);
    EXPECT_EQ(LDisplayManager::Get()->GetRoot(), ring->GetGroup());
    EXPECT_GT(ring->GetRelativeZ(), 100000.0f);
    EXPECT_FALSE(ring->GetActive());

    ASSERT_TRUE(mCursor->SetItemCursor(LString("knife")));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString("")));
    EXPECT_EQ("knife", Shown());
    EXPECT_TRUE(ring->GetActive());
    EXPECT_EQ(LVector2(20.0f, 30.0f), Spot(ring));
    mMouse->OnMove(LVector2(100.0f, 50.0f));
    EXPECT_EQ(LVector2(100.0f, 50.0f), Spot(ring));

    // The item without the ring: the ring stays where it was and is not drawn.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM, LString("")));
    EXPECT_FALSE(ring->GetActive());
    mMouse->OnMove(LVector2(300.0f, 200.0f));
    EXPECT_EQ(LVector2(100.0f, 50.0f), Spot(ring));

    // Back on through the type, off through any other type.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString("")));
    EXPECT_EQ(LVector2(300.0f, 200.0f), Spot(ring));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_HAND, LString("")));
    EXPECT_FALSE(mCursor->GetHilight());
    EXPECT_FALSE(ring->GetActive());

    // Gone with the cursor, which no longer hears the mouse.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString("")));
    const int members = LDisplayManager::Get()->GetRoot()->GetMemberCount();
    delete mCursor;
    mCursor = nullptr;
    EXPECT_EQ(members - 1, LDisplayManager::Get()->GetRoot()->GetMemberCount());
    mMouse->OnMove(LVector2(1.0f, 1.0f));
}

TEST_F(GameCursorTest, MissingFilesLeaveAnEmptyCursorThatRefusesEverything)
{
    LLogCapture log;
    Make();
    for (const char* file : {"cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt",
                             "icon_cursors.txt"}) {
        EXPECT_TRUE(log.Contains(std::string("Failure creating list from file: //textures/") + file)) << file;
    }
    EXPECT_EQ(nullptr, mCursor->GetHilightSprite());
    EXPECT_FALSE(mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString("")));
    mCursor->SetHilight(true);
    EXPECT_FALSE(mCursor->GetHilight());
    EXPECT_EQ(0, LCursor::Get()->GetGroup()->GetMemberCount());
}

TEST_F(GameCursorTest, VisibilityReachesTheEngineCursorAndIsRestoredAtTheEnd)
{
    WriteFiles();
    Make();
    const int states = LCursor::Get()->GetGroup()->GetMemberCount();
    EXPECT_EQ(int(kNamed.size() + kDirections.size()) + 2, states);
    mCursor->SetVisible(false);
    EXPECT_FALSE(LCursor::Get()->GetVisible());
    delete mCursor;
    mCursor = nullptr;
    EXPECT_TRUE(LCursor::Get()->GetVisible());
    // The images it loaded went with it.
    EXPECT_EQ(0, LCursor::Get()->GetGroup()->GetMemberCount());
}
