#include "Render/LCamera.h"

#include "Render/LIRasterizer.h"
#include "stdlib/LLog.h"

#include <cmath>

namespace {
constexpr float kPi = 3.14159265f;
}

LCamera::LCamera()
{
    BuildView();
    BuildProjection();
    mRasterizer = LIRasterizer::Get();
}

LCamera::~LCamera()
{
    mRasterizer = nullptr;
}

LString LCamera::Dump() const
{
    return DumpHead("LCamera") + "]";
}

bool LCamera::Apply()
{
    if (mRasterizer == nullptr) {
        L_ERROR("Apply failure. No rasterizer.");
        return false;
    }
    const bool world = mRasterizer->SetTransform(LIRasterizer::kWorld, &mWorld) != 0;
    const bool projection = mRasterizer->SetTransform(LIRasterizer::kProjection, &mProjection) != 0;
    const bool view = mRasterizer->SetTransform(LIRasterizer::kView, &mView) != 0;
    return world && projection && view;
}

bool LCamera::SetPosition(float aX, float aY, float aZ)
{
    mPosition.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool LCamera::SetTarget(float aX, float aY, float aZ)
{
    mTarget.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool LCamera::SetUpVector(float aX, float aY, float aZ)
{
    mUp.Set(aX, aY, aZ);
    BuildView();
    return true;
}

bool LCamera::SetAspect(float aAspect)
{
    // A zero, negative or endless aspect would fill the projection with infinities.
    if (!(aAspect > 0.0f) || !std::isfinite(aAspect)) {
        L_ERROR(LString("SetAspect failure. Invalid arg: ") + aAspect);
        return false;
    }
    mAspect = aAspect;
    BuildProjection();
    return true;
}

bool LCamera::SetPerspective(float aFovY, float aNearZ, float aFarZ)
{
    // No angle of 0 or of half a turn and more, and distinct clip planes: anything else
    // gives a projection of infinities or one that turns the picture over.
    if (!(aFovY > 0.0f && aFovY < kPi) || !std::isfinite(aNearZ) || !std::isfinite(aFarZ) || aNearZ == aFarZ) {
        L_ERROR(LString("SetPerspective failure. Invalid arg: ") + aFovY + ", " + aNearZ + ", " + aFarZ);
        return false;
    }
    mFovY = aFovY;
    mNearZ = aNearZ;
    mFarZ = aFarZ;
    BuildProjection();
    return true;
}

bool LCamera::SetPerspectiveHFov(float aHFov, float aNearZ, float aFarZ)
{
    return SetPerspective(2.0f * std::atan(std::tan(aHFov / 2.0f) / mAspect), aNearZ, aFarZ);
}

void LCamera::BuildView()
{
    LMatrix4::LookAt(&mView, &mPosition, &mTarget, &mUp);
}

void LCamera::BuildProjection()
{
    LMatrix4::PerspectiveFov(&mProjection, mFovY, mAspect, mNearZ, mFarZ);
}
