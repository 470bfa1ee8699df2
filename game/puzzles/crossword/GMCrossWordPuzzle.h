// The crossword: a 15 x 15 grid into which the player types with the keyboard. A click on
// a cell selects it and its word in the current direction (a second click on the selected
// cell turns to its word in the other direction, when it has one); letters, digits and
// spaces go in upper-cased and the caret moves on along the word; backspace empties the
// cell and steps back. A word typed right (any case) raises "evt_crossword_across_" or
// "evt_crossword_down_" + its number and shows its solved letters. Raised words, and at
// the easy and medium skill levels the words of their "level", are filled in at every
// build. With all LETTER_CELLS letter cells solved: "evt_crosswordpuzzle_solved", the
// solving voice, the four circles one after another and, once the voice has ended, the
// fold. The screen stays until the back button.
//
// Files under "//textures/puzzles/crossword/": the grid "crossword_puzzle_grid.txt" (key
// row + "_" + column, both 1 to 15, value "across|down" word numbers, 0 for none), the
// entries "crossword_puzzle_entries.txt" ("across" and "down", one list per word number
// with "answer", "column", "row", "width", "height", "x", "y" and the optional "level")
// and the layout "crossword_layout.txt". Grid keys outside the grid and words that do not
// fit it (or whose answer is shorter than the word) are logged and left out.
#pragma once
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "puzzles/GMPuzzle.h"
#include "stdlib/LIFrameListener.h"

#include <array>

class LDisplayGroup;
class LIDisplayObject;
class LPropertyList;
class LTextArea;
class LVectorInt;

class GMCrossWordPuzzle : public GMPuzzle, public LIMouseListener, public LIKeyboardListener, public LIFrameListener
{
public:
    static constexpr int LETTER_CELLS = 181;
    static constexpr int kSize = 15;
    static constexpr const char* kActiveState = "sta_crosswordpuzzle_active";
    static constexpr const char* kGridFile = "//textures/puzzles/crossword/crossword_puzzle_grid.txt";
    static constexpr const char* kEntriesFile = "//textures/puzzles/crossword/crossword_puzzle_entries.txt";
    static constexpr const char* kSolvedEvent = "evt_crosswordpuzzle_solved";
    static constexpr const char* kSolvedVoice = "4cw01_rg";
    static constexpr const char* kTypedFont = "comic18_blue";
    static constexpr const char* kSolvedFont = "tahoma10black";
    static constexpr int ACROSS = 0;
    static constexpr int DOWN = 1;
    // The grid's pixel box (exclusive) and cell pitch for clicks.
    static constexpr float kLeft = 186.0f;
    static constexpr float kRight = 567.0f;
    static constexpr float kTop = 27.0f;
    static constexpr float kBottom = 408.0f;
    static constexpr float kFirstX = 187.0f;
    static constexpr float kFirstY = 28.0f;
    static constexpr float kPitchX = 26.0f;
    static constexpr float kPitchY = 25.0f;
    static constexpr float kCellWidth = 25.0f;
    // The circles' delays after the solving, one after another.
    static constexpr double kCircleDelays[4] = {1.2, 1.2, 1.4, 1.0};
    // The fold follows the voice's end after this.
    static constexpr double kFoldDelay = 1.0;

    static GMCrossWordPuzzle* GetInstance();

    GMCrossWordPuzzle();
    ~GMCrossWordPuzzle() override;

    // Input stops and nothing answers during the fade-out.
    void OnLeave() override;

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    void OnKeyDown(int) override {}
    void OnKeyUp(int aKey) override;
    // The end animation.
    void OnFrame() override;

    int GetDirection() const { return mDirection; }
    int GetSelectedColumn() const { return mColumn; }
    int GetSelectedRow() const { return mRow; }
    int GetAnimationStep() const { return mStep; }
    bool IsAudioDone() const { return mAudioDone; }
    // The cells by 1-based row and column; null outside the built grid.
    LTextArea* GetTypedCell(int aRow, int aColumn) const;
    LTextArea* GetSolvedCell(int aRow, int aColumn) const;
    LIDisplayObject* GetHighlight() const { return mHighlight; }
    LIDisplayObject* GetCaret() const { return mCaret; }
    LIDisplayObject* GetCircle(int aIndex) const { return aIndex >= 1 && aIndex <= 4 ? mCircles[aIndex - 1] : nullptr; }
    LDisplayGroup* GetFold() const { return mFold; }
    // The solved cells holding a letter.
    int CountSolved() const;

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    // The solving voice's end: the fold may follow.
    void OnVoiceEnded(const LString& aName) override;

private:
    struct Word
    {
        LString mAnswer;
        int mColumn = 0;
        int mRow = 0;
        int mLength = 0;
    };

    // The word aNumber of aDirection when it fits the grid; false (and aOut untouched)
    // otherwise.
    bool GetWord(int aDirection, int aNumber, Word& aOut, LPropertyList** aList = nullptr) const;
    // The grid's word numbers of a cell; false without a key (or outside the grid).
    bool GridNumbers(int aRow, int aColumn, int& aAcross, int& aDown) const;
    void CheckData();
    void BuildCells(const LVectorInt& aX, const LVectorInt& aY);
    void LoadEntries(int aDirection);
    void FillIn(int aDirection, const Word& aWord);
    void Select(int aRow, int aColumn);
    void Deselect(bool aHide);
    void CheckEntries();
    void CheckWord(int aDirection, int aNumber);
    void CheckSolved();
    bool TypedVisible(int aRow, int aColumn) const;
    void PlaceCaret();
    void JoinFrames();
    void LeaveFrames();
    static int Index(int aRow, int aColumn) { return (aRow - 1) * kSize + (aColumn - 1); }

    LPropertyList* mGrid = nullptr;
    LPropertyList* mEntries = nullptr;
    LDisplayGroup* mFold = nullptr;
    LIDisplayObject* mHighlight = nullptr;
    LIDisplayObject* mCaret = nullptr;
    LIDisplayObject* mCircles[4] = {nullptr, nullptr, nullptr, nullptr};
    std::array<LTextArea*, kSize * kSize> mTyped {};
    std::array<LTextArea*, kSize * kSize> mSolvedCells {};
    std::array<float, kSize> mColumnX {};
    std::array<float, kSize> mRowY {};
    int mColumns = 0;
    int mRows = 0;
    // Survive a rebuild.
    int mDirection = ACROSS;
    int mEntry = 0;
    int mColumn = -1;
    int mRow = -1;
    int mStep = 0;
    double mNextStep = 0.0;
    bool mAudioDone = false;
    bool mBusy = false;
    bool mStartingVoice = false;
    bool mMouseListening = false;
    bool mKeyboardListening = false;
    bool mFrameListening = false;
};
