// Two floats: screen positions and the 2-D geometry of areas and walking. A plain value
// without virtual table, copied freely.
#pragma once
#include "container/LString.h"

#include <type_traits>

class LIStream;
class LLine2;

class LVector2
{
public:
    LVector2() = default;
    // From two floats, ints or doubles (each converted to float).
    template <typename X, typename Y>
        requires std::is_arithmetic_v<X> && std::is_arithmetic_v<Y>
    constexpr LVector2(X aX, Y aY) : x(static_cast<float>(aX)), y(static_cast<float>(aY))
    {
    }

    void Set(float aX, float aY)
    {
        x = aX;
        y = aY;
    }

    LVector2 operator+(const LVector2& aOther) const { return LVector2(x + aOther.x, y + aOther.y); }
    LVector2 operator-(const LVector2& aOther) const { return LVector2(x - aOther.x, y - aOther.y); }
    LVector2 operator+(float aValue) const { return LVector2(x + aValue, y + aValue); }
    LVector2 operator-(float aValue) const { return LVector2(x - aValue, y - aValue); }
    LVector2 operator*(float aValue) const { return LVector2(x * aValue, y * aValue); }
    LVector2& operator+=(const LVector2& aOther);
    LVector2& operator-=(const LVector2& aOther);
    LVector2& operator*=(float aValue);

    // == and != compare exactly; the orderings hold only when they hold for every
    // component, so (1, 2) and (2, 2) are neither < nor >=.
    bool operator==(const LVector2& aOther) const { return x == aOther.x && y == aOther.y; }
    bool operator!=(const LVector2& aOther) const { return !(*this == aOther); }
    bool operator<(const LVector2& aOther) const { return x < aOther.x && y < aOther.y; }
    bool operator<=(const LVector2& aOther) const { return x <= aOther.x && y <= aOther.y; }
    bool operator>(const LVector2& aOther) const { return x > aOther.x && y > aOther.y; }
    bool operator>=(const LVector2& aOther) const { return x >= aOther.x && y >= aOther.y; }

    // 0 is x, 1 is y; any other index logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    float Length() const;
    float LengthSquared() const { return x * x + y * y; }
    float Distance(const LVector2& aOther) const;
    float DistanceSquared(const LVector2& aOther) const;
    LVector2 Abs() const;
    LVector2& MakeAbs();

    // A unit copy; a squared length within aTolerance of 0 gives (0, 1), one within
    // aTolerance of 1 is returned unchanged.
    LVector2 Normalize(float aTolerance) const;
    // The same in place (chosen for a non-const vector).
    LVector2& Normalize(float aTolerance);

    // In place: (x, y) becomes (-y, x), or (y, -x), or turns by aRadians.
    void RotatePlus90();
    void RotateMinus90();
    void Rotate(float aRadians);

    // (y - other.y) / (x - other.x); an x difference of exactly 0 becomes the epsilon.
    float GetSlope(const LVector2& aOther) const;
    // Angle in radians between this vector and aOther, 0 when either has no length.
    float GetAngle(const LVector2& aOther) const;
    // Interior angle at this point of the triangle (this, aB, aC); 0 when a side has
    // no length.
    float GetAngleAt(const LVector2& aB, const LVector2& aC) const;
    // 1, -1 or 0 for this point's side of the line from aStart to aEnd.
    int GetSideOfLine(const LLine2& aLine) const;
    int GetSideOfLine(const LVector2& aStart, const LVector2& aEnd) const;
    bool IsSameQuadrant(const LVector2& aOther) const;

    LString Dump() const;

    // Stream record: the components as floats in order (8 bytes in a binary stream).
    // Every component is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    float x = 0.0f;
    float y = 0.0f;
};
