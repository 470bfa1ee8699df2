#include "LImage.h"
#include "Render/LMaterial.h"
#include "Render/LTextureManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

TEST(Material, StartsWhiteWithBlackEmissive)
{
    LMaterial material;
    const LColor white(1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(white, material.GetDiffuse());
    EXPECT_EQ(white, material.GetAmbient());
    EXPECT_EQ(white, material.GetSpecular());
    EXPECT_EQ(LColor(1.0f, 0.0f, 0.0f, 0.0f), material.GetEmissive());
}

TEST(Material, RecordRoundTripsAndATruncatedOneKeepsTheMaterial)
{
    LLogCapture log;
    LMaterial source;
    source.SetDiffuse(LColor(0.5f, 0.25f, 0.75f, 1.0f));
    source.SetPower(8.0f);
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(source.Write(&out));
    const std::string bytes = WrittenBytes(out);
    // Four colours of 16 bytes, the power, and the empty name (count 0 and the 0 unit).
    EXPECT_EQ(64u + 4u + 4u + 2u, bytes.size());
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        Load(in, bytes.substr(0, cut));
        LMaterial target;
        target.SetPower(5.0f);
        EXPECT_FALSE(target.Read(&in)) << cut;
        EXPECT_EQ(5.0f, target.GetPower()) << cut;
    }
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, bytes);
    LMaterial copy;
    EXPECT_TRUE(copy.Read(&in));
    EXPECT_EQ(source.GetDiffuse(), copy.GetDiffuse());
    EXPECT_EQ(8.0f, copy.GetPower());
    EXPECT_EQ(0u, copy.GetTexture());
}

TEST(Material, MaterialsNamingOneTextureShareItsHandle)
{
    RegisterFakeRender();
    unsigned char pixel[4] = {1, 2, 3, 4};
    LImage image;
    ASSERT_EQ(1, image.Create(1, 1, 4, L_IMAGE_FORMAT_A8R8G8B8, pixel, 4));
    const uint32_t handle = LTextureManager::Get()->CreateTexture(LString("wall.tga"), &image);
    LMaterial a;
    LMaterial b;
    EXPECT_EQ(1, a.SetTexture(LString("wall.tga")));
    EXPECT_EQ(1, b.SetTexture(LString("wall.tga")));
    EXPECT_EQ(handle, a.GetTexture());
    EXPECT_EQ(handle, b.GetTexture());
    LMaterial copy;
    copy = a;
    EXPECT_EQ(handle, copy.GetTexture());
    EXPECT_EQ(LString("wall.tga"), copy.GetTextureName());
}
