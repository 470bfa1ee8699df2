// The inventory in the sample's riverbank, driven by the mouse as the application forwards
// it: the pen collected through its hotspot, found in the PDA under its category, moved to
// another cell, and kept there through the saved block.
#include "pda/GMInventoryPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventorySpace.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace GMSceneFlow;

// The middle of a member of aGroup (a button or a cell) of the given size.
LVector2 Middle(LDisplayGroup* aGroup, const char* aId, float aWidth, float aHeight)
{
    LIDisplayObject* member = aGroup != nullptr ? aGroup->GetMember(LString(aId)) : nullptr;
    EXPECT_NE(nullptr, member) << aId;
    return member != nullptr ? member->GetWorldPosition() + LVector2(aWidth / 2.0f, aHeight / 2.0f)
                             : LVector2(0.0f, 0.0f);
}

} // namespace

TEST(InventoryPanelScene, ThePenCollectedOnTheRiverbankIsMovedAndKeptThroughASave)
{
    LLogCapture log;
    ASSERT_TRUE(GMSceneFlow::PrepareGame());
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    Frames(2);
    log.Clear();

    // Collect through the hotspot's action menu.
    GMHotspot* pen = scene->FindHotspot(LString("pen"));
    ASSERT_NE(nullptr, pen);
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    Click(LVector2(440.0f, 445.0f));
    ASSERT_TRUE(FramesUntil([menu] { return menu->IsOpen(); }));
    ASSERT_EQ(pen, menu->GetListener());
    Click(menu->GetButton(GMMultiCursorAction::COLLECT)->GetWorldPosition() + LVector2(25.0f, 25.0f));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_pen_collected")));
    EXPECT_FALSE(pen->IsActive());
    Frames(20);

    // Open the PDA on its inventory; the pen is found under "evidence".
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda->GetInventoryPanel();
    ASSERT_EQ(1, GMPDAMinimized::GetInstance()->Maximize(false));
    ASSERT_TRUE(pda->IsOpen());
    Frames(12);
    EXPECT_EQ("", log.Problems("Remove member failure: case_display"));
    log.Clear();
    Click(Middle(pda->GetMainMenu(), "inventory", 120.0f, 30.0f));
    Frames(12);
    ASSERT_EQ(static_cast<GMIPDAPanel*>(inventory), pda->GetCurrentPanel());
    Click(Middle(inventory->GetMenuGroup(), "documents", 60.0f, 20.0f));
    ASSERT_EQ(GMInventoryPanel::CATEGORY_DOCUMENTS, inventory->GetCategory());
    GMInventorySubpanel* evidence = inventory->GetSubpanel(GMInventoryPanel::CATEGORY_EVIDENCE);
    GMInventoryItem* item = evidence->GetItem(LString("pen"));
    ASSERT_NE(nullptr, item);
    EXPECT_FALSE(item->GetGroup()->IsActive());
    Click(Middle(inventory->GetMenuGroup(), "evidence", 60.0f, 20.0f));
    ASSERT_EQ(GMInventoryPanel::CATEGORY_EVIDENCE, inventory->GetCategory());
    EXPECT_TRUE(item->GetGroup()->IsActive());

    // Dragged from its first cell to the seventh.
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(Middle(evidence->GetGroup(), "gridbox_0", 56.0f, 47.0f));
    mouse->OnButtonDown(1);
    mouse->OnMove(Middle(evidence->GetGroup(), "gridbox_6", 56.0f, 47.0f));
    mouse->OnButtonUp(1);
    EXPECT_EQ(LString("pen"), inventory->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 6));
    EXPECT_EQ(LString(""), inventory->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 0));

    // Saved, emptied as a new game does, and loaded.
    LMemoryStream stream(64, 64);
    ASSERT_TRUE(GMPDA::GetInstance()->GetInventoryPanel()->Write(&stream));
    const std::string saved = WrittenBytes(stream);
    GMPDA::GetInstance()->GetInventoryPanel()->RemoveAllItems();
    EXPECT_EQ(0, inventory->GetItemCount());
    LMemoryStream loaded(4, -1);
    Load(loaded, saved);
    ASSERT_TRUE(GMPDA::GetInstance()->GetInventoryPanel()->Read(&loaded));
    EXPECT_EQ(1, inventory->GetItemCount());
    EXPECT_EQ(LString("pen"), inventory->GetItem(GMInventoryPanel::CATEGORY_EVIDENCE, 6));
    EXPECT_EQ("", log.Problems("Could not find width")) << log.Bytes();
}
