// Witness interviews over the sample's case-1 location, loaded headless through the scene
// manager: the sample interview's characters are the location's, its end puts the scene
// back, and a sequence that names the location as its target scene fades to black,
// loads it at once, ends the interview (which the load's preloading then deletes) and
// fades in with the scene's input back on.
#include "interview/GMInterview.h"

#include "Gdi/LButton.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewTopicArea.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestInterview.h"
#include "support/GMTestScene.h"
#include "support/GMTestCutScenes.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class LocationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        mScene = GMTestScene::Load();
        ASSERT_NE(nullptr, mScene);
        mManager = GMInterviewManager::GetInstance();
        ASSERT_NE(nullptr, mManager);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    GMInterviewManager* mManager = nullptr;
};

TEST_F(LocationTest, TheSampleInterviewTalksWithTheLocationsCharactersAndPutsTheSceneBack)
{
    LFakeMovieManager::Reset();
    ASSERT_NE(nullptr, GMTestCutScenes::Make("ending\n\ttriggertype=interview\n\ttriggerinterview=Sample_Interview\n"
                                             "\tdependencies=script[true]\n\tmovie=sample_end.bik\n"
                                             "\tdoneevents=evt_sample_cut_seen\n"));
    GMInterview* interview = mManager->SelectInterview(LString("sample_interview"));
    ASSERT_NE(nullptr, interview);
    EXPECT_EQ("sample_interview", ToStd(interview->GetId()));
    EXPECT_EQ(mScene->GetCharacter(LString("witness")), interview->GetCharacter(LString("w")));
    EXPECT_EQ(mScene->GetPlayer(), interview->GetCharacter(LString("p")));
    ASSERT_NE(nullptr, interview->GetCharacter(LString("w")));

    ASSERT_TRUE(mScene->StartInterview());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_interview_started")));
    EXPECT_FALSE(mScene->IsInputEnabled());
    GMTestInterview::PlayOut(interview, false);
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_interview_intro_done")));
    // Six topics, the boat waiting for the first: five offered.
    EXPECT_EQ(6, interview->GetTopicArea()->GetOpenCount());
    EXPECT_FALSE(interview->GetTopicArea()->GetButton(2)->GetVisible());

    interview->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
    GMTestInterview::PlayOut(interview, true);
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_interview_exit_done")));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ("-", ToStd(mScene->GetCut()));
    EXPECT_FALSE(mScene->IsInterviewRunning());
    // The test table's entry for the interview plays over the location, then gives it back.
    EXPECT_TRUE(GMCutScenePlayer::GetInstance()->IsPlaying());
    EXPECT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("//dataroot/movies/sample_end.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_cut_seen")));
    EXPECT_EQ(mScene, GMSceneManager::GetInstance()->GetScene());
    EXPECT_TRUE(mScene->IsInputEnabled());
}

TEST_F(LocationTest, ATargetSceneFadesLoadsTheLocationAndEndsTheInterview)
{
    // The location's witness, with an intro that leads to the location itself.
    // The sample's own interviews stay listed: the location preloads them at every load.
    LTestDirectory interviews;
    for (const char* name :
         {"sample_interview.txt", "sample_interview_subtitles.txt", "1CL_lab.txt", "1CL_lab_subtitles.txt"}) {
        std::ifstream in(LSampleRoots::Directory() + "/interviews/" + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        interviews.Write(name, bytes.str());
    }
    interviews.Write("interviews.txt", "run\n\tdata=run.txt\n\tsubtitles=test_subtitles.txt\n\twitness=witness\n"
                                       "sample_interview\n\tdata=sample_interview.txt\n"
                                       "\tsubtitles=sample_interview_subtitles.txt\n\twitness=witness\n"
                                       "1CL_lab\n\tdata=1CL_lab.txt\n\tsubtitles=1CL_lab_subtitles.txt\n");
    interviews.Write("test_subtitles.txt", "s1=one\nt_alibi=Alibi\n");
    interviews.Write("pocketobjects.txt", "none\n");
    interviews.Write("run.txt", "fonts\n\tmain=Friz_Quad_TT_8\ncharacters\n\tw=witness\n\tp=vedrin\ntopics\n"
                                "\tt1\n\t\tname=t_alibi\n\t\tlevel=1\n\t\tdependencies=script[true]\n\t\tmodes\n"
                                "intros\n\ti1\n\t\tdependencies=script[true]\n\t\tdoneevent=evt_intro\n" +
                                    GMTestInterview::Indent("sounds=line\nsoundtimes=0\n" +
                                                                GMTestInterview::Subtitles({"s1"}) +
                                                                "subtitletimes=0\ntargetscene=case01/riverbank|false\n",
                                                            2));
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//interviews"), FromStd(interviews.Path())));
    mManager->LoadData();
    GMInterview* interview = mManager->SelectInterview(LString("run"));
    ASSERT_NE(nullptr, interview);
    ASSERT_NE(nullptr, interview->GetCharacter(LString("w")));
    ASSERT_TRUE(mScene->StartInterview());

    GMScreenFader* fader = GMScreenFader::GetInstance();
    bool fadedFor = false;
    // The load deletes the old scene and, preloading the location's own interview, the
    // ended one: neither is touched once the manager has let go of it.
    auto alive = [&] { return mManager->GetCurrentInterview() == interview; };
    for (int i = 0; i < 40 && alive() && interview->IsRunning(); ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
        if (!alive()) {
            break;
        }
        fadedFor = fadedFor || fader->GetListener() == interview;
        if (LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound")); line && line->mPlaying && i > 5) {
            line->End();
        }
    }
    EXPECT_TRUE(fadedFor);
    EXPECT_FALSE(alive());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_intro")));
    GMScene* after = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, after);
    EXPECT_EQ(GMTestScene::kRiverbank, ToStd(after->GetId()));
    EXPECT_FALSE(after->IsInterviewRunning());
    EXPECT_TRUE(after->IsInputEnabled());
    EXPECT_EQ(nullptr, fader->GetListener());
    EXPECT_NE(nullptr, mManager->GetCached(LString("sample_interview")));
    LFakeTimer::Frames(5, 0.1);
    EXPECT_TRUE(fader->IsFadedIn());
    // Nothing of the interview's went wrong (the location's reload logs its own lines).
    EXPECT_EQ(std::string::npos, mLog.Problems().find("\\interview\\")) << mLog.Bytes();
}

} // namespace
