// An axis-aligned rectangle: x <= px <= x + width and y <= py <= y + height.
#pragma once
#include "LIArea.h"
#include "object/LBase.h"

class LPolygon;

class LRectangle : public LBase, public LIArea
{
public:
    LRectangle() = default;
    LRectangle(float aWidth, float aHeight) : mWidth(aWidth), mHeight(aHeight) {}
    LRectangle(float aX, float aY, float aWidth, float aHeight) : mX(aX), mY(aY), mWidth(aWidth), mHeight(aHeight) {}
    LRectangle(const LRectangle&) = default;
    LRectangle& operator=(const LRectangle&) = default;
    // The bounding rectangle of the polygon's points; (0, 0, 0, 0) for a polygon
    // without points.
    explicit LRectangle(const LPolygon& aPolygon);
    ~LRectangle() override;

    void Set(float aX, float aY, float aWidth, float aHeight);
    float GetX() const { return mX; }
    float GetY() const { return mY; }
    float GetWidth() const { return mWidth; }
    float GetHeight() const { return mHeight; }

    LString Dump() const override;

    LIArea* Clone() const override;
    // Inclusive on all four sides.
    bool ContainsPoint(const LVector2& aPoint) const override;
    int GetAreaType() const override { return kRectangle; }
    // Moves the position (x, y, 0) through the matrix; width and height stay.
    void Transform(const LMatrix4& aMatrix) override;
    void Translate(const LVector2& aOffset) override;

    LRectangle& operator+=(const LVector2& aOffset);
    LRectangle operator+(const LVector2& aOffset) const;

    // The bounding rectangle of both into aOut; Union grows this one.
    void GetUnion(const LRectangle& aOther, LRectangle& aOut) const;
    void Union(const LRectangle& aOther);

    // Not implemented: log and give false, or (0, 0, 0, 0).
    bool ContainsRect(const LRectangle& aOther) const;
    LRectangle GetIntersection(const LRectangle& aOther) const;

private:
    float mX = 0.0f;
    float mY = 0.0f;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
};
