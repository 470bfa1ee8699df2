// A puzzle that takes the whole screen: the cursor menu is hidden when it is shown, and at
// the fade-out its root stops answering the mouse.
#pragma once
#include "puzzles/GMPuzzle.h"

class GMFullScreenPuzzle : public GMPuzzle
{
public:
    // The common showing with the cursor menu hidden after it.
    void OnShow() override;
    // The root stops answering and is brought up to date.
    void OnLeave() override;

protected:
    explicit GMFullScreenPuzzle(const GMPuzzleSetup& aSetup);

    // Shows the puzzle as OnShow does; false (nothing done) when it was shown already.
    bool ShowWithoutMenu();
    // Plays aEasyVoice on the stream aName at the easy skill level, aVoice at the others
    // (and without options).
    void PlaySkillVoice(const char* aName, const char* aEasyVoice, const char* aVoice);
};
