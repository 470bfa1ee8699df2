// The lamp and the torn receipt: the player lays the receipt's three pieces, items taken
// from the inventory, on the lamp. A click with a piece as the cursor places it (its
// piece event and its used-on-lamp event are raised, its two sprites shown); any item
// clicked leaves the cursor. The lamp hotspot of the location raises the same used-on-lamp
// events: the puzzle turns them into its piece events at every change of its state. With
// all three placed: "evt_receiptpuzzle_solved", "sta_hslamp" set to "solved", and the
// solving voice, whose end closes the screen.
//
// At the easy skill level an opening with exactly one piece placed plays the hint
// "hi15_rg", whose end closes nothing. The minimised PDA stays shown (the pieces come out
// of it) and the cursor is the target, owner "receipt".
//
// The solving voice starts only while the receipt is the top screen, and its end closes
// only the receipt (a voice left playing by the back button ends over the scene). The
// active state turning false pops the receipt when it is on top.
//
// Layout "//dataroot/textures/puzzles/receipt/receipt_layout.txt": "puzzle.background"
// (a sprite), "puzzle.sprites" (the six piece sprites "1a" to "3b"), "backbutton".
#pragma once
#include "Input/LIMouseListener.h"
#include "puzzles/GMPuzzle.h"

class GMReceiptPuzzle : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr const char* kActiveState = "sta_receiptpuzzle_active";
    static constexpr const char* kCursorOwner = "receipt";
    static constexpr const char* kHintAudio = "hint";
    static constexpr const char* kHintVoice = "hi15_rg";
    static constexpr const char* kSolvedVoice = "3tc08_rg";
    static constexpr const char* kSolvedEvent = "evt_receiptpuzzle_solved";
    static constexpr const char* kLampState = "sta_hslamp";
    static constexpr int kPieceCount = 3;
    static constexpr const char* kItems[kPieceCount] = {"3tc07", "3tc08", "3tc09"};
    static constexpr const char* kUsedEvents[kPieceCount] = {
        "evt_used_3tc07_hs_lamptarget", "evt_used_3tc08_hs_lamptarget", "evt_used_3tc09_hs_lamptarget"};
    static constexpr const char* kPieceEvents[kPieceCount] = {
        "evt_receiptpuzzle_piece1_added", "evt_receiptpuzzle_piece2_added", "evt_receiptpuzzle_piece3_added"};

    static GMReceiptPuzzle* GetInstance();

    GMReceiptPuzzle();
    ~GMReceiptPuzzle() override;

    // The active state: true opens, false pops the receipt when on top; then, at either,
    // the used-on-lamp events become piece events and the check runs.
    void OnStateChanged(LIState* aState) override;
    void OnHidden() override;

    // With an item as the cursor: a piece is placed; any item leaves the cursor.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int) override {}

    // Solved once all three piece events are raised.
    void CheckSolved();
    // How many piece events are raised.
    static int PlacedCount();

    bool IsMouseListening() const { return mMouseListening; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    // The end of any voice but the hint closes the receipt, when it is on top.
    void OnVoiceEnded(const LString& aName) override;

private:
    bool mMouseListening = false;
};
