// The voiced line: its parts and its one end notice, the parts left out without a fault,
// the stand-in stream, and an owner that deletes the line inside its notice.
#include "interview/GMVoicedLine.h"

#include "Gdi/LTextArea.h"
#include "Render/LGesturePlayer.h"
#include "interview/GMIVoicedLineListener.h"
#include "interview/GMSubtitle.h"
#include "scene/GMCharacter.h"
#include "support/GMInterviewTestCase.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Ended : GMIVoicedLineListener
{
    void OnLineEnded(GMVoicedLine* aLine) override
    {
        ++mCount;
        mLine = aLine;
        if (mDeleteIt) {
            delete aLine;
        }
    }
    int mCount = 0;
    GMVoicedLine* mLine = nullptr;
    bool mDeleteIt = false;
};

class VoicedLineTest : public GMInterviewTestCase
{
protected:
    void SetUp() override
    {
        GMInterviewTestCase::SetUp();
        MakeScene();
        mLog.Clear();
    }

    // A line of the stream aId ("//sounds/" + aId + ".ogg") with its gestures bound to the
    // witness (primary) and the player (secondary) and the witness's lip sync.
    std::unique_ptr<GMVoicedLine> Line(const std::string& aId, const std::string& aStandIn = "")
    {
        auto line = std::make_unique<GMVoicedLine>(&mEnded);
        line->SetStream(LString("voice"), GMVoicedLine::SoundFile(FromStd(aId)), FromStd(aStandIn));
        line->SetGestures(FromStd("//gestures/" + aId + ".gk"));
        line->BindRole(0, mWitness);
        line->BindRole(1, mPlayer);
        line->SetLipSync(mWitness, FromStd("//dataroot/lipsync/" + aId + ".dat"));
        return line;
    }

    static LFakeSoundPlayer* Voice() { return LFakeSoundPlayer::Find(LString("voice")); }
    static void Frames(int aCount) { LFakeTimer::Frames(aCount, 0.05); }

    Ended mEnded;
};

} // namespace

TEST_F(VoicedLineTest, ALineWithEveryPartEndsOnceWithItsVoice)
{
    // Gestures that end before the voice leave the line playing.
    auto line = Line("line1");
    line->SetSubtitle(LString("Where were you?"), true, nullptr);
    ASSERT_TRUE(line->Play());
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ("//sounds/line1.ogg", ToStd(Voice()->mFileName));
    EXPECT_TRUE(Voice()->mPlaying);
    EXPECT_EQ(Voice(), line->GetSound());
    ASSERT_NE(nullptr, line->GetGestures());
    EXPECT_TRUE(line->GetGestures()->IsPlaying());
    // The roles are bound: a second character is refused.
    EXPECT_FALSE(line->GetGestures()->SetCharacter(LString("primary"), mPlayer));
    EXPECT_FALSE(line->GetGestures()->SetCharacter(LString("secondary"), mWitness));
    EXPECT_EQ(mWitness, line->GetLipSyncSpeaker());
    EXPECT_NE(nullptr, mWitness->GetLipSyncPlayer());
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip->GetMainLine());
    EXPECT_EQ("Where were you?", ToStd(strip->GetMainLine()->GetText()));
    EXPECT_TRUE(strip->IsShowing());

    for (int i = 0; i < 100 && line->GetGestures() != nullptr; ++i) {
        Frames(1);
    }
    EXPECT_EQ(nullptr, line->GetGestures());
    EXPECT_EQ(0, mEnded.mCount);
    EXPECT_TRUE(line->IsPlaying());
    EXPECT_NE(nullptr, mWitness->GetLipSyncPlayer());

    Voice()->MarkEnded();
    Frames(2);
    EXPECT_EQ(1, mEnded.mCount);
    EXPECT_EQ(line.get(), mEnded.mLine);
    EXPECT_FALSE(line->IsPlaying());
    EXPECT_EQ(nullptr, Voice());
    EXPECT_EQ(nullptr, line->GetLipSyncSpeaker());
    EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
    EXPECT_FALSE(strip->IsShowing()); // fading out
    Frames(20);
    EXPECT_EQ(1, mEnded.mCount);

    // A voice that ends while the gestures still run takes them with it, and no later
    // gesture end speaks again.
    ASSERT_TRUE(line->Play());
    ASSERT_NE(nullptr, line->GetGestures());
    Voice()->End();
    EXPECT_EQ(2, mEnded.mCount);
    EXPECT_EQ(nullptr, line->GetGestures());
    Frames(20);
    EXPECT_EQ(2, mEnded.mCount);
}

TEST_F(VoicedLineTest, ALineWithoutGesturesLipSyncOrSubtitlePlaysItsVoiceWithoutAFault)
{
    auto line = Line("line2");
    ASSERT_TRUE(line->Play());
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ("//sounds/line2.ogg", ToStd(Voice()->mFileName));
    EXPECT_EQ(nullptr, line->GetGestures());
    EXPECT_EQ(nullptr, line->GetLipSyncSpeaker());
    EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
    GMSubtitle* strip = GMSubtitle::GetInstance();
    EXPECT_FALSE(strip->IsShowing());
    Voice()->End();
    EXPECT_EQ(1, mEnded.mCount);
    EXPECT_EQ("", mLog.Problems());
    // A line given a subtitle it did not find leaves the strip empty but fades it at its
    // end, as the voice-overs always have.
    strip->SetText(LString("earlier"), nullptr);
    strip->Show();
    line->SetSubtitle(LString(), false, nullptr);
    ASSERT_TRUE(line->Play());
    EXPECT_EQ("earlier", ToStd(strip->GetMainLine()->GetText()));
    Voice()->End();
    EXPECT_FALSE(strip->IsShowing());
}

TEST_F(VoicedLineTest, AStreamThatCannotBeMadeFallsBackToTheStandInOrEndsTheLineAtOnce)
{
    auto standIn = Line("missing_line", "//sounds/temp.ogg");
    ASSERT_TRUE(standIn->Play());
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ("//sounds/temp.ogg", ToStd(Voice()->mFileName));
    EXPECT_EQ(1, mLog.Count("Using temp sound."));
    standIn.reset();
    EXPECT_EQ(nullptr, Voice());

    struct Case
    {
        const char* mStandIn;
        const char* mLogged;
    };
    for (const Case& c : {Case {"", "PlaySound failure. Could not get sound player."},
                          Case {"//sounds/missing_temp.ogg", "Failed to start sound."}}) {
        mLog.Clear();
        auto line = Line("missing_line", c.mStandIn);
        line->SetSubtitle(LString("unheard"), true, nullptr);
        EXPECT_FALSE(line->Play()) << c.mStandIn;
        EXPECT_EQ(1, mLog.Count(c.mLogged)) << c.mStandIn;
        EXPECT_FALSE(line->IsPlaying());
        EXPECT_EQ(nullptr, Voice());
        // Nothing of it plays: no gestures, lip sync or subtitle, and no notice.
        EXPECT_EQ(nullptr, line->GetGestures());
        EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
        EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
        Frames(5);
        EXPECT_EQ(0, mEnded.mCount);
    }
}

TEST_F(VoicedLineTest, TheOwnerMayDeleteTheLineInsideItsEndNotice)
{
    mEnded.mDeleteIt = true;
    // Ended by the frame loop with its gestures still running, and at once.
    for (bool fromFrames : {true, false}) {
        GMVoicedLine* line = Line("line1").release();
        line->SetSubtitle(LString("bye"), true, nullptr);
        ASSERT_TRUE(line->Play());
        ASSERT_NE(nullptr, line->GetGestures());
        if (fromFrames) {
            Voice()->MarkEnded();
            Frames(2);
        } else {
            Voice()->End();
        }
        EXPECT_EQ(fromFrames ? 1 : 2, mEnded.mCount);
        EXPECT_EQ(nullptr, Voice());
        EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
        Frames(20);
    }
    // A line deleted while it plays stops every part without a notice.
    auto line = Line("line1");
    ASSERT_TRUE(line->Play());
    line.reset();
    EXPECT_EQ(nullptr, Voice());
    EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
    Frames(20);
    EXPECT_EQ(2, mEnded.mCount);
}

TEST_F(VoicedLineTest, TheStripTakesANewLineOverAFadeOutAndAKeptLineStaysUp)
{
    GMSubtitle* strip = GMSubtitle::GetInstance();
    auto first = Line("line2");
    first->SetSubtitle(LString("first"), true, nullptr);
    ASSERT_TRUE(first->Play());
    Frames(20);
    Voice()->End();
    EXPECT_FALSE(strip->IsShowing()); // fading out
    // The next line starts while the strip still fades: it is shown again, not lost.
    auto second = Line("line2");
    second->SetSubtitle(LString("second"), true, nullptr, true);
    ASSERT_TRUE(second->Play());
    EXPECT_TRUE(strip->IsShowing());
    EXPECT_EQ("second", ToStd(strip->GetMainLine()->GetText()));
    Frames(20);
    // A kept line's end leaves the strip up.
    Voice()->End();
    EXPECT_TRUE(strip->IsShowing());
    EXPECT_EQ(2, mEnded.mCount);

    // An owner that reports a missing stream itself hears only the sound manager's fault.
    mLog.Clear();
    auto quiet = Line("missing_line");
    quiet->SetQuietFailure(true);
    EXPECT_FALSE(quiet->Play());
    EXPECT_EQ("", mLog.ProblemsBut({"CreateStream failure: //sounds/missing_line.ogg"}));
}
