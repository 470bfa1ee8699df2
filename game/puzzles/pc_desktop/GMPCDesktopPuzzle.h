// The suspect's computer: a body chart whose seven body parts each type one letter of the
// password into the next of seven boxes (shown masked), each part once per attempt. At
// seven letters the entry is compared with PASSWORD ignoring case: wrong plays
// "pw_wrong" and starts the attempt over; right raises "evt_desktoppuzzle_solved", shows
// the password, plays "pw_correct", at its end the voice "2ls08a_rg", and at that one's
// end fades in the roster the computer was hiding. The reset button "folder" builds the
// display again. The intro voice plays at every showing.
//
// Layout "//textures/puzzles/pc_desktop/layout.txt" (texture root
// "//textures/puzzles/pc_desktop"): kChartKey (the body chart), kButtonsKey (the seven
// letter buttons in kLetterIds' order, each with its kLetterKey, then the reset button),
// kBoxesKey (seven entries with "coords" x|y|width|height), "groups.g01-backbutton" and
// kRosterKey. Slots beyond the fixed counts are logged and ignored, missing ones left out.
#pragma once
#include "container/LString.h"
#include "puzzles/GMFullScreenPuzzle.h"
#include "stdlib/LIFrameListener.h"

#include <array>

class LButton;
class LTextArea;

class GMPCDesktopPuzzle : public GMFullScreenPuzzle, public LIFrameListener
{
public:
    static constexpr const char* PASSWORD = "TOLVANE";
    static constexpr int kLetters = 7;
    static constexpr int kButtons = kLetters + 1;
    static constexpr std::array<const char*, kLetters> kLetterIds = {"rshoulder", "lshoulder", "head", "upper_arm",
                                                                      "thumb", "index_finger", "abdomen"};
    static constexpr const char* kResetId = "folder";
    static constexpr const char* kChartKey = "groups.g04-puzzle";
    static constexpr const char* kButtonsKey = "groups.g06-puzzle_buttons";
    static constexpr const char* kBoxesKey = "groups.g05-puzzle_textareas";
    static constexpr const char* kRosterKey = "groups.g08-roster";
    static constexpr const char* kLetterKey = "letter";
    static constexpr const char* kBoxFont = "twcenmt14white";
    static constexpr float kBoxZ = 10.0f;
    static constexpr const char* kMask = "*";
    static constexpr const char* kVoiceName = "desktopVO";
    static constexpr const char* kEasyVoice = "hi09_rg";
    static constexpr const char* kVoice = "2ls08_rg";
    static constexpr const char* kSolvedVoice = "2ls08a_rg";
    static constexpr const char* kCorrectSound = "pw_correct";
    static constexpr const char* kWrongSound = "pw_wrong";
    static constexpr const char* kSolvedEvent = "evt_desktoppuzzle_solved";
    // The roster fades in by kFadeStep whenever more than kFadeInterval seconds passed.
    static constexpr float kFadeStep = 0.07f;
    static constexpr double kFadeInterval = 0.03;

    static GMPCDesktopPuzzle* GetInstance();

    GMPCDesktopPuzzle();
    ~GMPCDesktopPuzzle() override;

    void OnShow() override;
    void OnButton(const LString& aId, int aEvent) override;
    // The roster's fade.
    void OnFrame() override;

    // Compares the entry with the password (the seven letters are in).
    bool CheckPassword();

    LTextArea* GetBox(int aIndex) const { return mBoxes[aIndex]; }
    LButton* GetButton(int aSlot) const { return mButtons[aSlot]; }
    int GetEnteredCount() const { return mEntered; }
    const LString& GetEntry() const { return mEntry; }
    bool CanEnter() const { return mLettersValid; }
    LDisplayGroup* GetRoster() const { return mRoster; }
    float GetRosterBlend() const { return mRosterBlend; }
    bool IsFading() const { return mFrameListening; }

protected:
    void BuildPieces() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    void OnVoiceEnded(const LString& aName) override;

private:
    void BuildButtons(LDisplayGroup* aChart);
    void BuildBoxes();
    void TypeLetter(int aSlot);
    // A sound of its own name from "//sounds/" + aName + ".ogg"; false without it.
    bool PlayEffect(const char* aName);
    void ShowRoster();
    void StopFade();

    std::array<LTextArea*, kLetters> mBoxes {};
    std::array<LButton*, kButtons> mButtons {};
    std::array<char16_t, kLetters> mLetterOf {};
    bool mLettersValid = false;
    int mEntered = 0;
    LString mEntry;
    bool mVoicePlayed = false;
    LDisplayGroup* mRoster = nullptr;
    float mRosterBlend = 0.0f;
    double mLastStep = 0.0;
    bool mFrameListening = false;
};
