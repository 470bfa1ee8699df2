// The options screen over a fresh "//dataroot": the knob's ends and the title music that
// follows it, "back" that stores nothing, the skill buttons as one choice, and "save"
// that writes the options file.
#include "menu/GMOptionsScreen.h"

#include "Gdi/LIDisplayObject.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "menu/GMMenuButton.h"
#include "menu/GMOptionToggle.h"
#include "support/GMFrontScreenTestCase.h"
#include "support/LFakeTimer.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr float kButtonsY = 550.0f;
constexpr float kBackX = 140.0f;
constexpr float kSaveX = 660.0f;
constexpr float kSkillY = 130.0f;
constexpr float kEasyX = 300.0f;
constexpr float kMediumX = 480.0f;
constexpr float kHardX = 660.0f;
constexpr float kKnobY = 466.0f;

std::vector<float> sMusicVolumes;

void RecordVolume(float aVolume)
{
    sMusicVolumes.push_back(aVolume);
}

class OptionsScreenTest : public GMFrontScreenTestCase
{
protected:
    void SetUp() override
    {
        GMFrontScreenTestCase::SetUp();
        sMusicVolumes.clear();
        GMOptionsScreen::SetTitleMusicVolume(&RecordVolume);
    }

    void TearDown() override
    {
        GMOptionsScreen::SetTitleMusicVolume(nullptr);
        GMFrontScreenTestCase::TearDown();
    }

    GMOptionsScreen* OpenScreen()
    {
        GMOptionsScreen* screen = GMOptionsScreen::GetInstance();
        Open(screen);
        return screen;
    }

    static float KnobX(GMOptionsScreen* aScreen) { return aScreen->GetKnob()->GetLocalPosition().x; }

    // Presses on the knob, drags it to aX and lets go.
    void Drag(GMOptionsScreen* aScreen, float aX)
    {
        LFakeTimer::sNow += 1.0;
        LMouse::Get()->OnMove(LVector2(KnobX(aScreen) + 10.0f, kKnobY));
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnMove(LVector2(aX, kKnobY + 40.0f));
        LMouse::Get()->OnButtonUp(1);
    }

    // Clicks the button at aX of the bottom row and lets the fade back to the menu run.
    void Leave(float aX)
    {
        Click(aX, kButtonsY);
        ASSERT_TRUE(FinishFade());
        ASSERT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    }
};

} // namespace

TEST_F(OptionsScreenTest, TheKnobStopsAtItsEndsAndTheTitleMusicFollowsIt)
{
    GMOptionsScreen* screen = OpenScreen();
    ASSERT_NE(nullptr, screen->GetKnob());
    EXPECT_FLOAT_EQ(655.0f, KnobX(screen)) << "full volume";
    EXPECT_FLOAT_EQ(450.0f, screen->GetKnob()->GetLocalPosition().y);

    LMouse::Get()->OnMove(LVector2(KnobX(screen) + 10.0f, kKnobY));
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnMove(LVector2(-40.0f, 300.0f));
    EXPECT_FLOAT_EQ(340.0f, KnobX(screen));
    EXPECT_FLOAT_EQ(450.0f, screen->GetKnob()->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(0.0f, screen->GetKnobVolume());
    LMouse::Get()->OnMove(LVector2(497.5f, 300.0f));
    EXPECT_FLOAT_EQ(0.5f, screen->GetKnobVolume());
    LMouse::Get()->OnMove(LVector2(2000.0f, 300.0f));
    EXPECT_FLOAT_EQ(655.0f, KnobX(screen));
    EXPECT_EQ((std::vector<float>{0.0f, 0.5f, 1.0f}), sMusicVolumes);
    LMouse::Get()->OnButtonUp(1);
    // Let go, the knob no longer follows.
    LMouse::Get()->OnMove(LVector2(400.0f, kKnobY));
    EXPECT_FLOAT_EQ(655.0f, KnobX(screen));
    EXPECT_EQ(3u, sMusicVolumes.size());
    // A press beside the knob drags nothing.
    LMouse::Get()->OnMove(LVector2(500.0f, kKnobY));
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnMove(LVector2(400.0f, kKnobY));
    LMouse::Get()->OnButtonUp(1);
    EXPECT_FLOAT_EQ(655.0f, KnobX(screen));
}

TEST_F(OptionsScreenTest, BackStoresNeitherVolumeNorSkill)
{
    GMOptions* options = GMOptions::GetInstance();
    options->mVolume = 0.6f;
    GMOptionsScreen* screen = OpenScreen();
    EXPECT_FLOAT_EQ(340.0f + 0.6f * 315.0f, KnobX(screen));
    EXPECT_EQ(GMOptions::SKILL_MEDIUM, screen->GetSkill());
    Drag(screen, 340.0f);
    Click(kHardX, kSkillY);
    EXPECT_EQ(GMOptions::SKILL_HARD, screen->GetSkill());
    Leave(kBackX);
    EXPECT_FLOAT_EQ(0.6f, options->mVolume);
    EXPECT_EQ(GMOptions::SKILL_MEDIUM, options->GetSkill());
    EXPECT_FALSE(HasGameFile(".options"));
    EXPECT_EQ(nullptr, screen->GetDisplay());
    EXPECT_EQ(nullptr, screen->GetToggle(0));

    // The next visit shows what is stored.
    screen = OpenScreen();
    EXPECT_EQ(GMOptions::SKILL_MEDIUM, screen->GetSkill());
    EXPECT_EQ(GMMenuButton::STATE_SELECTED, screen->GetSkillButton(GMOptions::SKILL_MEDIUM)->GetState());
    EXPECT_NEAR(340.0f + 0.6f * 315.0f, KnobX(screen), 0.001f);
}

TEST_F(OptionsScreenTest, TheSkillButtonsAreOneChoice)
{
    GMOptionsScreen* screen = OpenScreen();
    GMMenuButton* easy = screen->GetSkillButton(GMOptions::SKILL_EASY);
    GMMenuButton* medium = screen->GetSkillButton(GMOptions::SKILL_MEDIUM);
    GMMenuButton* hard = screen->GetSkillButton(GMOptions::SKILL_HARD);
    ASSERT_TRUE(easy != nullptr && medium != nullptr && hard != nullptr);
    EXPECT_EQ(GMMenuButton::STATE_SELECTED, medium->GetState());
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, easy->GetState());
    // The chosen one ignores the mouse.
    Click(kMediumX, kSkillY);
    EXPECT_EQ(GMMenuButton::STATE_SELECTED, medium->GetState());

    Click(kEasyX, kSkillY);
    EXPECT_EQ(GMOptions::SKILL_EASY, screen->GetSkill());
    EXPECT_EQ(GMMenuButton::STATE_SELECTED, easy->GetState());
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, medium->GetState());
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, hard->GetState());
    // The one let go follows the mouse again.
    LMouse::Get()->OnMove(LVector2(kMediumX, kSkillY));
    EXPECT_EQ(GMMenuButton::STATE_OVER, medium->GetState());
}

TEST_F(OptionsScreenTest, SaveWritesSkillTogglesAndVolume)
{
    GMOptionsScreen* screen = OpenScreen();
    ASSERT_NE(nullptr, screen->GetToggle(5));
    EXPECT_EQ(0, screen->GetToggle(0)->mValue);
    // The second button of toggles 0 and 5.
    Click(600.0f, 200.0f);
    Click(600.0f, 400.0f);
    EXPECT_EQ(1, screen->GetToggle(0)->mValue);
    EXPECT_EQ(1, screen->GetToggle(5)->mValue);
    Click(kHardX, kSkillY);
    Drag(screen, 0.0f);
    Leave(kSaveX);

    const std::string file = GameFile(".options");
    ASSERT_EQ(32u, file.size());
    EXPECT_EQ(std::string("\x02\0\0\0", 4), file.substr(0, 4));
    EXPECT_EQ(std::string("\x01\0\0\0", 4), file.substr(4, 4));
    EXPECT_EQ(std::string(16, '\0'), file.substr(8, 16));
    EXPECT_EQ(std::string("\x01\0\0\0", 4), file.substr(24, 4));
    EXPECT_EQ(std::string(4, '\0'), file.substr(28, 4));
    GMOptions* options = GMOptions::GetInstance();
    EXPECT_EQ(GMOptions::SKILL_HARD, options->GetSkill());
    EXPECT_EQ(1, options->GetToggle(5));
    EXPECT_FLOAT_EQ(0.0f, options->mVolume);

    // Shown again, the toggles light what is stored.
    screen = OpenScreen();
    EXPECT_EQ(1, screen->GetToggle(0)->mValue);
    EXPECT_EQ(0, screen->GetToggle(1)->mValue);
    EXPECT_FLOAT_EQ(340.0f, KnobX(screen));
}
