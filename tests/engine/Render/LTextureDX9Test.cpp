// The device classes without a graphics device: they refuse to start, and say why.
#include "LImage.h"
#include "Render/LRasterizerDX9.h"
#include "Render/LTextureDX9.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

TEST(TextureDX9WithoutDevice, InitAndCreationFail)
{
    LLogCapture log;
    LTextureDX9 texture;
    EXPECT_EQ(0, texture.Init(0));
    EXPECT_TRUE(log.Contains("ERROR: "));
    EXPECT_TRUE(log.Contains("Initialize failure. Could not get D3DDevice."));
    EXPECT_EQ(0, texture.Create(2, 2, 1));
    EXPECT_TRUE(log.Contains("CreateTexture failure. No D3DDevice found."));
    EXPECT_EQ(nullptr, texture.GetTexture());
    EXPECT_EQ(0, texture.GetWidth());
    EXPECT_NE(std::string::npos, log.Bytes().find("LTextureDX9"));

    LRasterizerDX9 rasterizer;
    EXPECT_EQ(0, rasterizer.Init(0));
    EXPECT_EQ(0, rasterizer.Clear());
    EXPECT_EQ(0, rasterizer.SetCullMode(0));
}
