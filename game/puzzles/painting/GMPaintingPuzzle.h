// The painting with holes in its frame and a crank handle that travels with the mouse. A
// click on a hole puts the handle into it; moving the mouse then turns the handle around
// the hole; a press with the handle upright in hole 6, or upside down in hole 11, opens
// the painting: "sta_1cs09" becomes "solved" and the cut scene leads to the secret room.
// A release away from the buttons takes the handle out of its hole again.
//
// Layout "//textures/puzzles/painting/puzzle_painting_layout.txt": "puzzle.layout" holds
// the groups of the screen, among them "painting_buttons" with the hole buttons; its
// "g02-buttons.buttons" lists name (by "id") the holes the puzzle listens to;
// "puzzle.handle" is the handle's sprite and "puzzle.backbutton" the back button, which
// always returns straight to the scene.
//
// The painting also hands out the item "1cs03" when "sta_1cs03" turns "off". Once
// "sta_1cs09" holds "solved" (kept with the saved game) neither state does anything; a new
// game, without it, opens the painting again. The active state turning false does
// nothing; the hiding sets it false without notice and lets the voice-over play on.
#pragma once
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "puzzles/GMPuzzle.h"

class LIDisplayObject;

class GMPaintingPuzzle : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr const char* kActiveState = "sta_paintingpuzzle_active";
    static constexpr const char* kItemState = "sta_1cs03";
    static constexpr const char* kItemValue = "off";
    static constexpr const char* kItem = "1cs03";
    static constexpr const char* kSolvedState = "sta_1cs09";
    static constexpr const char* kSolvedValue = "solved";
    static constexpr const char* kButtonsGroup = "painting_buttons";
    static constexpr const char* kButtonsList = "puzzle.layout.g02-buttons.buttons";
    static constexpr const char* kHandleList = "puzzle.handle";
    static constexpr const char* kUprightHole = "painting_buttons.hole6";
    static constexpr const char* kUpsideDownHole = "painting_buttons.hole11";
    static constexpr float kHandleCenterX = 101.0f;
    static constexpr float kHandleCenterY = 29.0f;
    // Where the handle's centre sits from the hole button's position.
    static constexpr float kHoleOffsetX = 7.0f;
    static constexpr float kHoleOffsetY = 11.0f;
    // Added to the mouse's angle around the turn origin, in degrees.
    static constexpr float kTurnOffset = 130.0f;
    // A press opens the painting while the handle is less than this from its angle.
    static constexpr float kTolerance = 5.0f;

    static GMPaintingPuzzle* GetInstance();

    GMPaintingPuzzle();
    ~GMPaintingPuzzle() override;

    // Nothing answers during the fade-out.
    void OnLeave() override;
    // The active state is set false without notice, then the common hiding.
    void OnHidden() override;
    // The active state opens the painting and "sta_1cs03" turning "off" adds its item,
    // both only while "sta_1cs09" is not "solved".
    void OnStateChanged(LIState* aState) override;
    // The back button empties the screen stack down to the scene and pops with a fade;
    // a hole click puts the handle into that hole; entering and leaving any button is
    // noted for the release.
    void OnButton(const LString& aId, int aEvent) override;

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    // Whether the handle's rotation opens the painting from the hole selected now.
    bool IsAtSolvingAngle() const;

    bool IsTurning() const { return mTurning; }
    bool IsOverButton() const { return mButtonsUnder > 0; }
    const LString& GetSelectedHole() const { return mSelectedHole; }
    const LVector2& GetTurnOrigin() const { return mTurnOrigin; }
    LIDisplayObject* GetHandle() const { return mHandle; }
    bool IsMouseListening() const { return mMouseListening; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    void OnClosedByState() override {}

private:
    static bool HoldsSolvedState();
    void Back();
    void Solve();

    LIDisplayObject* mHandle = nullptr;
    // The turn outlives a hiding: a showing left while turning starts the next one turning
    // in the same hole, with the rebuilt handle unrotated.
    LString mSelectedHole;
    LVector2 mTurnOrigin;
    bool mTurning = false;
    // The puzzle's buttons the mouse is over.
    int mButtonsUnder = 0;
    bool mMouseListening = false;
};
