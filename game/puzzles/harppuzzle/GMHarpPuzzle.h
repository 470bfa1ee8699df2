// The harp: a memory game on twenty strings. "start" makes the harp play the first note of
// the melody and light its string yellow; the player repeats it by clicking the string,
// which lights green when right and red when wrong. Each completed stage adds the next
// note, so stage k demonstrates and asks for the first k notes; a wrong note ends the game
// when its sound ends. Completing stage kMelodyLength solves: "evt_harppuzzle_solved",
// the puzzle taken off the stack at once and the cut scene handed the upstairs bedroom.
//
// Every step waits for the end of a note's sound. A note whose file cannot be played ends
// when its string goes dark, kLitTime seconds after it was lit, so the game goes on.
//
// Layout "//textures/puzzles/harppuzzle/layout.txt" (texture root
// "//textures/puzzles/harppuzzle"): "groups.g01-background", kStringKeys (yellow, green
// and red: kStrings groups each, string n at index n - 1), kShapesKey (kShapes polygon
// shapes, each with "buttonid": "harp1" to "harp20" and "start"), kStartLightKey,
// "groups.g02-backbutton", and kMelodyKey (kMelodyLength string numbers 1 to 20
// separated by "|"). Entries beyond the fixed counts are logged and ignored, missing
// ones left out; a malformed melody is logged and "start" does nothing.
#pragma once
#include "puzzles/GMPuzzle.h"
#include "stdlib/LIFrameListener.h"

#include <array>

class LSprite;

class GMHarpPuzzle : public GMPuzzle, public LIFrameListener
{
public:
    static constexpr int kStrings = 20;
    static constexpr int kShapes = kStrings + 1;
    static constexpr int kMelodyLength = 7;
    static constexpr int kYellow = 0;
    static constexpr int kGreen = 1;
    static constexpr int kRed = 2;
    static constexpr double kLitTime = 0.5;
    static constexpr std::array<const char*, 3> kStringKeys = {"groups.g03-yellow_strings", "groups.g04-green_strings",
                                                               "groups.g05-red_strings"};
    static constexpr const char* kShapesKey = "groups.g06-polygons";
    static constexpr const char* kStartLightKey = "groups.startbutton";
    static constexpr const char* kMelodyKey = "solution.melody";
    static constexpr const char* kButtonsId = "harpbuttons";
    static constexpr const char* kStartId = "start";
    static constexpr const char* kStringPrefix = "harp";
    static constexpr const char* kNoteName = "harp";
    static constexpr const char* kNoteFolder = "//dataroot/textures/puzzles/harppuzzle/";
    static constexpr const char* kVoiceName = "puzzleVO";
    static constexpr const char* kIntroVoice = "2sh01_rg";
    static constexpr const char* kHintVoice = "hi12_rg";
    static constexpr const char* kSolvedEvent = "evt_harppuzzle_solved";
    static constexpr const char* kTargetScene = "case02/stokes_upstairs";
    static constexpr const char* kTargetViewpoint = "vp_bedroom";
    static constexpr const char* kCloseUpState = "sta_cu_2sh10_visible";
    static constexpr const char* kMovie = "Harp_Puzzle.bik";

    static GMHarpPuzzle* GetInstance();

    GMHarpPuzzle();
    ~GMHarpPuzzle() override;

    void OnShow() override;
    // Nothing can be clicked during the fade-out.
    void OnLeave() override;
    void OnButton(const LString& aId, int aEvent) override;
    // A lit string goes dark after kLitTime (and a note that could not play ends then).
    void OnFrame() override;

    // The string number of a button id "harp1" to "harp20", else 0.
    static int StringOf(const LString& aId);

    int GetStageLength() const { return mStageLength; }
    int GetPosition() const { return mPosition; }
    bool IsDemonstrating() const { return mDemonstrating; }
    bool IsListening() const { return mListening; }
    bool IsWrong() const { return mWrong; }
    bool HasMelody() const { return mMelodyValid; }
    int GetNote(int aIndex) const { return mMelody[aIndex]; }
    LDisplayGroup* GetLitString() const { return mLit; }
    LDisplayGroup* GetString(int aColour, int aNumber) const;
    LDisplayGroup* GetButtons() const { return mButtons; }
    LSprite* GetStartLight() const { return mStartLight; }
    // Whether the easy hint was given in this run of the program.
    static bool HintGiven();

protected:
    void BuildPieces() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    // The end of any sound of the slot: the game's next step.
    void OnVoiceEnded(const LString& aName) override;

private:
    void BuildStrings();
    void BuildButtons();
    void ReadMelody();
    void Start();
    void PlayNote(int aNumber);
    void Light(int aColour, int aNumber);
    void Darken();
    void SetButtonsActive(bool aActive);
    void Solve();

    std::array<std::array<LDisplayGroup*, kStrings>, 3> mStrings {};
    LDisplayGroup* mButtons = nullptr;
    LDisplayGroup* mLit = nullptr;
    LSprite* mStartLight = nullptr;
    int mStageLength = 1;
    bool mDemonstrating = false;
    int mPosition = 0;
    std::array<int, kMelodyLength> mMelody {};
    bool mMelodyValid = false;
    bool mListening = false;
    bool mWrong = false;
    // A note is sounding or, when its file could not play, waits for its string to go dark.
    bool mNoteMissing = false;
    double mLitTime = 0.0;
    bool mFrameListening = false;
};
