// A light as the rasterizer takes it. The field order is the order of the device's own
// light record, which the rasterizer fills from it.
#pragma once
#include "LVector3.h"
#include "Render/LColor.h"

#include <cstdint>

class LLight
{
public:
    enum Type : uint32_t { kPoint = 0, kSpot = 1, kDirectional = 2 };

    explicit LLight(uint32_t aType = kDirectional);

    // Cone angles are given in degrees and kept in radians.
    void SetTheta(float aDegrees);
    void SetPhi(float aDegrees);

    uint32_t mType;
    LColor mDiffuse;
    LColor mSpecular;
    LColor mAmbient;
    LVector3 mPosition;
    LVector3 mDirection;
    // Kept for the record's layout; the device conversion does not pass it on.
    float mUnused = 0.0f;
    float mRange = 1000.0f;
    float mFalloff = 1.0f;
    float mAttenuation0 = 1.0f;
    float mAttenuation1 = 0.0f;
    float mAttenuation2 = 0.0f;
    float mTheta = 0.5235899f;
    float mPhi = 0.785385f;
};
