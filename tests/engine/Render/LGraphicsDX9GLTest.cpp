// The graphics device and the device capabilities on the headless GL stand-in.
#include "Render/LDeviceCapabilitiesDX9.h"
#include "Render/LDeviceCapabilitiesDX9Creator.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "Render/LGraphicsDX9.h"
#include "Render/LPlatformParams.h"
#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestPicture.h"
#include "win32/WinRegistry.h"

#include <gtest/gtest.h>

namespace {

class LGraphicsDX9Test : public testing::Test
{
protected:
    void SetUp() override
    {
        mParams.mWindow = MakeTestWindow(800, 600);
        ASSERT_NE(nullptr, mParams.mWindow);
        mParams.mWindowed = true;
    }
    void TearDown() override
    {
        RegSetCpuInfoPath(nullptr);
        if (mParams.mWindow != nullptr) {
            DestroyWindow(mParams.mWindow);
        }
    }

    LLogCapture mLog;
    LPlatformParams mParams;
};

TEST_F(LGraphicsDX9Test, ChoosesA8R8G8B8WithD24S8AndDrawsFrames)
{
    {
        LGraphicsDX9 graphics;
        EXPECT_EQ(&graphics, LGraphicsDX9::Get());
        ASSERT_TRUE(graphics.Init(mParams));
        EXPECT_TRUE(mLog.Contains("BackBufferFormat = D3DFMT_A8R8G8B8"));
        EXPECT_TRUE(mLog.Contains("AutoDepthStencilFormat = D3DFMT_D24S8"));
        ASSERT_NE(nullptr, graphics.GetDevice());
        ASSERT_NE(nullptr, graphics.GetBackBuffer());
        D3DSURFACE_DESC desc{};
        graphics.GetBackBuffer()->GetDesc(&desc);
        EXPECT_EQ(800u, desc.Width);
        EXPECT_EQ(600u, desc.Height);
        graphics.BeginScene();
        graphics.EndScene();
        EXPECT_TRUE(graphics.Present());
        graphics.BeginScene();
        graphics.BeginScene();
        EXPECT_TRUE(mLog.Contains("BeginScene failed"));
        graphics.EndScene();
    }
    EXPECT_EQ(nullptr, LGraphicsDX9::Get());
}

TEST_F(LGraphicsDX9Test, SixteenBitsTriesOnlyR5G6B5AndEightBitsNothing)
{
    {
        mParams.mBits = 16;
        LGraphicsDX9 graphics;
        ASSERT_TRUE(graphics.Init(mParams));
        EXPECT_TRUE(mLog.Contains("BackBufferFormat = D3DFMT_R5G6B5"));
    }
    mLog.Clear();
    mParams.mBits = 8;
    mParams.mWindowed = false;
    LGraphicsDX9 graphics;
    EXPECT_FALSE(graphics.Init(mParams));
    EXPECT_TRUE(mLog.Contains("Failed to enumerate valid display mode"));
    EXPECT_TRUE(mLog.Contains("CreateDevice failure: D3DERR_INVALIDCALL: Invalid call."));
    EXPECT_FALSE(graphics.Present());
}

TEST_F(LGraphicsDX9Test, ReadyMadePresentParametersBypassTheSearches)
{
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 320;
    parameters.BackBufferHeight = 240;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.hDeviceWindow = mParams.mWindow;
    parameters.Windowed = TRUE;
    mParams.mPresentParameters = &parameters;
    LGraphicsDX9 graphics;
    ASSERT_TRUE(graphics.Init(mParams));
    EXPECT_FALSE(mLog.Contains("BackBufferFormat"));
    EXPECT_FALSE(mLog.Contains("AutoDepthStencilFormat"));
    D3DSURFACE_DESC desc{};
    graphics.GetBackBuffer()->GetDesc(&desc);
    EXPECT_EQ(320u, desc.Width);
    EXPECT_EQ(D3DFMT_X8R8G8B8, desc.Format);
}

TEST_F(LGraphicsDX9Test, CapabilitiesAnswerFromTheDevice)
{
    LGraphicsDX9 graphics;
    ASSERT_TRUE(graphics.Init(mParams));
    ASSERT_TRUE(LRegistry::Get()->AddCreator(L_NEW LDeviceCapabilitiesDX9Creator()));
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    ASSERT_NE(nullptr, caps);
    EXPECT_EQ(caps, LIDeviceCapabilities::Get());
    EXPECT_FALSE(caps->RequiresPow2Textures());
    EXPECT_FALSE(caps->RequiresSquareTextures());
    EXPECT_GE(caps->GetMaxTextureWidth(), 2048u);
    EXPECT_EQ(caps->GetMaxTextureWidth(), caps->GetMaxTextureHeight());
    EXPECT_EQ(0xFFFFFFFFu, caps->GetMaxVertexIndex());
    EXPECT_TRUE(caps->SupportsTwoSidedStencil());
    int major = -1;
    int minor = -1;
    EXPECT_TRUE(caps->GetPixelShaderVersion(major, minor));
    EXPECT_EQ(0, major);
    EXPECT_EQ(0, minor);
    delete LCleaner::Get();
    EXPECT_EQ(nullptr, LIDeviceCapabilities::Get());
}

TEST_F(LGraphicsDX9Test, ProcessorClockComesFromTheProcessorListing)
{
    LTestDirectory directory;
    directory.Write("cpuinfo", "processor\t: 0\ncpu MHz\t\t: 1995.312\n");
    std::string path = directory.File("cpuinfo");
    RegSetCpuInfoPath(path.c_str());
    LDeviceCapabilitiesDX9 caps;
    EXPECT_EQ(1995u, caps.GetProcessorMHz());
    directory.Write("cpuinfo", "processor\t: 0\n");
    EXPECT_EQ(0u, caps.GetProcessorMHz());
    RegSetCpuInfoPath("/nonexistent");
    EXPECT_EQ(0u, caps.GetProcessorMHz());
}

} // namespace
