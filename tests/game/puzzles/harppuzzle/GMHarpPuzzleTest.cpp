// The harp on the sample's layout (melody 3 7 12 7 18 1 20): the demonstration of each
// stage note by note, the player's turn, wrong notes, "start" mid-game, strings going dark,
// the easy hint, the intro cut off, solving after stage 7, missing notes, string ids that
// are not strings, and a melody the layout gets wrong.
#include "puzzles/harppuzzle/GMHarpPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestCutScenes.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kActive = "sta_harppuzzle_active";
const char* const kLayout = "data/textures/puzzles/harppuzzle/layout.txt";
const std::vector<int> kMelody = {3, 7, 12, 7, 18, 1, 20};

class HarpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMHarpPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    static LVector2 StringAt(int aNumber) { return LVector2(140.0f + 26.0f * static_cast<float>(aNumber - 1), 275.0f); }
    static void Pluck(int aNumber) { GMPuzzleHarness::Click(StringAt(aNumber)); }
    static void PressStart() { GMPuzzleHarness::Click(LVector2(100.0f, 520.0f)); }

    // The file of the newest "harp" stream, as its string number, or 0.
    static int SoundingNote()
    {
        LFakeSoundPlayer* note = LFakeSoundPlayer::Find(LString("harp"));
        if (note == nullptr) {
            return 0;
        }
        const std::string file = ToStd(note->mFileName);
        const size_t slash = file.rfind('/');
        return std::stoi(file.substr(slash + 1));
    }

    bool Lit(int aColour, int aNumber) const { return mPuzzle->GetLitString() == mPuzzle->GetString(aColour, aNumber); }

    // Ends the demonstration of the current stage, checking each note and its yellow
    // string; the notes heard, in order.
    std::vector<int> Listen()
    {
        std::vector<int> heard;
        for (int guard = 0; guard < 10 && mPuzzle->IsDemonstrating(); ++guard) {
            const int note = SoundingNote();
            EXPECT_TRUE(Lit(GMHarpPuzzle::kYellow, note)) << note;
            heard.push_back(note);
            EXPECT_TRUE(GMPuzzleHarness::EndStream("harp"));
        }
        return heard;
    }

    // Plays back the first aCount notes, each note's sound ended after its click.
    void PlayBack(int aCount)
    {
        for (int i = 0; i < aCount; ++i) {
            Pluck(kMelody[i]);
            EXPECT_TRUE(Lit(GMHarpPuzzle::kGreen, kMelody[i])) << i;
            EXPECT_EQ(kMelody[i], SoundingNote());
            ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
        }
    }

    std::string Layout()
    {
        std::ifstream in(mHarness.Roots().Path() + "/" + kLayout);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    GMPuzzleHarness mHarness;
    GMHarpPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(HarpTest, EachStageDemonstratesItsFirstNotesOneAfterAnotherThenWaitsForThem)
{
    ASSERT_TRUE(Open());
    ASSERT_TRUE(mPuzzle->HasMelody());
    EXPECT_FALSE(mPuzzle->GetStartLight()->GetVisible());
    PressStart();
    EXPECT_TRUE(mPuzzle->GetStartLight()->GetVisible());
    EXPECT_FALSE(mPuzzle->GetButtons()->GetActive());
    for (int stage = 1; stage <= 3; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_EQ(stage, mPuzzle->GetStageLength());
        EXPECT_EQ(std::vector<int>(kMelody.begin(), kMelody.begin() + stage), Listen());
        ASSERT_TRUE(mPuzzle->IsListening());
        EXPECT_TRUE(mPuzzle->GetButtons()->GetActive());
        PlayBack(stage);
    }
    EXPECT_EQ(4, mPuzzle->GetStageLength());
    EXPECT_TRUE(mPuzzle->IsDemonstrating());
}

TEST_F(HarpTest, ClicksDuringADemonstrationOrAfterTheStagesLastNoteDoNothing)
{
    ASSERT_TRUE(Open());
    PressStart();
    Pluck(kMelody[0]);
    EXPECT_EQ(0, mPuzzle->GetPosition());
    EXPECT_TRUE(Lit(GMHarpPuzzle::kYellow, kMelody[0]));
    EXPECT_EQ(kMelody[0], SoundingNote());
    Listen();
    // Stage 1's one note in: a further click waits for its sound.
    Pluck(kMelody[0]);
    LFakeSoundPlayer* note = LFakeSoundPlayer::Find(LString("harp"));
    Pluck(kMelody[1]);
    EXPECT_EQ(note, LFakeSoundPlayer::Find(LString("harp")));
    EXPECT_TRUE(Lit(GMHarpPuzzle::kGreen, kMelody[0]));
    // "start" during the game does nothing.
    PressStart();
    EXPECT_EQ(note, LFakeSoundPlayer::Find(LString("harp")));
    EXPECT_EQ(1, mPuzzle->GetStageLength());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_EQ(2, mPuzzle->GetStageLength());
    PressStart();
    EXPECT_EQ(2, mPuzzle->GetStageLength());
}

TEST_F(HarpTest, AWrongNoteLightsRedAtOnceAndEndsTheGameWhenItsSoundEnds)
{
    ASSERT_TRUE(Open());
    PressStart();
    Listen();
    PlayBack(1);
    Listen();
    Pluck(kMelody[0]);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    Pluck(5); // not 7
    EXPECT_TRUE(Lit(GMHarpPuzzle::kRed, 5));
    EXPECT_TRUE(mPuzzle->IsWrong());
    EXPECT_TRUE(mPuzzle->IsListening());
    // The wrong note's sound ends: the game is over.
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_FALSE(mPuzzle->IsListening());
    EXPECT_FALSE(mPuzzle->GetStartLight()->GetVisible());
    Pluck(kMelody[1]);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("harp")));
    PressStart();
    EXPECT_EQ(1, mPuzzle->GetStageLength());
    EXPECT_EQ(std::vector<int>({kMelody[0]}), Listen());
}

TEST_F(HarpTest, ALitStringGoesDarkAfterHalfASecondOrWhenItsNoteEnds)
{
    ASSERT_TRUE(Open());
    PressStart();
    ASSERT_TRUE(Lit(GMHarpPuzzle::kYellow, kMelody[0]));
    GMPuzzleHarness::Frames(10); // 0.5 s exactly: still lit
    EXPECT_TRUE(mPuzzle->GetString(GMHarpPuzzle::kYellow, kMelody[0])->GetVisible());
    GMPuzzleHarness::Frames(1);
    EXPECT_FALSE(mPuzzle->GetString(GMHarpPuzzle::kYellow, kMelody[0])->GetVisible());
    EXPECT_EQ(nullptr, mPuzzle->GetLitString());
    // The note still sounds; its end moves the game on.
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    ASSERT_TRUE(mPuzzle->IsListening());
    Pluck(kMelody[0]);
    ASSERT_TRUE(Lit(GMHarpPuzzle::kGreen, kMelody[0]));
    GMPuzzleHarness::Frames(2);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_FALSE(mPuzzle->GetString(GMHarpPuzzle::kGreen, kMelody[0])->GetVisible());
}

TEST_F(HarpTest, AtMediumTheHintsMomentPassesWithoutAHint)
{
    ASSERT_TRUE(Open());
    PressStart();
    Listen();
    // The intro was cut off and no hint follows at medium.
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("puzzleVO")));
    EXPECT_TRUE(GMHarpPuzzle::HintGiven()); // its moment has passed for this run
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    // At easy, later in the same run: still no hint.
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    PressStart();
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
}

TEST_F(HarpTest, TheHintsMomentIsForgottenWhenTheGameEnds)
{
    ASSERT_TRUE(Open());
    PressStart();
    Listen();
    ASSERT_TRUE(GMHarpPuzzle::HintGiven());
    // The game's cleaner ends the puzzle, as at the end of a run.
    GMPuzzleHarness::EndGame();
    EXPECT_FALSE(GMHarpPuzzle::HintGiven());
}

TEST_F(HarpTest, AtEasyTheHintFollowsTheFirstNoteOfTheFirstDemonstrationOnly)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    PressStart();
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    EXPECT_EQ("//sounds/hi12_rg.ogg", ToStd(LFakeSoundManager::sMade[0].mFileName));
    EXPECT_TRUE(mPuzzle->IsListening());
    // A second game: no hint.
    PlayBack(1);
    Listen();
    Pluck(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    PressStart();
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
}

TEST_F(HarpTest, StartDuringTheIntroCutsItOffAndItsSubtitleFadesWhenTheFirstNoteEnds)
{
    ASSERT_TRUE(Open());
    LFakeSoundPlayer* intro = LFakeSoundPlayer::Find(LString("puzzleVO"));
    ASSERT_NE(nullptr, intro);
    EXPECT_EQ("//sounds/2sh01_rg.ogg", ToStd(intro->mFileName));
    GMPuzzleHarness::Frames(10);
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_TRUE(strip->IsShowing());
    PressStart();
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("puzzleVO")));
    EXPECT_TRUE(strip->IsShowing());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    EXPECT_FALSE(strip->IsShowing());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(HarpTest, StageSevenCompletedSolvesAndHandsOverOffTheStack)
{
    ASSERT_TRUE(Open());
    PressStart();
    for (int stage = 1; stage <= 7; ++stage) {
        Listen();
        PlayBack(stage);
    }
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_harppuzzle_solved"));
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_LT(GMScreenManager::GetInstance()->IndexOf(mPuzzle), 0);
    EXPECT_EQ("SetTarget(case02/stokes_upstairs|vp_bedroom);SetStateChanges(sta_cu_2sh10_visible|boolean|true);"
              "Play(Harp_Puzzle.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mHarness.Log().Problems());
    // Taken off without a fade of its own: once the cut scene has played (its target is
    // not among the harness's files), no change of screen is left running and the puzzle
    // stays off the stack.
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_FALSE(GMScreenManager::GetInstance()->IsBusy());
    EXPECT_LT(GMScreenManager::GetInstance()->IndexOf(mPuzzle), 0);
}

TEST_F(HarpTest, AMissingNoteEndsWhenItsStringGoesDarkAndTheGameGoesOn)
{
    std::filesystem::remove(mHarness.Roots().Path() + "/data/textures/puzzles/harppuzzle/3.ogg");
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(Open());
    PressStart();
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("harp")));
    EXPECT_TRUE(Lit(GMHarpPuzzle::kYellow, 3));
    EXPECT_TRUE(mPuzzle->IsDemonstrating());
    GMPuzzleHarness::Frames(11);
    EXPECT_FALSE(mPuzzle->IsDemonstrating());
    ASSERT_TRUE(mPuzzle->IsListening());
    Pluck(3);
    EXPECT_TRUE(Lit(GMHarpPuzzle::kGreen, 3));
    GMPuzzleHarness::Frames(11);
    EXPECT_EQ(2, mPuzzle->GetStageLength());
    EXPECT_TRUE(mPuzzle->IsDemonstrating());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("Harp note missing"));
    LFakeSoundManager::sRefuseUnfound = false;
}

TEST_F(HarpTest, OnlyHarpOneToTwentyAreStrings)
{
    EXPECT_EQ(1, GMHarpPuzzle::StringOf(LString("harp1")));
    EXPECT_EQ(20, GMHarpPuzzle::StringOf(LString("harp20")));
    for (const char* id : {"harp0", "harp21", "harpx", "harp", "harp05", "harp123", "Harp3", "harp3x"}) {
        EXPECT_EQ(0, GMHarpPuzzle::StringOf(LString(id))) << id;
    }
    ASSERT_TRUE(Open());
    PressStart();
    Listen();
    for (const char* id : {"harp0", "harp21", "harpx"}) {
        mPuzzle->OnButton(LString(id), XBTNEVENT_CLICKED);
        EXPECT_EQ(-1, mPuzzle->GetPosition()) << id;
    }
}

TEST_F(HarpTest, AMalformedMelodyIsLoggedAndStartDoesNothing)
{
    std::string layout = Layout();
    const size_t at = layout.find("melody=");
    ASSERT_NE(std::string::npos, at);
    for (const char* melody : {"melody=3|7|12|7|18|1|21", "melody=3|7|12", "melody=3|7|12|7|18|1|2.5"}) {
        SCOPED_TRACE(melody);
        mHarness.Roots().Write(kLayout, layout.substr(0, at) + melody + "\n");
        mHarness.Log().Clear();
        ASSERT_TRUE(Open());
        EXPECT_FALSE(mPuzzle->HasMelody());
        EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("solution.melody"));
        PressStart();
        EXPECT_FALSE(mPuzzle->IsDemonstrating());
        EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("harp")));
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
}

TEST_F(HarpTest, MissingStringsAndShapesAreLoggedAndTheGameGoesOnWithoutThem)
{
    std::string layout = Layout();
    // Yellow string 3 and the shape of string 7 go.
    const size_t yellow = layout.find("\t\ts03\n\t\t\tid=yellow3");
    layout.erase(yellow, layout.find("\t\ts04\n\t\t\tid=yellow4") - yellow);
    const size_t shape = layout.find("\t\tp07\n");
    layout.erase(shape, layout.find("\t\tp08\n") - shape);
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    const std::string problems = mHarness.Log().Problems();
    EXPECT_NE(std::string::npos, problems.find("groups.g03-yellow_strings holds 19 strings"));
    EXPECT_NE(std::string::npos, problems.find("groups.g06-polygons holds 20 shapes"));
    // The first yellow entries fill the first slots: the last slot is left out.
    EXPECT_EQ(nullptr, mPuzzle->GetString(GMHarpPuzzle::kYellow, 20));
    PressStart();
    EXPECT_TRUE(mPuzzle->IsDemonstrating());
    EXPECT_EQ(std::vector<int>({kMelody[0]}), Listen());
    Pluck(kMelody[0]);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    Listen();
    // String 7 cannot be plucked: nothing happens.
    Pluck(kMelody[0]);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    Pluck(7);
    EXPECT_EQ(0, mPuzzle->GetPosition());
}
