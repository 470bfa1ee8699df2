#include "Render/LLight.h"

namespace {
constexpr float kDegreesToRadians = 0.017453f;
}

LLight::LLight(uint32_t aType)
    : mType(aType),
      mDiffuse(1.0f, 0.0f, 0.0f, 0.0f),
      mSpecular(1.0f, 0.0f, 0.0f, 0.0f),
      mAmbient(1.0f, 0.0f, 0.0f, 0.0f),
      mPosition(0.0f, 0.0f, 0.0f),
      mDirection(0.0f, -1.0f, 0.0f)
{
}

void LLight::SetTheta(float aDegrees)
{
    mTheta = aDegrees * kDegreesToRadians;
}

void LLight::SetPhi(float aDegrees)
{
    mPhi = aDegrees * kDegreesToRadians;
}
