// The log panel in the PDA over a diary of its own (texts in the test font's letters): the
// entries listed by their scripts and ordered by the raise times of their events, the
// case's entries only, the wrapped texts one under the other, and the panel's result.
#include "pda/GMLogPanel.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LTextArea.h"
#include "LRectangle.h"
#include "event/LEventManager.h"
#include "pda/GMPDA.h"
#include "state/LStateManager.h"
#include "support/GMTestPDA.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kLongText = "Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo "
                              "Aoo Boo Aoo Boo Aoo Boo Aoo Boo Aoo Boo";

std::string Diary()
{
    return std::string("case01\n"
                       "\tl01\n\t\ttext=A\n\t\tevents=script[e[evt_two]&e[evt_five]]\n"
                       "\tl02\n\t\ttext=B\n\t\tevents=script[e[evt_three]]\n"
                       "\tl03\n\t\ttext=Ao\n\t\tevents=script[s[sta_selectedcase]==1]\n"
                       "\tl04\n\t\ttext=Bo\n\t\tevents=script[e[evt_three]]\n"
                       "\tl05\n\t\ttext=AAA\n\t\tevents=script[e[evt_later]]\n"
                       "\tl06\n\t\ttext=BBB\n"
                       "\tl07\n\t\ttext=") +
           kLongText + "\n\t\tevents=script[e[evt_long]]\n" + "\tl08\n\t\ttext=oA\n\t\tevents=script[e[evt_long]]\n" +
           "case02\n\tl01\n\t\ttext=o\n\t\tevents=script[true]\n";
}

class LogPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mKit.Prepared());
        mKit.Roots().Write("data/textures/pda/logdata.txt", Diary());
        ASSERT_TRUE(mKit.Start());
        mPDA = mKit.PDA();
        mLogPanel = static_cast<GMLogPanel*>(mPDA->GetPanel(LString("log")));
        ASSERT_NE(nullptr, mLogPanel);
        ASSERT_TRUE(mKit.Open());
        // Raised at game times 2.0, 3.0 and 5.0.
        RaiseAt("evt_two", 2.0f);
        RaiseAt("evt_three", 3.0f);
        RaiseAt("evt_five", 5.0f);
        mLog.Clear();
    }

    static void SelectCase(const char* aCase) { GMTestPDA::SelectCase(aCase); }

    static void RaiseAt(const char* aId, float aTime)
    {
        LGameClock* clock = LGameClock::Get();
        clock->Advance(aTime - clock->GetTime(), false);
        ASSERT_TRUE(LEventManager::Get()->AddEvent(LString(aId), true));
    }

    // Shows the log afresh (from another panel) and gives its texts in order.
    std::vector<std::string> ShowLog()
    {
        if (mPDA->GetCurrentPanel() == mLogPanel) {
            EXPECT_EQ(1, mPDA->SetPanel(LString("phone")));
        }
        EXPECT_EQ(1, mPDA->SetPanel(LString("log")));
        return Shown();
    }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < mLogPanel->GetEntryCount(); ++i) {
            LTextArea* text = Entry(i);
            texts.push_back(text != nullptr ? ToStd(text->GetText()) : "(missing)");
        }
        return texts;
    }

    LTextArea* Entry(int aIndex) const
    {
        LDisplayGroup* content = mLogPanel->GetContentGroup();
        return content != nullptr ? dynamic_cast<LTextArea*>(content->GetMember(LString("logentry_") + aIndex))
                                  : nullptr;
    }

    LLogCapture mLog;
    GMTestPDA mKit;
    GMPDA* mPDA = nullptr;
    GMLogPanel* mLogPanel = nullptr;
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(LogPanelTest, EntriesStandByTheLatestRaiseTimeOfTheirEvents)
{
    // States only first; 3.0 before the entry of 2.0 and 5.0; equal times in file order.
    EXPECT_EQ(Texts({"Ao", "B", "Bo", "A"}), ShowLog());
    EXPECT_EQ(LString("logpanel"), mLogPanel->GetContentGroup()->GetId());
    EXPECT_EQ(LString("pdaScrollContentGroup"), mLogPanel->GetContentGroup()->GetGroup()->GetId());

    // Raised while the log is open: nothing changes until it is shown again.
    RaiseAt("evt_later", 6.0f);
    EXPECT_EQ(Texts({"Ao", "B", "Bo", "A"}), Shown());
    EXPECT_EQ(Texts({"Ao", "B", "Bo", "A", "AAA"}), ShowLog());

    // The case's entries only.
    SelectCase("2");
    EXPECT_EQ(Texts({"o"}), ShowLog());
    SelectCase("3");
    EXPECT_EQ(Texts({}), ShowLog());
    EXPECT_EQ("", mLog.Problems());
    // No case selected: nothing listed, after an assertion line.
    LStateManager::Get()->RemoveAllStates();
    EXPECT_EQ(Texts({}), ShowLog());
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE"));
}

TEST_F(LogPanelTest, ALongTextWrapsAndPushesTheNextEntryDown)
{
    RaiseAt("evt_long", 7.0f);
    const Texts shown = ShowLog();
    ASSERT_EQ(6u, shown.size());
    EXPECT_EQ(kLongText, shown[4]);
    EXPECT_EQ("oA", shown[5]);
    LTextArea* first = Entry(0);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(LVector2(15.0f, 10.0f), first->GetLocalPosition());
    LTextArea* longText = Entry(4);
    ASSERT_GT(longText->GetLineCount(), 1);
    EXPECT_LE(longText->GetLocalTextExtent().GetWidth(), 210.0f);
    EXPECT_FLOAT_EQ(longText->GetLineCount() * longText->GetLineHeight(), longText->GetTextHeight());
    float y = 10.0f;
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(y, Entry(i)->GetLocalPosition().y) << i;
        y += Entry(i)->GetTextHeight() + 10.0f;
    }
    EXPECT_EQ(static_cast<int>(y), mPDA->GetScrollBar()->GetContentHeight());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(LogPanelTest, ChangingToTheLogReportsSuccess)
{
    ASSERT_EQ(1, mPDA->SetPanel(LString("inventory")));
    EXPECT_EQ(1, mPDA->SetPanel(LString("log")));
    EXPECT_TRUE(mLogPanel->IsShown());
    EXPECT_EQ(1, mPDA->SetPanel(LString("map")));
    EXPECT_FALSE(mLogPanel->GetContentGroup()->GetActive());
    EXPECT_FALSE(mLogPanel->IsShown());
}
