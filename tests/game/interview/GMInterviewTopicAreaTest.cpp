// The interview topic list and its scroll bar: rows and indents, the content height, the
// edge fades that also stop clicks, availability by difficulty and dependencies, done and
// viewed topics, the mouse registration of the buttons, and the scroll bar built from
// the layout.
#include "interview/GMInterviewTopicArea.h"

#include "Gdi/LButton.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LScrollBar.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewScrollBar.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Clicks : public LIButtonListener
{
public:
    void OnButton(const LString& aId, int aEvent) override
    {
        if (aEvent == XBTNEVENT_CLICKED) {
            mHeard.push_back(ToStd(aId));
        }
    }
    std::vector<std::string> mHeard;
};

std::string Button(const char* aId, const char* aPosition, const char* aCorners)
{
    return std::string("\t\t\t") + aId + "\n\t\t\t\tid=" + aId + "\n\t\t\t\tposition=" + aPosition +
           "\n\t\t\t\tstates\n\t\t\t\t\tn\n\t\t\t\t\t\tstatetype=n\n\t\t\t\t\t\tobjecttype=sprite\n\t\t\t\t\t\tid=" +
           aId + "_n\n\t\t\t\t\t\ttexture=bar.tga\n\t\t\t\t\t\ttexturecoords=" + aCorners + "\n";
}

struct Topic
{
    const char* mKey;
    const char* mSkillLevels = "1|1|1";
    const char* mScript = "script[true]";
    const char* mDone = "evtnever";
    const char* mViewed = "evtnever";
    const char* mLevel = "1";
};

class TopicAreaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(mRoots.Mounted());
        // The options start from their defaults: no options file is written here.
        GMOptions* options = GMOptions::GetInstance();
        ASSERT_NE(nullptr, options);
        options->SetSkill(1);
        mLog.Clear();
        mRoots.Write("data/textures/interview/bar.tga",
                     LImageBytes::Tga(64, 64, 32, 8, std::string(64 * 64 * 4, '\x40')));
        const std::string layout =
            "groups\n\tscrollbar\n\t\tsprites\n\t\t\ttrack\n\t\t\t\tid=track\n\t\t\t\ttexture=bar.tga\n"
            "\t\t\t\tposition=340|56\n\t\t\t\ttexturecoords=0|0|15|63\n\t\tbuttons\n" +
            Button("btnarrowup", "340|40", "16|0|31|15") + Button("btnarrowdn", "340|246", "32|0|47|15") +
            Button("btnbar", "340|56", "48|0|63|21");
        ASSERT_TRUE(mLayout.Parse(layout.c_str(), static_cast<int>(layout.size())));
        LTextureManager::Get()->SetRoot(LString("//textures/interview"));
        ASSERT_TRUE(mScrollBar.Create(&mLayout, &mPanel));
        mInterview = std::make_unique<GMInterview>();
        mArea = new GMInterviewTopicArea(mInterview.get());
        mArea->SetId(LString("interviewTopicArea"));
    }

    void TearDown() override { delete mArea; }

    void Add(const Topic& aTopic)
    {
        auto* button = new LButton();
        button->SetId(LString(aTopic.mKey));
        button->AddButtonStateObject(XBTNSTATE_NORMAL, BoxSprite("n", 150.0f, 24.0f));
        button->SetListener(&mClicks);
        auto* script = new LScript();
        LScriptBuilder::Get()->BuildScript(LString(aTopic.mScript), script);
        mArea->AddTopic(LString(aTopic.mKey), button, script, LString(aTopic.mSkillLevels), LString(aTopic.mDone),
                        LString(aTopic.mViewed), LString(aTopic.mLevel));
    }

    // n plain topics "t0" ... and the area bound to the scroll bar as the interview binds it.
    void AddPlain(int aCount)
    {
        for (int i = 0; i < aCount; ++i) {
            mKeys.push_back("t" + std::to_string(i));
        }
        for (const std::string& key : mKeys) {
            Add(Topic {key.c_str()});
        }
    }

    void Bind()
    {
        ASSERT_TRUE(mArea->SetScrollBar(mScrollBar.GetScrollBar()));
        ASSERT_TRUE(mScrollBar.SetTopicArea(mArea));
        mArea->UpdateTopics();
    }

    LButton* At(int aIndex) const { return mArea->GetButton(aIndex); }

    void Click(const LVector2& aAt)
    {
        LMouse* mouse = LMouse::Get();
        mouse->OnMove(aAt);
        mouse->OnButtonDown(1);
        mouse->OnButtonUp(1);
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    LPropertyList mLayout;
    LDisplayGroup mPanel;
    GMInterviewScrollBar mScrollBar;
    std::unique_ptr<GMInterview> mInterview;
    GMInterviewTopicArea* mArea = nullptr;
    Clicks mClicks;
    std::vector<std::string> mKeys;
};

TEST_F(TopicAreaTest, ScrollBarIsBuiltDimmedFromTheLayout)
{
    LDisplayGroup* group = mScrollBar.GetGroup();
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(group, mPanel.GetMember(LString("interviewscrollbar")));
    EXPECT_FLOAT_EQ(0.3f, group->GetBlend());
    for (const char* id : {"track", "btnarrowup", "btnarrowdn", "btnbar"}) {
        EXPECT_NE(nullptr, group->GetMember(LString(id))) << id;
    }
    EXPECT_TRUE(mScrollBar.SetBlend(1.0f));
    EXPECT_FLOAT_EQ(1.0f, group->GetBlend());
    EXPECT_EQ(0, mLog.Count("ERROR: ") + mLog.Count("ASSERT FAILURE: ")) << mLog.Bytes();

    // A layout without the scroll bar's parts still gives a scroll bar, with the gaps logged.
    LPropertyList empty;
    GMInterviewScrollBar bare;
    EXPECT_TRUE(bare.Create(&empty, nullptr));
    EXPECT_TRUE(mLog.Contains("'groups.scrollbar.sprites' not found."));
    EXPECT_TRUE(mLog.Contains("'groups.scrollbar.buttons' not found."));
}

TEST_F(TopicAreaTest, RowsOf30IndentedByLevelAndTheContentHeight)
{
    struct Case
    {
        int mTopics;
        int mContentHeight;
    };
    for (const Case& c : {Case {5, 180}, Case {6, 210}, Case {8, 270}}) {
        SCOPED_TRACE(c.mTopics);
        delete mArea;
        mArea = new GMInterviewTopicArea(mInterview.get());
        mKeys.clear();
        AddPlain(c.mTopics);
        Bind();
        // The scroll area is 195 high: content beyond it scrolls, by this much.
        EXPECT_EQ(c.mContentHeight - 195, mScrollBar.GetScrollBar()->GetContentTravel());
        EXPECT_EQ(c.mTopics, mArea->GetOpenCount());
        for (int i = 0; i < c.mTopics; ++i) {
            EXPECT_FLOAT_EQ(30.0f * static_cast<float>(i), At(i)->GetLocalPosition().y) << i;
            EXPECT_FLOAT_EQ(0.0f, At(i)->GetLocalPosition().x) << i;
        }
    }

    delete mArea;
    mArea = new GMInterviewTopicArea(mInterview.get());
    Add(Topic {"main"});
    Topic sub {"sub"};
    sub.mLevel = "1.5";
    Add(sub);
    Topic deep {"deep"};
    deep.mLevel = "3";
    Add(deep);
    mArea->UpdateTopics();
    EXPECT_FLOAT_EQ(7.5f, At(1)->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(30.0f, At(2)->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(60.0f, At(2)->GetLocalPosition().y);
}

TEST_F(TopicAreaTest, RowsFadeBeyondTheStripAndFadedRowsCannotBeClicked)
{
    AddPlain(8);
    Bind();
    mArea->RegisterButtons(true);
    EXPECT_TRUE(LMouse::Get()->Contains(At(7)));
    LScrollBar* bar = mScrollBar.GetScrollBar();
    ASSERT_EQ(75, bar->GetContentTravel());
    // An arrow step moves the list by the scroll increment, and the area hears it.
    bar->ScrollDown();
    EXPECT_EQ(12, mArea->GetScrollOffset());
    bar->ScrollDown();
    EXPECT_EQ(24, mArea->GetScrollOffset());
    EXPECT_EQ(24, bar->GetContentPosition());

    struct Case
    {
        int mOffset;
        int mRow;
        float mBlend;
        bool mEnabled;
    };
    for (const Case& c : {Case {33, 1, 0.79f, false}, Case {27, 7, 0.79f, false}, Case {33, 0, 0.0f, false},
                          Case {30, 1, 1.0f, true}, Case {30, 7, 1.0f, true}, Case {32, 1, 0.86f, true},
                          Case {0, 7, 0.0f, false}}) {
        SCOPED_TRACE(testing::Message() << "offset " << c.mOffset << " row " << c.mRow);
        bar->SetFraction((static_cast<float>(c.mOffset) + 0.5f) / 75.0f);
        ASSERT_EQ(c.mOffset, mArea->GetScrollOffset());
        EXPECT_NEAR(c.mBlend, At(c.mRow)->GetBlend(), 1e-5f);
        EXPECT_EQ(c.mEnabled, At(c.mRow)->IsEnabled());
    }

    // At offset 33 row 1 is 3 pixels above the strip: a click on it is not heard, a click
    // on row 2 is.
    bar->SetFraction(33.5f / 75.0f);
    const LVector2 row1 = At(1)->GetWorldPosition();
    const LVector2 row2 = At(2)->GetWorldPosition();
    EXPECT_FLOAT_EQ(45.0f + 30.0f - 33.0f, row1.y);
    Click(LVector2(row1.x + 20.0f, row1.y + 12.0f));
    EXPECT_TRUE(mClicks.mHeard.empty());
    Click(LVector2(row2.x + 20.0f, row2.y + 12.0f));
    EXPECT_EQ(std::vector<std::string> {"t2"}, mClicks.mHeard);
    // Taken off the mouse: no clicks at all.
    mArea->RegisterButtons(false);
    EXPECT_FALSE(LMouse::Get()->Contains(At(7)));
    Click(LVector2(row2.x + 20.0f, row2.y + 12.0f));
    EXPECT_EQ(1u, mClicks.mHeard.size());
}

TEST_F(TopicAreaTest, AvailabilityByDifficultyAndDependenciesDoneAndViewed)
{
    LEventManager* events = LEventManager::Get();
    ASSERT_TRUE(events->AddEvent(LString("evt_done"), false));
    ASSERT_TRUE(events->AddEvent(LString("evt_seen"), false));
    struct Row
    {
        Topic mTopic;
        bool mVisible;
        bool mEnabled;
        bool mHilighted;
    };
    Topic skippedAtMedium {"skipped"};
    skippedAtMedium.mSkillLevels = "1|0|1";
    Topic noFlagsFalse {"noflags_false"};
    noFlagsFalse.mSkillLevels = "";
    noFlagsFalse.mScript = "script[e[evt_missing]]";
    Topic noFlagsTrue {"noflags_true"};
    noFlagsTrue.mSkillLevels = "";
    noFlagsTrue.mScript = "script[e[evt_done]]";
    Topic hiddenAtHard {"hard_only_off"};
    hiddenAtHard.mSkillLevels = "1|1|0";
    Topic done {"done"};
    done.mDone = "evt_done";
    Topic viewed {"viewed"};
    viewed.mViewed = "evt_seen";
    Topic doneViewed {"done_viewed"};
    doneViewed.mDone = "evt_done";
    doneViewed.mViewed = "evt_seen";
    const std::vector<Row> rows {
        {skippedAtMedium, false, false, false}, {noFlagsFalse, false, false, false}, {noFlagsTrue, true, true, false},
        {hiddenAtHard, true, true, false},      {done, true, false, false},          {viewed, true, true, true},
        {doneViewed, true, false, true},
    };
    for (const Row& row : rows) {
        Add(row.mTopic);
    }
    // Hidden rows hold no place: the visible ones follow each other.
    Bind();
    float y = 0.0f;
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].mTopic.mKey);
        LButton* button = At(static_cast<int>(i));
        EXPECT_EQ(rows[i].mVisible, button->GetVisible());
        EXPECT_EQ(rows[i].mEnabled, button->IsEnabled());
        EXPECT_EQ(rows[i].mHilighted, button->IsHilighted());
        if (rows[i].mVisible) {
            EXPECT_FLOAT_EQ(y, button->GetLocalPosition().y);
            y += 30.0f;
        }
    }
    // Every topic is counted, less the offered ones that are done.
    EXPECT_EQ(5, mArea->GetOpenCount());

    // Other difficulties read their own flag.
    GMOptions::GetInstance()->SetSkill(2);
    mArea->UpdateTopics();
    EXPECT_TRUE(At(0)->GetVisible());
    EXPECT_FALSE(At(3)->GetVisible());
    GMOptions::GetInstance()->SetSkill(0);
    mArea->UpdateTopics();
    EXPECT_TRUE(At(0)->GetVisible());
    EXPECT_TRUE(At(3)->GetVisible());
}

TEST_F(TopicAreaTest, ADeletedAreaIsNoLongerToldOfScrolling)
{
    AddPlain(8);
    Bind();
    delete mArea;
    mArea = nullptr;
    // The scroll bar goes on with other content and reports to nobody.
    LDisplayGroup other;
    ASSERT_TRUE(mScrollBar.SetTopicArea(&other));
    mScrollBar.GetScrollBar()->ScrollDown();
    EXPECT_EQ(0, mLog.Count("ERROR: "));

    GMInterviewTopicArea area(mInterview.get());
    EXPECT_FALSE(area.SetScrollBar(nullptr));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: "));
}

} // namespace
