// One perspective view of the 3-D scene: eye position, look-at target and up vector, and
// a vertical field of view with aspect ratio and clip distances. The view and projection
// matrices (left-handed, row vectors) are rebuilt after every change; Apply hands them,
// with an identity world matrix, to the rasterizer.
#pragma once
#include "LMatrix4.h"
#include "LVector3.h"
#include "container/LString.h"
#include "object/LBase.h"

class LIRasterizer;

class LCamera : public LBase
{
public:
    // Eye (0, 0, -10) looking at the origin with +y up; 0.785 radians vertically at 4:3,
    // clipped at 0.05 and 10000.
    LCamera();
    ~LCamera() override;
    LCamera(const LCamera&) = delete;
    LCamera& operator=(const LCamera&) = delete;

    LString Dump() const override;
    // Sets the world, projection and view transforms in this order; all three are made,
    // true only when all three succeed.
    virtual bool Apply();
    // Each stores the vector and rebuilds the view matrix.
    virtual bool SetPosition(float aX, float aY, float aZ);
    virtual bool SetTarget(float aX, float aY, float aZ);
    bool SetUpVector(float aX, float aY, float aZ);
    // Each stores its values and rebuilds the projection matrix. Values that make no
    // projection (an aspect or angle of 0, an angle of half a turn or more, equal clip
    // distances) are refused with a logged error and change nothing.
    bool SetAspect(float aAspect);
    bool SetPerspective(float aFovY, float aNearZ, float aFarZ);
    // A horizontal field of view, turned into the vertical one with the aspect set now:
    // set the aspect first.
    bool SetPerspectiveHFov(float aHFov, float aNearZ, float aFarZ);

    const LMatrix4* GetViewMatrix() const { return &mView; }
    const LMatrix4* GetProjectionMatrix() const { return &mProjection; }

    void SetName(const LString& aName) { mName = aName; }
    const LString& GetName() const { return mName; }
    const LVector3& GetPosition() const { return mPosition; }
    const LVector3& GetTarget() const { return mTarget; }
    float GetAspect() const { return mAspect; }
    float GetFovY() const { return mFovY; }

private:
    void BuildView();
    void BuildProjection();

    LString mName;
    LMatrix4 mView;
    LMatrix4 mProjection;
    LMatrix4 mWorld;
    LVector3 mPosition {0.0f, 0.0f, -10.0f};
    LVector3 mTarget {0.0f, 0.0f, 0.0f};
    LVector3 mUp {0.0f, 1.0f, 0.0f};
    float mAspect = 4.0f / 3.0f;
    float mFovY = 0.785f;
    float mNearZ = 0.05f;
    float mFarZ = 10000.0f;
    LIRasterizer* mRasterizer = nullptr;
};
