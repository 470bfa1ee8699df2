// The witness interview's data and answers: what Create reads and makes (states, mode
// tooltips, subtitles, topics), the topic buttons' pictures, the answers' meter steps, the
// topic's end and the interview's end.
#include "interview/GMInterview.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Gdi/LToolTipManager.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "scene/GMCharacter.h"
#include "scene/GMCharacterAction.h"
#include "scene/GMHotspot.h"
#include "scene/GMICharacterListener.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewTopic.h"
#include "interview/GMInterviewTopicArea.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMInterviewTestCase.h"
#include "support/GMTestInterview.h"
#include "support/GMTestRoots.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char* const kTopics = "topics\n"
                            "\talibi\n\t\tname=t_alibi\n\t\tlevel=1\n\t\tdependencies=script[true]\n"
                            "\t\tmodes\n\t\t\tstra\n\t\t\t\ttype=good\n"
                            "\tcar\n\t\tname=t_car\n\t\tlevel=2\n\t\tdependencies=script[true]\n";

struct Heard : GMIInterviewListener
{
    void OnInterviewEvent(int aCode) override { mCodes += std::to_string(aCode); }
    std::string mCodes;
};

class InterviewTest : public GMInterviewTestCase
{
protected:

    static float Number(const char* aId)
    {
        LIState* state = LStateManager::Get()->GetState(LString(aId));
        return state != nullptr && state->GetType() == LIState::TYPE_NUMBER ? *static_cast<float*>(state->GetValue())
                                                                            : -1.0f;
    }

    static int Boolean(const char* aId)
    {
        LIState* state = LStateManager::Get()->GetState(LString(aId));
        return state != nullptr && state->GetType() == LIState::TYPE_BOOLEAN
                   ? *static_cast<unsigned char*>(state->GetValue())
                   : -1;
    }
};

} // namespace

TEST_F(InterviewTest, CreateMakesTheDenialAndNoInfoStatesKeepingExistingOnes)
{
    bool created = false;
    auto fresh = GMTestInterview::Make(GMTestInterview::Data(kTopics), &created);
    EXPECT_TRUE(created);
    EXPECT_EQ("test", ToStd(fresh->GetId()));
    EXPECT_EQ(0.0f, Number("denialtime_test"));
    EXPECT_EQ(0, Boolean("noinfo_test"));
    EXPECT_FALSE(mLog.Contains("Found value"));

    LStateManager::Get()->SetState(LString("denialtime_test"), LString("12.5"), false);
    LStateManager::Get()->SetState(LString("noinfo_test"), LString("true"), false);
    auto again = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    EXPECT_EQ(12.5f, Number("denialtime_test"));
    EXPECT_EQ(1, Boolean("noinfo_test"));
    EXPECT_TRUE(mLog.Contains("Found value"));
    EXPECT_EQ("denialtime_test", ToStd(again->GetDenialStateId()));
    EXPECT_EQ("noinfo_test", ToStd(again->GetNoInfoStateId()));
}

TEST_F(InterviewTest, CreateReadsFontsTopicsAndTheModeTooltips)
{
    mRoots.Write("data/assets/tooltips.txt", "mode_conf=Confront\nmode_stra=Straight\n");
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    EXPECT_NE(nullptr, interview->GetFont(LString("main")));
    EXPECT_EQ(nullptr, interview->GetFont(LString("other")));
    ASSERT_EQ(2, interview->GetTopicCount());
    GMInterviewTopic* alibi = interview->GetTopic(LString("alibi"));
    ASSERT_NE(nullptr, alibi);
    EXPECT_EQ("test_alibi", ToStd(alibi->GetId()));
    EXPECT_NE(nullptr, alibi->GetModes());
    const char* const texts[] = {"Confront", "Tooltip missing", "Tooltip missing", "Straight", "Tooltip missing"};
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_EQ(texts[mode], ToStd(interview->GetTooltipText(mode))) << mode;
    }
    LToolTip* tip = interview->GetModeTooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(tip, LToolTipManager::Get()->GetToolTip(LString("_mode_tooltip")));
    EXPECT_EQ(9700.0f, tip->GetRelativeZ());
    EXPECT_FALSE(interview->IsPhoneCall());
    // A topic without "modes" is still made; its missing list is reported.
    auto bare = GMTestInterview::Make(GMTestInterview::Data("topics\n\tx\n\t\tname=t_car\n\t\tlevel=1\n"));
    EXPECT_EQ(1, bare->GetTopicCount());
    EXPECT_TRUE(mLog.Contains("List not found: 'modes'."));
    EXPECT_TRUE(mLog.Contains("'dependencies' not found."));
    // Listed all the same, as the topic itself is always available.
    GMInterviewTopicArea* area = bare->GetTopicArea();
    ASSERT_NE(nullptr, area);
    EXPECT_TRUE(area->IsAvailable(0));
}

TEST_F(InterviewTest, ASubtitleListThatDoesNotLoadFailsCreateAndMissingKeysGiveEmptyTexts)
{
    auto interview = std::make_unique<GMInterview>();
    LString text("x");
    EXPECT_EQ(0, interview->GetSubtitle(LString("s1"), text)); // no list yet
    EXPECT_EQ("", ToStd(text));
    auto* list = new LPropertyList();
    EXPECT_FALSE(interview->Create(LString("test.txt"), list, LString("gone.txt")));
    EXPECT_TRUE(mLog.Contains("ERROR: "));
    EXPECT_TRUE(mLog.Contains("Subtitle list creation failure:gone.txt"));

    auto made = GMTestInterview::Make(GMTestInterview::Data(""));
    EXPECT_EQ(1, made->GetSubtitle(LString("s2"), text));
    EXPECT_EQ("two", ToStd(text));
    mLog.Clear();
    EXPECT_EQ(1, made->GetSubtitle(LString("zz"), text));
    EXPECT_EQ("", ToStd(text));
    EXPECT_TRUE(mLog.Contains("GetSubtitle failure. 'zz' not found."));
}

TEST_F(InterviewTest, ListenerIsStoredEvenWhenNullAndTypeIsRegular)
{
    GMInterview interview;
    Heard heard;
    EXPECT_EQ(1, interview.SetListener(&heard));
    interview.NotifyListener(0);
    EXPECT_EQ("0", heard.mCodes);
    EXPECT_EQ(1, interview.SetListener(nullptr));
    EXPECT_TRUE(mLog.Contains("NULL arg."));
    interview.NotifyListener(1); // nobody to tell
    EXPECT_EQ("0", heard.mCodes);
    EXPECT_EQ("regular", ToStd(interview.GetType()));
    EXPECT_FALSE(interview.IsBusy());
    EXPECT_EQ("", ToStd(interview.GetCurrentTopic()));
}

TEST_F(InterviewTest, TopicButtonsTakeTheirLooksByMeaning)
{
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    GMInterviewTopicArea* area = interview->GetTopicArea();
    ASSERT_NE(nullptr, area);
    EXPECT_EQ("interviewTopicArea", ToStd(area->GetId()));
    ASSERT_EQ(2, area->GetTopicCount());
    LButton* button = area->GetButton(0);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("alibi", ToStd(button->GetId()));
    EXPECT_EQ(interview.get(), button->GetListener());
    EXPECT_FALSE(LMouse::Get()->Contains(button));
    EXPECT_EQ(2.0f, area->GetLevel(1));

    struct Look
    {
        int mState;
        const char* mLabel;
        const char* mMark;
        const char* mFont;
    };
    const Look looks[] = {
        {XBTNSTATE_DISABLED, "alibi_x", "mark_x", "Friz_Quad_TT_8_grey"},
        {XBTNSTATE_DOWN, "alibi_d", "mark_h", "Friz_Quad_TT_8"},
        {XBTNSTATE_HILIGHTED, "alibi_h", "mark_h", "Friz_Quad_TT_8"},
        {XBTNSTATE_NORMAL, "alibi_n", "mark_n", "Friz_Quad_TT_8"},
        {XBTNSTATE_OVER, "alibi_o", "mark_o", "Friz_Quad_TT_8"},
    };
    LIFont* grey = LFontManager::Get()->GetFont(LString("Friz_Quad_TT_8_grey"));
    for (const Look& look : looks) {
        SCOPED_TRACE(look.mLabel);
        auto* picture = dynamic_cast<LDisplayGroup*>(button->GetStateObject(look.mState));
        ASSERT_NE(nullptr, picture);
        EXPECT_EQ(std::string(look.mLabel) + "topicbutton", ToStd(picture->GetId()));
        EXPECT_NE(nullptr, picture->GetMember(LString(look.mMark)));
        auto* label = dynamic_cast<LTextArea*>(picture->GetMember(LString(look.mLabel)));
        ASSERT_NE(nullptr, label);
        EXPECT_EQ("Alibi", ToStd(label->GetText()));
        EXPECT_EQ(5.0f, label->GetRelativeZ());
        EXPECT_EQ(15.0f, label->GetLocalPosition().x);
        EXPECT_EQ(6.0f, label->GetLocalPosition().y);
        EXPECT_EQ(std::string(look.mFont) == "Friz_Quad_TT_8_grey", label->GetFont() == grey);
    }
    EXPECT_EQ(nullptr, button->GetStateObject(XBTNSTATE_HILIGHTED_OVER));
}

TEST_F(InterviewTest, TopicButtonPictureStretchesTheMiddleAndBoundsToTheRightCap)
{
    GMInterview interview;
    std::unique_ptr<LDisplayGroup> picture(interview.BuildTopicButton(LString("k_n"), LString("n")));
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ("k_ntopicbutton", ToStd(picture->GetId()));
    LIDisplayObject* middle = picture->GetMember(LString("middle"));
    LIDisplayObject* cap = picture->GetMember(LString("right_cap"));
    ASSERT_NE(nullptr, middle);
    ASSERT_NE(nullptr, cap);
    EXPECT_EQ(12.0f, middle->GetScale().x);
    EXPECT_EQ(1.0f, middle->GetScale().y);
    EXPECT_EQ(140.0f, cap->GetLocalPosition().x); // 5 + 135
    ASSERT_NE(nullptr, picture->GetBoundary());
    const LRectangle bounds(*picture->GetBoundary());
    EXPECT_EQ(0.0f, bounds.GetX());
    EXPECT_EQ(0.0f, bounds.GetY());
    EXPECT_EQ(148.0f, bounds.GetWidth()); // the cap's 8 pixels after 140
    EXPECT_EQ(24.0f, bounds.GetHeight());

    EXPECT_EQ(nullptr, interview.BuildTopicButton(LString("k_q"), LString("q")));
    EXPECT_TRUE(mLog.Contains("'misc.topicbutton' not found."));
}

TEST_F(InterviewTest, AnswersStepTheMeterAndAFullSideWaitsForTheMeter)
{
    // The meter outlives the interview, as the manager's shared one does: the interview
    // lets go of it when deleted.
    GMInterviewMeter meter;
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    interview->SetMeter(&meter, 50.0f, 40.0f);
    interview->ApplyBadStep();
    EXPECT_FALSE(interview->IsMeterFull());
    interview->ApplyGoodStep();
    EXPECT_FALSE(interview->IsMeterFull());
    EXPECT_EQ(nullptr, meter.GetInterview());
    interview->ApplyGoodStep(); // the shown value has not moved: 0 + 50 again
    EXPECT_FALSE(interview->IsMeterFull());
    LFakeTimer::Frames(400, 0.05);
    interview->ApplyGoodStep(); // 50 + 50 = 100
    EXPECT_TRUE(interview->IsMeterFull());
    EXPECT_EQ(interview.get(), meter.GetInterview());
}

TEST_F(InterviewTest, TopicDoneClearsBusyAndTheSelection)
{
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    interview->OnTopicDone();
    EXPECT_FALSE(interview->IsBusy());
    EXPECT_EQ("", ToStd(interview->GetCurrentTopic()));
}

TEST_F(InterviewTest, EndGivesControlBackAndAsksForTheInterviewsCutScenes)
{
    // The table's entry for this interview plays once its dependencies hold.
    mRoots.Write("data/movies/cutscenes.txt", "ending\n\ttriggertype=interview\n\ttriggerinterview=TEST\n"
                                              "\tdependencies=script[e[evt_test_cut]]\n\tmovie=test_end.bik\n");
    mRoots.Write("data/movies/cutscenes_subtitles.txt", "");
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    Heard heard;
    interview->SetListener(&heard);
    GMCursor* cursor = GMCursor::GetInstance();
    ASSERT_NE(nullptr, cursor);
    for (const char* id : {"default", "hand"}) {
        auto* look = new LSprite();
        look->SetId(LString(id));
        if (!LCursor::Get()->AddState(LString(id), look)) {
            delete look;
        }
    }
    ASSERT_TRUE(cursor->SetCursor(GMCursor::TYPE_HAND, LString()));
    interview->End();
    EXPECT_EQ("1", heard.mCodes);
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetType());
    EXPECT_TRUE(LFakeMovieManager::sMade.empty()); // not yet

    // A phone call keeps the cursor.
    cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    interview->SetPhoneCall(true);
    interview->End();
    EXPECT_EQ("11", heard.mCodes);
    EXPECT_EQ(GMCursor::TYPE_HAND, cursor->GetType());

    LEventManager::Get()->AddEvent(LString("evt_test_cut"), true);
    interview->SetPhoneCall(false);
    interview->End();
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("//dataroot/movies/test_end.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_TRUE(GMCutScenePlayer::GetInstance()->IsPlaying());
    EXPECT_FALSE(mLog.Contains("GMCutScenePlayer"));
}

TEST_F(InterviewTest, EndPutsTheSceneBackOrThePhoneAwayAndLetsThePlayerRise)
{
    struct Rising : GMICharacterListener
    {
        void OnPlayerActionPoint() override {}
        void OnPlayerActionDone(int) override {}
        void ContinueAction() override {}
    } rising;
    struct Case
    {
        bool mPhoneCall;
        bool mTalk;
        int mAction;
    };
    const Case cases[] = {{false, false, 0}, {true, false, GM_ACTION_PHONE_IN}, {false, true, GM_ACTION_CHAIR_RISE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mPhoneCall) + std::to_string(c.mTalk));
        MakeScene();
        auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
        interview->SetPhoneCall(c.mPhoneCall);
        if (c.mTalk) {
            interview->SetTalkHotspot(nullptr, &rising);
        }
        mScene->SetInterviewRunning(true);
        mScene->SetCut(LString("c1"));
        mPlayer->SetAmbientSuspended(true);
        ASSERT_TRUE(mScene->IsInputEnabled());
        interview->End();
        EXPECT_EQ(c.mAction, mPlayer->GetAction());
        EXPECT_FALSE(mPlayer->IsAmbientSuspended()); // resumed by the phone's end or the scene's reset
        EXPECT_EQ(c.mPhoneCall, mScene->IsInterviewRunning()); // a phone call resets no scene
        EXPECT_EQ("-", ToStd(mScene->GetCut()));
        EXPECT_EQ(!c.mTalk, mScene->IsInputEnabled());
        interview.reset();
        GMSceneManager::GetInstance()->SetScene(nullptr);
        delete mScene;
        mScene = nullptr;
    }
    // After a fade the scene is left to the new location.
    MakeScene();
    auto faded = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    mScene->SetCut(LString("c1"));
    mScene->SetInterviewRunning(true);
    faded->End(true);
    EXPECT_EQ("c1", ToStd(mScene->GetCut()));
    EXPECT_TRUE(mScene->IsInterviewRunning());
}

TEST_F(InterviewTest, CharactersComeFromTheSceneByTheirNames)
{
    MakeScene();
    auto interview = GMTestInterview::Make(GMTestInterview::Data("") + "");
    EXPECT_EQ(mWitness, interview->GetCharacter(LString("a")));
    EXPECT_EQ(mPlayer, interview->GetCharacter(LString("b")));
    EXPECT_EQ(nullptr, interview->GetCharacter(LString("c")));
    auto none = GMTestInterview::Make("fonts\n\tmain=Friz_Quad_TT_8\ncharacters\n\ta=nobody\n");
    EXPECT_EQ(nullptr, none->GetCharacter(LString("a")));
    EXPECT_TRUE(mLog.Contains("Character not found in the scene: nobody"));
}

TEST_F(InterviewTest, CharactersAndTheTalkHotspotDeletedFirstAreAsIfNeverBound)
{
    struct Rising : GMICharacterListener
    {
        void OnPlayerActionPoint() override {}
        void OnPlayerActionDone(int) override {}
        void ContinueAction() override {}
    };
    MakeScene();
    auto interview = GMTestInterview::Make(GMTestInterview::Data(kTopics));
    ASSERT_EQ(mWitness, interview->GetCharacter(LString("a")));
    auto hotspot = std::make_unique<GMHotspot>();
    interview->SetTalkHotspot(hotspot.get());
    EXPECT_EQ(hotspot.get(), interview->GetTalkHotspot());
    EXPECT_EQ(hotspot.get(), interview->GetRiseListener());

    // The location goes (and its characters with it) while the interview is kept, and
    // so does the hotspot.
    GMSceneManager::GetInstance()->SetScene(nullptr);
    delete mScene;
    mScene = nullptr;
    hotspot.reset();
    EXPECT_EQ(nullptr, interview->GetCharacter(LString("a")));
    EXPECT_EQ(nullptr, interview->GetCharacter(LString("b")));
    EXPECT_EQ(nullptr, interview->GetTalkHotspot());
    EXPECT_EQ(nullptr, interview->GetRiseListener());

    // Its end on a new location seats nobody it lost and has no one rise for the hotspot.
    MakeScene();
    mScene->SetInterviewRunning(true);
    interview->End();
    EXPECT_EQ(0, mPlayer->GetAction());
    EXPECT_TRUE(mScene->IsInputEnabled());

    // A rise listener deleted on its own is dropped the same way.
    auto rising = std::make_unique<Rising>();
    interview->SetTalkHotspot(nullptr, rising.get());
    rising.reset();
    EXPECT_EQ(nullptr, interview->GetRiseListener());
    interview->End();
    EXPECT_EQ(0, mPlayer->GetAction());
}
