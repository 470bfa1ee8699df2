// One torn piece of the room-service receipt: a group holding the piece's sprite, turned
// about its own center. The outline ("polygon") is the grab test; it follows the piece's
// angle only when a turn is done (Rotate), while the sprite previews a turn under way
// (PreviewRotation). The anchor is the piece's world position plus its center.
//
// Its layout list: "id", "center" (x|y), "solved" (the anchor's offset from the first
// piece's anchor when put together; only its length counts), "polygon" (x and y values
// in pairs, in the piece's own coordinates) and "sprite" (a sprite list).
#pragma once
#include "puzzles/GMDragPiece.h"

class LPolygon;
class LPropertyList;
class LSprite;

class GMRoomServicePiece : public GMDragPiece
{
public:
    // Degrees to radians, as the outline is turned.
    static constexpr float kRadians = 0.017453292f;
    // A piece counts as placed within these of its reference's angle and of its distance.
    static constexpr int kAngleTolerance = 20;
    static constexpr float kDistanceTolerance = 20.0f;

    GMRoomServicePiece();
    ~GMRoomServicePiece() override;

    LString Dump() const override;

    // Builds the piece from its list: a missing sprite, one without a boundary ("Create
    // failure.") or one the piece refuses are assertion failures and leave the piece
    // without it (false).
    bool Create(LPropertyList* aList);

    LVector2 GetAnchor();
    // Whether aPoint hits the piece (its outline, else its boundary); on a hit the grab
    // offset becomes the world position less aPoint.
    bool PickAt(const LVector2& aPoint);
    // The sprite shows the piece turned by aDelta more than its angle.
    void PreviewRotation(float aDelta);
    // The angle grows by aDelta, and the outline is turned to it about the center.
    void Rotate(float aDelta);
    // Whether the piece lies as the receipt needs it against a reference anchor (aX, aY)
    // and angle: the angles within kAngleTolerance of each other over the full turn, and
    // the anchors apart by the length of "solved" within kDistanceTolerance.
    bool IsPlaced(float aX, float aY, float aReferenceAngle);

    float GetAngle() const { return mAngle; }
    const LVector2& GetCenter() const { return mCenter; }
    float GetPlacedDistance() const { return mPlacedDistance; }
    LSprite* GetSprite() const { return mSprite; }
    const LPolygon* GetOutline() const { return mOutline; }

private:
    LSprite* mSprite = nullptr;
    LVector2 mCenter;
    float mAngle = 0.0f;
    LPolygon* mOutline = nullptr;
    LPolygon* mBaseOutline = nullptr;
    float mPlacedDistance = 0.0f;
};
