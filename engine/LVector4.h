// Four floats: a four-component value, also the layout of a plane. A plain value.
#pragma once
#include "LVector3.h"

#include <type_traits>

class LVector4
{
public:
    LVector4() = default;
    // From four floats, ints or doubles (each converted to float).
    template <typename X, typename Y, typename Z, typename W>
        requires std::is_arithmetic_v<X> && std::is_arithmetic_v<Y> && std::is_arithmetic_v<Z> &&
                 std::is_arithmetic_v<W>
    constexpr LVector4(X aX, Y aY, Z aZ, W aW)
        : x(static_cast<float>(aX)), y(static_cast<float>(aY)), z(static_cast<float>(aZ)), w(static_cast<float>(aW))
    {
    }
    // (x, y, 0, 0).
    explicit LVector4(const LVector2& aOther) : x(aOther.x), y(aOther.y) {}
    // (x, y, z, w).
    LVector4(const LVector3& aOther, float aW) : x(aOther.x), y(aOther.y), z(aOther.z), w(aW) {}

    // From an LVector3 the w becomes 0; from an LVector2 z and w become 0.
    LVector4& operator=(const LVector3& aOther);
    LVector4& operator=(const LVector2& aOther);

    void Set(float aX, float aY, float aZ, float aW);
    void Set(const LVector3& aOther, float aW);

    LVector4 operator+(const LVector4& aOther) const;
    LVector4 operator-(const LVector4& aOther) const;
    LVector4& operator+=(const LVector4& aOther);
    LVector4& operator-=(const LVector4& aOther);

    // 0 x, 1 y, 2 z, 3 w; any other index logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    static float Dot(const LVector4& aA, const LVector4& aB);

    LString Dump() const;

    // Stream record: the components as floats in order (16 bytes in a binary stream).
    // Every component is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};
