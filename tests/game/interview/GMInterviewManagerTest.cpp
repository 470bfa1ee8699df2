// The interview manager: selection and its cache, the case gate of preloading, the index
// defaults, data files that do not load, the manager's own interviews, clearing, the
// start event, and the shared panel built from the sample's interview layout.
#include "interview/GMInterviewManager.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "event/LEventManager.h"
#include "interview/GMExpertInterview.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

// The sample's index and its interview, and entries of the tests' own.
const char* const kIndex = "sample_interview\n\tdata=sample_interview.txt\n"
                           "\tsubtitles=sample_interview_subtitles.txt\n\twitness=witness\n"
                           "plain\n\tdata=plain.txt\n\tsubtitles=plain_subtitles.txt\n"
                           "2CL_x\n\tdata=case2.txt\n\tsubtitles=plain_subtitles.txt\n"
                           "2cl_x\n\tdata=lower.txt\n\tsubtitles=plain_subtitles.txt\n"
                           "broken\n\tdata=nowhere.txt\n\tsubtitles=plain_subtitles.txt\n"
                           "expert\n\tdata=expert.txt\n\tsubtitles=plain_subtitles.txt\n";

const char* const kPlain = "fonts\n\tmain=TW_CEN_MT16\ntopics\n";

class ManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        ASSERT_TRUE(mRoots.Mounted());
        ASSERT_TRUE(mRoots.CopySample("textures/interview"));
        ASSERT_TRUE(mRoots.CopySample("interviews"));
        ASSERT_TRUE(RegisterGameTestFonts(mRoots));
        mRoots.Write("data/interviews/interviews.txt", kIndex);
        for (const char* name : {"plain.txt", "case2.txt", "lower.txt"}) {
            mRoots.Write(std::string("data/interviews/") + name, kPlain);
        }
        mRoots.Write("data/interviews/expert.txt", std::string("type=EXPERT\n") + kPlain);
        mRoots.Write("data/interviews/plain_subtitles.txt", "line=A line.\n");
        mRoots.Write("data/interviews/pocketobjects.txt", "si_saw_stra\n\tanim=show\n\tobject=badge\n");
        mManager = GMInterviewManager::GetInstance();
        ASSERT_NE(nullptr, mManager);
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    int Created() const { return mManager->GetCreatedCount(); }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMInterviewManager* mManager = nullptr;
};

TEST_F(ManagerTest, CachedInterviewsAreSharedAndUncachedOnesMadeAtEverySelection)
{
    ASSERT_TRUE(mManager->PreloadInterview(LString("plain")));
    ASSERT_TRUE(mManager->PreloadInterview(LString("plain")));
    EXPECT_EQ(1, Created());
    EXPECT_EQ(1, mManager->GetCachedCount());
    EXPECT_EQ(nullptr, mManager->GetCurrentInterview());

    GMInterview* cached = mManager->GetCached(LString("plain"));
    ASSERT_NE(nullptr, cached);
    EXPECT_EQ(cached, mManager->SelectInterview(LString("plain")));
    EXPECT_EQ(cached, mManager->GetCurrentInterview());
    EXPECT_EQ(1, Created());
    EXPECT_EQ("plain", ToStd(cached->GetId()));

    for (int call = 1; call <= 3; ++call) {
        GMInterview* made = mManager->SelectInterview(LString("sample_interview"));
        ASSERT_NE(nullptr, made);
        EXPECT_NE(cached, made);
        EXPECT_EQ(made, mManager->GetCurrentInterview());
        EXPECT_EQ(1 + call, Created());
        // The index key and the id read from the data file's name agree here.
        EXPECT_EQ("sample_interview", ToStd(made->GetId()));
        EXPECT_EQ("witness", ToStd(made->GetWitnessId()));
    }
    EXPECT_EQ(1, mManager->GetCachedCount());
    EXPECT_EQ(cached, mManager->SelectInterview(LString("plain")));
}

TEST_F(ManagerTest, TheIdComesFromTheDataFileAndAMissingWitnessIsNone)
{
    mRoots.Write("data/interviews/interviews.txt", "key\n\tdata=other_name.txt\n\tsubtitles=plain_subtitles.txt\n");
    mRoots.Write("data/interviews/other_name.txt", kPlain);
    mManager->LoadData();
    GMInterview* interview = mManager->SelectInterview(LString("key"));
    ASSERT_NE(nullptr, interview);
    EXPECT_EQ("other_name", ToStd(interview->GetId()));
    EXPECT_EQ("none", ToStd(interview->GetWitnessId()));
    EXPECT_EQ("key", ToStd(mManager->GetCurrentId()));
}

TEST_F(ManagerTest, PreloadingSkipsInterviewsOfAnotherCase)
{
    struct Row
    {
        const char* mSelected;  // "sta_selectedcase", or null for no such state
        const char* mId;
        bool mLoaded;
    };
    const Row rows[] = {
        {"1", "2CL_x", false}, {"2", "2CL_x", true}, {nullptr, "2CL_x", true},
        {"1", "2cl_x", true},  {"2.7", "2CL_x", true}, {"1", "plain", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.mId) + " at case " + (row.mSelected ? row.mSelected : "none"));
        LStateManager::Get()->RemoveAllStates();
        if (row.mSelected != nullptr) {
            LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString(row.mSelected),
                                           false);
        }
        mManager->ClearInterviews();
        const int before = Created();
        EXPECT_TRUE(mManager->PreloadInterview(LString(row.mId)));
        EXPECT_EQ(row.mLoaded, mManager->GetCached(LString(row.mId)) != nullptr);
        EXPECT_EQ(row.mLoaded ? before + 1 : before, Created());
    }

    // A selected case that is no int counts as none: logged, and every case's interviews load.
    for (float value : {std::numeric_limits<float>::quiet_NaN(), 1e10f, -1e10f}) {
        SCOPED_TRACE(value);
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
        *static_cast<float*>(LStateManager::Get()->GetState(LString("sta_selectedcase"))->GetValue()) = value;
        mManager->ClearInterviews();
        mLog.Clear();
        EXPECT_TRUE(mManager->PreloadInterview(LString("2CL_x")));
        EXPECT_NE(nullptr, mManager->GetCached(LString("2CL_x")));
        EXPECT_TRUE(mLog.Contains("Invalid selected case: not a number in the int range.")) << mLog.Bytes();
    }
}

TEST_F(ManagerTest, DataThatDoesNotLoadGivesNoInterview)
{
    EXPECT_EQ(nullptr, mManager->SelectInterview(LString("broken")));
    EXPECT_TRUE(mLog.Contains("ERROR: ")) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Data list creation failure:nowhere.txt")) << mLog.Bytes();
    EXPECT_FALSE(mManager->PreloadInterview(LString("broken")));
    EXPECT_EQ(0, mManager->GetCachedCount());

    // An id the index does not have reads an empty data name.
    mLog.Clear();
    EXPECT_EQ(nullptr, mManager->SelectInterview(LString("unknown")));
    EXPECT_TRUE(mLog.Contains("Could not find interview data.")) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Could not find subtitles data.")) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Data list creation failure:")) << mLog.Bytes();
    EXPECT_EQ(0, Created());

    // "type" "EXPERT" (any case) makes an expert interview, and the flag is set again when
    // it comes from the cache.
    mLog.Clear();
    GMInterview* expert = mManager->SelectInterview(LString("expert"));
    ASSERT_NE(nullptr, expert);
    EXPECT_NE(nullptr, dynamic_cast<GMExpertInterview*>(expert));
    EXPECT_EQ("expert", ToStd(expert->GetType()));
    EXPECT_TRUE(mManager->IsExpert());
    EXPECT_EQ(1, Created());
    ASSERT_NE(nullptr, mManager->SelectInterview(LString("plain")));
    EXPECT_FALSE(mManager->IsExpert());
    ASSERT_TRUE(mManager->PreloadInterview(LString("expert")));
    EXPECT_NE(nullptr, mManager->SelectInterview(LString("expert")));
    EXPECT_TRUE(mManager->IsExpert());
    EXPECT_EQ(0, mLog.Count("ERROR: .\\interview\\")) << mLog.Bytes();
}

TEST_F(ManagerTest, ClearingForgetsTheCurrentInterviewWhenItWasCached)
{
    ASSERT_TRUE(mManager->PreloadInterview(LString("plain")));
    ASSERT_NE(nullptr, mManager->SelectInterview(LString("plain")));
    mManager->ClearInterviews();
    EXPECT_EQ(0, mManager->GetCachedCount());
    EXPECT_EQ(nullptr, mManager->GetCurrentInterview());
    EXPECT_FALSE(mManager->StartCurrentInterview());

    // The manager's own current interview survives a clear of the cache.
    ASSERT_TRUE(mManager->PreloadInterview(LString("plain")));
    GMInterview* own = mManager->SelectInterview(LString("sample_interview"));
    ASSERT_NE(nullptr, own);
    mManager->ClearInterviews();
    EXPECT_EQ(0, mManager->GetCachedCount());
    EXPECT_EQ(own, mManager->GetCurrentInterview());
}

TEST_F(ManagerTest, StartingWithoutAnInterviewRaisesNothing)
{
    const int events = LEventManager::Get()->GetEventCount();
    EXPECT_FALSE(mManager->StartCurrentInterview());
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
}

TEST_F(ManagerTest, ThePanelIsBuiltFromTheInterviewLayout)
{
    LDisplayGroup* panel = nullptr;
    LDisplayGroup* modes = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* scrollBar = nullptr;
    ASSERT_TRUE(mManager->GetInterviewDisplay(&panel, &modes, &meter, &scrollBar));
    EXPECT_EQ("interviewgroup", ToStd(panel->GetId()));
    EXPECT_FALSE(panel->GetActive());
    EXPECT_FLOAT_EQ(400.0f, panel->GetPosition().x);
    EXPECT_FLOAT_EQ(150.0f, panel->GetPosition().y);
    for (const char* id : {"btn_exit", "btn_drag", "interview_bg"}) {
        EXPECT_NE(nullptr, panel->GetMember(LString(id))) << id;
    }
    EXPECT_EQ(nullptr, dynamic_cast<LButton*>(panel->GetMember(LString("btn_exit")))->GetListener());
    EXPECT_EQ(panel, modes->GetGroup());
    for (const char* id : {"mode_conf", "mode_decp", "mode_flat", "mode_stra", "mode_empa"}) {
        EXPECT_NE(nullptr, dynamic_cast<LButton*>(modes->GetMember(LString(id)))) << id;
    }
    EXPECT_EQ(meter, panel->GetMember(LString("interviewmeter")));
    EXPECT_FLOAT_EQ(117.0f, meter->GetPosition().x);
    EXPECT_FLOAT_EQ(150.0f, meter->GetPosition().y);
    EXPECT_EQ(panel, scrollBar->GetGroup()->GetGroup());
    EXPECT_EQ("", mLog.Problems()) << mLog.Bytes();

    // Without a layout file the panel is still made; the hand-out stops at the mode group.
    mRoots.Write("data/textures/interview/interview_layout.txt", "");
    mLog.Clear();
    mManager->BuildLayout();
    EXPECT_TRUE(mLog.Contains("'groups.modes' not found.")) << mLog.Bytes();
    panel = nullptr;
    modes = nullptr;
    EXPECT_FALSE(mManager->GetInterviewDisplay(&panel, &modes, &meter, &scrollBar));
    EXPECT_NE(nullptr, panel);
    EXPECT_EQ(nullptr, modes);
}

} // namespace
