// The cut-scene player over the sample's first location: which table entry a state, an
// event, an interview or a location starts, how a movie stands and ends, the space key,
// queued movies through black, and the timed subtitles.
#include "ui/GMCutScenePlayer.h"

#include "GMScreenManager.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "support/GMCutSceneTestCase.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An entry of the cut-scene table.
std::string Entry(const std::string& aName, const std::string& aType, const std::string& aKey,
                  const std::string& aId, const std::string& aMovie, const std::string& aMore = "")
{
    return aName + "\n\ttriggertype=" + aType + "\n\t" + aKey + "=" + aId + "\n\tmovie=" + aMovie + "\n" + aMore;
}

std::string MainLine()
{
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    return line != nullptr ? ToStd(line->GetText()) : "";
}

std::string AppendedLine()
{
    LTextArea* line = GMSubtitle::GetInstance()->GetAppendedLine();
    return line != nullptr ? ToStd(line->GetText()) : "";
}

struct Counting : LIMouseListener
{
    void OnButtonDown(int) override { ++mEvents; }
    void OnMove(const LVector2&) override { ++mEvents; }
    void OnButtonUp(int) override { ++mEvents; }
    int mEvents = 0;
};

class CutSceneTest : public GMCutSceneTestCase
{
protected:
    // One notice of a change (the state manager tells of a new state twice).
    static void SetBoolean(const char* aId)
    {
        LStateManager* states = LStateManager::Get();
        if (!states->HasState(LString(aId))) {
            states->SetState(LString(aId), LString("boolean"), LString("false"), false);
        }
        states->SetState(LString(aId), LString("true"), true);
    }
};

} // namespace

// --- triggers ---------------------------------------------------------------------------

TEST_F(CutSceneTest, AStateEntryPlaysOncePerMatchingChangeAndOnlyTheFirstInTableOrder)
{
    GMCutScenePlayer* player = MakePlayer(Entry("first", "STATE", "triggerstate", "sta_go", "first.bik") +
                                    Entry("second", "state", "triggerstate", "sta_go", "second.bik") +
                                    Entry("other", "state", "triggerstate", "sta_other", "other.bik"));
    SetBoolean("sta_unrelated");
    EXPECT_FALSE(player->IsPlaying());
    SetBoolean("sta_go");
    EXPECT_EQ((std::vector<std::string> {"first.bik"}), std::vector<std::string> {ToStd(player->GetQueue()[0])});
    EXPECT_EQ(1, player->GetQueue().GetCount());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"first.bik"}), GMTestCutScenes::Made());
    // The next change plays it again; a state without entry plays nothing.
    SetBoolean("sta_go");
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"first.bik", "first.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutSceneTest, AStateEntryWrittenWithCapitalsMatchesTheLowerCasedStateId)
{
    // State ids compare without regard to case: the manager keeps them lower-cased.
    GMCutScenePlayer* player = MakePlayer(Entry("caps", "state", "triggerstate", "Sta_Door_Open", "caps.bik") +
                                          Entry("scripted", "state", "triggerstate", "STA_Lamp", "lamp.bik",
                                                "\tdependencies=script[true]\n"));
    SetBoolean("STA_DOOR_open");
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_EQ("caps.bik", ToStd(player->GetQueue()[0]));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    SetBoolean("sta_lamp");
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"caps.bik", "lamp.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutSceneTest, AnEventEntryMatchesWithoutCaseAndItsDependenciesAreBuiltOnce)
{
    GMCutScenePlayer* player =
        MakePlayer(Entry("broken", "event", "triggerevent", "", "broken.bik", "\tdependencies=script[e[evt_a]\n") +
             Entry("later", "event", "triggerevent", "", "later.bik", "\tdependencies=script[e[evt_key]]\n") +
             Entry("door", "Event", "triggerevent", "EVT_Door", "door.bik",
                   "\tdoneevents=evt_door_seen|evt_door_told\n\ttargetscene=case01/riverbank\n"));
    LEventManager* events = LEventManager::Get();
    events->AddEvent(LString("evt_something"), true);
    events->AddEvent(LString("evt_else"), true);
    EXPECT_FALSE(player->IsPlaying());
    // The broken script is logged once (by the builder and here), however often the list
    // is walked, and is false.
    EXPECT_EQ(2, mLog.Count("ASSERT FAILURE: ")) << mLog.Bytes();
    EXPECT_EQ(1, mLog.Count("Invalid dependencies: broken"));
    events->AddEvent(LString("evt_door"), true);
    ASSERT_TRUE(player->IsPlaying());
    EXPECT_EQ("door.bik", ToStd(player->GetQueue()[0]));
    EXPECT_EQ("case01/riverbank", ToStd(player->GetTargetScene()));
    EXPECT_EQ("", ToStd(player->GetTargetViewpoint()));
    ASSERT_EQ(2, player->GetDoneEvents().GetCount());
    EXPECT_EQ("evt_door_told", ToStd(player->GetDoneEvents()[1]));
    EXPECT_EQ(2, mLog.Count("ASSERT FAILURE: "));

    // An entry without a trigger id fires on any event once its dependencies hold.
    player->SetTarget(LString(), LString());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    events->AddEvent(LString("evt_key"), true);
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"door.bik", "later.bik"}), GMTestCutScenes::Made());
}

TEST_F(CutSceneTest, InterviewAndLocationEntriesStartOnlyWhenTheirDependenciesHold)
{
    GMCutScenePlayer* player =
        MakePlayer(Entry("bare", "interview", "triggerinterview", "w1", "bare.bik") +
             Entry("closed", "interview", "triggerinterview", "w1", "closed.bik", "\tdependencies=script[e[evt_x]]\n") +
             Entry("open", "interview", "triggerinterview", "W1", "open.bik", "\tdependencies=script[true]\n") +
             Entry("place", "maptag", "triggerlocation", "Office", "place.bik", "\tdependencies=script[true]\n") +
             Entry("notype", "", "triggerinterview", "w1", "notype.bik", "\tdependencies=script[true]\n"));
    EXPECT_FALSE(player->PlayForInterview(LString("w2")));
    EXPECT_FALSE(player->PlayForLocation(LString("w1")));
    EXPECT_EQ(0, mLog.Count("ASSERT FAILURE: "));
    EXPECT_TRUE(player->PlayForInterview(LString("w1")));
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: "));
    EXPECT_EQ(1, mLog.Count("'dependencies' not found: bare"));
    EXPECT_EQ("open.bik", ToStd(player->GetQueue()[0]));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_TRUE(player->PlayForLocation(LString("office")));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"open.bik", "place.bik"}), GMTestCutScenes::Made());
}

// --- playing ----------------------------------------------------------------------------

TEST_F(CutSceneTest, AMovieStandsCentredAtTheOptionsVolumeAndHasTheMouseToItself)
{
    GMCutScenePlayer* player = MakePlayer();
    GMOptions::GetInstance()->mVolume = 0.4f;
    Counting other;
    ASSERT_TRUE(LMouse::Get()->AddMember(&other, -100.0f));
    player->Play(LString("a.bik"));
    EXPECT_EQ(nullptr, GMTestCutScenes::Shown()); // the scene fades away first
    ASSERT_TRUE(GMTestCutScenes::Settle());
    LFakeMoviePlayer* movie = GMTestCutScenes::Shown();
    ASSERT_NE(nullptr, movie);
    EXPECT_EQ(player, GMScreenManager::GetInstance()->GetTop());
    EXPECT_EQ("cutScene", ToStd(movie->GetId()));
    EXPECT_EQ("//dataroot/movies/a.bik", ToStd(movie->mFileName));
    EXPECT_FLOAT_EQ(80.0f, movie->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(60.0f, movie->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(0.4f, movie->GetVolume());
    EXPECT_EQ(1, movie->mPlays);
    EXPECT_NE(nullptr, movie->GetGroup());
    EXPECT_FALSE(mScene->IsInputEnabled());
    EXPECT_FALSE(GMCursor::GetInstance()->GetEngineCursor()->GetVisible());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    const int heard = other.mEvents;
    GMSceneFlow::Click(LVector2(400.0f, 300.0f));
    EXPECT_EQ(heard, other.mEvents);

    // An odd size is centred with whole pixels.
    movie->MarkEnded();
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_TRUE(GMCursor::GetInstance()->GetEngineCursor()->GetVisible());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    LFakeMovieManager::sWidth = 321;
    LFakeMovieManager::sHeight = 99;
    player->Play(LString("b.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    ASSERT_NE(nullptr, GMTestCutScenes::Shown());
    EXPECT_FLOAT_EQ(239.0f, GMTestCutScenes::Shown()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(250.0f, GMTestCutScenes::Shown()->GetLocalPosition().y);
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    GMSceneFlow::Click(LVector2(400.0f, 300.0f));
    EXPECT_LT(heard, other.mEvents);
    LMouse::Get()->RemoveListener(&other);
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutSceneTest, WhileAMovieHoldsTheMouseItsMovesReachTheEngineCursor)
{
    GMCutScenePlayer* player = MakePlayer();
    LCursor* cursor = GMCursor::GetInstance()->GetEngineCursor();
    ASSERT_NE(nullptr, cursor);
    GMSceneFlow::Move(LVector2(10.0f, 20.0f));
    player->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    ASSERT_NE(nullptr, GMTestCutScenes::Shown());
    ASSERT_TRUE(LMouse::Get()->IsLocked());
    GMSceneFlow::Move(LVector2(321.0f, 234.0f));
    EXPECT_FLOAT_EQ(321.0f, cursor->GetGroup()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(234.0f, cursor->GetGroup()->GetLocalPosition().y);
    // Without a target scene the cursor shows again where the mouse is.
    GMTestCutScenes::Shown()->MarkEnded();
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_TRUE(cursor->GetVisible());
    EXPECT_FLOAT_EQ(321.0f, cursor->GetGroup()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(234.0f, cursor->GetGroup()->GetLocalPosition().y);
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutSceneTest, SpaceIsIgnoredForHalfASecondThenEndsTheWholeCutScene)
{
    GMCutScenePlayer* player = MakePlayer();
    LVectorString list;
    for (const char* name : {"a.bik", "b.bik", "c.bik"}) {
        list.Add(LString(name));
    }
    player->PlayList(list);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    LFakeMoviePlayer* movie = GMTestCutScenes::Shown();
    ASSERT_NE(nullptr, movie);
    LKeyboard* keyboard = LKeyboard::Get();
    keyboard->OnKeyDown(GMCutScenePlayer::kSpaceKey);
    keyboard->OnKeyUp(GMCutScenePlayer::kSpaceKey);
    GMSceneFlow::Frames(2);
    EXPECT_EQ(movie, GMTestCutScenes::Shown());
    EXPECT_EQ(2, player->GetQueue().GetCount());
    EXPECT_EQ(0, movie->mPauses);

    GMSceneFlow::Frames(10); // past the half second
    keyboard->OnKeyDown(39);
    keyboard->OnKeyUp(39);
    EXPECT_EQ(0, movie->mPauses);
    keyboard->OnKeyDown(GMCutScenePlayer::kSpaceKey);
    EXPECT_EQ(0, movie->mPauses); // on the release
    keyboard->OnKeyUp(GMCutScenePlayer::kSpaceKey);
    EXPECT_EQ(1, movie->mPauses);
    EXPECT_EQ(0, player->GetQueue().GetCount());
    EXPECT_FALSE(keyboard->Contains(player));
    GMSceneFlow::Frames(1);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(mScene, GMScreenManager::GetInstance()->GetTop());
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ((std::vector<std::string> {"a.bik"}), GMTestCutScenes::Made());
}

TEST_F(CutSceneTest, AMovieOfMoreThanTenFramesEndsTenEarlyAndAShortOneAtItsEndNotice)
{
    GMCutScenePlayer* player = MakePlayer();
    struct Case
    {
        unsigned mFrames;
        unsigned mEndsAt; // 0: only by the end notice
    };
    for (const Case& c : {Case {100, 91}, Case {11, 2}, Case {10, 0}, Case {8, 0}, Case {0, 0}}) {
        SCOPED_TRACE(c.mFrames);
        LFakeMovieManager::sFrameCount = c.mFrames;
        player->Play(LString("m.bik"));
        ASSERT_TRUE(GMTestCutScenes::Settle());
        LFakeMoviePlayer* movie = GMTestCutScenes::Shown();
        ASSERT_NE(nullptr, movie);
        const unsigned last = c.mEndsAt != 0 ? c.mEndsAt : c.mFrames + 1;
        for (unsigned frame = 1; frame < last; ++frame) {
            movie->mCurrentFrame = frame;
            GMSceneFlow::Frames(1);
        }
        EXPECT_EQ(0, movie->mPauses);
        EXPECT_EQ(player, GMScreenManager::GetInstance()->GetTop());
        ASSERT_FALSE(GMScreenManager::GetInstance()->IsBusy());
        if (c.mEndsAt != 0) {
            movie->mCurrentFrame = c.mEndsAt;
            GMSceneFlow::Frames(1);
            EXPECT_EQ(1, movie->mPauses);
        } else {
            movie->MarkEnded();
            GMSceneFlow::Frames(2);
        }
        EXPECT_TRUE(GMScreenManager::GetInstance()->IsBusy()); // popping back
        ASSERT_TRUE(GMTestCutScenes::Settle());
        EXPECT_EQ(mScene, GMScreenManager::GetInstance()->GetTop());
        EXPECT_EQ(nullptr, player->GetMovie());
    }
}

TEST_F(CutSceneTest, AListPlaysInOrderThroughBlackWithTheNextMovieAbove)
{
    GMCutScenePlayer* player = MakePlayer();
    LVectorString list;
    list.Add(LString("one.bik"));
    list.Add(LString("two.bik"));
    player->PlayList(list);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    LFakeMoviePlayer* first = GMTestCutScenes::Shown();
    ASSERT_NE(nullptr, first);
    EXPECT_FLOAT_EQ(0.0f, first->GetRelativeZ());
    first->MarkEnded();
    GMSceneFlow::Frames(2);
    // Fading to black with the first movie still there.
    EXPECT_EQ(player, GMScreenFader::GetInstance()->GetListener());
    EXPECT_FALSE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_EQ(first, GMTestCutScenes::Shown());
    EXPECT_EQ(1u, LFakeMovieManager::sMade.size());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    LFakeMoviePlayer* second = GMTestCutScenes::Shown();
    ASSERT_NE(nullptr, second);
    EXPECT_EQ((std::vector<std::string> {"one.bik", "two.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ(1u, LFakeMoviePlayer::Live().size()); // the first is gone
    EXPECT_FLOAT_EQ(GMCutScenePlayer::kNextMovieZ, second->GetRelativeZ());
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_EQ(player, GMScreenManager::GetInstance()->GetTop());
    EXPECT_TRUE(LMouse::Get()->IsLocked());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ(mScene, GMScreenManager::GetInstance()->GetTop());
    EXPECT_TRUE(LFakeMoviePlayer::Live().empty());
    EXPECT_EQ("", mLog.Problems());
}

// --- subtitles --------------------------------------------------------------------------

namespace {

const std::string kSubtitles = "s1\n\tmovie=SUB.bik\n\tfonts\n\t\tmain=TW_CEN_MT16\n\t\tsmall=twcenmt14white\n"
                               "\tsubtitles\n"
                               "\t\tr1\n\t\t\ttime=0.2\n\t\t\tsubtitle=One\n\t\t\tfont=main\n"
                               "\t\tr2\n\t\t\ttime=0.4\n\t\t\tsubtitle=and two\n\t\t\tfont=small\n\t\t\taction=add\n"
                               "\t\tr3\n\t\t\ttime=0.6\n\t\t\tfont=main\n"
                               "\t\tr4\n\t\t\ttime=0.8\n\t\t\tsubtitle=Four\n\t\t\tfont=main\n";

} // namespace

TEST_F(CutSceneTest, SubtitlesShowAtTheirTimesInTheirFontsAndAddAppends)
{
    GMCutScenePlayer* player = MakePlayer("", kSubtitles);
    player->Play(LString("sub.bik"));
    ASSERT_TRUE(GMSceneFlow::FramesUntil([] { return GMTestCutScenes::Shown() != nullptr; }));
    GMSubtitle* strip = GMSubtitle::GetInstance();
    EXPECT_FLOAT_EQ(500.0f, strip->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(0.0f, strip->GetLocalPosition().x);
    EXPECT_EQ("", MainLine());
    const double start = LFakeTimer::sNow;
    LFakeTimer::FrameAt(start + 0.1);
    EXPECT_EQ("", MainLine());
    LFakeTimer::FrameAt(start + 0.25);
    EXPECT_EQ("One", MainLine());
    EXPECT_TRUE(strip->IsShowing() || strip->IsShown());
    LFakeTimer::FrameAt(start + 0.45);
    EXPECT_EQ("One", MainLine());
    EXPECT_EQ("and two", AppendedLine());
    // A record without its text is logged and passed over.
    LFakeTimer::FrameAt(start + 0.65);
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: "));
    EXPECT_EQ("and two", AppendedLine());
    LFakeTimer::FrameAt(start + 0.85);
    EXPECT_EQ("Four", MainLine());
    EXPECT_EQ("", AppendedLine());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_FALSE(strip->IsShown());
}

TEST_F(CutSceneTest, WithSubtitlesOffNothingIsShownAndNoRecordIsRead)
{
    GMCutScenePlayer* player = MakePlayer("", kSubtitles);
    GMOptions::GetInstance()->SetToggle(0, 1);
    player->Play(LString("sub.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    ASSERT_NE(nullptr, GMTestCutScenes::Shown());
    GMSceneFlow::Frames(20);
    EXPECT_EQ("", MainLine());
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ(0, mLog.Count("ASSERT FAILURE: "));
}
