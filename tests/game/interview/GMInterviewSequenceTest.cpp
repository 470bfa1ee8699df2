// Interview sequences: one record per track and frame, the subtitle lines, the voiced
// lines' states and sounds with the stand-in sound, the space bar and "noskip", the end
// without sounds, and Create over several entries.
#include "interview/GMInterviewSequence.h"

#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Render/LGesturePlayer.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMISequenceListener.h"
#include "interview/GMInterview.h"
#include "interview/GMSubtitle.h"
#include "pda/GMIPDAPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMInterviewTestCase.h"
#include "support/GMTestInterview.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

struct Done : GMISequenceListener
{
    void OnSequenceDone() override
    {
        ++mCount;
        mRaisedFirst = LEventManager::Get()->IsRaised(LString("evt_seq_done"));
    }
    int mCount = 0;
    bool mRaisedFirst = false;
};

class SequenceTest : public GMInterviewTestCase
{
protected:
    void SetUp() override
    {
        GMInterviewTestCase::SetUp();
        MakeScene();
        mInterview = GMTestInterview::Make(GMTestInterview::Data(""));
        mLog.Clear();
    }

    void TearDown() override
    {
        mSequence.reset();
        mInterview.reset();
        GMInterviewTestCase::TearDown();
    }

    // A sequence of the entry text (lines at depth 0), played with mDone.
    GMInterviewSequence* Play(const std::string& aEntry)
    {
        mSequence = std::make_unique<GMInterviewSequence>();
        LPropertyList entry;
        entry.Parse(aEntry.c_str(), static_cast<int>(aEntry.size()));
        mSequence->Create(LString("evt_seq_done"), &entry, mInterview.get());
        mSequence->Play(&mDone);
        return mSequence.get();
    }

    static void Frame() { LFakeTimer::Frames(1, 0.01); }

    static std::string Line(LTextArea* aLine) { return aLine == nullptr ? "-" : ToStd(aLine->GetText()); }

    static std::string Lines()
    {
        GMSubtitle* strip = GMSubtitle::GetInstance();
        return Line(strip->GetMainLine()) + "/" + Line(strip->GetAppendedLine());
    }

    static int Boolean(const std::string& aId)
    {
        LIState* state = LStateManager::Get()->GetState(FromStd(aId));
        return state != nullptr ? *static_cast<unsigned char*>(state->GetValue()) : -1;
    }

    static bool DoneRaised() { return LEventManager::Get()->IsRaised(LString("evt_seq_done")); }

    std::unique_ptr<GMInterview> mInterview;
    std::unique_ptr<GMInterviewSequence> mSequence;
    Done mDone;
};

} // namespace

TEST_F(SequenceTest, EachTrackPlaysOneRecordPerFrameStartingOnTheFirstFrameAfterPlay)
{
    Play("soundtimes=0\nsubtitletimes=0|0|0.5\nsubtitles\n"
         "\ta\n\t\tfont=main\n\t\tsubtitle=s1\n\t\ttype=Replace\n"
         "\tb\n\t\tfont=main\n\t\tsubtitle=s2\n\t\ttype=append\n"
         "\tc\n\t\tfont=main\n\t\tsubtitle=s3\n\t\ttype=REPLACE\n");
    EXPECT_EQ(3, mSequence->GetSubtitleCount());
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip);
    strip->SetText(LString("before"), nullptr);
    EXPECT_EQ("before/-", Lines()); // nothing until a frame
    Frame();
    EXPECT_EQ("one/-", Lines());
    EXPECT_TRUE(strip->IsShowing() || strip->IsShown());
    Frame(); // the same time: the next frame
    EXPECT_EQ("one/two", Lines());
    Frame();
    EXPECT_EQ("one/two", Lines()); // 0.5 s not reached
    LFakeTimer::Frames(1, 0.5);
    EXPECT_EQ("three/-", Lines());
}

TEST_F(SequenceTest, ALinesStateIsTrueExactlyWhileItPlays)
{
    Play("sounds=line1|line2\nsoundtimes=0|0\n" + GMTestInterview::Subtitles({}) + "subtitletimes=0\n");
    EXPECT_EQ(-1, Boolean("sta_interview_line1"));
    Frame();
    EXPECT_EQ(1, Boolean("sta_interview_line1"));
    LFakeSoundPlayer* first = LFakeSoundPlayer::Find(LString("sequenceSound"));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ("//sounds/line1.ogg", ToStd(first->mFileName));
    EXPECT_TRUE(first->mPlaying);
    EXPECT_EQ(1.0f, first->mVolume);
    Frame();
    EXPECT_EQ(1, Boolean("sta_interview_line1")); // one line at a time
    EXPECT_EQ(-1, Boolean("sta_interview_line2"));
    first->MarkEnded();
    Frame();
    EXPECT_EQ(0, Boolean("sta_interview_line1"));
    EXPECT_EQ(-1, Boolean("sta_interview_line2"));
    Frame();
    EXPECT_EQ(1, Boolean("sta_interview_line2"));
    EXPECT_FALSE(mSequence->IsFinished());
    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    EXPECT_EQ(0, Boolean("sta_interview_line2"));
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ(1, mDone.mCount);
    EXPECT_TRUE(mDone.mRaisedFirst);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("sequenceSound")));
}

TEST_F(SequenceTest, AMissingSoundPlaysTheStandInAndWithoutItTheLineIsPassedOver)
{
    Play("sounds=gone|line2\nsoundtimes=0|0\n");
    Frame();
    EXPECT_TRUE(mLog.Contains("ERROR: "));
    EXPECT_TRUE(mLog.Contains("Using temp sound."));
    ASSERT_NE(nullptr, mSequence->GetSoundPlayer());
    EXPECT_EQ("//sounds/temp.ogg", ToStd(LFakeSoundPlayer::Find(LString("sequenceSound"))->mFileName));
    EXPECT_EQ(1, Boolean("sta_interview_gone"));
    mSequence.reset();

    std::filesystem::remove(mRoots.Path() + "/data/sounds/temp.ogg");
    mLog.Clear();
    Play("sounds=gone|line2\nsoundtimes=0|0\n");
    Frame();
    EXPECT_TRUE(mLog.Contains("Failed to start sound."));
    EXPECT_EQ(nullptr, mSequence->GetSoundPlayer());
    EXPECT_EQ(0, Boolean("sta_interview_gone"));
    Frame(); // the next line goes on
    EXPECT_EQ(1, Boolean("sta_interview_line2"));
    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    EXPECT_EQ(1, mDone.mCount);

    // The last line failing ends the sequence.
    mSequence.reset();
    Play("sounds=gone\nsoundtimes=0\n");
    Frame();
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ(2, mDone.mCount);
}

TEST_F(SequenceTest, SpaceEndsTheSequenceAtOnceUnlessNoSkip)
{
    struct Case
    {
        const char* mNoSkip;
        bool mSkips;
    };
    const Case cases[] = {{"", true}, {"noskip=false\n", true}, {"noskip=TRUE\n", false}, {"noskip=true\n", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mNoSkip);
        LEventManager::Get()->RemoveAllEvents();
        mDone = Done();
        Play(std::string(c.mNoSkip) + "sounds=line1|line2\nsoundtimes=0|5\n");
        Frame();
        EXPECT_EQ(1, Boolean("sta_interview_line1"));
        LKeyboard::Get()->OnKeyDown(0x1c); // another key does nothing
        LKeyboard::Get()->OnKeyUp(0x1c);
        EXPECT_FALSE(mSequence->IsFinished());
        LKeyboard::Get()->OnKeyDown(GMInterviewSequence::kSpaceKey);
        LKeyboard::Get()->OnKeyUp(GMInterviewSequence::kSpaceKey);
        EXPECT_EQ(c.mSkips, mSequence->IsFinished());
        EXPECT_EQ(c.mSkips ? 1 : 0, mDone.mCount);
        EXPECT_EQ(c.mSkips, DoneRaised());
        EXPECT_EQ(c.mSkips, mDone.mRaisedFirst);
        EXPECT_EQ(c.mSkips ? 0 : 1, Boolean("sta_interview_line1"));
        EXPECT_EQ(c.mSkips, mSequence->GetSoundPlayer() == nullptr);
        // Nothing more plays after a skip; unskipped, the next line waits for this one.
        LFakeTimer::Frames(2, 6.0);
        EXPECT_EQ(-1, Boolean("sta_interview_line2"));
        EXPECT_EQ(c.mSkips ? 1 : 0, mDone.mCount);
        mSequence.reset();
    }
}

TEST_F(SequenceTest, ASequenceWithoutSoundsEndsAfterItsOtherTracks)
{
    Play(GMTestInterview::Subtitles({"s1", "s2"}) + "subtitletimes=0|1\n");
    Frame();
    EXPECT_FALSE(mSequence->IsFinished());
    LFakeTimer::Frames(1, 1.0);
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ(1, mDone.mCount);
    EXPECT_TRUE(mDone.mRaisedFirst);
    EXPECT_EQ("two/-", Lines());

    // Nothing at all: the first frame ends it.
    mSequence.reset();
    Play("");
    EXPECT_FALSE(mSequence->IsFinished());
    Frame();
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ(2, mDone.mCount);
    Frame();
    EXPECT_EQ(2, mDone.mCount);
}

TEST_F(SequenceTest, CreateOverSeveralEntriesKeepsTheLastListsAndEverySubtitle)
{
    const std::string entries[] = {
        "sounds=a1\nsoundtimes=1\n" + GMTestInterview::Subtitles({"s1"}) +
            "subtitletimes=0\nviewpoints=c1\nviewpointtimes=0\ncharacters=a\nnoskip=true\n",
        "sounds=b1|b2\nsoundtimes=2|3\n" + GMTestInterview::Subtitles({"s2", "s3"}) +
            "subtitletimes=0|1\ntargetscene=next|false\nbargain=1\n",
        "sounds=c1\nsoundtimes=4\n" + GMTestInterview::Subtitles({"s4"}) + "subtitletimes=2\nviewpoints=x|y\n",
    };
    GMInterviewSequence sequence;
    for (const std::string& text : entries) {
        LPropertyList entry;
        entry.Parse(text.c_str(), static_cast<int>(text.size()));
        EXPECT_TRUE(sequence.Create(LString("evt_x"), &entry, mInterview.get()));
    }
    ASSERT_EQ(4, sequence.GetSubtitleCount());
    const char* const texts[] = {"one", "two", "three", "four"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i], ToStd(sequence.GetSubtitle(i)->mText));
        EXPECT_NE(nullptr, sequence.GetSubtitle(i)->mFont);
    }
    ASSERT_EQ(1, sequence.GetSounds().GetCount());
    EXPECT_EQ("c1", ToStd(sequence.GetSounds().GetRef(0)));
    EXPECT_EQ(4.0f, sequence.GetSoundTimes()[0]);
    ASSERT_EQ(1, sequence.GetSubtitleTimes().GetCount());
    EXPECT_EQ(2.0f, sequence.GetSubtitleTimes()[0]);
    EXPECT_EQ(2, sequence.GetViewpoints().GetCount());
    EXPECT_EQ(0, sequence.GetViewpointTimes().GetCount());
    EXPECT_EQ(0, sequence.GetCharacters().GetCount());
    EXPECT_EQ("", ToStd(sequence.GetTargetScene()));
    EXPECT_FALSE(sequence.IsNoSkip());
    EXPECT_FALSE(sequence.IsBargain());
    EXPECT_FALSE(mLog.Contains("Property not found"));
    LPropertyList bare;
    EXPECT_TRUE(sequence.Create(LString(), &bare, mInterview.get()));
    EXPECT_TRUE(mLog.Contains("Property not found: 'soundtimes'."));
    EXPECT_TRUE(mLog.Contains("List not found: 'subtitles'."));
    EXPECT_TRUE(mLog.Contains("Property not found: 'subtitletimes'."));
    EXPECT_EQ(4, sequence.GetSubtitleCount());
    EXPECT_EQ(0, sequence.GetSounds().GetCount());
}

TEST_F(SequenceTest, AFirstViewpointNamedStringMeansNoCuts)
{
    const char* const names[] = {"viewpoints=String|cam2\nviewpointtimes=0|1\n", "viewpoints=STRINGS\n",
                                 "viewpoints=stringcam|x\n"};
    for (const char* text : names) {
        SCOPED_TRACE(text);
        GMInterviewSequence sequence;
        LPropertyList entry;
        entry.Parse(text, static_cast<int>(std::string(text).size()));
        sequence.Create(LString(), &entry, mInterview.get());
        EXPECT_EQ(0, sequence.GetViewpoints().GetCount());
        EXPECT_EQ(0, sequence.GetViewpointTimes().GetCount());
    }
    GMInterviewSequence kept;
    LPropertyList entry;
    entry.Parse("viewpoints=strin|x\n", 19);
    kept.Create(LString(), &entry, mInterview.get());
    EXPECT_EQ(2, kept.GetViewpoints().GetCount());
}

TEST_F(SequenceTest, ALinesCharactersPlayItsGesturesAndTheFirstIsLipSynced)
{
    Play("sounds=line1|line2\nsoundtimes=0|0\ncharacters=ab|b\n");
    Frame();
    LGesturePlayer* gestures = mSequence->GetGesturePlayer();
    ASSERT_NE(nullptr, gestures);
    // A bound role refuses a second character.
    EXPECT_FALSE(gestures->SetCharacter(LString("primary"), mPlayer));
    EXPECT_FALSE(gestures->SetCharacter(LString("secondary"), mPlayer));
    EXPECT_TRUE(gestures->SetCharacter(LString("tertiary"), mPlayer));
    EXPECT_EQ(mWitness, mSequence->GetSpeaker());
    EXPECT_NE(nullptr, mWitness->GetLipSyncPlayer());
    EXPECT_EQ(nullptr, mPlayer->GetLipSyncPlayer());

    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    EXPECT_EQ(nullptr, mSequence->GetGesturePlayer());
    EXPECT_EQ(nullptr, mWitness->GetLipSyncPlayer());
    Frame();
    // line2 has neither gestures nor lip-sync data: the player speaks without them.
    EXPECT_EQ(nullptr, mSequence->GetGesturePlayer());
    EXPECT_EQ(nullptr, mSequence->GetSpeaker());
    EXPECT_EQ(nullptr, mPlayer->GetLipSyncPlayer());
    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    // Gesture players that played, and one whose file did not load, leave the frame loop once.
    EXPECT_FALSE(mLog.Contains("Remove listener error"));
}

TEST_F(SequenceTest, APocketObjectOfTheLineIsShownByThePlayer)
{
    struct Case
    {
        const char* mSound;
        const char* mAnimation;
        int mProp;
    };
    const Case cases[] = {{"line1", "show_badge", GMCharacter::PROP_BADGE},
                          {"line2", "show_photo", GMCharacter::PROP_POLAROID}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mSound);
        mPlayer->ShowObject(LString("before"), -1);
        Play(std::string("sounds=") + c.mSound + "\nsoundtimes=0\n");
        Frame();
        EXPECT_EQ(c.mAnimation, ToStd(mPlayer->GetShownObjectAnimation()));
        EXPECT_EQ(c.mProp, mPlayer->GetShownObjectProp());
        mSequence.reset();
    }
    mPlayer->ShowObject(LString("before"), -1);
    mRoots.Write("data/sounds/plain.ogg", "sound");
    Play("sounds=plain\nsoundtimes=0\n");
    Frame();
    EXPECT_EQ("before", ToStd(mPlayer->GetShownObjectAnimation()));
}

TEST_F(SequenceTest, CutsFollowTheirTimesAndTheEndCutsToTheLastOne)
{
    Play("sounds=line1\nsoundtimes=0\nviewpoints=c1|c2|c3\nviewpointtimes=0|0\n");
    Frame();
    EXPECT_EQ("c1", ToStd(mScene->GetCut()));
    Frame();
    EXPECT_EQ("c2", ToStd(mScene->GetCut()));
    Frame();
    EXPECT_EQ("c2", ToStd(mScene->GetCut())); // c3 has no time
    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    EXPECT_EQ("c3", ToStd(mScene->GetCut()));

    // Skipped, the last cut is the same; a placeholder list cuts nowhere.
    mSequence.reset();
    Play("sounds=line1\nsoundtimes=0\nviewpoints=c1|c2\nviewpointtimes=5|6\n");
    Frame();
    LKeyboard::Get()->OnKeyDown(GMInterviewSequence::kSpaceKey);
    EXPECT_EQ("c2", ToStd(mScene->GetCut()));
    mSequence.reset();
    mScene->SetCut(LString("kept"));
    Play("sounds=line1\nsoundtimes=0\nviewpoints=String01|c2\nviewpointtimes=0|0\n");
    Frame();
    LKeyboard::Get()->OnKeyDown(GMInterviewSequence::kSpaceKey);
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ("kept", ToStd(mScene->GetCut()));
}

TEST_F(SequenceTest, ABargainingSequenceHandsTheInterviewOverToBargaining)
{
    struct Heard : GMIInterviewListener
    {
        void OnInterviewEvent(int aCode) override { mCodes += std::to_string(aCode); }
        std::string mCodes;
    } heard;
    mInterview->SetListener(&heard);
    mScene->SetInterviewRunning(true);
    mScene->SetCut(LString("c1"));
    GMPDA* pda = GMPDA::GetInstance();
    ASSERT_NE(nullptr, pda);
    ASSERT_FALSE(pda->IsOpen());
    Play("bargain=1\nsounds=line1\nsoundtimes=0\n" + GMTestInterview::Subtitles({"s1"}) + "subtitletimes=0\n");
    Frame();
    EXPECT_TRUE(GMSubtitle::GetInstance()->IsShowing());
    LFakeSoundPlayer::Find(LString("sequenceSound"))->End();
    EXPECT_TRUE(mSequence->IsFinished());
    EXPECT_EQ(0, mDone.mCount); // the listener is not told
    EXPECT_TRUE(DoneRaised());
    EXPECT_EQ(1, Boolean("bargaining_test_active"));
    EXPECT_EQ("-", ToStd(mScene->GetCut()));
    EXPECT_EQ("1", heard.mCodes);
    EXPECT_FALSE(mScene->IsInterviewRunning());
    EXPECT_TRUE(pda->IsOpen());
    ASSERT_NE(nullptr, pda->GetCurrentPanel());
    EXPECT_EQ("inventory", ToStd(pda->GetCurrentPanel()->GetId()));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
}
