// A loose piece that the player drags over a puzzle screen (a cigar band's scrap, a piece
// of the room-service receipt): a group holding the piece's sprite, the size of that sprite
// (which keeps the piece on the screen while it is dragged) and the offset from the mouse
// at which it was grabbed.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "LVector2.h"

class LPolygon;
class LPropertyList;
class LSprite;

class GMDragPiece : public LDisplayGroup
{
public:
    GMDragPiece(const GMDragPiece&) = delete;
    GMDragPiece& operator=(const GMDragPiece&) = delete;
    ~GMDragPiece() override;

    // Drags the piece to aPoint + the grab offset, each axis only as far as the screen
    // holds the whole piece.
    void MoveTo(const LVector2& aPoint);

    const LVector2& GetGrabOffset() const { return mGrabOffset; }
    float GetWidth() const { return mWidth; }
    float GetHeight() const { return mHeight; }

protected:
    GMDragPiece();

    // Takes the list's "id", when it has one, as the piece's id.
    void ReadId(LPropertyList* aList);
    // Whether aPoint hits the piece: aOutline (in the piece's own coordinates) when there
    // is one, else the piece's boundary. On a hit the grab offset becomes the piece's world
    // position less aPoint.
    bool GrabAt(const LVector2& aPoint, const LPolygon* aOutline);
    // The piece's size becomes that of aSprite's world boundary; a sprite without one logs
    // "Create failure." and leaves the size as it was.
    void MeasureSprite(LSprite* aSprite);
    // Makes aSprite the piece's member and its boundary the piece's; a sprite the piece
    // refuses is an assertion failure and is deleted (false).
    bool AdoptSprite(LSprite* aSprite);

private:
    LVector2 mGrabOffset;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
};
