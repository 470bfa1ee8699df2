// The fixture of the cut-scene tests: the fake drawing, timer, sound and movie services,
// the sample's first location loaded and shown, no movie made yet and the log cleared.
// The teardown unloads the location and deletes the game's singletons.
#pragma once
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

class GMCutScenePlayer;
class GMScene;

class GMCutSceneTestCase : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The player over the tables aTable and aSubtitles (GMTestCutScenes::Make), with the
    // log cleared after it read them.
    GMCutScenePlayer* MakePlayer(const std::string& aTable = "", const std::string& aSubtitles = "");

    LLogCapture mLog;
    GMScene* mScene = nullptr;
};
