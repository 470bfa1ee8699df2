// The keypad on a door: digit keys fill a seven-place display, "clear" empties it and
// "enter" tries the code (the keys' ids joined, compared exactly with CODE; "enter" and
// "clear" are compared ignoring case). A wrong code buzzes and empties the display; the
// right one disables the screen, raises "evt_1cs10_solved" and plays the opening sound,
// at whose end (at once when it cannot be played) the cut scene takes the game behind the
// door. Keys do nothing once the code was right; a later showing starts unsolved.
//
// Layout "//textures/puzzles/keypad/keypad_layout.txt" under "//textures/puzzles/keypad":
// "groups.g01-background", "groups.g02-backbutton", "groups.g03-buttons.buttons" (the
// keys, GMKeypadButton lists) and "groups.g04-display.sprites" (the display's digits).
// The root group "kaypad_layout" holds the background, "keypad_buttons" and
// "combination_display_group" (relative z 10.0 each). The active state turning false does
// nothing; the hiding deletes the sound but leaves the subtitle as it is.
#pragma once
#include "puzzles/GMPuzzle.h"

class GMCombinationDisplay;

class GMCombinationLockPuzzle : public GMPuzzle
{
public:
    static constexpr const char* kClassName = "GMCombinationLockPuzzle";
    static constexpr const char* kActiveState = "sta_keypadpuzzle_active";
    static constexpr const char* CODE = "5293047";
    static constexpr const char* kSolvedEvent = "evt_1cs10_solved";
    static constexpr const char* kSoundStream = "buzz";
    static constexpr const char* kBuzzSound = "//dataroot/sounds/buzz.mp2";
    static constexpr const char* kEntrySound = "//dataroot/sounds/entry.mp2";
    static constexpr const char* kTargetScene = "case01/castillosecretapt";
    static constexpr const char* kTargetViewpoint = "vp_start";
    static constexpr const char* kMovie = "Secret_Apt_Door.bik";
    static constexpr const char* kKeysPath = "groups.g03-buttons.buttons";
    static constexpr const char* kDisplayPath = "groups.g04-display.sprites";

    static GMCombinationLockPuzzle* GetInstance();

    GMCombinationLockPuzzle();
    ~GMCombinationLockPuzzle() override;

    // A key was pressed and released.
    void OnKey(const LString& aKeyId);

    GMCombinationDisplay* GetDisplay() const { return mDisplay; }

protected:
    void BuildPieces() override;
    void DeletePieces() override;
    void OnClosedByState() override {}
    void OnVoiceEnded(const LString& aName) override;

private:
    GMCombinationDisplay* mDisplay = nullptr;
};
