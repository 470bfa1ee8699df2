// The fixture of the puzzles reached as the game reaches them: the sample's riverbank
// loaded by the scene manager at its north viewpoint (vp02, where the puzzles' hotspots
// are), looks through the action menu, and the puzzle shown on top.
#pragma once
#include "LVector2.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

class GMPuzzle;
class GMScene;

class GMPuzzleFlow : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Looks at the hotspot aId (inside it at aAt) through the action menu.
    void Look(const char* aId, const LVector2& aAt);
    // Chooses aAction (a GMMultiCursorAction) on the hotspot aId at aAt.
    void Act(const char* aId, const LVector2& aAt, int aAction);
    // Looks at aId and waits until aPuzzle is the top screen, shown.
    void OpenBy(const char* aId, const LVector2& aAt, GMPuzzle* aPuzzle);
    void ClickMember(GMPuzzle* aPuzzle, const char* aPath);
    // Frames until no screen change runs and aPuzzle is hidden; whether the location is
    // the top screen then.
    bool BackAtTheLocation(GMPuzzle* aPuzzle);
    // Takes the inventory item aItem into the hand: the PDA opened on its inventory, the
    // item's category chosen, the item used (the PDA closes).
    void TakeFromPDA(const char* aItem, const char* aCategory);
    static std::string Subtitle();

    LLogCapture mLog;
    GMScene* mScene = nullptr;
};
