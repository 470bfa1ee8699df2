#include "support/GMPuzzleFlow.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/GMPuzzle.h"
#include "scene/GMScene.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

using namespace GMSceneFlow;

void GMPuzzleFlow::SetUp()
{
    GMSceneFlow::RegisterFakes();
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    mScene = LoadSampleLocation("case01/riverbank", "vp02");
    ASSERT_NE(nullptr, mScene);
    mLog.Clear();
}

void GMPuzzleFlow::TearDown()
{
    GMPuzzleHarness::EndGame();
}

void GMPuzzleFlow::Act(const char* aId, const LVector2& aAt, int aAction)
{
    ASSERT_NE(nullptr, mScene->FindHotspot(LString(aId))) << aId;
    ASSERT_TRUE(GMSceneFlow::Act(aAt, aAction)) << aId;
}

void GMPuzzleFlow::Look(const char* aId, const LVector2& aAt)
{
    Act(aId, aAt, GMMultiCursorAction::LOOK);
}

void GMPuzzleFlow::OpenBy(const char* aId, const LVector2& aAt, GMPuzzle* aPuzzle)
{
    Look(aId, aAt);
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return aPuzzle->IsShown() && !screens->IsBusy(); })) << aId;
    ASSERT_EQ(static_cast<GMIScreen*>(aPuzzle), screens->GetTop());
}

void GMPuzzleFlow::ClickMember(GMPuzzle* aPuzzle, const char* aPath)
{
    LIDisplayObject* member = GMPuzzleHarness::Member(aPuzzle, aPath);
    ASSERT_NE(nullptr, member) << aPath;
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(member));
}

bool GMPuzzleFlow::BackAtTheLocation(GMPuzzle* aPuzzle)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return FramesUntil([&] { return !aPuzzle->IsShown() && !screens->IsBusy(); }) &&
           screens->GetTop() == static_cast<GMIScreen*>(mScene);
}

void GMPuzzleFlow::TakeFromPDA(const char* aItem, const char* aCategory)
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda->GetInventoryPanel();
    ASSERT_EQ(1, GMPDAMinimized::GetInstance()->Maximize(false));
    ASSERT_TRUE(FramesUntil([&] { return pda->IsOpen(); }));
    Frames(12);
    LIDisplayObject* button = pda->GetMainMenu()->GetMember(LString("inventory"));
    ASSERT_NE(nullptr, button);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(button));
    Frames(12);
    LIDisplayObject* category = inventory->GetMenuGroup()->GetMember(LString(aCategory));
    ASSERT_NE(nullptr, category);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(category));
    GMInventorySubpanel* subpanel = inventory->GetSubpanel(inventory->GetCategory());
    GMInventoryItem* item = subpanel != nullptr ? subpanel->GetItem(LString(aItem)) : nullptr;
    ASSERT_NE(nullptr, item) << aItem;
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(item->GetGroup()));
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return menu->IsOpen(); })) << aItem;
    LButton* use = menu->GetButton(GMMultiCursorAction::USE);
    ASSERT_NE(nullptr, use);
    GMPuzzleHarness::Click(use->GetWorldPosition() + LVector2(25.0f, 25.0f));
    ASSERT_TRUE(FramesUntil([&] { return !pda->IsOpen() && !menu->IsOpen(); }));
    Frames(12);
}

std::string GMPuzzleFlow::Subtitle()
{
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    return line != nullptr ? ToStd(line->GetText()) : "";
}
