// The picking and stacking of loose pieces that the player drags over a puzzle screen
// (cigar bands, the room-service receipt, the baseball bat). The pieces vector is in
// picking order: the piece picked last stands first, and is also drawn on top.
//
// A press walks the pieces from the front and picks the first that the grab test accepts;
// the picked piece moves to the front and gets the highest relative z of all pieces
// (counted from kLowestZ) + kStep. Once that highest z has passed kCeiling, every piece
// above kDropAbove is lowered by kDrop, so the values stay bounded and the order is kept.
#pragma once
#include "LVector2.h"

#include <functional>

class LIDisplayObject;
class LVector;

class GMPickStack
{
public:
    static constexpr float kLowestZ = -10000.0f;
    static constexpr float kStep = 5.0f;
    static constexpr float kCeiling = 10000.0f;
    static constexpr float kDropAbove = 5000.0f;
    static constexpr float kDrop = 5000.0f;
    // The first piece built stands at kTopZ, each later one kStep lower.
    static constexpr float kTopZ = 500.0f;
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kScreenHeight = 600.0f;

    GMPickStack() = delete;

    // The relative z of the aIndex-th piece built (0 first).
    static float BuildZ(int aIndex) { return kTopZ - kStep * static_cast<float>(aIndex); }

    // The pick of a press; aPieces holds LIDisplayObject pointers. Null when no piece
    // accepts the grab (nothing then changes).
    static LIDisplayObject* Pick(LVector& aPieces, const std::function<bool(LIDisplayObject*)>& aGrab);

    // Moves aPiece (aWidth x aHeight) so that its world position becomes aTarget, axis by
    // axis: x is taken only when 0 < x and x + aWidth < 800, y only when 0 < y and
    // y + aHeight < 600; an axis not taken keeps the piece's world coordinate. False when
    // neither axis was taken (the piece does not move).
    static bool MoveWithin(LIDisplayObject* aPiece, const LVector2& aTarget, float aWidth, float aHeight);
};
