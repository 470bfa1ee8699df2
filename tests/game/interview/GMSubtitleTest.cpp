// The subtitle strip's kept state, and subtitles turned off in the options.
#include "interview/GMSubtitle.h"

#include "interview/GMInterviewManager.h"
#include "support/LLogCapture.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

TEST(Subtitle, KeepsItsTextAndStaysHiddenWhileSubtitlesAreOff)
{
    LLogCapture log;
    GMSubtitle* subtitle = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, subtitle);
    auto* font = reinterpret_cast<LIFont*>(0x10);
    auto* other = reinterpret_cast<LIFont*>(0x20);
    EXPECT_TRUE(subtitle->SetText(LString("main"), font));
    EXPECT_TRUE(subtitle->AppendText(LString("first"), other));
    EXPECT_TRUE(subtitle->AppendText(LString("second"), other));
    EXPECT_EQ(LString("second"), subtitle->GetAppendedText());
    EXPECT_EQ(LString("main"), subtitle->GetText());
    EXPECT_EQ(font, subtitle->GetFont());
    EXPECT_TRUE(subtitle->SetText(LString("next"), other));
    EXPECT_EQ(LString(), subtitle->GetAppendedText());
    subtitle->SetPosition(0.0f, 500.0f);
    EXPECT_FLOAT_EQ(500.0f, subtitle->GetPosition().y);

    GMOptions* options = GMOptions::GetInstance();
    ASSERT_NE(nullptr, options);
    options->SetToggle(0, 1);
    EXPECT_TRUE(subtitle->Show());
    EXPECT_FALSE(subtitle->IsShown());
    options->SetToggle(0, 0);
    EXPECT_TRUE(subtitle->Show());
    EXPECT_TRUE(subtitle->IsShown());
    subtitle->Hide();
    EXPECT_FALSE(subtitle->IsShown());
}

TEST(InterviewManager, NoInterviewExistsYet)
{
    LLogCapture log;
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    ASSERT_NE(nullptr, interviews);
    EXPECT_EQ(nullptr, interviews->SelectInterview(LString("witness1")));
    EXPECT_EQ(nullptr, interviews->GetCurrentInterview());
    EXPECT_FALSE(interviews->StartCurrentInterview());
    EXPECT_EQ(2, log.Count("NOTE: "));
    EXPECT_TRUE(log.Contains("witness1"));
}
