// The game cursor over the engine cursor: the types and their states, release by owner,
// item cursors, and the highlight ring that follows the mouse.
#include "ui/GMCursor.h"

#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A sprite entry at aDepth tabs, with the picture's corners when given.
std::string Sprite(const std::string& aKey, const std::string& aId, int aDepth, const std::string& aCorners = "")
{
    const std::string tabs(aDepth, '\t');
    std::string text = tabs + aKey + "\n" + tabs + "\tid=" + aId + "\n" + tabs + "\ttexture=a.tga\n";
    return aCorners.empty() ? text : text + tabs + "\ttexturecoords=" + aCorners + "\n";
}

class GameCursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mDirectory.Path())));
        LMouse::Get()->OnMove(LVector2(20.0f, 30.0f));
        ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures/menu/")));
    }

    void TearDown() override { delete mCursor; }

    // Every named state but "target"; a nameless entry; items in cases 1, 3 and 5.
    void WriteFiles()
    {
        std::string named = "cursors\n";
        for (const char* id : {"default", "hand", "rollover", "crosshair", "empty"}) {
            named += Sprite(id, id, 1);
        }
        mDirectory.Write("cursors.txt", named + "\tbroken\n\t\ttexture=a.tga\n");
        std::string directions = "cursors\n";
        for (const char* id : {"go_left", "go_right", "go_top", "go_bottom", "go_topleft", "go_topright",
                               "go_bottomleft", "go_bottomright"}) {
            directions += Sprite(id, id, 1);
        }
        mDirectory.Write("cursors_dir.txt", directions);
        mDirectory.Write("pda/inventory/inventory_items.txt",
                         "items\n\tcase1\n\t\tknife\n" + Sprite("sprite", "knife", 3, "10|20|73|51") +
                             "\t\tnosprite=1\n\tcase3\n\t\tglove\n" + Sprite("sprite", "glove", 3, "1|2|3") +
                             "\tcase5\n\t\tring\n" + Sprite("sprite", "ring", 3));
        mDirectory.Write("icon_cursors.txt", Sprite("hilight", "hilight", 0) + "\tcenter=16|16\n");
    }

    // The engine cursor state shown, "" for none, "several" for more than one.
    static std::string Shown()
    {
        LDisplayGroup* group = LCursor::Get()->GetGroup();
        std::string shown;
        for (int i = 0; i < group->GetMemberCount(); ++i) {
            if (group->GetMemberAt(i)->GetActive()) {
                shown = shown.empty() ? ToStd(group->GetMemberAt(i)->GetId()) : "several";
            }
        }
        return shown;
    }

    // Where the ring's centre stands.
    static LVector2 Spot(LSprite* aRing) { return aRing->GetPosition() + aRing->GetCenter(); }

    LTestDirectory mDirectory;
    GMCursor* mCursor = nullptr;
};

} // namespace

TEST_F(GameCursorTest, EveryTypeShowsItsStateAndBadRequestsChangeNothing)
{
    WriteFiles();
    LLogCapture log;
    mCursor = new GMCursor();
    EXPECT_TRUE(log.Contains("BuildSprite failure. 'id' not found."));
    // The items are read under their own texture root, and the old one comes back.
    EXPECT_EQ("//textures/menu/", ToStd(LTextureManager::Get()->GetRoot()));

    for (GMCursorType type = 0; type < GMCursor::TYPE_COUNT; ++type) {
        const std::string name = ToStd(GMCursor::GetStateName(type));
        if (!name.empty() && name != "target") {
            EXPECT_TRUE(mCursor->SetCursor(type, LString("owner"))) << name;
            EXPECT_EQ(name, Shown());
            EXPECT_EQ(type, GMCursor::FindType(FromStd(name)));
        }
    }
    EXPECT_EQ(-1, GMCursor::FindType(LString("Hand")));

    // A state the engine cursor lacks, a type outside the table and an item type with no
    // item leave the cursor, its owner and the ring as they were.
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot1")));
    for (GMCursorType type : {GMCursor::TYPE_TARGET, -1, 16, GMCursor::TYPE_ITEM, GMCursor::TYPE_ITEM_HILIGHT}) {
        EXPECT_FALSE(mCursor->SetCursor(type, LString("other"))) << type;
    }
    EXPECT_TRUE(log.Contains("SetState failure. Invalid id:target"));
    EXPECT_TRUE(log.Contains("SetCursor failure. Invalid type: 16"));
    EXPECT_EQ("rollover", Shown());
    EXPECT_EQ(GMCursor::TYPE_ROLLOVER, mCursor->GetType());
    EXPECT_FALSE(mCursor->GetHilight());
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("hotspot1")));
}

TEST_F(GameCursorTest, OnlyTheOwnerOrAnEmptyIdReleases)
{
    WriteFiles();
    mCursor = new GMCursor();
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot1")));
    EXPECT_FALSE(mCursor->ReleaseCursor(LString("hotspot2")));
    EXPECT_FALSE(mCursor->ReleaseCursor(LString("HOTSPOT1")));
    EXPECT_EQ("rollover", Shown());

    mCursor->SetDefaultCursor(GMCursor::TYPE_HAND);
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("hotspot1")));
    EXPECT_EQ("hand", Shown());
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_CROSSHAIR, LString("caseselection")));
    EXPECT_TRUE(mCursor->ReleaseCursor(LString("")));
    EXPECT_EQ("hand", Shown());
}

TEST_F(GameCursorTest, ItemCursorsShowThePlainItemAndBecomeTheDefault)
{
    WriteFiles();
    LLogCapture log;
    mCursor = new GMCursor();
    EXPECT_TRUE(log.Contains("Item cursor creation failure: nosprite"));
    EXPECT_TRUE(log.Contains("'texturecoords' needs four numbers: glove"));
    LDisplayGroup* states = LCursor::Get()->GetGroup();
    ASSERT_NE(nullptr, states->GetMember(LString("knife")));
    EXPECT_EQ(LVector2(31.5f, 15.5f), states->GetMember(LString("knife"))->GetCenter());
    EXPECT_NE(nullptr, states->GetMember(LString("glove")));
    EXPECT_EQ(nullptr, states->GetMember(LString("ring"))); // cases 1 to 4 only

    for (const char* id : {"knife_CL", "knife_re", "knife_Su", "knife"}) {
        ASSERT_TRUE(mCursor->SetItemCursor(LString(id))) << id;
        EXPECT_EQ("knife", Shown());
        EXPECT_EQ(id, ToStd(mCursor->GetItemCursor()));
    }
    EXPECT_FALSE(mCursor->SetItemCursor(LString("knife_clx")));
    EXPECT_FALSE(mCursor->SetItemCursor(LString("_cl")));
    ASSERT_TRUE(mCursor->SetItemCursor(LString("glove_cl")));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, LString("hotspot")));
    ASSERT_TRUE(mCursor->ReleaseCursor(LString("hotspot")));
    EXPECT_EQ("glove", Shown());
    EXPECT_EQ(GMCursor::TYPE_ITEM, mCursor->GetType());
}

TEST_F(GameCursorTest, RingFollowsTheMouseAboveTheFadeOnlyWithTheHighlightedItem)
{
    WriteFiles();
    mCursor = new GMCursor();
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
    LMouse::Get()->OnMove(LVector2(100.0f, 50.0f));
    EXPECT_EQ(LVector2(100.0f, 50.0f), Spot(ring));

    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM, LString("")));
    EXPECT_FALSE(ring->GetActive());
    LMouse::Get()->OnMove(LVector2(300.0f, 200.0f));
    EXPECT_EQ(LVector2(100.0f, 50.0f), Spot(ring));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString("")));
    EXPECT_EQ(LVector2(300.0f, 200.0f), Spot(ring));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_HAND, LString("")));
    EXPECT_FALSE(ring->GetActive());
}

TEST_F(GameCursorTest, DeletingRestoresTheEngineCursorWithoutItsImages)
{
    WriteFiles();
    mCursor = new GMCursor();
    const int rootMembers = LDisplayManager::Get()->GetRoot()->GetMemberCount();
    EXPECT_EQ(15, LCursor::Get()->GetGroup()->GetMemberCount());
    mCursor->SetVisible(false);
    EXPECT_FALSE(LCursor::Get()->GetVisible());
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_HAND, LString("")));
    ASSERT_TRUE(mCursor->SetItemCursor(LString("knife")));
    ASSERT_TRUE(mCursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString("")));
    delete mCursor;
    mCursor = nullptr;
    EXPECT_TRUE(LCursor::Get()->GetVisible());
    EXPECT_EQ(0, LCursor::Get()->GetGroup()->GetMemberCount());
    EXPECT_EQ(rootMembers - 1, LDisplayManager::Get()->GetRoot()->GetMemberCount());
    LMouse::Get()->OnMove(LVector2(1.0f, 1.0f)); // no longer heard
}

TEST_F(GameCursorTest, MissingFilesLeaveACursorThatRefusesEverything)
{
    LLogCapture log;
    mCursor = new GMCursor();
    for (const char* file : {"cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt",
                             "icon_cursors.txt"}) {
        EXPECT_TRUE(log.Contains(std::string("Failure creating list from file: //textures/") + file)) << file;
    }
    EXPECT_FALSE(mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString("")));
    mCursor->SetHilight(true);
    EXPECT_FALSE(mCursor->GetHilight());
}
