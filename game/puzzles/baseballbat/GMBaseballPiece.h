// One fragment of the broken baseball bat: a group holding four looks, one per rotation,
// of which only the current one is shown. Each look carries the fragment's outline (its
// hit area), its offset from fragment 1 when the bat is whole and, optionally, the
// fragment it must lie over.
//
// Its layout list: "id", "width", "height" and "rotations", four entries taken by position,
// each a group list (built with its children) with "polygon" (x and y values in pairs),
// "solvedpos" (x|y) and the optional "overpiece" (the number of the fragment to cover).
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "LVector2.h"

#include <array>

class LPropertyList;

class GMBaseballPiece : public LDisplayGroup
{
public:
    static constexpr int kRotations = 4;
    static constexpr float kTolerance = 20.0f;
    static constexpr int kNoPiece = -1;

    GMBaseballPiece();
    GMBaseballPiece(const GMBaseballPiece&) = delete;
    GMBaseballPiece& operator=(const GMBaseballPiece&) = delete;
    ~GMBaseballPiece() override;

    LString Dump() const override;

    // Builds the looks (a look that cannot be built is logged and left out); a missing
    // "id" is an assertion failure. Rotation 0 is shown. True.
    bool Create(LPropertyList* aList);
    // Whether the current look's outline holds aPoint; on a hit the grab offset becomes
    // the world position less aPoint.
    bool PickAt(const LVector2& aPoint);
    // To aPoint + the grab offset, anywhere.
    void MoveTo(const LVector2& aPoint);
    // The next look of the four, in turn.
    void RotateNext();
    // Whether the fragment lies at the current look's offset from aOrigin, within
    // kTolerance on each axis.
    bool IsPlaced(const LVector2& aOrigin);

    int GetRotation() const { return mRotation; }
    // The fragment the current look must lie over, or kNoPiece.
    int GetOverPiece() const { return mOverPiece[mRotation]; }
    LDisplayGroup* GetLook(int aRotation) const { return mLooks[aRotation]; }
    float GetWidth() const { return mWidth; }
    float GetHeight() const { return mHeight; }

private:
    LVector2 mGrabOffset;
    std::array<LDisplayGroup*, kRotations> mLooks {};
    int mRotation = 0;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    std::array<LVector2, kRotations> mPlaced {};
    std::array<int, kRotations> mOverPiece {kNoPiece, kNoPiece, kNoPiece, kNoPiece};
};
