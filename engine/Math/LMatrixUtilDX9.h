// The matrix utility over the D3DX math routines (compat/d3d9/D3DXMath.h).
#pragma once
#include "Math/LIMatrixUtil.h"

class LMatrixUtilDX9 : public LIMatrixUtil
{
public:
    LMatrixUtilDX9() = default;
    ~LMatrixUtilDX9() override;

    LString Dump() const override;
    int Init(int aParameter) override;

    LMatrix4* Identity(LMatrix4* aOut) override;
    // A singular aM gives the identity in aOut and null.
    LMatrix4* Inverse(LMatrix4* aOut, const LMatrix4* aM) override;
    LMatrix4* LookAt(LMatrix4* aOut, const LVector3* aEye, const LVector3* aAt, const LVector3* aUp) override;
    LVector3* TransformCoord(LVector3* aOut, const LMatrix4* aM, const LVector3* aV) override;
    LMatrix4* Multiply(LMatrix4* aOut, const LMatrix4* aA, const LMatrix4* aB) override;
    LVector3* TransformNormal(LVector3* aOut, const LMatrix4* aM, const LVector3* aV) override;
    LVector3* Normalize(LVector3* aOut, const LVector3* aV) override;
    LMatrix4* Ortho(LMatrix4* aOut, float aWidth, float aHeight, float aNear, float aFar) override;
    LMatrix4* PerspectiveFov(LMatrix4* aOut, float aFovY, float aAspect, float aNear, float aFar) override;
    LMatrix4* RotationX(LMatrix4* aOut, float aRadians) override;
    LMatrix4* RotationY(LMatrix4* aOut, float aRadians) override;
    LMatrix4* RotationZ(LMatrix4* aOut, float aRadians) override;
    LMatrix4* RotationQuaternion(LMatrix4* aOut, const LQuaternion* aQ) override;
    LQuaternion* QuaternionSlerp(LQuaternion* aOut, const LQuaternion* aQ1, const LQuaternion* aQ2,
                                 float aT) override;
    LQuaternion* QuaternionFromMatrix(LQuaternion* aOut, const LMatrix4* aM) override;
    LMatrix4* FromQuaternion(LMatrix4* aOut, const LQuaternion* aQ) override;
    LMatrix4* Scaling(LMatrix4* aOut, float aX, float aY, float aZ) override;
    LVector3* Vec3TransformCoord(LVector3* aOut, const LVector3* aV, const LMatrix4* aM) override;
    LVector3* Vec3TransformNormal(LVector3* aOut, const LVector3* aV, const LMatrix4* aM) override;
    LMatrix4* Translation(LMatrix4* aOut, float aX, float aY, float aZ) override;
};
