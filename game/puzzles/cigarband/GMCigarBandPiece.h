// One torn piece of a cigar band: a group holding the piece's sprite, with an optional hit
// polygon in its own coordinates and the size of its sprite, which keeps it on the screen
// while it is dragged.
//
// Its layout list: "id", "x", "y" (position), "z" (relative z), "polygon" (optional, x and
// y values separated by "|", in pairs) and "sprite" (a sprite list).
#pragma once
#include "puzzles/GMDragPiece.h"

class LPolygon;
class LPropertyList;

class GMCigarBandPiece : public GMDragPiece
{
public:
    GMCigarBandPiece();
    ~GMCigarBandPiece() override;

    LString Dump() const override;

    // Builds the piece from its list. Without a sprite the error "BuildSprite failed" is
    // logged and the piece stays empty (false); a sprite without a world boundary logs
    // "Create failure." and leaves the size 0.
    bool Create(LPropertyList* aList);
    // Whether the mouse at aMouse hits the piece (its polygon, else its boundary); on a hit
    // the grab offset becomes the piece's world position less aMouse.
    bool Grab(const LVector2& aMouse);

    const LPolygon* GetHitPolygon() const { return mHitPolygon; }

private:
    LPolygon* mHitPolygon = nullptr;
};
