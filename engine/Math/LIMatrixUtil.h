// The matrix utility: the engine object behind LMatrix4's static operations. One
// process-wide instance, made on first use through LIMatrixUtil::Get by the creator
// registered under "matrixutil" (the Direct3D one, LMatrixUtilDX9, unless a test has
// registered another).
#pragma once
#include "LMatrix4.h"
#include "object/LObject.h"

class LIObjectCreator;

class LIMatrixUtil : public LObject
{
public:
    // The process-wide utility, created on first use and registered with the cleaner;
    // null, with "LIMatrixUtil creation failure.", when that fails (the next call tries
    // again), and null once the cleaner has deleted it.
    static LIMatrixUtil* Get();

    // Clears the process-wide pointer when it is this object.
    ~LIMatrixUtil() override;

    virtual LMatrix4* Identity(LMatrix4* aOut) = 0;
    // Null when aM is singular.
    virtual LMatrix4* Inverse(LMatrix4* aOut, const LMatrix4* aM) = 0;
    virtual LMatrix4* LookAt(LMatrix4* aOut, const LVector3* aEye, const LVector3* aAt, const LVector3* aUp) = 0;
    virtual LVector3* TransformCoord(LVector3* aOut, const LMatrix4* aM, const LVector3* aV) = 0;
    virtual LMatrix4* Multiply(LMatrix4* aOut, const LMatrix4* aA, const LMatrix4* aB) = 0;
    virtual LVector3* TransformNormal(LVector3* aOut, const LMatrix4* aM, const LVector3* aV) = 0;
    // A vector of (near) zero length gives the zero vector.
    virtual LVector3* Normalize(LVector3* aOut, const LVector3* aV) = 0;
    virtual LMatrix4* Ortho(LMatrix4* aOut, float aWidth, float aHeight, float aNear, float aFar) = 0;
    virtual LMatrix4* PerspectiveFov(LMatrix4* aOut, float aFovY, float aAspect, float aNear, float aFar) = 0;
    virtual LMatrix4* RotationX(LMatrix4* aOut, float aRadians) = 0;
    virtual LMatrix4* RotationY(LMatrix4* aOut, float aRadians) = 0;
    virtual LMatrix4* RotationZ(LMatrix4* aOut, float aRadians) = 0;
    virtual LMatrix4* RotationQuaternion(LMatrix4* aOut, const LQuaternion* aQ) = 0;
    virtual LQuaternion* QuaternionSlerp(LQuaternion* aOut, const LQuaternion* aQ1, const LQuaternion* aQ2,
                                         float aT) = 0;
    virtual LQuaternion* QuaternionFromMatrix(LQuaternion* aOut, const LMatrix4* aM) = 0;
    virtual LMatrix4* FromQuaternion(LMatrix4* aOut, const LQuaternion* aQ) = 0;
    virtual LMatrix4* Scaling(LMatrix4* aOut, float aX, float aY, float aZ) = 0;
    virtual LVector3* Vec3TransformCoord(LVector3* aOut, const LVector3* aV, const LMatrix4* aM) = 0;
    virtual LVector3* Vec3TransformNormal(LVector3* aOut, const LVector3* aV, const LMatrix4* aM) = 0;
    virtual LMatrix4* Translation(LMatrix4* aOut, float aX, float aY, float aZ) = 0;

    // The creator registered when nobody has registered one under "matrixutil".
    static LIObjectCreator* NewDefaultCreator();
};
