// The fixture of the front-end screens' tests (save, load, options, credits): the fake
// services and the sample's textures, fonts and locations as the game has them, but
// "//dataroot" on a fresh directory, so saved games and options are written there and
// never into the sample. A stand-in main menu is the only screen; the teardown clears
// the screens and deletes the game's singletons.
#pragma once
#include "GMIScreen.h"
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

class LVector2;

class GMFrontScreenTestCase : public ::testing::Test
{
protected:
    // Stands in for the main menu under the screen tested.
    class Menu : public GMIScreen
    {
    public:
        void OnLeave() override {}
        void OnHidden() override { ++mHidden; }
        void OnShow() override { ++mShown; }
        int mHidden = 0;
        int mShown = 0;
    };

    void SetUp() override;
    void TearDown() override;

    // Pushes aScreen over the top screen with a fade and lets the fade run (it is shown).
    void Open(GMIScreen* aScreen);
    // A left click at aAt, a second after the last one (never a double click).
    void Click(float aX, float aY);
    // A key pressed and released.
    static void Key(int aKey);
    // Frames until no fade runs; whether it ended.
    static bool FinishFade();
    // The screen on top of the stack.
    static GMIScreen* Top();
    // A file under "//dataroot/game/", or "<none>".
    std::string GameFile(const std::string& aName) const;
    bool HasGameFile(const std::string& aName) const;

    GMTestRoots mRoots;
    LLogCapture mLog;
    Menu mMenu;
};
