// Menu buttons: the over picture fading under the mouse, clicks with any mouse button,
// presses released outside, the selected and disabled states, and refused entries.
#include "menu/GMMenuButton.h"

#include "Gdi/LIButtonListener.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "writers/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Recorder : public LIButtonListener
{
public:
    void OnButton(const LString& aId, int aEvent) override { mHeard.push_back(ToStd(aId) + ":" + std::to_string(aEvent)); }
    std::vector<std::string> mHeard;
};

// A button entry whose active area is (10, 10) .. (110, 50), with sprites of the given types.
std::string ButtonEntry(const std::string& aArea = "activearea=10|10|110|10|110|50|10|50",
                        const std::string& aTypes = "nodxh")
{
    std::string text = "id=play\nposition=10|10\n" + aArea + "\nstates\n";
    for (char type : aTypes) {
        const std::string key(1, type);
        text += "\t" + key + "\n\t\tid=play_" + key + "\n\t\ttype=" + key + "\n\t\ttexture=a.tga\n";
    }
    return text;
}

class MenuButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mDirectory.Path())));
        mDirectory.Write("a.tga", LImageBytes::Tga(8, 8, 32, 8, std::string(8 * 8 * 4, '\x40')));
        ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures")));
        LMouse::Get()->OnMove(LVector2(0.0f, 0.0f));
    }

    std::unique_ptr<GMMenuButton> Build(const std::string& aText)
    {
        LPropertyList list;
        EXPECT_TRUE(list.Parse(aText.data(), static_cast<int>(aText.size())));
        auto button = std::make_unique<GMMenuButton>();
        return button->Create(&list, &mRecorder) ? std::move(button) : nullptr;
    }

    // Frames 0.03 s apart, each one fade step.
    void Frames(int aCount)
    {
        for (int i = 0; i < aCount; ++i) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.03);
        }
    }

    static std::string Shown(GMMenuButton& aButton)
    {
        std::string shown;
        for (char type : std::string("nodxh")) {
            LSprite* sprite = aButton.GetStateSprite(type);
            if (sprite != nullptr && sprite->GetVisible()) {
                shown += type;
            }
        }
        return shown;
    }

    void Click(int aButton)
    {
        LMouse::Get()->OnButtonDown(aButton);
        LMouse::Get()->OnButtonUp(aButton);
    }

    LTestDirectory mDirectory;
    LLogCapture mLog;
    Recorder mRecorder;
};

} // namespace

TEST_F(MenuButtonTest, OverPictureFadesInUnderTheMouseAndOutWhenItLeaves)
{
    auto button = Build(ButtonEntry());
    ASSERT_NE(nullptr, button);
    LSprite* over = button->GetStateSprite('o');
    EXPECT_EQ("n", Shown(*button));
    EXPECT_FLOAT_EQ(0.0f, over->GetBlend());
    EXPECT_FLOAT_EQ(10.0f, button->GetStateSprite('h')->GetRelativeZ());

    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    EXPECT_EQ(GMMenuButton::STATE_OVER, button->GetState());
    Frames(5);
    EXPECT_NEAR(0.5f, over->GetBlend(), 1e-4f);
    EXPECT_EQ("no", Shown(*button));
    // Two calls within 0.025 s make one step.
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.01);
    EXPECT_NEAR(0.5f, over->GetBlend(), 1e-4f);
    Frames(6);
    EXPECT_FLOAT_EQ(1.0f, over->GetBlend());
    EXPECT_EQ("o", Shown(*button));

    LMouse::Get()->OnMove(LVector2(200.0f, 30.0f));
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, button->GetState());
    EXPECT_EQ("no", Shown(*button));
    Frames(11);
    EXPECT_FLOAT_EQ(0.0f, over->GetBlend());
    EXPECT_FALSE(button->IsFading());
    // The normal picture, hidden under the full over one, is back.
    EXPECT_EQ("n", Shown(*button));
}

TEST_F(MenuButtonTest, AnyMouseButtonClicksInsideAndAReleaseOutsideReportsNothing)
{
    auto button = Build(ButtonEntry());
    ASSERT_NE(nullptr, button);
    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    LMouse::Get()->OnButtonDown(2);
    EXPECT_EQ(GMMenuButton::STATE_PRESSED, button->GetState());
    EXPECT_TRUE(Shown(*button).find('d') != std::string::npos);
    EXPECT_FLOAT_EQ(1.0f, button->GetStateSprite('o')->GetBlend());
    LMouse::Get()->OnButtonUp(2);
    EXPECT_EQ(std::vector<std::string>{"play:4"}, mRecorder.mHeard);
    EXPECT_EQ(GMMenuButton::STATE_OVER, button->GetState());

    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnMove(LVector2(200.0f, 30.0f));
    EXPECT_EQ(GMMenuButton::STATE_PRESSED, button->GetState());
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ(1u, mRecorder.mHeard.size());
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, button->GetState());
    EXPECT_EQ("no", Shown(*button));
    Frames(11);
    EXPECT_EQ("n", Shown(*button));
}

TEST_F(MenuButtonTest, SelectedAndDisabledButtonsIgnoreTheMouseUntilRestored)
{
    auto button = Build(ButtonEntry());
    ASSERT_NE(nullptr, button);
    button->SetSelected(true);
    EXPECT_EQ("h", Shown(*button));
    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    Click(1);
    EXPECT_EQ(GMMenuButton::STATE_SELECTED, button->GetState());

    button->SetEnabled(false);
    EXPECT_EQ("x", Shown(*button));
    LMouse::Get()->OnMove(LVector2(60.0f, 30.0f));
    Click(1);
    EXPECT_EQ(GMMenuButton::STATE_DISABLED, button->GetState());
    EXPECT_TRUE(mRecorder.mHeard.empty());

    button->SetSelected(false);
    LMouse::Get()->OnMove(LVector2(200.0f, 30.0f));
    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    Click(3);
    EXPECT_EQ(std::vector<std::string>{"play:4"}, mRecorder.mHeard);
}

TEST_F(MenuButtonTest, RestoringAButtonMidFadeKeepsItsNormalPicture)
{
    auto button = Build(ButtonEntry());
    ASSERT_NE(nullptr, button);
    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    Frames(3);
    button->SetEnabled(false);
    button->SetEnabled(true);
    Frames(12);
    EXPECT_EQ("n", Shown(*button));
    EXPECT_FLOAT_EQ(0.0f, button->GetStateSprite('o')->GetBlend());
}

TEST_F(MenuButtonTest, FadeReachesFullOverInsideAHalfFadedScreen)
{
    LDisplayGroup screen;
    screen.SetId(LString("screen"));
    screen.SetBlend(0.5f);
    auto owned = Build(ButtonEntry());
    ASSERT_NE(nullptr, owned);
    GMMenuButton* button = owned.release();
    ASSERT_TRUE(screen.AddMember(button, true));
    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    Frames(11);
    EXPECT_FLOAT_EQ(1.0f, button->GetStateSprite('o')->GetBlend());
    EXPECT_EQ("o", Shown(*button));
}

TEST_F(MenuButtonTest, AButtonInADisabledGroupIgnoresTheMouseUntilTheGroupIsEnabled)
{
    LDisplayGroup screen;
    screen.SetId(LString("screen"));
    auto owned = Build(ButtonEntry());
    ASSERT_NE(nullptr, owned);
    GMMenuButton* button = owned.release();
    ASSERT_TRUE(screen.AddMember(button, true));
    ASSERT_TRUE(screen.SetEnabled(false));

    LMouse::Get()->OnMove(LVector2(50.0f, 30.0f));
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, button->GetState());
    EXPECT_FALSE(button->IsFading());
    Click(1);
    EXPECT_TRUE(mRecorder.mHeard.empty());

    ASSERT_TRUE(screen.SetEnabled(true));
    LMouse::Get()->OnMove(LVector2(51.0f, 30.0f));
    EXPECT_EQ(GMMenuButton::STATE_OVER, button->GetState());
    Click(1);
    EXPECT_EQ((std::vector<std::string>{"play:4"}), mRecorder.mHeard);

    // Disabled between press and release: the release reports nothing.
    LMouse::Get()->OnButtonDown(1);
    screen.SetEnabled(false);
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ(1u, mRecorder.mHeard.size());
}

TEST_F(MenuButtonTest, EntriesWithoutIdAreaOrStatesAreRefused)
{
    EXPECT_EQ(nullptr, Build(ButtonEntry().substr(std::string("id=play\n").size())));
    EXPECT_EQ(nullptr, Build(ButtonEntry("")));
    EXPECT_EQ(nullptr, Build(ButtonEntry("activearea=10|10|110|10|110")));
    EXPECT_EQ(nullptr, Build("id=play\nactivearea=10|10|110|10|110|50\n"));
    // Missing pictures are allowed: a button of a normal picture alone still clicks.
    auto plain = Build(ButtonEntry("activearea=10|10|110|10|110|50", "n"));
    ASSERT_NE(nullptr, plain);
    LMouse::Get()->OnMove(LVector2(100.0f, 15.0f));
    Click(1);
    Frames(12);
    EXPECT_EQ(std::vector<std::string>{"play:4"}, mRecorder.mHeard);
}
