// Three floats: 3-D positions and directions, normals, box corners, spline control
// points. A plain value without virtual table; the layout of D3DXVECTOR3.
#pragma once
#include "LVector2.h"

#include <type_traits>

class LIStream;

class LVector3
{
public:
    LVector3() = default;
    // From three floats, ints or doubles (each converted to float).
    template <typename X, typename Y, typename Z>
        requires std::is_arithmetic_v<X> && std::is_arithmetic_v<Y> && std::is_arithmetic_v<Z>
    constexpr LVector3(X aX, Y aY, Z aZ)
        : x(static_cast<float>(aX)), y(static_cast<float>(aY)), z(static_cast<float>(aZ))
    {
    }
    // (x, y, 0).
    explicit LVector3(const LVector2& aOther) : x(aOther.x), y(aOther.y), z(0.0f) {}

    LVector3& operator=(const LVector2& aOther);

    void Set(float aX, float aY, float aZ)
    {
        x = aX;
        y = aY;
        z = aZ;
    }

    LVector3 operator+(const LVector3& aOther) const { return LVector3(x + aOther.x, y + aOther.y, z + aOther.z); }
    LVector3 operator-(const LVector3& aOther) const { return LVector3(x - aOther.x, y - aOther.y, z - aOther.z); }
    LVector3 operator+(float aValue) const { return LVector3(x + aValue, y + aValue, z + aValue); }
    LVector3 operator-(float aValue) const { return LVector3(x - aValue, y - aValue, z - aValue); }
    LVector3 operator*(float aValue) const { return LVector3(x * aValue, y * aValue, z * aValue); }
    LVector3& operator+=(const LVector3& aOther);
    LVector3& operator-=(const LVector3& aOther);
    LVector3& operator+=(float aValue);
    LVector3& operator-=(float aValue);
    LVector3& operator*=(float aValue);

    // Exact equality; orderings hold only when they hold for every component.
    bool operator==(const LVector3& aOther) const { return x == aOther.x && y == aOther.y && z == aOther.z; }
    bool operator!=(const LVector3& aOther) const { return !(*this == aOther); }
    bool operator<(const LVector3& aOther) const { return x < aOther.x && y < aOther.y && z < aOther.z; }
    bool operator<=(const LVector3& aOther) const { return x <= aOther.x && y <= aOther.y && z <= aOther.z; }
    bool operator>(const LVector3& aOther) const { return x > aOther.x && y > aOther.y && z > aOther.z; }
    bool operator>=(const LVector3& aOther) const { return x >= aOther.x && y >= aOther.y && z >= aOther.z; }
    // Every component within aTolerance (inclusive).
    bool Equals(const LVector3& aOther, float aTolerance) const;

    // 0 x, 1 y, 2 z; any other index logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    static float Dot(const LVector3& aA, const LVector3& aB);
    static LVector3 Cross(const LVector3& aA, const LVector3& aB);
    float Length() const;
    float LengthSquared() const { return x * x + y * y + z * z; }

    // A unit copy; a squared length within aTolerance of 0 gives (0, 1, 0) and logs
    // "Normalize failure.", one within aTolerance of 1 is returned unchanged.
    LVector3 Normalize(float aTolerance) const;
    // The same written into aOut, which is returned.
    LVector3& Normalize(LVector3& aOut, float aTolerance) const;
    // In place (chosen for a non-const vector): a squared length of 0 or below aTolerance
    // gives (0, 1, 0) silently.
    LVector3& Normalize(float aTolerance);

    // Per component: a negative component needs the other's < 0, any other needs >= 0.
    bool IsSameSigns(const LVector3& aOther) const;

    // "x|y|z", readable as a list of three numbers.
    LString ToString() const;

    // Stream record: the components as floats in order (12 bytes in a binary stream).
    // Every component is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
