// Expert interviews over the sample's case-1 location, headless: the kind from the id, the
// checklist's offers, marks and fades, the opening by the topics ready, the notepad with
// and without the computer, asking a topic (the answer in "stra", the profile typed on
// the computer, the item handed over), and leaving (the computer closes, then the exit
// plays, then the interview ends once).
#include "interview/GMExpertInterview.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMExpertComputer.h"
#include "interview/GMExpertTopicArea.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewScrollBar.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestInterview.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Indent(const std::string& aLines, int aDepth)
{
    return GMTestInterview::Indent(aLines, aDepth);
}

// A sequence entry that plays one of the sample lab's lines (voice and subtitle key alike).
std::string Entry(const std::string& aLine, int aDepth)
{
    return Indent("sounds=" + aLine + "\nsoundtimes=0\ncharacters=w\n" + GMTestInterview::Subtitles({aLine.c_str()}) +
                      "subtitletimes=0\n",
                  aDepth);
}

// A topic "aKey" titled "n_" + aKey, its "stra" answer the line aLine, with aKeys (lines
// at depth 0) among its keys.
std::string Topic(const std::string& aKey, const std::string& aKeys, const std::string& aLine = "ex_glove")
{
    return "\t" + aKey + "\n" + Indent("name=n_" + aKey + "\n" + aKeys + "modes\n\tstra\n\t\ttype=good\n", 2) +
           Entry(aLine, 4);
}

const char* const kHead = "type=expert\nfonts\n\tmain=Friz_Quad_TT_8\ncharacters\n\tw=witness\ntopics\n";

// The openings and the exit, each one line of the sample lab.
std::string Openings()
{
    return "intros\n\ti1\n" + Entry("ex_intro", 2) + "pending\n\tp1\n" + Entry("ex_pending", 2) + "noinfos\n\tn1\n" +
           Entry("ex_noinfo", 2) + "exit\n" + Entry("ex_exit", 1);
}

const char* const kEvidence = "info\n\ttype=Evidence\n\tname=i_item\n\tcollected=i_where\n\timage=glove\n"
                              "\titem=glove_CL\n";
const char* const kPerson = "info\n\ttype=person\n\tname=i_name\n\tage=i_age\n\toccupation=i_job\n";

struct Heard : GMIInterviewListener
{
    void OnInterviewEvent(int aCode) override { mCodes.push_back(aCode); }
    std::vector<int> mCodes;
};

class ExpertTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        mScene = GMTestScene::Load();
        ASSERT_NE(nullptr, mScene);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        for (const char* name : {"sample_interview.txt", "sample_interview_subtitles.txt", "1CL_lab.txt",
                                 "1CL_lab_subtitles.txt", "pocketobjects.txt"}) {
            std::ifstream in(LSampleRoots::Directory() + "/interviews/" + name, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            mInterviews.Write(name, bytes.str());
        }
        std::ifstream lab(LSampleRoots::Directory() + "/interviews/1CL_lab_subtitles.txt", std::ios::binary);
        std::ostringstream texts;
        texts << lab.rdbuf();
        mInterviews.Write("t_subtitles.txt", texts.str() + "n_a=Alpha\nn_b=Bravo\nn_c=Charlie\nn_d=Delta\n"
                                                           "n_e=Echo\nn_f=Foxtrot\ni_item=Knife\ni_where=Kitchen\n"
                                                           "i_name=Ann\ni_age=40\ni_job=Cook\n");
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//interviews"), FromStd(mInterviews.Path())));
        mManager = GMInterviewManager::GetInstance();
        ASSERT_NE(nullptr, mManager);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }

    // The expert aId made from aTopics and the openings (or aData as it stands), selected
    // uncached, with the recording listener.
    GMExpertInterview* Make(const std::string& aId, const std::string& aTopics, const std::string* aData = nullptr)
    {
        mInterviews.Write(aId + ".txt", aData != nullptr ? *aData : kHead + aTopics + Openings());
        mInterviews.Write("interviews.txt", "sample_interview\n\tdata=sample_interview.txt\n"
                                            "\tsubtitles=sample_interview_subtitles.txt\n\twitness=witness\n"
                                            "1CL_lab\n\tdata=1CL_lab.txt\n\tsubtitles=1CL_lab_subtitles.txt\n" +
                                                aId + "\n\tdata=" + aId + ".txt\n\tsubtitles=t_subtitles.txt\n");
        mManager->LoadData();
        auto* expert = dynamic_cast<GMExpertInterview*>(mManager->SelectInterview(FromStd(aId)));
        if (expert != nullptr) {
            expert->SetListener(&mHeard);
        }
        return expert;
    }

    // Frames 0.1 s apart while aDone does not hold, ending each voiced line after half a
    // second; the names of the lines, in order.
    template <typename Done>
    std::string Play(Done aDone, int aLimit = 300)
    {
        std::string names;
        const LFakeSoundPlayer* last = nullptr;
        int frames = 0;
        for (int i = 0; i < aLimit && !aDone(); ++i) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
            LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
            if (line == nullptr || !line->mPlaying) {
                continue;
            }
            if (line != last || frames == 0) {
                const std::string file = ToStd(line->mFileName);
                names += file.substr(file.rfind('/') + 1) + ";";
                last = line;
            }
            if (++frames > 5) {
                frames = 0;
                line->End();
                last = nullptr;
            }
        }
        return names;
    }

    std::string PlayWhileBusy(GMInterview* aInterview)
    {
        return Play([&] { return !aInterview->IsBusy(); });
    }

    static void Frames(int aCount, double aStep = 0.1) { LFakeTimer::Frames(aCount, aStep); }

    // Starts the current interview, plays its opening and waits for the computer to come
    // up; the computer, or null when it did not.
    GMExpertComputer* StartBesideTheComputer(GMExpertInterview* aExpert)
    {
        if (!mManager->StartCurrentInterview()) {
            return nullptr;
        }
        Play([&] { return !aExpert->IsBusy(); });
        Frames(40);
        GMExpertComputer* computer = GMExpertComputer::Peek();
        return computer != nullptr && computer->GetRoot() != nullptr ? computer : nullptr;
    }

    static int Held(const char* aItem)
    {
        GMInventoryPanel* inventory = GMPDA::GetInstance()->GetInventoryPanel();
        int count = 0;
        for (int panel = 0; panel < GMInventoryPanel::SUBPANEL_COUNT; ++panel) {
            for (int cell = 0; cell < 56; ++cell) {
                count += inventory->GetItem(panel, cell) == FromStd(aItem) ? 1 : 0;
            }
        }
        return count;
    }

    LLogCapture mLog;
    LTestDirectory mInterviews;
    GMScene* mScene = nullptr;
    GMInterviewManager* mManager = nullptr;
    Heard mHeard;
};

TEST_F(ExpertTest, TheKindComesFromTheIdWhateverItsCase)
{
    EXPECT_EQ(0, GMExpertInterview::KindOfId(LString("1CL_lab")));
    EXPECT_EQ(1, GMExpertInterview::KindOfId(LString("1re_x")));
    EXPECT_EQ(2, GMExpertInterview::KindOfId(LString("1SU_x")));
    EXPECT_EQ(3, GMExpertInterview::KindOfId(LString("1ME_x")));
    EXPECT_EQ(3, GMExpertInterview::KindOfId(LString("x")));
    GMExpertInterview* expert = Make("1re_t", Topic("a", "level=1\ndependencies=script[true]\n"));
    ASSERT_NE(nullptr, expert);
    EXPECT_EQ(1, expert->GetKind());
    EXPECT_EQ("1re_t", ToStd(expert->GetId()));
}

TEST_F(ExpertTest, TheChecklistOffersMarksAndFadesItsTopics)
{
    LEventManager::Get()->AddEvent(LString("evt_d_viewed"), false);
    GMExpertInterview* expert =
        Make("1ME_t", Topic("a", "level=1\ndependencies=script[true]\nskilllevels=1|0|1\n") +
                          Topic("b", "level=1\n") + Topic("c", "level=1\nsubmittedevent=script[true]\n") +
                          Topic("d", "level=2\ndependencies=script[true]\nviewedevent=evt_d_viewed\n") +
                          Topic("e", "level=1\ndependencies=script[true]\nreadyevent=script[false]\n") +
                          Topic("f", "level=1\ndependencies=script[false]\nsubmittedevent=script[false]\n"));
    ASSERT_NE(nullptr, expert);
    GMExpertTopicArea* area = expert->GetExpertTopicArea();
    ASSERT_NE(nullptr, area);
    ASSERT_EQ(6, area->GetTopicCount());
    // At difficulty 1 "a" is hidden whatever its scripts; "b" (no script at all) and "f"
    // (both false) are hidden; "c" is offered by its submitted script alone.
    EXPECT_FALSE(area->GetButton(0)->GetVisible());
    EXPECT_FALSE(area->GetButton(1)->GetVisible());
    EXPECT_FALSE(area->GetButton(5)->GetVisible());
    LButton* c = area->GetButton(2);
    LButton* d = area->GetButton(3);
    LButton* e = area->GetButton(4);
    ASSERT_TRUE(c->GetVisible() && d->GetVisible() && e->GetVisible());
    // Rows 30 apart, level 2 indented by 15.
    EXPECT_FLOAT_EQ(0.0f, c->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(0.0f, c->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(15.0f, d->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(30.0f, d->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(60.0f, e->GetLocalPosition().y);
    // The waiting topic shows the hourglass in every picture and cannot be chosen; the
    // viewed one shows the checkmark.
    EXPECT_FALSE(e->IsEnabled());
    EXPECT_TRUE(c->IsEnabled());
    for (int state : {XBTNSTATE_DISABLED, XBTNSTATE_DOWN, XBTNSTATE_HILIGHTED, XBTNSTATE_NORMAL, XBTNSTATE_OVER}) {
        auto* waiting = dynamic_cast<LDisplayGroup*>(e->GetStateObject(static_cast<unsigned int>(state)));
        auto* viewed = dynamic_cast<LDisplayGroup*>(d->GetStateObject(static_cast<unsigned int>(state)));
        ASSERT_NE(nullptr, waiting);
        ASSERT_NE(nullptr, viewed);
        ASSERT_NE(nullptr, waiting->GetMember(LString("hourglass")));
        EXPECT_TRUE(waiting->GetMember(LString("hourglass"))->GetVisible()) << state;
        EXPECT_FALSE(waiting->GetMember(LString("checkmark"))->GetVisible()) << state;
        EXPECT_TRUE(viewed->GetMember(LString("checkmark"))->GetVisible()) << state;
        EXPECT_FALSE(viewed->GetMember(LString("hourglass"))->GetVisible()) << state;
    }
    // The title stands at (15, 4) in every picture, grey when disabled.
    auto* normal = dynamic_cast<LDisplayGroup*>(c->GetStateObject(XBTNSTATE_NORMAL));
    ASSERT_NE(nullptr, normal);
    auto* title = dynamic_cast<LTextArea*>(normal->GetMember(LString("c_n")));
    ASSERT_NE(nullptr, title);
    EXPECT_EQ("Charlie", ToStd(title->GetText()));
    EXPECT_FLOAT_EQ(15.0f, title->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(4.0f, title->GetLocalPosition().y);
    EXPECT_EQ(1, area->GetReadyCount());
    EXPECT_EQ(1, area->GetWaitingCount());
    EXPECT_EQ(1, area->GetViewedCount());
    // Three rows: the notepad's own scroll bar is dimmed.
    ASSERT_NE(nullptr, expert->GetScrollBar());
    EXPECT_FLOAT_EQ(0.3f, expert->GetScrollBar()->GetGroup()->GetBlend());

    // Scrolled 3 pixels, the top row fades to 0.79 and cannot be clicked.
    area->OnScroll(3);
    EXPECT_NEAR(0.79f, c->GetBlend(), 1e-5f);
    EXPECT_FALSE(c->IsEnabled());
    EXPECT_FLOAT_EQ(1.0f, d->GetBlend());
}

TEST_F(ExpertTest, StartPlaysTheIntrosWithAReadyTopicAndOpensTheNotepad)
{
    GMExpertInterview* expert = Make("1ME_t", Topic("a", "level=1\ndependencies=script[true]\n"));
    ASSERT_NE(nullptr, expert);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    EXPECT_TRUE(expert->IsRunning());
    EXPECT_EQ((std::vector<int> {0}), mHeard.mCodes);
    GMCharacter* witness = mScene->GetCharacter(LString("witness"));
    ASSERT_NE(nullptr, witness);
    EXPECT_EQ(witness, expert->GetCharacter(LString("w")));
    EXPECT_EQ("ex_intro.ogg;", PlayWhileBusy(expert));
    // Kind 3: the notepad alone, active where it stands, with the hand.
    LDisplayGroup* notepad = expert->GetNotepad();
    ASSERT_NE(nullptr, notepad);
    EXPECT_EQ("expInterview_layout", ToStd(notepad->GetId()));
    EXPECT_TRUE(notepad->GetActive());
    EXPECT_FLOAT_EQ(400.0f, notepad->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(150.0f, notepad->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(100.0f, notepad->GetRelativeZ());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    EXPECT_EQ(nullptr, GMExpertComputer::Peek());
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());
}

TEST_F(ExpertTest, PendingPlaysForAWaitingTopicAndNoInformationEndsOrOpensByTheTopicsHeard)
{
    // Only a waiting topic: "pending", after which nothing can be chosen, so the
    // interview gives control back rather than wait for a click that cannot come.
    GMExpertInterview* waiting =
        Make("1ME_w", Topic("a", "level=1\ndependencies=script[true]\nreadyevent=script[false]\n"));
    ASSERT_NE(nullptr, waiting);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    EXPECT_EQ("ex_pending.ogg;", PlayWhileBusy(waiting));
    EXPECT_FALSE(waiting->IsRunning());
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);

    // Nothing offered: a "noinfos" entry, then the end.
    mHeard.mCodes.clear();
    GMExpertInterview* none = Make("1ME_n", Topic("a", "level=1\n"));
    ASSERT_NE(nullptr, none);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    EXPECT_EQ("ex_noinfo.ogg;", PlayWhileBusy(none));
    EXPECT_FALSE(none->IsRunning());
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
    EXPECT_FALSE(none->GetNotepad()->GetActive());

    // Everything heard already: "noinfos", then the notepad.
    mHeard.mCodes.clear();
    LEventManager::Get()->AddEvent(LString("evt_a_viewed"), false);
    GMExpertInterview* heard = Make("1ME_h", Topic("a", "level=1\ndependencies=script[true]\nviewedevent=evt_a_viewed\n"));
    ASSERT_NE(nullptr, heard);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    EXPECT_EQ("ex_noinfo.ogg;", PlayWhileBusy(heard));
    EXPECT_TRUE(heard->IsRunning());
    EXPECT_TRUE(heard->GetNotepad()->GetActive());
    EXPECT_EQ((std::vector<int> {0}), mHeard.mCodes);
}

TEST_F(ExpertTest, AnEmptyOpeningListLeadsStraightToTheNotepad)
{
    const std::string data = kHead + Topic("a", "level=1\ndependencies=script[true]\n") +
                             "intros\npending\nnoinfos\n\tn1\n" + Entry("ex_noinfo", 2);
    GMExpertInterview* expert = Make("1ME_t", "", &data);
    ASSERT_NE(nullptr, expert);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    EXPECT_FALSE(expert->IsBusy());
    EXPECT_EQ(nullptr, expert->GetSequence());
    EXPECT_TRUE(expert->GetNotepad()->GetActive());
    EXPECT_TRUE(expert->IsRunning());
}

TEST_F(ExpertTest, AComputerExpertsNotepadStandsBesideTheComputer)
{
    GMExpertInterview* expert = Make("1CL_t", Topic("a", std::string("level=1\ndependencies=script[true]\n") + kEvidence));
    ASSERT_NE(nullptr, expert);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    GMScreenManager* screens = GMScreenManager::GetInstance();
    Play([&] { return !expert->IsBusy(); });
    // Pushed with the scene's audio kept under it.
    GMExpertComputer* computer = GMExpertComputer::Peek();
    ASSERT_NE(nullptr, computer);
    EXPECT_EQ(expert, computer->GetInterview());
    EXPECT_EQ(0, computer->GetKind());
    EXPECT_TRUE(mScene->GetKeepAudio());
    EXPECT_TRUE(screens->IsBusy());
    // Leaving is refused until the computer has come up: it would stay on top.
    EXPECT_TRUE(computer->IsOpening());
    expert->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    EXPECT_FALSE(expert->IsExiting());
    Frames(40);
    EXPECT_FALSE(computer->IsOpening());
    EXPECT_EQ(computer, screens->GetTop());
    ASSERT_NE(nullptr, computer->GetRoot());
    EXPECT_EQ("expertComputer", ToStd(computer->GetRoot()->GetId()));
    LDisplayGroup* notepad = expert->GetNotepad();
    EXPECT_FLOAT_EQ(-130.0f, notepad->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(0.0f, notepad->GetLocalPosition().y);
    EXPECT_TRUE(notepad->GetActive());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    // The fields of the crime lab.
    LTextArea* item = computer->GetField(GMExpertComputer::FIELD_ITEM);
    LTextArea* location = computer->GetField(GMExpertComputer::FIELD_LOCATION);
    LTextArea* name = computer->GetField(GMExpertComputer::FIELD_NAME);
    ASSERT_TRUE(item && location && name);
    EXPECT_EQ("itemField", ToStd(item->GetId()));
    EXPECT_FLOAT_EQ(267.0f, item->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(199.0f, item->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(276.0f, location->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(200.0f, name->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(227.0f, item->GetWidth());
    EXPECT_FLOAT_EQ(225.0f, name->GetWidth());
    // The lines wait hidden at a quarter.
    ASSERT_NE(nullptr, computer->GetLines());
    EXPECT_FALSE(computer->GetLines()->GetVisible());
    EXPECT_FLOAT_EQ(0.25f, computer->GetLines()->GetBlend());
}

TEST_F(ExpertTest, AskingATopicPlaysItsStraightAnswerAndTypesTheEvidenceProfile)
{
    GMExpertInterview* expert =
        Make("1CL_t", Topic("a", std::string("level=1\ndependencies=script[true]\nviewedevent=evt_a_viewed\n") +
                                     kEvidence));
    ASSERT_NE(nullptr, expert);
    GMExpertComputer* computer = StartBesideTheComputer(expert);
    ASSERT_NE(nullptr, computer);
    mLog.Clear();

    expert->OnButton(LString("a"), XBTNEVENT_CLICKED);
    EXPECT_TRUE(expert->IsBusy());
    EXPECT_EQ("a", ToStd(expert->GetCurrentTopic()));
    // The evidence form, the icon centred in its box, the lines shown.
    EXPECT_TRUE(computer->GetEvidenceGroup()->GetVisible());
    EXPECT_FALSE(computer->GetProfileGroup()->GetVisible());
    LSprite* icon = computer->GetIcon();
    ASSERT_NE(nullptr, icon);
    EXPECT_FLOAT_EQ(580.0f, icon->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(225.0f, icon->GetLocalPosition().y);
    EXPECT_TRUE(computer->GetLines()->GetVisible());
    EXPECT_EQ(1, Held("glove_cl"));

    // The answer is the topic's "stra" line; meanwhile the item, then the location types.
    std::vector<std::string> item;
    std::vector<std::string> location;
    const std::string played = Play([&] {
        item.push_back(ToStd(computer->GetField(GMExpertComputer::FIELD_ITEM)->GetText()));
        location.push_back(ToStd(computer->GetField(GMExpertComputer::FIELD_LOCATION)->GetText()));
        return !expert->IsBusy() && !computer->IsTyping();
    });
    EXPECT_EQ("ex_glove.ogg;", played);
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("1CL_t_a_stra")));
    EXPECT_EQ("Knife", item.back());
    EXPECT_EQ("Kitchen", location.back());
    // Character by character, the location only once the item is out.
    const auto firstOf = [](const std::vector<std::string>& aTexts, const std::string& aText) {
        for (size_t i = 0; i < aTexts.size(); ++i) {
            if (aTexts[i] == aText) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    ASSERT_GE(firstOf(item, "K"), 0);
    EXPECT_LT(firstOf(item, "K"), firstOf(item, "Knife"));
    EXPECT_LT(firstOf(item, "Knife"), firstOf(location, "K"));
    for (int field : {GMExpertComputer::FIELD_NAME, GMExpertComputer::FIELD_AGE, GMExpertComputer::FIELD_OCCUPATION}) {
        EXPECT_EQ("", ToStd(computer->GetField(field)->GetText())) << field;
    }
    EXPECT_FALSE(expert->IsBusy());
    EXPECT_EQ("", ToStd(expert->GetCurrentTopic()));
    EXPECT_TRUE(expert->GetExpertTopicArea()->GetButton(0)->IsEnabled());

    // Asked again: the item once more to the inventory, held once; no meter, no error.
    expert->OnButton(LString("a"), XBTNEVENT_CLICKED);
    PlayWhileBusy(expert);
    EXPECT_EQ(1, Held("glove_cl"));
    // (The sample leaves the lab's gesture and lip-sync files out.)
    std::istringstream problems(mLog.Problems());
    std::string problem;
    while (std::getline(problems, problem)) {
        const bool leftOut = problem.find("/gestures/ex_") != std::string::npos ||
                             problem.find("/lipsync/ex_") != std::string::npos;
        EXPECT_TRUE(leftOut) << problem;
    }
    EXPECT_EQ(0, mLog.Count("ApplyStep failure")) << mLog.Bytes();
}

TEST_F(ExpertTest, APersonProfileTypesNameAgeThenOccupationAndANewProfileRestartsTheTyping)
{
    GMExpertInterview* expert = Make("1SU_t", Topic("a", std::string("level=1\ndependencies=script[true]\n") + kPerson));
    ASSERT_NE(nullptr, expert);
    GMExpertComputer* computer = StartBesideTheComputer(expert);
    ASSERT_NE(nullptr, computer);
    // The surveillance desk's places.
    LTextArea* name = computer->GetField(GMExpertComputer::FIELD_NAME);
    LTextArea* age = computer->GetField(GMExpertComputer::FIELD_AGE);
    LTextArea* job = computer->GetField(GMExpertComputer::FIELD_OCCUPATION);
    ASSERT_TRUE(name && age && job);
    EXPECT_FLOAT_EQ(254.0f, name->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(204.0f, name->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(256.0f, age->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(305.0f, job->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(239.0f, name->GetWidth());
    EXPECT_FLOAT_EQ(532.0f, computer->GetLines()->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(177.0f, computer->GetLines()->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(0.25f, computer->GetLines()->GetBlend());

    expert->OnButton(LString("a"), XBTNEVENT_CLICKED);
    EXPECT_TRUE(computer->GetProfileGroup()->GetVisible());
    EXPECT_FALSE(computer->GetEvidenceGroup()->GetVisible());
    // No image: no icon; the lines keep their visibility.
    EXPECT_EQ(nullptr, computer->GetIcon());
    std::string order;
    Play([&] {
        const int field = computer->GetCurrentField();
        if (computer->IsTyping() && (order.empty() || order.back() != static_cast<char>('0' + field))) {
            order += static_cast<char>('0' + field);
        }
        return !expert->IsBusy() && !computer->IsTyping();
    });
    EXPECT_EQ("234", order);
    EXPECT_EQ("Ann", ToStd(name->GetText()));
    EXPECT_EQ("40", ToStd(age->GetText()));
    EXPECT_EQ("Cook", ToStd(job->GetText()));
    EXPECT_EQ("", ToStd(computer->GetField(GMExpertComputer::FIELD_ITEM)->GetText()));

    // A new profile while one types starts again with its own texts and icon; one
    // without "image" takes the icon away, the lines stay as they were.
    LPropertyList* evidence = expert->GetInfo(LString("a"));
    ASSERT_NE(nullptr, evidence);
    LPropertyList glove;
    const std::string text = "type=evidence\nname=i_item\ncollected=i_where\nimage=glove\n";
    glove.Parse(text.c_str(), static_cast<int>(text.size()));
    LPropertyList subtitles;
    const std::string lines = "i_item=Knife\ni_where=Kitchen\ni_name=Bo\n";
    subtitles.Parse(lines.c_str(), static_cast<int>(lines.size()));
    computer->ShowInfo(&glove, &subtitles);
    LSprite* first = computer->GetIcon();
    ASSERT_NE(nullptr, first);
    Frames(3, 0.35);
    ASSERT_TRUE(computer->IsTyping());
    computer->ShowInfo(&glove, &subtitles);
    EXPECT_EQ(GMExpertComputer::FIELD_ITEM, computer->GetCurrentField());
    EXPECT_EQ("", ToStd(computer->GetField(GMExpertComputer::FIELD_ITEM)->GetText()));
    EXPECT_NE(nullptr, computer->GetIcon());
    const bool linesShown = computer->GetLines()->GetVisible();
    computer->ShowInfo(evidence, &subtitles);
    EXPECT_EQ(nullptr, computer->GetIcon());
    EXPECT_EQ(linesShown, computer->GetLines()->GetVisible());
    EXPECT_EQ(GMExpertComputer::FIELD_NAME, computer->GetCurrentField());
}

TEST_F(ExpertTest, TheDecorationsFadeByATenthPerStep)
{
    GMExpertInterview* expert = Make("1CL_t", Topic("a", "level=1\ndependencies=script[true]\n"));
    ASSERT_NE(nullptr, expert);
    GMExpertComputer* computer = StartBesideTheComputer(expert);
    ASSERT_NE(nullptr, computer);
    ASSERT_NE(nullptr, computer->GetAnimation(4));
    // Within four seconds every lamp has begun to blink.
    LSprite* lamp = nullptr;
    for (int i = 0; i < 100 && lamp == nullptr; ++i) {
        Frames(1, 0.05);
        for (int a = 0; a < GMExpertComputer::kAnimationCount && lamp == nullptr; ++a) {
            LSprite* sprite = computer->GetAnimation(a);
            if (sprite->GetVisible() && sprite->GetBlend() > 0.0f && sprite->GetBlend() < 0.5f) {
                lamp = sprite;
            }
        }
    }
    ASSERT_NE(nullptr, lamp);
    const float before = lamp->GetBlend();
    // 0.02 s is no step; 0.05 s is one.
    Frames(1, 0.02);
    EXPECT_FLOAT_EQ(before, lamp->GetBlend());
    Frames(1, 0.03);
    EXPECT_NEAR(0.1f, std::fabs(lamp->GetBlend() - before), 1e-5f);
}

TEST_F(ExpertTest, LeavingAComputerExpertClosesTheComputerThenPlaysTheExitAndEndsOnce)
{
    GMExpertInterview* expert = Make("1CL_t", Topic("a", std::string("level=1\ndependencies=script[true]\n") + kEvidence));
    ASSERT_NE(nullptr, expert);
    mScene->SetCut(LString("cam02"));
    GMExpertComputer* computer = StartBesideTheComputer(expert);
    ASSERT_NE(nullptr, computer);
    GMScreenFader* fader = GMScreenFader::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();

    expert->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    // The interview runs on until its exit has played; nothing is told yet.
    EXPECT_TRUE(expert->IsRunning());
    EXPECT_EQ((std::vector<int> {0}), mHeard.mCodes);
    EXPECT_FALSE(expert->GetNotepad()->GetActive());
    EXPECT_EQ(computer, fader->GetListener());
    // Black: the computer goes, the scene is back on top; then the picture comes back,
    // and only then the exit line plays.
    bool goneBeforeExit = false;
    bool fadedInBeforeExit = false;
    const std::string played = Play([&] {
        if (LFakeSoundPlayer::Find(LString("sequenceSound")) != nullptr && !goneBeforeExit) {
            goneBeforeExit = computer->GetRoot() == nullptr && screens->GetTop() == mScene;
            fadedInBeforeExit = fader->IsFadedIn() && fader->GetListener() != computer;
        }
        return !expert->IsRunning();
    });
    EXPECT_EQ("ex_exit.ogg;", played);
    EXPECT_TRUE(goneBeforeExit);
    EXPECT_TRUE(fadedInBeforeExit);
    EXPECT_EQ(-1, screens->IndexOf(computer));
    // The end, once.
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ("-", ToStd(mScene->GetCut()));
    EXPECT_FALSE(expert->IsExiting());
    Frames(10);
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
}

TEST_F(ExpertTest, ExitClickedWhileTheComputerStillFadesInClosesItOnceTheFadeHasEnded)
{
    GMExpertInterview* expert = Make("1CL_t", Topic("a", std::string("level=1\ndependencies=script[true]\n") + kEvidence));
    ASSERT_NE(nullptr, expert);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    Play([&] { return !expert->IsBusy(); });
    GMExpertComputer* computer = GMExpertComputer::Peek();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_NE(nullptr, computer);
    // Built at black, and the picture still comes back: the change of screen runs on.
    for (int i = 0; i < 200 && computer->GetRoot() == nullptr; ++i) {
        Frames(1, 0.02);
    }
    ASSERT_NE(nullptr, computer->GetRoot());
    ASSERT_TRUE(screens->IsBusy());

    expert->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    EXPECT_EQ("ex_exit.ogg;", Play([&] { return !expert->IsRunning(); }));
    // The computer went with the exit: the scene is on top and the manager free.
    EXPECT_EQ(-1, screens->IndexOf(computer));
    EXPECT_EQ(mScene, screens->GetTop());
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(0, screens->GetWaitingCount());
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
}

TEST_F(ExpertTest, LeavingAnExpertWithoutAComputerPlaysTheExitAtOnce)
{
    GMExpertInterview* expert = Make("1ME_t", Topic("a", "level=1\ndependencies=script[true]\n"));
    ASSERT_NE(nullptr, expert);
    ASSERT_TRUE(mManager->StartCurrentInterview());
    Play([&] { return !expert->IsBusy(); });
    expert->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    EXPECT_TRUE(expert->IsExiting());
    EXPECT_TRUE(expert->IsBusy());
    EXPECT_TRUE(expert->IsRunning());
    // A second click while it plays starts nothing more.
    expert->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    // Another selection lets go of this uncached expert, which is kept until it has ended.
    ASSERT_NE(nullptr, mManager->SelectInterview(LString("sample_interview")));
    EXPECT_EQ("ex_exit.ogg;", Play([&] { return mHeard.mCodes.size() >= 2; }));
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
    Frames(3);
    EXPECT_EQ((std::vector<int> {0, 1}), mHeard.mCodes);
}

TEST_F(ExpertTest, AProfileWithoutItsLayoutShowsWhatItCanAndAWitnessListLeavesTheSharedBar)
{
    // A desk the layout does not have: only the fields are built, and a profile types
    // into them all the same.
    GMExpertComputer* computer = GMExpertComputer::GetInstance();
    ASSERT_NE(nullptr, computer);
    ASSERT_TRUE(computer->Open(7, nullptr));
    Frames(40);
    ASSERT_NE(nullptr, computer->GetRoot());
    EXPECT_EQ(nullptr, computer->GetProfileGroup());
    EXPECT_EQ(nullptr, computer->GetLines());
    LPropertyList info;
    const std::string text = "type=evidence\nname=k\ncollected=w\nimage=glove\n";
    info.Parse(text.c_str(), static_cast<int>(text.size()));
    LPropertyList subtitles;
    subtitles.Parse("k=Key\nw=Wall\n", 13);
    computer->ShowInfo(&info, &subtitles);
    Frames(40, 0.35);
    EXPECT_EQ("Key", ToStd(computer->GetField(GMExpertComputer::FIELD_ITEM)->GetText()));
    EXPECT_EQ("Wall", ToStd(computer->GetField(GMExpertComputer::FIELD_LOCATION)->GetText()));
    EXPECT_NE(nullptr, computer->GetIcon());
    // Opened again while it stands: built again, not pushed twice.
    const int screens = GMScreenManager::GetInstance()->GetCount();
    ASSERT_TRUE(computer->Open(7, nullptr));
    EXPECT_EQ(screens, GMScreenManager::GetInstance()->GetCount());
    EXPECT_NE(nullptr, computer->GetRoot());
    EXPECT_EQ(nullptr, computer->GetIcon());
    ASSERT_TRUE(computer->Close());
    Frames(60);
    EXPECT_EQ(nullptr, computer->GetRoot());
    EXPECT_EQ(-1, GMScreenManager::GetInstance()->IndexOf(computer));

    // The witness's list goes with its interview: the shared scroll bar lets go of it.
    GMInterview* witness = mManager->SelectInterview(LString("sample_interview"));
    ASSERT_NE(nullptr, witness);
    ASSERT_TRUE(mScene->StartInterview());
    LScrollBar* shared = witness->GetScrollBar()->GetScrollBar();
    ASSERT_NE(nullptr, shared);
    EXPECT_EQ(witness->GetTopicArea(), shared->GetContentGroup());
    witness->End();
    mManager->ClearInterviews();
    ASSERT_NE(nullptr, mManager->SelectInterview(LString("1CL_lab")));
    EXPECT_EQ(nullptr, shared->GetContentGroup());
    shared->SetContentHeight(1000);
    shared->ScrollDown();
}

} // namespace
