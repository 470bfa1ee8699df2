// The profiling computer reached as the game reaches it: the sample's riverbank loaded by
// the scene manager, the field laptop looked at through the action menu at its north
// viewpoint, the pen taken from the PDA's inventory with the use action and dropped into
// the computer's slot, analyzed, and the back button to the location.
#include "profiler/GMProfilingComputer.h"

#include "GMScreenManager.h"
#include "Gdi/LTextArea.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "scene/GMScene.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "profiler" of the riverbank's vp02.
const LVector2 kLaptop(600.0f, 225.0f);
const LVector2 kDrop(300.0f, 70.0f);

class ProfilerFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
        mComputer = GMProfilingComputer::GetInstance();
        ASSERT_NE(nullptr, mComputer);
        mScene = LoadSampleLocation("case01/riverbank", "vp02");
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    LLogCapture mLog;
    GMProfilingComputer* mComputer = nullptr;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(ProfilerFlowTest, TheLaptopsLookOpensTheComputerWhereThePenFromThePDAEntersItsEntry)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_NE(nullptr, mScene->FindHotspot(LString("hs_profiler")));
    ASSERT_TRUE(Look(kLaptop));
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue(GMProfilingComputer::kActiveState));
    ASSERT_TRUE(FramesUntil([&] { return mComputer->IsShown() && !screens->IsBusy() && !menu->IsOpen(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mComputer), screens->GetTop());
    EXPECT_EQ(0, mComputer->GetStrength());

    // The pen from the PDA: its use action makes it the cursor and closes the PDA.
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda->GetInventoryPanel();
    ASSERT_NE(nullptr, inventory);
    ASSERT_TRUE(inventory->AddItem(LString("pen")));
    pda->Open();
    ASSERT_EQ(1, pda->SetPanel(LString("inventory")));
    Frames(2);
    GMInventoryItem* pen = inventory->GetSubpanel(GMInventoryPanel::CATEGORY_EVIDENCE)->GetItem(LString("pen"));
    ASSERT_NE(nullptr, pen);
    menu->SetListener(pen);
    pen->OnAction(GMMultiCursorAction::USE);
    ASSERT_TRUE(FramesUntil([&] { return !pda->IsOpen() && !pda->IsBusy(); }));
    EXPECT_EQ(GMCursor::TYPE_ITEM, GMCursor::GetInstance()->GetType());

    GMPuzzleHarness::Click(kDrop);
    ASSERT_NE(nullptr, mComputer->GetPlaced());
    EXPECT_EQ("pen", ToStd(mComputer->GetPlacedId()));
    LIDisplayObject* analyze = GMPuzzleHarness::Member(mComputer, "profiler_buttons.analyze_btn");
    ASSERT_NE(nullptr, analyze);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(analyze));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("pen_profiler"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream(GMProfilingComputer::kAnalyzeStream));
    EXPECT_EQ("Writes by hand", ToStd(mComputer->GetHeader(0)->GetText()));
    EXPECT_EQ(1, mComputer->GetStrength());
    EXPECT_TRUE(mComputer->GetGauge(1)->GetVisible());
    EXPECT_FALSE(mComputer->GetGauge(0)->GetVisible());
    ASSERT_TRUE(GMPuzzleHarness::EndStream(GMProfilingComputer::kMatchStream));

    LIDisplayObject* back = GMPuzzleHarness::Member(mComputer, GMPuzzle::kBackButtonId);
    ASSERT_NE(nullptr, back);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(back));
    ASSERT_TRUE(FramesUntil([&] { return !mComputer->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());
    EXPECT_TRUE(mScene->IsActive());
    EXPECT_EQ("vp02", ToStd(mScene->GetViewpoint()));
    // The PDA's first opening finds no case display to take down yet.
    EXPECT_EQ("", mLog.Problems("Remove member failure: case_display"));
}
