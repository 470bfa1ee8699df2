// One tile of the Monet box: a group in the puzzle's root holding the tile's sprite
// "pieceSprite", and the tile's own mouse listener. A press on the tile asks the puzzle
// which neighbours are free; a move of more than kAxisThreshold pixels toward a free
// neighbour chooses the axis of the drag, along which the tile then follows the pointer
// between the limits the puzzle gives, only while the pointer is past the point where the
// tile was grabbed. The release hands the tile back to the puzzle, which drops it on a
// cell.
//
// Its layout list: "id" (the group's id), "texture" (a picture below the puzzle's folder)
// and "texturecoords" (the first and last pixel of the part shown: x0|y0|x1|y1).
#pragma once
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "object/LBase.h"

class GMMonetBoxPuzzle;
class LDisplayGroup;
class LPropertyList;
class LSprite;

class GMMonetBoxPiece : public LBase, public LIMouseListener
{
public:
    static constexpr float kAxisThreshold = 3.0f;
    static constexpr float kGroupZ = 10.0f;
    static constexpr const char* kSpriteId = "pieceSprite";

    GMMonetBoxPiece();
    GMMonetBoxPiece(const GMMonetBoxPiece&) = delete;
    GMMonetBoxPiece& operator=(const GMMonetBoxPiece&) = delete;
    // Lets go of the mouse; the group is the root's and goes with it.
    ~GMMonetBoxPiece() override;

    LString Dump() const override;

    // Makes the group and its sprite and listens to the mouse (priority 0.0). False, with
    // nothing made, without "id"; a missing or unloadable texture or missing corners are
    // logged and leave the sprite without a picture.
    bool Create(LPropertyList* aList, GMMonetBoxPuzzle* aPuzzle);

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    void SetCell(int aColumn, int aRow);
    void SetLimits(float aLow, float aHigh);
    void SetFree(bool aUp, bool aDown, bool aLeft, bool aRight);
    // Ignored while the tile is pressed.
    void SetLocked(bool aLocked);

    LDisplayGroup* GetGroup() const { return mGroup; }
    LSprite* GetSprite() const { return mSprite; }
    int GetColumn() const { return mColumn; }
    int GetRow() const { return mRow; }
    bool IsPressed() const { return mPressed; }
    bool IsLocked() const { return mLocked; }
    bool IsAxisChosen() const { return mAxisChosen; }
    bool IsVertical() const { return mVertical; }
    float GetLowLimit() const { return mLowLimit; }
    float GetHighLimit() const { return mHighLimit; }
    bool IsMouseListening() const { return mMouseListening; }

private:
    bool ChooseAxis(const LVector2& aPosition);

    GMMonetBoxPuzzle* mPuzzle = nullptr;
    LDisplayGroup* mGroup = nullptr;
    LSprite* mSprite = nullptr;
    bool mPressed = false;
    bool mAxisChosen = false;
    bool mLocked = false;
    int mColumn = 0;
    int mRow = 0;
    bool mFreeUp = false;
    bool mFreeDown = false;
    bool mFreeLeft = false;
    bool mFreeRight = false;
    LVector2 mGrabOffset;
    LVector2 mLastMouse;
    LVector2 mPressPosition;
    bool mVertical = false;
    float mHighLimit = 600.0f;
    float mLowLimit = 0.0f;
    bool mMouseListening = false;
};
