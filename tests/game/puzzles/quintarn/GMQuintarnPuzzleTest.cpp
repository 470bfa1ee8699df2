// The word entry on the sample's layout: an overlay over the current screen with the mouse
// locked to it, fields selected and filled from the keyboard, the answer, the voices by
// skill and game, closing by the back button, the solving voice and the state, and a
// layout with too few fields.
#include "puzzles/quintarn/GMQuintarnPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

const char* const kActive = GMQuintarnPuzzle::kActiveState;
const char* const kLayout = "data/textures/puzzles/quintarn/layout.txt";
const char* const kSetHeight = "SetHeight not yet implemented.";

const std::map<char, int> kScanCodes = {{'Q', 0x10}, {'U', 0x16}, {'I', 0x17}, {'N', 0x31}, {'T', 0x14},
                                        {'A', 0x1E}, {'R', 0x13}, {'X', 0x2D}, {'1', 0x02}, {' ', 0x39}};
constexpr int kBackspace = 0x0E;

class QuintarnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMQuintarnPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open()
    {
        GMPuzzleHarness::SetState(kActive, true);
        GMPuzzleHarness::Frames(1);
        return mPuzzle->IsShown();
    }

    void ClickField(int aIndex)
    {
        LIDisplayObject* field = GMPuzzleHarness::Member(mPuzzle, std::to_string(aIndex).c_str());
        ASSERT_NE(nullptr, field) << aIndex;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(field));
    }

    static void TypeText(const std::string& aText)
    {
        for (char ch : aText) {
            GMPuzzleHarness::Type(kScanCodes.at(ch));
        }
    }

    std::string Letters()
    {
        std::string letters;
        for (int i = 0; i < GMQuintarnPuzzle::kFieldCount; ++i) {
            LTextArea* box = mPuzzle->GetLetterBox(i);
            letters += box != nullptr && box->GetText().GetLength() > 0 ? ToStd(box->GetText()) : ".";
        }
        return letters;
    }

    static int Made(const char* aName)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mName) == aName ? 1 : 0;
        }
        return count;
    }
    static std::string MadeFile(const char* aName)
    {
        std::string file;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            file = ToStd(made.mName) == aName ? ToStd(made.mFileName) : file;
        }
        return file;
    }

    GMPuzzleHarness mHarness;
    GMQuintarnPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- The overlay ---------------------------------------------------------------------

TEST_F(QuintarnTest, OpeningPushesNothingAndOnlyTheOverlaysButtonsGetTheMouse)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, screens->GetCount());
    EXPECT_FALSE(mHarness.Scene().GetKeepAudio());
    EXPECT_TRUE(LMouse::Get()->IsLocked());
    EXPECT_EQ("quintarn_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    // A click beside the fields reaches nothing; on a field it selects it.
    GMPuzzleHarness::Click(LVector2(100.0f, 100.0f));
    EXPECT_EQ(-1, mPuzzle->GetSelected());
    ClickField(3);
    EXPECT_EQ(3, mPuzzle->GetSelected());
    EXPECT_TRUE(mPuzzle->GetMark(3)->GetVisible());
    ClickField(5);
    EXPECT_FALSE(mPuzzle->GetMark(3)->GetVisible());
    EXPECT_EQ("", mHarness.Log().Problems(kSetHeight));
}

TEST_F(QuintarnTest, LettersFillTheSelectedFieldUpperCasedAndOtherKeysChangeNothing)
{
    ASSERT_TRUE(Open());
    TypeText("Q"); // no field selected
    EXPECT_EQ("........", Letters());
    ClickField(6);
    TypeText("X");
    EXPECT_EQ("......X.", Letters());
    EXPECT_EQ(7, mPuzzle->GetSelected());
    TypeText("1 ");
    GMPuzzleHarness::Type(kBackspace);
    EXPECT_EQ("......X.", Letters());
    EXPECT_EQ(7, mPuzzle->GetSelected());
    TypeText("A");
    EXPECT_EQ(-1, mPuzzle->GetSelected());
    TypeText("N");
    EXPECT_EQ("......XA", Letters());
    ClickField(6);
    TypeText("R"); // overwrites
    EXPECT_EQ("......RA", Letters());
}

TEST_F(QuintarnTest, FieldsFilledInAnyOrderSolveWithTheLastRightLetterOnce)
{
    ASSERT_TRUE(Open());
    ClickField(4);
    TypeText("TARN");
    ASSERT_FALSE(mPuzzle->IsSolved());
    ClickField(0);
    TypeText("QUI");
    EXPECT_FALSE(mPuzzle->IsSolved());
    LFakeSoundManager::sMade.clear();
    TypeText("N");
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_quintarnpuzzle_solved"));
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("2ls08_re"));
    EXPECT_EQ("//sounds/2re22a_le.ogg", MadeFile("solvedAudio"));
    ClickField(7);
    TypeText("N"); // the same answer again: nothing more
    EXPECT_EQ(1, Made("solvedAudio"));
    GMPuzzleHarness::Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_EQ("", mHarness.Log().Problems(kSetHeight));
}

TEST_F(QuintarnTest, TheBackButtonAndTheStateFalseCloseTheOverlayAndNothingElse)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    // The intro plays on after the closing.
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_EQ(1, screens->GetCount());
    // Closed, the state false does nothing.
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
}

TEST_F(QuintarnTest, ALaterGamesOpeningIsUnsolved)
{
    LFakeSoundManager::sRefuseUnfound = true; // no voices: the solving closes at once
    ASSERT_TRUE(Open());
    ClickField(0);
    TypeText("QUINTARN");
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_FALSE(mPuzzle->IsShown());
    LEventManager::Get()->RemoveAllEvents();
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_EQ("........", Letters());
    LFakeSoundManager::sRefuseUnfound = false;
}

// --- Voices --------------------------------------------------------------------------

TEST_F(QuintarnTest, TheIntroAtTheFirstOpeningTheHintAfterItAtEasyAndTheSecondVisitHintOnce)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ("//sounds/2re22_le.ogg", MadeFile("puzzleVO"));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_2re22_le_played"));
    // Closed before the intro ends: the hint still follows it.
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    GMPuzzleHarness::Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    EXPECT_EQ("//sounds/hi11_rg.ogg", MadeFile("puzzleHint"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleHint"));

    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ("//sounds/2re22c_le.ogg", MadeFile("puzzleHint"));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_2re22c_le_played"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
}

TEST_F(QuintarnTest, AtMediumNoHintFollowsTheIntroAndAVoiceThatCannotBeMadeIsSkipped)
{
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    EXPECT_EQ(0, Made("puzzleHint"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    LEventManager::Get()->RemoveAllEvents();
    LFakeSoundManager::sRefuseUnfound = true;
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_2re22_le_played"));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("puzzleVO")));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("puzzleHint")));
    LFakeSoundManager::sRefuseUnfound = false;
}

// --- A short layout ------------------------------------------------------------------

TEST_F(QuintarnTest, ALayoutWithFewerFieldsLogsItAndTheAnswerCannotBeCompleted)
{
    std::ifstream in(mHarness.Roots().Path() + "/" + kLayout);
    std::string layout((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t seventh = layout.find("\tf6\n");
    layout.erase(seventh, layout.find("backbutton\n") - seventh);
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("6 fields, 8 needed"));
    EXPECT_EQ(nullptr, mPuzzle->GetLetterBox(6));
    ClickField(0);
    TypeText("QUINTARN");
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_EQ("QUINTA..", Letters());
}
