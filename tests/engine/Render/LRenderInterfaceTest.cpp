#include "Render/LIDeviceCapabilities.h"
#include "Render/LIRasterizer.h"
#include "Render/LITexture.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTexture.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {
// A texture whose device texture is a stand-in pointer that it never releases.
class LLeakyTexture : public LFakeTexture
{
public:
    void Pretend() { mTexture = reinterpret_cast<IDirect3DTexture9*>(this); }
};
} // namespace

TEST(RasterizerAccess, MadeByItsCreatorOnce)
{
    LLogCapture log;
    EXPECT_EQ(nullptr, LIRasterizer::Get());
    EXPECT_TRUE(log.Contains("Get failure. Could not create rasterizer."));
    RegisterFakeRender();
    LIRasterizer* rasterizer = LIRasterizer::Get();
    EXPECT_NE(nullptr, rasterizer);
    EXPECT_EQ(rasterizer, LIRasterizer::Get());
    EXPECT_EQ(rasterizer, LFakeRasterizer::Instance());
}

TEST(RasterizerAccess, ADeletedTextureIsNoLongerTheBoundOne)
{
    RegisterFakeRender();
    LIRasterizer* rasterizer = LIRasterizer::Get();
    ASSERT_NE(nullptr, rasterizer);
    LFakeTexture* texture = new LFakeTexture();
    rasterizer->SetTexture(texture);
    EXPECT_EQ(texture, rasterizer->GetCurrentTexture());
    delete texture;
    // A new texture at the same address must bind again.
    EXPECT_EQ(nullptr, rasterizer->GetCurrentTexture());
}

TEST(DeviceCapabilities, MadeByItsCreator)
{
    LLogCapture log;
    EXPECT_EQ(nullptr, LIDeviceCapabilities::Get());
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: "));
    EXPECT_TRUE(log.Contains("Unable to create Device Caps object"));
    RegisterFakeRender();
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    ASSERT_NE(nullptr, caps);
    EXPECT_EQ(caps, LIDeviceCapabilities::Get());
    EXPECT_EQ(2048u, caps->GetMaxTextureWidth());
}

TEST(TextureBase, MipLevelsAndTheDeviceTextureCheck)
{
    LLogCapture log;
    LLeakyTexture* texture = new LLeakyTexture();
    EXPECT_EQ(1, texture->SetMipLevels(3));
    EXPECT_FALSE(log.Contains("SetMipLevels: texture already created."));
    texture->Pretend();
    EXPECT_EQ(1, texture->SetMipLevels(2));
    EXPECT_TRUE(log.Contains("WARNING: "));
    EXPECT_TRUE(log.Contains("SetMipLevels: texture already created."));
    EXPECT_EQ(2, texture->GetMipLevels());
    delete texture;
    EXPECT_TRUE(log.Contains("Derived class failed to delete fpTexture."));
}
