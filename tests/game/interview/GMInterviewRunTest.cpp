// A witness interview's run, selected and started through the manager in the sample's
// interview panel: the start event and the listener, the meter steps from the topics on
// offer, the openings, the denial draw, topic and mode input, the mode tooltip, the
// scroll bar's blend, a full meter, a sequence that leads to another scene, the end, and
// the manager's own interviews deleted once they have ended.
#include "interview/GMInterview.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LColor.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMInterviewTopicArea.h"
#include "pda/GMPDAMinimized.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LRandom.h"
#include "support/GMTestScene.h"
#include "support/GMTestInterview.h"
#include "support/GMTestRoots.h"
#include "support/GMTestCutScenes.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Heard : GMIInterviewListener
{
    void OnInterviewEvent(int aCode) override { mCodes.push_back(aCode); }
    std::vector<int> mCodes;
};

struct Probe : LIMouseListener
{
    void OnButtonDown(int) override { ++mHeard; }
    void OnMove(const LVector2&) override { ++mHeard; }
    void OnButtonUp(int) override { ++mHeard; }
    int mHeard = 0;
};

// A sequence entry's keys at depth 0: one line of the sound aSound with subtitle "s1".
std::string Line(const std::string& aSound, const std::string& aExtra = "")
{
    return "sounds=" + aSound + "\nsoundtimes=0\n" + GMTestInterview::Subtitles({"s1"}) + "subtitletimes=0\n" + aExtra;
}

// A topic entry under "topics": good in "stra", bad in "conf".
std::string Topic(const std::string& aKey, const std::string& aDependencies = "script[true]",
                  const std::string& aDone = "evtnever")
{
    return "\t" + aKey + "\n\t\tname=t_alibi\n\t\tlevel=1\n\t\tdependencies=" + aDependencies + "\n\t\tdoneevent=" +
           aDone + "\n\t\tmodes\n\t\t\tstra\n" + GMTestInterview::Indent("type=good\n" + Line(aKey + "_stra"), 4) +
           "\t\t\tconf\n" + GMTestInterview::Indent("type=bad\n" + Line(aKey + "_conf"), 4);
}

std::string Topics(int aCount)
{
    std::string text = "topics\n";
    for (int i = 1; i <= aCount; ++i) {
        text += Topic("t" + std::to_string(i));
    }
    return text;
}

// The closing and opening sequences, each with a sound named after it.
std::string Specials()
{
    return "noinfos\n\tn1\n" + GMTestInterview::Indent(Line("noinfo"), 2) + "denied\n" +
           GMTestInterview::Indent(Line("denied"), 1) + "exit\n" + GMTestInterview::Indent(Line("exit"), 1) +
           "failedexit\n" + GMTestInterview::Indent(Line("failedexit"), 1) +
           "bargain\n\tsolvedevent=evt_solved\n\tdenied\n\t\td1\n" +
           GMTestInterview::Indent(Line("bargain_denied"), 3) + "\tsolved\n" +
           GMTestInterview::Indent(Line("bargain_solved"), 2);
}

std::string Intro(const std::string& aDependencies, const std::string& aExtra = "")
{
    return "intros\n\ti1\n\t\tdependencies=" + aDependencies + "\n\t\tdoneevent=evt_intro_done\n" +
           GMTestInterview::Indent(Line("intro", aExtra), 2);
}

bool Raised(const char* aEvent)
{
    return LEventManager::Get()->IsRaised(LString(aEvent));
}

bool BoolState(const char* aId)
{
    LIState* state = LStateManager::Get()->GetState(LString(aId));
    return state != nullptr && state->GetValue() != nullptr && *static_cast<unsigned char*>(state->GetValue()) != 0;
}

// The first seed after which the generator draws aValue.
unsigned int SeedDrawing(int aValue)
{
    for (unsigned int seed = 0; seed < (1u << 22); ++seed) {
        LRandom::Seed(seed);
        if (LRandom::Next() == aValue) {
            return seed;
        }
    }
    return 0;
}

class RunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        LFakeSoundManager::sMade.clear();
        ASSERT_TRUE(mRoots.Mounted());
        GMTestInterview::Write(mRoots);
        // The sample's panel layout, with the topic button pictures the kit wrote.
        ASSERT_TRUE(mRoots.CopySample("textures/interview"));
        ASSERT_TRUE(mRoots.CopySample("textures/pda"));
        ASSERT_TRUE(mRoots.CopySample("textures/pda/inventory"));
        ASSERT_TRUE(mRoots.CopySample("textures"));
        GMOptions::GetInstance()->SetSkill(1);
        mManager = GMInterviewManager::GetInstance();
        ASSERT_NE(nullptr, mManager);
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // Writes the data file "run.txt" and selects it as "run" without caching.
    GMInterview* Select(const std::string& aData)
    {
        mRoots.Write("data/interviews/interviews.txt",
                     "run\n\tdata=run.txt\n\tsubtitles=test_subtitles.txt\n\twitness=witness\n");
        mRoots.Write("data/interviews/run.txt", GMTestInterview::Data(aData));
        mManager->LoadData();
        GMInterview* interview = mManager->SelectInterview(LString("run"));
        if (interview != nullptr) {
            interview->SetListener(&mHeard);
        }
        return interview;
    }

    GMInterview* Start(const std::string& aData)
    {
        GMInterview* interview = Select(aData);
        if (interview != nullptr) {
            mManager->StartCurrentInterview();
        }
        return interview;
    }

    // The files of the voiced lines played so far, by sound name.
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> names;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            std::string file = ToStd(made.mFileName);
            const size_t slash = file.rfind('/');
            file = file.substr(slash + 1, file.size() - slash - 5);
            names.push_back(file);
        }
        return names;
    }

    LButton* Mode(const char* aId)
    {
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        mManager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        return modes != nullptr ? dynamic_cast<LButton*>(modes->GetMember(LString(aId))) : nullptr;
    }

    LButton* PanelButton(const char* aId)
    {
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        mManager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        return panel != nullptr ? dynamic_cast<LButton*>(panel->GetMember(LString(aId))) : nullptr;
    }

    LDisplayGroup* Panel()
    {
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        mManager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        return panel;
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMInterviewManager* mManager = nullptr;
    Heard mHeard;
};

TEST_F(RunTest, StartingRaisesItsEventTellsTheListenerAndTheEndGivesControlBack)
{
    mRoots.Write("data/movies/cutscenes.txt", "ending\n\ttriggertype=interview\n\ttriggerinterview=run\n"
                                              "\tdependencies=script[true]\n\tmovie=run_end.bik\n"
                                              "\tdoneevents=evt_run_cut_seen\n");
    mRoots.Write("data/movies/cutscenes_subtitles.txt", "");
    LFakeMovieManager::Reset();
    struct Backdrop : GMIScreen
    {
        void OnLeave() override {}
        void OnHidden() override {}
        void OnShow() override {}
    } backdrop;
    GMScreenManager::GetInstance()->PushFade(&backdrop);
    GMInterview* interview = Start(Topics(1) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, interview);
    EXPECT_TRUE(Raised("evt_interviewrun_started"));
    EXPECT_EQ(std::vector<int> {0}, mHeard.mCodes);
    EXPECT_TRUE(interview->IsRunning());
    EXPECT_TRUE(interview->IsBusy());
    EXPECT_TRUE(LMouse::Get()->IsLocked());

    GMTestInterview::PlayOut(interview);
    EXPECT_TRUE(Raised("evt_intro_done"));
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_TRUE(Panel()->GetActive());
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());

    interview->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ((std::vector<std::string> {"intro", "exit"}), Lines());
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_FALSE(Panel()->GetActive());
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    // The table's entry for the interview played over the screen below, and its done event
    // came at its end.
    EXPECT_TRUE(GMCutScenePlayer::GetInstance()->IsPlaying());
    EXPECT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("//dataroot/movies/run_end.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_TRUE(Raised("evt_run_cut_seen"));
    EXPECT_EQ(&backdrop, GMScreenManager::GetInstance()->GetTop());
    // Nothing went wrong on the way but the missing characters of the bare scene.
    EXPECT_EQ("", mLog.Problems("Character not found in the scene")) << mLog.Bytes();

    // A second talk finds the event raised.
    mLog.Clear();
    interview = Start(Topics(1) + Intro("script[false]") + Specials());
    EXPECT_TRUE(interview->IsRunning());
    EXPECT_EQ("", mLog.Problems("Character not found in the scene")) << mLog.Bytes();

    // A phone call is started by the interview itself: no start event.
    LEventManager::Get()->RemoveAllEvents();
    GMInterview* call = Select(Topics(1) + Specials());
    ASSERT_NE(nullptr, call);
    call->SetPhoneCall(true);
    EXPECT_TRUE(call->Start());
    EXPECT_FALSE(Raised("evt_interviewrun_started"));
    EXPECT_TRUE(call->IsRunning());
}

TEST_F(RunTest, MeterStepsComeFromTheTopicsOnOffer)
{
    struct Row
    {
        int mSkill;
        float mFactor;
    };
    for (const Row& row : {Row {0, 0.95f}, Row {1, 0.75f}, Row {2, 0.5f}}) {
        SCOPED_TRACE(row.mSkill);
        GMOptions::GetInstance()->SetSkill(row.mSkill);
        LEventManager::Get()->AddEvent(LString("evt_t5_done"), false);
        // Five topics, one of them done: four on offer.
        GMInterview* interview =
            Start(Topics(4) + Topic("t5", "script[true]", "evt_t5_done") + Intro("script[false]") + Specials());
        ASSERT_NE(nullptr, interview);
        EXPECT_EQ(4, interview->GetTopicArea()->GetOpenCount());
        EXPECT_FLOAT_EQ(25.0f, interview->GetGoodStep());
        EXPECT_FLOAT_EQ(100.0f / (2.0f * 4.0f * row.mFactor), interview->GetBadStep());
    }

    // Nothing on offer: no step at all, and the witness has nothing more to say.
    GMInterview* done = Start("topics\n" + Topic("t1", "script[true]", "evt_t5_done") + Intro("script[true]") +
                              Specials());
    ASSERT_NE(nullptr, done);
    EXPECT_EQ(0, done->GetTopicArea()->GetOpenCount());
    EXPECT_EQ(0.0f, done->GetGoodStep());
    EXPECT_EQ(0.0f, done->GetBadStep());
    GMTestInterview::PlayOut(done);
    EXPECT_EQ("noinfo", Lines().back());
    EXPECT_FALSE(done->IsRunning());
}

TEST_F(RunTest, OpeningsByBargainingDenialAndNoInformation)
{
    auto states = LStateManager::Get();
    // Bargaining before the solution: a refusal, then the end.
    states->SetState(LString("bargaining_run_active"), LString("boolean"), LString("true"), false);
    GMInterview* interview = Start(Topics(2) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, interview);
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"bargain_denied"}, Lines());
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_TRUE(BoolState("bargaining_run_active"));

    // Once solved: the state goes, the solution plays with its done event, then topics.
    LFakeSoundManager::sMade.clear();
    LEventManager::Get()->AddEvent(LString("evt_solved"), false);
    interview = Start(Topics(2) + Intro("script[true]") + Specials());
    EXPECT_FALSE(BoolState("bargaining_run_active"));
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"bargain_solved"}, Lines());
    EXPECT_TRUE(Raised("bargainingsolved_run_done"));
    EXPECT_TRUE(interview->IsRunning());
    EXPECT_TRUE(Panel()->GetActive());

    // A witness with nothing more to say.
    LFakeSoundManager::sMade.clear();
    states->SetState(LString("noinfo_run"), LString("boolean"), LString("true"), false);
    interview = Start(Topics(2) + Intro("script[true]") + Specials());
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"noinfo"}, Lines());
    EXPECT_FALSE(interview->IsRunning());

    // No intro holds: the topics at once.
    LFakeSoundManager::sMade.clear();
    states->SetState(LString("noinfo_run"), LString("boolean"), LString("false"), false);
    interview = Start(Topics(2) + Intro("script[false]") + Specials());
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_TRUE(Panel()->GetActive());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
}

TEST_F(RunTest, AWitnessRefusesByTheDrawAfterAFailure)
{
    GMInterview* interview = Select(Topics(1) + Specials());
    ASSERT_NE(nullptr, interview);
    LGameClock* clock = LGameClock::Get();
    struct Row
    {
        int mSkill;
        float mFailedAt;  // 0: never failed
        float mElapsed;
        int mDraw;
        bool mDenied;
    };
    const Row rows[] = {
        {2, 0.0f, 5.0f, 999, false},   {0, 100.0f, 35.0f, 999, false}, {2, 100.0f, 35.0f, 700, true},
        {2, 100.0f, 35.0f, 699, false}, {0, 100.0f, 10.0f, 400, true},  {0, 100.0f, 10.0f, 399, false},
        {1, 100.0f, 10.0f, 250, true},  {1, 100.0f, 10.0f, 249, false}, {2, 100.0f, 10.0f, 100, true},
        {2, 100.0f, 10.0f, 99, false},  {0, 100.0f, 10.5f, 599, false}, {0, 100.0f, 20.5f, 799, false},
        {0, 100.0f, 20.5f, 800, true},  {0, 100.0f, 30.5f, 999, false}, {1, 100.0f, 30.5f, 850, true},
        {1, 100.0f, 40.5f, 999, false}, {2, 100.0f, 40.5f, 900, true},  {2, 100.0f, 50.5f, 999, false},
        {1, 100.0f, 2.0f, 1250, true},  {1, 100.0f, 2.0f, 1249, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.mSkill) + " after " + std::to_string(row.mElapsed) + " drawing " +
                     std::to_string(row.mDraw));
        GMOptions::GetInstance()->SetSkill(row.mSkill);
        LStateManager::Get()->SetState(LString("denialtime_run"), LString("number"),
                                       LString() + row.mFailedAt, false);
        clock->ResetTime();
        clock->Advance(row.mFailedAt + row.mElapsed, false);
        LRandom::Seed(SeedDrawing(row.mDraw));
        EXPECT_EQ(row.mDenied, interview->IsDenied());
    }
}

TEST_F(RunTest, TopicsAndModesAnswerClicks)
{
    GMInterview* interview = Start(Topics(3) + Intro("script[false]") + Specials());
    ASSERT_NE(nullptr, interview);
    LGameClock* clock = LGameClock::Get();

    // A mode without a topic asks nothing, but the time goes on.
    const float before = clock->GetTime();
    interview->OnButton(LString("mode_stra"), XBTNEVENT_CLICKED);
    EXPECT_FLOAT_EQ(before + 3.0f, clock->GetTime());
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_TRUE(Lines().empty());

    // A topic offers its modes; one already answered stays off.
    LEventManager::Get()->AddEvent(LString("run_t1_conf"), false);
    interview->OnButton(LString("t1"), XBTNEVENT_CLICKED);
    EXPECT_EQ("t1", ToStd(interview->GetCurrentTopic()));
    for (const char* id : {"mode_conf", "mode_decp", "mode_flat", "mode_stra", "mode_empa"}) {
        ASSERT_NE(nullptr, Mode(id));
        EXPECT_TRUE(Mode(id)->GetVisible()) << id;
        EXPECT_EQ(std::string(id) == "mode_stra", Mode(id)->IsEnabled()) << id;
    }
    GMInterviewTopicArea* area = interview->GetTopicArea();
    EXPECT_TRUE(area->GetButton(0)->IsHilighted());
    EXPECT_FALSE(area->GetButton(1)->IsHilighted());

    // The same topic in other letters deselects it.
    interview->OnButton(LString("T1"), XBTNEVENT_CLICKED);
    EXPECT_EQ("", ToStd(interview->GetCurrentTopic()));
    EXPECT_FALSE(Mode("mode_stra")->GetVisible());
    EXPECT_FALSE(area->GetButton(0)->IsHilighted());

    // Asked: the answer plays with the mouse taken; moves reach only the cursor.
    interview->OnButton(LString("t2"), XBTNEVENT_CLICKED);
    interview->OnButton(LString("mode_stra"), XBTNEVENT_CLICKED);
    EXPECT_FLOAT_EQ(before + 6.0f, clock->GetTime());
    EXPECT_TRUE(interview->IsBusy());
    EXPECT_FALSE(Mode("mode_stra")->GetVisible());
    Probe probe;
    LMouse::Get()->AddMember(&probe, 0.0f);
    LMouse::Get()->OnMove(LVector2(500.0f, 300.0f));
    EXPECT_EQ(0, probe.mHeard);
    // Under its own lock the interview stops nothing: after the answer the next move
    // reaches everyone.
    LMouse::Get()->OnButtonUp(1);
    LMouse::Get()->OnWheel(-120.0f);
    // Topic clicks and the exit wait while busy.
    interview->OnButton(LString("t3"), XBTNEVENT_CLICKED);
    interview->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"t2_stra"}, Lines());
    EXPECT_TRUE(Raised("run_t2_stra"));
    // The good answer moves the meter by a third, one point a step.
    for (int i = 0; i < 60; ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.021);
    }
    EXPECT_FLOAT_EQ(100.0f / 3.0f, interview->GetMeter()->GetGoodValue());
    EXPECT_TRUE(interview->IsRunning());
    LMouse::Get()->OnMove(LVector2(501.0f, 300.0f));
    EXPECT_EQ(1, probe.mHeard);
    LMouse::Get()->RemoveListener(&probe);
}

TEST_F(RunTest, TheDragBarMovesThePanelUntilTheButtonComesUp)
{
    GMInterview* interview = Select(Topics(1) + Intro("script[false]") + Specials());
    ASSERT_NE(nullptr, interview);
    interview->SetInterviewPosition(LVector2(400.0f, 150.0f));
    mManager->StartCurrentInterview();
    EXPECT_FLOAT_EQ(400.0f, Panel()->GetLocalPosition().x);
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(LVector2(450.0f, 160.0f));
    interview->OnButton(LString("btn_drag"), XBTNEVENT_PRESSED);
    interview->OnMove(LVector2(500.0f, 300.0f));
    EXPECT_FLOAT_EQ(450.0f, Panel()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(290.0f, Panel()->GetLocalPosition().y);
    interview->OnButtonUp(1);
    interview->OnMove(LVector2(100.0f, 100.0f));
    EXPECT_FLOAT_EQ(450.0f, Panel()->GetLocalPosition().x);
}

TEST_F(RunTest, TheWheelScrollsAndTheScrollBarShowsForSixTopics)
{
    GMInterview* interview = Start(Topics(10) + Intro("script[false]") + Specials());
    ASSERT_NE(nullptr, interview);
    interview->OnWheel(-120.0f);
    EXPECT_EQ(12, interview->GetTopicArea()->GetScrollOffset());
    interview->OnWheel(120.0f);
    EXPECT_EQ(0, interview->GetTopicArea()->GetScrollOffset());

    for (int count : {5, 6}) {
        interview = Start(Topics(count) + Intro("script[false]") + Specials());
        EXPECT_FLOAT_EQ(count >= 6 ? 1.0f : 0.3f, interview->GetScrollBar()->GetGroup()->GetBlend()) << count;
    }
}

TEST_F(RunTest, TheModeTooltipShowsAfterASecondOverTheButton)
{
    GMInterview* interview = Start(Topics(1) + Intro("script[false]") + Specials());
    ASSERT_NE(nullptr, interview);
    LEventManager::Get()->AddEvent(LString("run_t1_conf"), false);
    interview->OnButton(LString("t1"), XBTNEVENT_CLICKED);
    LToolTip* tip = interview->GetModeTooltip();
    ASSERT_NE(nullptr, tip);
    struct Row
    {
        const char* mMode;
        float mPanelY;
        const char* mText;
        float mRed;  // of the fill: pale for an enabled mode, grey for a disabled one
    };
    // High up the tip goes below the mouse, elsewhere above it.
    for (const Row& row : {Row {"mode_stra", -212.0f, "Straight", 0.96f}, Row {"mode_conf", 150.0f, "Confront", 0.4f}}) {
        SCOPED_TRACE(row.mMode);
        LButton* button = Mode(row.mMode);
        ASSERT_NE(nullptr, button);
        Panel()->SetPosition(400.0f, row.mPanelY);
        Panel()->UpdateAll();
        const LVector2 corner = button->GetWorldPosition();
        const LVector2 at(corner.x + 20.0f, corner.y + 20.0f);
        LMouse::Get()->OnMove(LVector2(10.0f, 10.0f));
        LMouse::Get()->OnMove(at);
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.95);
        EXPECT_FALSE(tip->IsFadingIn());
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
        EXPECT_TRUE(tip->IsFadingIn());
        EXPECT_FLOAT_EQ(at.x, tip->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(at.y <= 50.0f ? at.y + 30.0f : at.y - 20.0f, tip->GetLocalPosition().y);
        ASSERT_NE(nullptr, tip->GetTextArea());
        EXPECT_EQ(row.mText, ToStd(tip->GetTextArea()->GetText()));
        ASSERT_NE(nullptr, tip->GetBackground());
        EXPECT_FLOAT_EQ(row.mRed, tip->GetBackground()->GetFillColor().r);
    }
}

TEST_F(RunTest, AFullMeterCompletesOrFailsTheInterview)
{
    GMInterview* interview = Start(Topics(2) + Intro("script[false]") + Specials());
    ASSERT_NE(nullptr, interview);
    interview->OnMeterFull(true);
    EXPECT_TRUE(BoolState("noinfo_run"));
    EXPECT_TRUE(Raised("evt_interviewrun_complete"));
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"exit"}, Lines());
    EXPECT_FALSE(interview->IsRunning());

    LFakeSoundManager::sMade.clear();
    LStateManager::Get()->SetState(LString("noinfo_run"), LString("boolean"), LString("false"), false);
    interview = Start(Topics(2) + Intro("script[false]") + Specials());
    LGameClock::Get()->Advance(42.0f, false);
    const float now = LGameClock::Get()->GetTime();
    interview->OnMeterFull(false);
    LIState* denial = LStateManager::Get()->GetState(LString("denialtime_run"));
    ASSERT_NE(nullptr, denial);
    EXPECT_FLOAT_EQ(now, *static_cast<float*>(denial->GetValue()));
    GMTestInterview::PlayOut(interview);
    EXPECT_EQ(std::vector<std::string> {"failedexit"}, Lines());
    EXPECT_FALSE(interview->IsRunning());
}

TEST_F(RunTest, ASequenceWithATargetSceneFadesAndEnds)
{
    GMInterview* interview = Start(Topics(1) + Intro("script[true]", "targetscene=case01/nowhere|false\n") + Specials());
    ASSERT_NE(nullptr, interview);
    GMScreenFader* fader = GMScreenFader::GetInstance();
    bool fadedFor = false;
    for (int i = 0; i < 30 && interview->IsRunning(); ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
        if (LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound")); line && line->mPlaying) {
            line->End();
        }
        fadedFor = fadedFor || fader->GetListener() == interview;
    }
    // The fade to black was the interview's; the scene was asked for at black.
    EXPECT_TRUE(fadedFor);
    EXPECT_TRUE(Raised("evt_nowhere_visited"));
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
    // The end after a fade forgets the characters and the sequence.
    EXPECT_EQ(nullptr, interview->GetCharacter(LString("a")));
    EXPECT_EQ(nullptr, interview->GetSequence());
    EXPECT_NE(interview, fader->GetListener());
    EXPECT_FALSE(LMouse::Get()->Contains(interview));
    EXPECT_TRUE(mLog.Contains("case01/nowhere")) << mLog.Bytes();
    // No location is left: the main menu takes its place.
    EXPECT_TRUE(mLog.Contains("The main menu opens in place of the location that did not load: case01/nowhere"));
}

TEST_F(RunTest, TheManagersOwnInterviewsGoOnceTheyHaveEnded)
{
    GMInterview* first = Start(Topics(1) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, first);
    LButton* exit = PanelButton("btn_exit");
    ASSERT_NE(nullptr, exit);
    EXPECT_EQ(first, dynamic_cast<GMInterview*>(exit->GetListener()));

    // Replaced while it runs: kept until its end, then gone in the next frame.
    GMInterview* second = Select(Topics(1) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(first, dynamic_cast<GMInterview*>(exit->GetListener()));
    GMTestInterview::PlayOut(first);
    first->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(first);
    EXPECT_EQ(first, dynamic_cast<GMInterview*>(exit->GetListener()));
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
    EXPECT_EQ(nullptr, exit->GetListener());

    // Not running: gone at the next selection.
    mManager->StartCurrentInterview();
    EXPECT_EQ(second, dynamic_cast<GMInterview*>(exit->GetListener()));
    GMTestInterview::PlayOut(second);
    second->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(second);
    ASSERT_FALSE(second->IsRunning());
    Select(Topics(1) + Specials());
    EXPECT_EQ(nullptr, exit->GetListener());
}

TEST_F(RunTest, AFailedInterviewIsRefusedAndTheNextScrollsOnlyItsOwnList)
{
    // Ten topics: the shared bar scrolls this list; the interview ends and is deleted at
    // the next selection.
    GMInterview* first = Start(Topics(10) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, first);
    GMTestInterview::PlayOut(first);
    first->OnWheel(-120.0f);
    EXPECT_EQ(12, first->GetTopicArea()->GetScrollOffset());
    LScrollBar* bar = first->GetScrollBar()->GetScrollBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(first->GetTopicArea(), bar->GetContentGroup());
    first->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(first, true);
    ASSERT_FALSE(first->IsRunning());

    // Its subtitle list missing: selected and refused, nothing current, nothing cached.
    mRoots.Write("data/interviews/interviews.txt",
                 "run\n\tdata=run.txt\n\tsubtitles=test_subtitles.txt\n\twitness=witness\n"
                 "mute\n\tdata=mute.txt\n\tsubtitles=missing.txt\n\twitness=witness\n");
    mRoots.Write("data/interviews/mute.txt", GMTestInterview::Data(Topics(3) + Specials()));
    mManager->LoadData();
    const int created = mManager->GetCreatedCount();
    mLog.Clear();
    EXPECT_EQ(nullptr, mManager->SelectInterview(LString("mute")));
    EXPECT_TRUE(mLog.Contains("Subtitle list creation failure:missing.txt")) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Interview creation failure:mute.txt")) << mLog.Bytes();
    EXPECT_EQ(nullptr, mManager->GetCurrentInterview());
    EXPECT_FALSE(mManager->StartCurrentInterview());
    EXPECT_FALSE(mManager->PreloadInterview(LString("mute")));
    EXPECT_EQ(0, mManager->GetCachedCount());
    EXPECT_EQ(nullptr, mManager->GetCached(LString("mute")));
    EXPECT_EQ(created, mManager->GetCreatedCount());
    // The first list went with its interview; the bar moves nothing meanwhile.
    EXPECT_EQ(nullptr, bar->GetContentGroup());
    bar->ScrollDown();

    // The next interview binds its own list: wheel and arrows scroll it alone.
    GMInterview* next = Start(Topics(10) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, next);
    GMTestInterview::PlayOut(next);
    EXPECT_EQ(next->GetTopicArea(), bar->GetContentGroup());
    // The bar keeps its place from one interview to the next; from the top:
    bar->Reset();
    EXPECT_EQ(0, next->GetTopicArea()->GetScrollOffset());
    next->OnWheel(-120.0f);
    EXPECT_EQ(12, next->GetTopicArea()->GetScrollOffset());
    bar->ScrollDown();
    EXPECT_EQ(24, next->GetTopicArea()->GetScrollOffset());
    bar->ScrollUp();
    next->OnWheel(120.0f);
    EXPECT_EQ(0, next->GetTopicArea()->GetScrollOffset());
}

TEST_F(RunTest, WithoutItsPanelTheManagerRefusesTheStart)
{
    GMInterview* first = Start(Topics(10) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, first);
    GMTestInterview::PlayOut(first);
    first->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(first, true);
    // The display tree takes the shown panel down, with the meter, modes and bar in it.
    delete Panel();
    EXPECT_EQ(nullptr, Panel());
    EXPECT_EQ(nullptr, first->GetMeter());
    EXPECT_EQ(nullptr, first->GetScrollBar()->GetGroup());

    GMInterview* refused = Select(Topics(10) + Intro("script[true]") + Specials());
    ASSERT_NE(nullptr, refused);
    mHeard.mCodes.clear();
    mLog.Clear();
    EXPECT_FALSE(mManager->StartCurrentInterview());
    EXPECT_TRUE(mLog.Contains("Start failure. No interview panel.")) << mLog.Bytes();
    EXPECT_FALSE(refused->IsRunning());
    EXPECT_TRUE(mHeard.mCodes.empty());
    EXPECT_FALSE(LMouse::Get()->Contains(refused));
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    refused->OnWheel(-120.0f);
    EXPECT_EQ(0, refused->GetTopicArea()->GetScrollOffset());
}

} // namespace
