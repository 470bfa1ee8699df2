// The map panel in the PDA over a layout of its own (the sample's tag picture): the tags
// built per case and kept between showings, the blink of a new tag, the visible state,
// and clicks inside and outside the scroll area.
#include "pda/GMMapPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "pda/GMMapTag.h"
#include "pda/GMPDA.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestPDA.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "time/LGameClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Tag(const std::string& aKey, const std::string& aId, const std::string& aPosition,
                const std::string& aData)
{
    std::string text = "\t\t\t\t" + aKey + "\n\t\t\t\t\tid=" + aId + "\n\t\t\t\t\tposition=" + aPosition + "\n";
    text += aData;
    text += "\t\t\t\t\tstates\n";
    const char* const states[] = {"n", "o", "x", "d", "h"};
    for (int i = 0; i < 5; ++i) {
        const std::string s = states[i];
        text += "\t\t\t\t\t\t" + s + "\n\t\t\t\t\t\t\tstatetype=" + s + "\n\t\t\t\t\t\t\tobjecttype=sprite\n" +
                "\t\t\t\t\t\t\tid=" + aId + "_" + s + "\n\t\t\t\t\t\t\ttexture=map_tag.tga\n" +
                "\t\t\t\t\t\t\ttexturecoords=0|" + std::to_string(i * 24) + "|23|" + std::to_string(i * 24 + 23) +
                "\n";
    }
    return text;
}

std::string Targets(const std::string& aFirst, const std::string& aSecond = "")
{
    std::string text = "\t\t\t\t\ttargets\n\t\t\t\t\t\tg01\n" + aFirst;
    if (!aSecond.empty()) {
        text += "\t\t\t\t\t\tg02\n" + aSecond;
    }
    return text;
}

std::string Target(const std::string& aCondition, const std::string& aLogic)
{
    return "\t\t\t\t\t\t\tcondition=" + aCondition + "\n\t\t\t\t\t\t\tlogic=" + aLogic + "\n";
}

std::string Layout()
{
    std::string text = "groups\n\tbackground\n\t\tid=background\n\tmaptags\n\t\tgroups\n\t\t\tcase1\n\t\t\t\tbuttons\n";
    auto indent = [](const std::string& aText) {
        std::string out;
        size_t start = 0;
        while (start < aText.size()) {
            const size_t end = aText.find('\n', start);
            out += "\t" + aText.substr(start, end - start + 1);
            start = end + 1;
        }
        return out;
    };
    text += indent(Tag("t01", "a", "10|10",
                       "\t\t\t\t\tshow=script[true]\n" +
                           Targets(Target("script[false]", "gotoscene|nowhere"),
                                   Target("script[true]", "gotoviewpoint|x"))));
    text += indent(Tag("t02", "b", "60|10",
                       "\t\t\t\t\tshow=script[e[evt_b]]\n\t\t\t\t\tselectedevent=evt_b_used\n" +
                           Targets(Target("script[false]", "gotoscene|x"))));
    text += indent(Tag("t03", "c", "10|300",
                       "\t\t\t\t\tshow=script[true]\n" + Targets(Target("script[true]", "gotoviewpoint|x"))));
    text += "\t\t\tcase2\n\t\t\t\tbuttons\n";
    text += indent(
        Tag("t01", "d", "10|10", "\t\t\t\t\tshow=script[true]\n" + Targets(Target("script[true]", "gotoscene|x"))));
    return text;
}

class MapPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mKit.Prepared());
        mKit.Roots().Write("data/textures/pda/map_layout.txt", Layout());
        // A tag asks the cut-scene player first; its tables here are empty.
        mKit.Roots().Write("data/movies/cutscenes.txt", "");
        mKit.Roots().Write("data/movies/cutscenes_subtitles.txt", "");
        ASSERT_TRUE(mKit.Start());
        mPDA = mKit.PDA();
        mMap = static_cast<GMMapPanel*>(mPDA->GetPanel(LString("map")));
        ASSERT_NE(nullptr, mMap);
        ASSERT_TRUE(mKit.Open());
        mLog.Clear();
    }

    static void SelectCase(const char* aCase) { GMTestPDA::SelectCase(aCase); }

    void ShowPanel(const char* aId)
    {
        ASSERT_EQ(1, mPDA->SetPanel(LString(aId)));
    }

    static void Frame(double aStep) { LFakeTimer::FrameAt(LFakeTimer::sNow + aStep); }

    // A left click in the middle of the tag's button.
    static void Click(GMMapTag* aTag)
    {
        const LVector2 at = aTag->GetButton()->GetWorldPosition() + LVector2(12.0f, 12.0f);
        LMouse::Get()->OnMove(at);
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    LLogCapture mLog;
    GMTestPDA mKit;
    GMPDA* mPDA = nullptr;
    GMMapPanel* mMap = nullptr;
};

} // namespace

TEST_F(MapPanelTest, TagsAreBuiltPerCaseAndKeptWhileTheCaseStays)
{
    ASSERT_EQ(3, mMap->GetTagCount());
    EXPECT_EQ(nullptr, mMap->GetContentGroup()->GetGroup());
    ShowPanel("map");
    EXPECT_EQ(LString("pdaScrollContentGroup"), mMap->GetContentGroup()->GetGroup()->GetId());
    EXPECT_EQ(409, mPDA->GetScrollBar()->GetContentHeight());
    GMMapTag* a = mMap->FindTag(LString("a"));
    GMMapTag* b = mMap->FindTag(LString("b"));
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_TRUE(a->GetGroup()->GetActive());
    EXPECT_TRUE(a->IsNew());
    EXPECT_FALSE(b->IsAvailable());
    EXPECT_FALSE(b->GetGroup()->GetActive());
    // A tag not available is left as it is, shown or hidden.
    b->GetGroup()->SetActive(true);
    ShowPanel("phone");
    EXPECT_FALSE(a->GetGroup()->GetActive());
    EXPECT_TRUE(b->GetGroup()->GetActive());
    b->GetGroup()->SetActive(false);

    // Again for the same case: the same tags, still new, blinking again.
    Frame(0.3);
    ShowPanel("map");
    EXPECT_EQ(a, mMap->FindTag(LString("a")));
    EXPECT_TRUE(a->IsNew());
    EXPECT_TRUE(a->GetGroup()->GetActive());

    // Another case: its tags only.
    SelectCase("2");
    ShowPanel("phone");
    ShowPanel("map");
    EXPECT_EQ(2, mMap->GetCase());
    ASSERT_EQ(1, mMap->GetTagCount());
    EXPECT_EQ(LString("d"), mMap->GetTag(0)->GetId());
    EXPECT_TRUE(mMap->GetTag(0)->GetGroup()->GetActive());
    // No selected case: the case kept.
    LStateManager::Get()->RemoveAllStates();
    ShowPanel("phone");
    ShowPanel("map");
    EXPECT_EQ(2, mMap->GetCase());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(MapPanelTest, ANewTagBlinksUntilUsedAndStopsAtFullBlend)
{
    // Found available when the tags were built: its state made true at once.
    LIState* visible = LStateManager::Get()->GetState(LString("maptag_a_visible"));
    ASSERT_NE(nullptr, visible);
    EXPECT_EQ(LIState::TYPE_BOOLEAN, visible->GetType());
    EXPECT_EQ(nullptr, LStateManager::Get()->GetState(LString("maptag_b_visible")));
    ShowPanel("map");
    GMMapTag* a = mMap->FindTag(LString("a"));
    LDisplayGroup* group = a->GetGroup();
    const double start = LFakeTimer::sNow;
    float lowest = 1.0f;
    double lowestAt = 0.0;
    double restAgain = 0.0;
    bool faded = false;
    for (int i = 1; i <= 50; ++i) {
        LFakeTimer::FrameAt(start + 0.05 * i);
        const double t = 0.05 * i;
        if (t < 0.49) {
            EXPECT_FLOAT_EQ(1.0f, group->GetBlend()) << t;
        }
        if (group->GetBlend() < lowest) {
            lowest = group->GetBlend();
            lowestAt = t;
        }
        faded = faded || group->GetBlend() < 0.99f;
        if (faded && restAgain == 0.0 && a->GetPhase() == GMMapTag::PHASE_REST) {
            restAgain = t;
        }
    }
    // Down to 0.2 about a second in, back to full about half a second later, then resting
    // and fading again.
    EXPECT_NEAR(0.2f, lowest, 0.01f);
    EXPECT_NEAR(1.05, lowestAt, 0.11);
    EXPECT_NEAR(1.6, restAgain, 0.16);
    EXPECT_LT(group->GetBlend(), 1.0f);

    // Hidden in the middle of a fade: the tag stays hidden and ends at full blend.
    ShowPanel("phone");
    for (int i = 0; i < 30; ++i) {
        Frame(0.05);
    }
    EXPECT_FALSE(group->GetActive());
    EXPECT_FLOAT_EQ(1.0f, group->GetBlend());
    EXPECT_EQ(GMMapTag::PHASE_REST, a->GetPhase());

    // Used: the blink stops at full blend and does not come back.
    ShowPanel("map");
    for (int i = 0; i < 14; ++i) {
        Frame(0.05);
    }
    ASSERT_LT(group->GetBlend(), 1.0f);
    Click(a);
    EXPECT_FALSE(a->IsNew());
    EXPECT_FLOAT_EQ(1.0f, group->GetBlend());
    for (int i = 0; i < 40; ++i) {
        Frame(0.05);
        EXPECT_FLOAT_EQ(1.0f, group->GetBlend());
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(MapPanelTest, AClickRunsTheFirstTargetThatHoldsOnlyInsideTheScrollArea)
{
    ShowPanel("map");
    Frame(0.6);
    const float clock = LGameClock::Get()->GetTime();
    // Below the scroll area's clip: nothing.
    GMMapTag* c = mMap->FindTag(LString("c"));
    Click(c);
    EXPECT_TRUE(c->IsNew());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_maptag_c")));

    // The first target fails, the second is a viewpoint move short of its viewpoint: only
    // the selected event is raised.
    GMMapTag* a = mMap->FindTag(LString("a"));
    Click(a);
    EXPECT_FALSE(a->IsNew());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_maptag_a")));
    EXPECT_TRUE(mPDA->IsOpen());
    EXPECT_EQ(clock, LGameClock::Get()->GetTime());

    // No target holds: the blink stops, and nothing else.
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_b"), true));
    ShowPanel("phone");
    ShowPanel("map");
    GMMapTag* b = mMap->FindTag(LString("b"));
    ASSERT_TRUE(b->GetGroup()->GetActive());
    ASSERT_TRUE(b->IsNew());
    EXPECT_NE(nullptr, LStateManager::Get()->GetState(LString("maptag_b_visible")));
    Click(b);
    EXPECT_FALSE(b->IsNew());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_b_used")));
    EXPECT_TRUE(mPDA->IsOpen());

    // Scrolled down by the wheel, the third tag comes inside.
    for (int i = 0; i < 40; ++i) {
        LMouse::Get()->OnWheel(-120.0f);
    }
    ASSERT_GT(mPDA->GetScrollBar()->GetContentPosition(), 0);
    Click(c);
    EXPECT_FALSE(c->IsNew());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_maptag_c")));
    EXPECT_EQ("", mLog.Problems());
}
