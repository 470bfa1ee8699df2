#include "Render/LLight.h"

#include <gtest/gtest.h>

TEST(Light, SpotDefaultsAndConeAnglesInDegrees)
{
    LLight light(LLight::kSpot);
    EXPECT_EQ(1u, light.mType);
    EXPECT_EQ(-1.0f, light.mDirection.y);
    EXPECT_EQ(1.0f, light.mAttenuation0);
    EXPECT_FLOAT_EQ(0.5235899f, light.mTheta);
    light.SetTheta(90.0f);
    light.SetPhi(10.0f);
    EXPECT_FLOAT_EQ(90.0f * 0.017453f, light.mTheta);
    EXPECT_FLOAT_EQ(10.0f * 0.017453f, light.mPhi);
}
