// The eight-letter word entry on the expert computer: eight letter fields over a
// background; a click selects a field, a letter (upper-cased) fills it and selects the
// next (none after the last). The answer is compared after every letter; ANSWER raises
// "evt_quintarnpuzzle_solved", puts "2ls08_re" in the inventory and plays the solving
// voice, whose end closes the overlay (at once without the voice).
//
// It is never pushed: its state opens it over whatever screen is current and closes it
// (its own hiding, then the mouse's lock list emptied); while open the mouse is locked to
// the overlay, its field buttons and its back button. Voices: the intro at the first
// opening of a game, at easy the hint "2re22c_le" once at a later opening and "hi11_rg"
// after the intro ends unsolved (also after the overlay was closed); a voice plays on
// when the overlay closes.
//
// Layout "//textures/puzzles/quintarn/layout.txt": "background" (its texture in
// "//textures/expertcomputer"), "puzzlebg.easy" and "puzzlebg.hard", "button" (the field
// buttons' template), "fields" (eight sprite lists, the field marks, each with
// "position"), "backbutton". Fewer fields are logged and left out.
#pragma once
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "puzzles/GMPuzzle.h"

class LIDisplayObject;
class LTextArea;

class GMQuintarnPuzzle : public GMPuzzle, public LIKeyboardListener, public LIMouseListener
{
public:
    static constexpr const char* ANSWER = "QUINTARN";
    static constexpr int kFieldCount = 8;
    static constexpr const char* kActiveState = "sta_quintarnpuzzle_active";
    static constexpr const char* kSolvedEvent = "evt_quintarnpuzzle_solved";
    static constexpr const char* kItem = "2ls08_re";
    static constexpr const char* kBackgroundRoot = "//textures/expertcomputer";
    static constexpr const char* kLetterFont = "OCRA18";
    static constexpr const char* kSubtitleFont = "TW_CEN_MT16_BLUE";
    static constexpr const char* kIntroStream = "puzzleVO";
    static constexpr const char* kHintStream = "puzzleHint";
    static constexpr const char* kIntroVoice = "2re22_le";
    static constexpr const char* kIntroEvent = "evt_2re22_le_played";
    static constexpr const char* kSecondVoice = "2re22c_le";
    static constexpr const char* kSecondEvent = "evt_2re22c_le_played";
    static constexpr const char* kHintVoice = "hi11_rg";
    static constexpr const char* kSolvedVoice = "2re22a_le";

    static GMQuintarnPuzzle* GetInstance();

    GMQuintarnPuzzle();
    ~GMQuintarnPuzzle() override;

    // Opens the overlay over the current screen (nothing while open).
    void OnShow() override;
    // True opens the overlay; false closes it when open.
    void OnStateChanged(LIState* aState) override;
    void OnButton(const LString& aId, int aEvent) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}
    void OnButtonDown(int) override {}
    void OnButtonUp(int) override {}
    // The cursor keeps following the mouse under the lock.
    void OnMove(const LVector2& aPosition) override;

    // The overlay's hiding, then the mouse's lock list emptied.
    void Close();
    void CheckAnswer();

    int GetSelected() const { return mSelected; }
    LTextArea* GetLetterBox(int aIndex) const { return aIndex >= 0 && aIndex < kFieldCount ? mBoxes[aIndex] : nullptr; }
    LIDisplayObject* GetMark(int aIndex) const { return aIndex >= 0 && aIndex < kFieldCount ? mMarks[aIndex] : nullptr; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    void OnVoiceEnded(const LString& aName) override;

private:
    void BuildField(int aIndex, LPropertyList* aField, LPropertyList* aButton);
    void Select(int aIndex);
    void Play(const char* aStream, const char* aVoice, bool aKeepSubtitle);

    LIDisplayObject* mMarks[kFieldCount] = {};
    LTextArea* mBoxes[kFieldCount] = {};
    int mSelected = -1;
    bool mKeyboardListening = false;
    bool mStartingVoice = false;
};
