// The engine's 4 x 4 matrix: sixteen floats in Direct3D's row-major order (elements 0-3
// are the first row). Points and directions are row vectors multiplied on the left
// (v' = v * M), so the translation sits in elements 12, 13 and 14 and A * B applies A
// first, then B; view and projection matrices are left-handed; angles are radians.
//
// The static operations forward to the process-wide matrix utility (LIMatrixUtil), all
// pointers with out first, and return what it returns (normally out).
#pragma once
#include "LQuaternion.h"
#include "LVector3.h"

class LIMatrixUtil;
class LIStream;

class LMatrix4
{
public:
    // The identity.
    constexpr LMatrix4()
        : m {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}
    {
    }
    // Sixteen values in element order.
    constexpr LMatrix4(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
                       float a9, float a10, float a11, float a12, float a13, float a14, float a15)
        : m {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15}
    {
    }

    static const LMatrix4 kIdentity;

    float& operator[](int aIndex) { return m[aIndex]; }
    float operator[](int aIndex) const { return m[aIndex]; }
    bool operator==(const LMatrix4& aOther) const;
    bool operator!=(const LMatrix4& aOther) const { return !(*this == aOther); }

    // The matrix utility; never null: when none can be had (its creation failed, or it
    // was already deleted at exit) a built-in one does the work.
    static LIMatrixUtil* GetUtil();

    static LMatrix4* Identity(LMatrix4* aOut);
    // Null when aM is singular; aOut is then the identity.
    static LMatrix4* Inverse(LMatrix4* aOut, const LMatrix4* aM);
    static LMatrix4* LookAt(LMatrix4* aOut, const LVector3* aEye, const LVector3* aAt, const LVector3* aUp);
    // (v, 1) * m divided by the resulting w.
    static LVector3* TransformCoord(LVector3* aOut, const LMatrix4* aM, const LVector3* aV);
    // aOut may be aA or aB.
    static LMatrix4* Multiply(LMatrix4* aOut, const LMatrix4* aA, const LMatrix4* aB);
    // (v, 0) * m.
    static LVector3* TransformNormal(LVector3* aOut, const LMatrix4* aM, const LVector3* aV);
    static LMatrix4* Ortho(LMatrix4* aOut, float aWidth, float aHeight, float aNear, float aFar);
    static LMatrix4* PerspectiveFov(LMatrix4* aOut, float aFovY, float aAspect, float aNear, float aFar);
    static LMatrix4* RotationX(LMatrix4* aOut, float aRadians);
    static LMatrix4* RotationY(LMatrix4* aOut, float aRadians);
    static LMatrix4* RotationZ(LMatrix4* aOut, float aRadians);
    static LMatrix4* RotationQuaternion(LMatrix4* aOut, const LQuaternion* aQ);
    static LQuaternion* QuaternionSlerp(LQuaternion* aOut, const LQuaternion* aQ1, const LQuaternion* aQ2, float aT);
    static LQuaternion* QuaternionFromMatrix(LQuaternion* aOut, const LMatrix4* aM);
    static LMatrix4* FromQuaternion(LMatrix4* aOut, const LQuaternion* aQ);
    static LMatrix4* Scaling(LMatrix4* aOut, float aX, float aY, float aZ);
    static LMatrix4* Translation(LMatrix4* aOut, float aX, float aY, float aZ);

    // Stream record: the sixteen floats in element order (64 bytes in a binary stream).
    // Every element is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    float m[16];
};

inline constexpr LMatrix4 LMatrix4::kIdentity {};

static_assert(sizeof(LMatrix4) == 64, "LMatrix4 must be sixteen floats");
