// The subtitle strip: its display tree, its lines, the fades in and out with the flags
// that users rely on, subtitles turned off, and hiding during a fade.
#include "interview/GMSubtitle.h"

#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SubtitleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 1.0;
        ASSERT_TRUE(mRoots.Mounted());
        ASSERT_TRUE(RegisterGameTestFonts(mRoots));
        mRoots.Write("data/textures/subtitleBG.tga", LImageBytes::Tga(16, 16, 32, 8, std::string(16 * 16 * 4, '\x20')));
        mFont = LFontManager::Get()->GetFont(LString("tahoma10"));
        // The strip's background does not follow the texture root.
        ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures/menu")));
        mStrip = GMSubtitle::GetInstance();
        ASSERT_NE(nullptr, mStrip);
        GMOptions::GetInstance(); // no options file here: defaults, with an error line
        mLog.Clear();
    }

    void TearDown() override
    {
        delete GMCleaner::GetInstance();
        // The strip went with the game cleaner and took itself out of the display.
        EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("subtitle")));
    }

    static std::string Text(LTextArea* aLine) { return aLine == nullptr ? "-" : ToStd(aLine->GetText()); }

    // The blends of background and text, in hundredths.
    std::string Blends() const
    {
        return std::to_string(static_cast<int>(mStrip->GetBackgroundGroup()->GetBlend() * 100.0f + 0.5f)) + "," +
               std::to_string(static_cast<int>(mStrip->GetTextGroup()->GetBlend() * 100.0f + 0.5f));
    }

    // Frame passes just after aTime: a fader reports its end in the pass after the one
    // that reached it.
    static void Settle(double aTime)
    {
        LFakeTimer::FrameAt(aTime + 0.01);
        LFakeTimer::FrameAt(aTime + 0.02);
    }

    // "shown"/"-", "visible"/"-".
    std::string Flags() { return std::string(mStrip->IsShown() ? "shown" : "-") + " " + (mStrip->GetVisible() ? "visible" : "-"); }

    LLogCapture mLog;
    GMTestRoots mRoots;
    LIFont* mFont = nullptr;
    GMSubtitle* mStrip = nullptr;
};

} // namespace

TEST_F(SubtitleTest, TheTreeStandsOverTheBottomOfTheScreen)
{
    EXPECT_EQ(mStrip, GMSubtitle::GetInstance());
    EXPECT_EQ(mStrip, LDisplayManager::Get()->GetRoot()->GetMember(LString("subtitle")));
    EXPECT_EQ("[GMSubtitle <", ToStd(mStrip->Dump()).substr(0, 13));
    EXPECT_FALSE(mStrip->GetVisible());
    EXPECT_FALSE(mStrip->IsShown());
    EXPECT_FLOAT_EQ(1000.0f, mStrip->GetRelativeZ());

    auto* sprite = dynamic_cast<LSprite*>(mStrip->GetMember(LString("bkgGroup.bgSprite")));
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(mStrip->GetBackgroundGroup(), mStrip->GetMember(LString("bkgGroup")));
    EXPECT_EQ("50,6", LTestPoint(sprite->GetScale().x, static_cast<float>(static_cast<int>(sprite->GetScale().y))));
    EXPECT_FLOAT_EQ(6.25f, sprite->GetScale().y);
    // The whole 16 x 16 picture, so 800 x 100 on the screen.
    ASSERT_NE(nullptr, sprite->GetVertexBuffer());
    EXPECT_FLOAT_EQ(16.0f, static_cast<const float*>(sprite->GetVertexBuffer()->GetVertex(2))[0]);
    EXPECT_FLOAT_EQ(1.0f, static_cast<const float*>(sprite->GetVertexBuffer()->GetVertex(2))[3]);
    EXPECT_NE(0u, LTextureManager::Get()->GetHandle(LString("//textures/subtitleBG.tga")));
    EXPECT_EQ(mStrip->GetTextGroup(), mStrip->GetMember(LString("textGroup")));
    EXPECT_EQ("20,10", LTestPoint(mStrip->GetTextGroup()->GetPosition().x, mStrip->GetTextGroup()->GetPosition().y));

    ASSERT_TRUE(mStrip->SetText(LString("Ao"), mFont));
    ASSERT_TRUE(mStrip->AppendText(LString("oB"), mFont));
    LTextArea* main = mStrip->GetMainLine();
    LTextArea* appended = mStrip->GetAppendedLine();
    ASSERT_NE(nullptr, main);
    ASSERT_NE(nullptr, appended);
    EXPECT_EQ(main, mStrip->GetMember(LString("textGroup.subtitle")));
    EXPECT_EQ(appended, mStrip->GetMember(LString("textGroup.subtitle_appended")));
    for (LTextArea* line : {main, appended}) {
        EXPECT_FLOAT_EQ(760.0f, line->GetWidth());
        EXPECT_FLOAT_EQ(20.0f, line->GetLineHeight());
        EXPECT_EQ(mFont, line->GetFont());
    }
    EXPECT_EQ("0,0", LTestPoint(main->GetPosition().x, main->GetPosition().y));
    EXPECT_EQ("0,40", LTestPoint(appended->GetPosition().x, appended->GetPosition().y));

    // Long lines wrap within the 760 pixels.
    std::string words;
    for (int i = 0; i < 60; ++i) {
        words += "AoBo ";
    }
    ASSERT_TRUE(mStrip->SetText(FromStd(words), mFont));
    EXPECT_TRUE(mStrip->GetMainLine()->Layout());
    EXPECT_LT(1, mStrip->GetMainLine()->GetLineCount());

    mStrip->Show();
    EXPECT_FLOAT_EQ(1100.0f, mStrip->GetRelativeZ());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SubtitleTest, SetTextDropsTheAppendedLineAndAppendingReplacesOnlyIt)
{
    struct Case
    {
        const char* mName;
        const char* mCalls; // S set, A append, in order, with the texts "1", "2", ...
        const char* mMain;
        const char* mAppended;
    };
    const Case cases[] = {
        {"set", "S", "1", "-"},
        {"set after append", "SAS", "3", "-"},
        {"two appends", "SAA", "1", "3"},
        {"append alone", "A", "-", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        mStrip->SetText(LString("x"), mFont);
        mStrip->SetText(LString(""), mFont);
        int n = 0;
        bool first = true;
        for (const char* call = c.mCalls; *call != '\0'; ++call) {
            const LString text = FromStd(std::to_string(++n));
            if (*call == 'S') {
                EXPECT_TRUE(mStrip->SetText(text, mFont));
            } else {
                EXPECT_TRUE(mStrip->AppendText(text, mFont));
            }
            first = false;
        }
        (void)first;
        const std::string main = std::string(c.mMain) == "-" ? "" : c.mMain;
        EXPECT_EQ(main, Text(mStrip->GetMainLine()));
        EXPECT_EQ(c.mAppended, Text(mStrip->GetAppendedLine()));
        EXPECT_EQ(std::string(c.mAppended) == "-" ? 1 : 2, mStrip->GetTextGroup()->GetMemberCount());
    }
}

TEST_F(SubtitleTest, FadesInAndOutOverThreeTenthsOfASecond)
{
    ASSERT_TRUE(mStrip->SetText(LString("Ao"), mFont));
    EXPECT_TRUE(mStrip->Show());
    EXPECT_EQ("- visible", Flags());
    EXPECT_EQ("0,0", Blends());
    LFakeTimer::FrameAt(1.15);
    EXPECT_EQ("20,50", Blends());
    Settle(1.3);
    EXPECT_EQ("40,100", Blends());
    EXPECT_EQ("shown visible", Flags());

    EXPECT_TRUE(mStrip->FadeOut());
    LFakeTimer::FrameAt(1.47);
    EXPECT_EQ("20,50", Blends());
    EXPECT_EQ("shown visible", Flags()); // shown until the fade has ended
    Settle(1.63);
    EXPECT_EQ("- -", Flags());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SubtitleTest, ShowDuringAFadeOutCountsAsShownAtOnceAndFadesInAgainFromNothing)
{
    mStrip->Show();
    Settle(1.3);
    mStrip->FadeOut();
    LFakeTimer::FrameAt(1.4);
    EXPECT_TRUE(mStrip->Show());
    EXPECT_EQ("shown visible", Flags());
    EXPECT_TRUE(mStrip->IsShowing());
    EXPECT_EQ("0,0", Blends());
    LFakeTimer::FrameAt(1.55);
    EXPECT_EQ("20,50", Blends());
    Settle(1.7);
    EXPECT_EQ("40,100", Blends());
    EXPECT_EQ("shown visible", Flags());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SubtitleTest, AFadeOutDuringTheFadeInEndsWithTheFadeUnderWay)
{
    mStrip->Show();
    LFakeTimer::FrameAt(1.1);
    // The faders refuse a second start (logged) and take the fade-out's values.
    EXPECT_FALSE(mStrip->FadeOut());
    EXPECT_EQ(2, mLog.Count("StartFade failure. Fade already started."));
    LFakeTimer::FrameAt(1.25);
    EXPECT_EQ("- visible", Flags());
    Settle(1.3);
    EXPECT_EQ("- -", Flags());
    EXPECT_FALSE(mStrip->IsShowing());
    EXPECT_EQ("0,0", Blends());
}

TEST_F(SubtitleTest, SkipNextFadeOutSwallowsExactlyOneFadeOut)
{
    mStrip->Show();
    Settle(1.3);
    mStrip->SkipNextFadeOut();
    EXPECT_TRUE(mStrip->FadeOut());
    LFakeTimer::FrameAt(1.7);
    EXPECT_EQ("shown visible", Flags());
    EXPECT_EQ("40,100", Blends());
    EXPECT_TRUE(mStrip->FadeOut());
    Settle(2.1);
    EXPECT_EQ("- -", Flags());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SubtitleTest, WithSubtitlesOffTheStripNeverAppearsButItsLinesChange)
{
    GMOptions::GetInstance()->SetToggle(0, 1);
    ASSERT_TRUE(mStrip->SetText(LString("Ao"), mFont));
    EXPECT_TRUE(mStrip->Show());
    EXPECT_EQ("- -", Flags());
    EXPECT_FALSE(mStrip->IsShowing());
    EXPECT_FLOAT_EQ(1000.0f, mStrip->GetRelativeZ());
    ASSERT_TRUE(mStrip->SetText(LString("oB"), mFont));
    EXPECT_EQ("oB", Text(mStrip->GetMainLine()));
    mStrip->FadeOut();
    Settle(1.4);
    EXPECT_EQ("- -", Flags());
    GMOptions::GetInstance()->SetToggle(0, 0);
}

// Hiding while the strip fades in used to leave the text fade running: at its end the
// strip counted as shown while it stayed invisible, and since users only call Show while
// it is not shown, no later line appeared.
TEST_F(SubtitleTest, HideDuringAFadeInKeepsTheStripHiddenUntilTheNextShow)
{
    mStrip->Show();
    LFakeTimer::FrameAt(1.1);
    mStrip->Hide();
    EXPECT_EQ("- -", Flags());
    EXPECT_FALSE(mStrip->IsShowing());
    LFakeTimer::FrameAt(1.5);
    EXPECT_EQ("- -", Flags());

    // The next line's user sees the strip not shown and shows it.
    ASSERT_FALSE(mStrip->IsShown());
    mStrip->Show();
    Settle(1.8);
    EXPECT_EQ("shown visible", Flags());
    EXPECT_EQ("40,100", Blends());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}
