// The case selection over the sample's first location: opening and closing by its state,
// the desk's buttons (select, review, back), the ledger pages and the end of the game, and
// what the screen leaves behind once hidden.
#include "menu/GMCaseSelection.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "event/LEventManager.h"
#include "menu/GMCaseControl.h"
#include "menu/GMCaseTable.h"
#include "menu/GMMainMenu.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/GMTestStateNotices.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const LVector2 kCase1Select(120.0f, 300.0f);
const LVector2 kBack(728.0f, 556.0f);

struct Counting : LIMouseListener
{
    void OnButtonDown(int) override { ++mEvents; }
    void OnMove(const LVector2&) override { ++mEvents; }
    void OnButtonUp(int) override { ++mEvents; }
    int mEvents = 0;
};

class CaseSelectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        LFakeMovieManager::Reset();
        ASSERT_NE(nullptr, GMCutScenePlayer::GetInstance());
        ASSERT_NE(nullptr, GMCaseControl::GetInstance());
        mSelection = GMCaseSelection::GetInstance();
        ASSERT_NE(nullptr, mSelection);
        mScene = GMTestScene::Load();
        ASSERT_NE(nullptr, mScene);
        mScreens = GMScreenManager::GetInstance();
        GMSceneFlow::Frames(10);
        mFrameListeners = LFrameManager::Get()->GetListenerCount();
        mLog.Clear();
    }

    void TearDown() override
    {
        if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
            scenes->UnloadScene();
        }
        delete GMCleaner::GetInstance();
        LFakeMovieManager::Reset();
    }

    static void SetActive(bool aOn)
    {
        LStateManager::Get()->SetState(LString("sta_caseselection_active"), LString("boolean"),
                                       LString(aOn ? "true" : "false"), true);
    }

    // The selection opened over the location, its fade over.
    void Open()
    {
        SetActive(true);
        ASSERT_TRUE(GMTestCutScenes::Settle());
        ASSERT_EQ(static_cast<GMIScreen*>(mSelection), mScreens->GetTop());
    }

    void Close()
    {
        SetActive(false);
        ASSERT_TRUE(GMTestCutScenes::Settle());
    }

    LIDisplayObject* Member(const char* aId) const
    {
        LDisplayGroup* display = mSelection->GetDisplay();
        return display != nullptr ? display->GetMember(LString(aId)) : nullptr;
    }

    static void Raise(const char* aId) { LEventManager::Get()->AddEvent(LString(aId), true); }

    static bool Raised(const std::string& aId) { return LEventManager::Get()->IsRaised(FromStd(aId)); }

    static int PlayingSounds()
    {
        int playing = 0;
        for (LFakeSoundPlayer* sound : LFakeSoundPlayer::Live()) {
            playing += sound->mPlaying ? 1 : 0;
        }
        return playing;
    }

    LLogCapture mLog;
    GMCaseSelection* mSelection = nullptr;
    GMScene* mScene = nullptr;
    GMScreenManager* mScreens = nullptr;
    int mFrameListeners = 0;
};

} // namespace

TEST_F(CaseSelectionTest, TheFirstSelectionOfCaseOnePlaysItsIntroIntoItsLocation)
{
    LGameClock::Get()->SetCurrentClock(3);
    Open();
    EXPECT_EQ(2, mScreens->GetCount());
    EXPECT_NE(nullptr, Member("background"));
    EXPECT_NE(nullptr, Member("case1_select"));
    // No case in progress and none closed: no back button; no closed mark shows.
    EXPECT_EQ(nullptr, Member("back"));
    LIDisplayObject* mark = Member("caseclosed");
    ASSERT_NE(nullptr, mark);
    LIDisplayObject* closed1 = static_cast<LDisplayGroup*>(mark)->GetMember(LString("closed1"));
    ASSERT_NE(nullptr, closed1);
    EXPECT_FALSE(closed1->GetVisible());
    EXPECT_FALSE(mScene->IsInputEnabled());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("caseselection", ToStd(GMCursor::GetInstance()->GetOwner()));

    GMTestStateNotices selected("sta_selectedcase");
    GMSceneFlow::Move(LVector2(kCase1Select.x + 2.0f, kCase1Select.y));
    GMSceneFlow::Click(kCase1Select);
    EXPECT_EQ(1, GMCaseTable::SelectedCase());
    EXPECT_EQ(0, selected.mCount);
    EXPECT_EQ(1, LGameClock::Get()->GetCurrentClock());
    EXPECT_TRUE(Raised("case1_intro_played"));
    EXPECT_EQ("case01/riverbank", ToStd(GMCutScenePlayer::Peek()->GetTargetScene()));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string>{"152_all.bik"}), GMTestCutScenes::Made());
    GMScene* now = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, now);
    EXPECT_EQ("case01/riverbank", ToStd(now->GetId()));
    EXPECT_EQ(static_cast<GMIScreen*>(now), mScreens->GetTop());
    EXPECT_EQ(1, mScreens->GetCount());
}

TEST_F(CaseSelectionTest, ClosedCasesReviewIdsWithoutACaseAndAPlayedIntroDoNotStartMovies)
{
    Raise("case2_intro_played");
    Raise("evt_case03_closed");
    Open();
    // A closed case's select and review do nothing; "review" alone and "review9" name no case.
    for (const char* id : {"case3_select", "review3", "review", "review9", "Review0"}) {
        mSelection->OnButton(LString(id), XBTNEVENT_CLICKED);
    }
    // Another event than a click does nothing either.
    mSelection->OnButton(LString("case1_select"), XBTNEVENT_PRESSED);
    GMSceneFlow::Frames(10);
    EXPECT_TRUE(GMTestCutScenes::Made().empty());
    EXPECT_EQ(0, GMCaseTable::SelectedCase());
    EXPECT_EQ(static_cast<GMIScreen*>(mSelection), mScreens->GetTop());

    // Case 2 a second time: no movie, back to the game.
    mSelection->OnButton(LString("CASE2_SELECT"), XBTNEVENT_CLICKED);
    EXPECT_EQ(2, GMCaseTable::SelectedCase());
    EXPECT_EQ(2, LGameClock::Get()->GetCurrentClock());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_TRUE(GMTestCutScenes::Made().empty());
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), mScreens->GetTop());
    EXPECT_EQ(0, mLog.Count("ERROR")) << mLog.Bytes();
}

TEST_F(CaseSelectionTest, AReviewPlaysItsMovieAndTheSelectionHearsItsEndOnce)
{
    Open();
    mScene->StartAudio();
    ASSERT_LT(0, PlayingSounds());
    mSelection->OnButton(LString("review1"), XBTNEVENT_CLICKED);
    EXPECT_EQ(0, PlayingSounds());
    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    EXPECT_EQ(static_cast<GMICutSceneListener*>(mSelection), player->GetEndListener());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string>{"001_all.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ(nullptr, player->GetEndListener());
    EXPECT_LT(0, PlayingSounds());
    // Back on the desk; no case was chosen.
    EXPECT_EQ(static_cast<GMIScreen*>(mSelection), mScreens->GetTop());
    EXPECT_NE(nullptr, Member("case1_select"));
    EXPECT_EQ(0, GMCaseTable::SelectedCase());
}

TEST_F(CaseSelectionTest, AClosedCaseShowsItsLedgerOnceAndTheLedgerClosesByItself)
{
    Raise("evt_interview117_complete");
    Open();
    EXPECT_EQ(1, mSelection->GetLedgerCase());
    EXPECT_TRUE(Raised("evt_ledger1_displayed"));
    EXPECT_NE(nullptr, Member("ledger1"));
    EXPECT_NE(nullptr, Member("ledger_back"));
    EXPECT_EQ(nullptr, Member("case1_select"));

    // Right-button releases stop at the page; other buttons go on.
    Counting other;
    ASSERT_TRUE(LMouse::Get()->AddMember(&other, 0.0f));
    LMouse::Get()->OnButtonUp(2);
    EXPECT_EQ(0, other.mEvents);
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ(1, other.mEvents);
    LMouse::Get()->RemoveListener(&other);

    GMSceneFlow::Frames(190);
    EXPECT_EQ(1, mSelection->GetLedgerCase());
    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return Member("case1_select") != nullptr; }, 40));
    EXPECT_EQ(0, mSelection->GetLedgerCase());
    EXPECT_EQ(nullptr, Member("ledger1"));
    LDisplayGroup* marks = static_cast<LDisplayGroup*>(Member("caseclosed"));
    ASSERT_NE(nullptr, marks);
    EXPECT_TRUE(marks->GetMember(LString("closed1"))->GetVisible());

    Close();
    Open();
    EXPECT_EQ(0, mSelection->GetLedgerCase());
    EXPECT_NE(nullptr, Member("case1_select"));
}

TEST_F(CaseSelectionTest, WithCasesOneToThreeClosedTheBackButtonStartsTheLastCase)
{
    for (const char* id : {"evt_interview117_complete", "evt_interview218_complete", "evt_interview321_complete",
                           "evt_ledger1_displayed", "evt_ledger2_displayed", "evt_ledger3_displayed"}) {
        Raise(id);
    }
    Open();
    ASSERT_NE(nullptr, Member("back"));
    GMSceneFlow::Move(LVector2(kBack.x + 2.0f, kBack.y));
    GMSceneFlow::Click(kBack);
    EXPECT_EQ(4, GMCaseTable::SelectedCase());
    EXPECT_EQ(4, LGameClock::Get()->GetCurrentClock());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string>{"016_all.bik", "452_all.bik"}), GMTestCutScenes::Made());
    GMScene* now = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, now);
    EXPECT_EQ("case04/victimshotel", ToStd(now->GetId()));
}

TEST_F(CaseSelectionTest, TheCaseInProgressCannotBeSelectedOrReviewedAndBackReturnsToIt)
{
    GMCaseTable::SetSelectedCase(1);
    Open();
    ASSERT_NE(nullptr, Member("back"));
    EXPECT_FALSE(Member("case1_select")->GetEnabled());
    EXPECT_FALSE(Member("review1")->GetEnabled());
    mSelection->OnButton(LString("back"), XBTNEVENT_CLICKED);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), mScreens->GetTop());
    EXPECT_TRUE(mScene->IsInputEnabled());
}

TEST_F(CaseSelectionTest, HiddenItHoldsNoListenerAndASecondTrueDoesNotPushItAgain)
{
    Raise("evt_interview117_complete");
    Open();
    EXPECT_EQ(1, mSelection->GetLedgerCase());
    // A second true while it is on the stack.
    SetActive(true);
    GMSceneFlow::Frames(10);
    EXPECT_EQ(2, mScreens->GetCount());
    Close();
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), mScreens->GetTop());
    EXPECT_EQ(nullptr, mSelection->GetDisplay());
    EXPECT_FALSE(LMouse::Get()->Contains(mSelection));
    EXPECT_FALSE(LKeyboard::Get()->Contains(mSelection));
    EXPECT_EQ(mFrameListeners, LFrameManager::Get()->GetListenerCount());
    EXPECT_NE("caseselection", ToStd(GMCursor::GetInstance()->GetOwner()));
    // A false while it is not shown pops nothing.
    SetActive(false);
    GMSceneFlow::Frames(10);
    EXPECT_EQ(1, mScreens->GetCount());
}

TEST_F(CaseSelectionTest, TheLastLedgerEndsTheGameWithTheMainMenuAlone)
{
    for (const char* id : {"evt_interview117_complete", "evt_interview218_complete", "evt_interview321_complete",
                           "evt_ledger1_displayed", "evt_ledger2_displayed", "evt_ledger3_displayed",
                           "bargainingsolved_415_done"}) {
        Raise(id);
    }
    Open();
    EXPECT_EQ(4, mSelection->GetLedgerCase());
    mSelection->OnButton(LString("ledger_back"), XBTNEVENT_CLICKED);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(1, mScreens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(GMMainMenu::Peek()), mScreens->GetTop());
    EXPECT_EQ(nullptr, mSelection->GetDisplay());
    EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("caseselection_layout")));
    EXPECT_FALSE(LMouse::Get()->Contains(mSelection));
    EXPECT_FALSE(LKeyboard::Get()->Contains(mSelection));
    EXPECT_FALSE(mScene->IsActive());
    EXPECT_FALSE(mScene->IsInputEnabled());
}
