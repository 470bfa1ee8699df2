// A rotation as a quaternion: vector part x, y, z and scalar part w; the identity is
// (0, 0, 0, 1). The layout of D3DXQUATERNION. A plain value.
#pragma once
#include "container/LString.h"

class LIStream;

class LQuaternion
{
public:
    // (0, 0, 0, 0), not the identity.
    LQuaternion() = default;

    // Hamilton product: this (left) times aOther (right).
    LQuaternion operator*(const LQuaternion& aOther) const;
    LQuaternion& operator*=(const LQuaternion& aOther);

    // In place; a squared length within aTolerance of 0 gives the identity, one within
    // aTolerance of 1 is left unchanged.
    LQuaternion& Normalize(float aTolerance);

    // "x|y|z|w".
    LString ToString() const;

    // Stream record: the components as floats in order (16 bytes in a binary stream).
    // Every component is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};
