// The device on Mesa's software GL: mode and format answers, capabilities, clears and
// the back buffer.
#include "D3D9TestDevice.h"

namespace {

TEST(D3D9Adapter, AnswersAsA32BitDisplayWith800x600InEveryFormatAndD24S8)
{
    EXPECT_EQ(nullptr, Direct3DCreate9(32));
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, direct3D);
    for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        const UINT count = direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, format);
        bool found = false;
        D3DDISPLAYMODE mode {};
        for (UINT i = 0; i < count; ++i) {
            ASSERT_EQ(D3D_OK, direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, format, i, &mode));
            EXPECT_EQ(format, mode.Format);
            found = found || (mode.Width == 800 && mode.Height == 600);
        }
        EXPECT_TRUE(found) << format;
        EXPECT_EQ(D3DERR_INVALIDCALL, direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, format, count, &mode));
    }
    EXPECT_EQ(0u, direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_A8));
    EXPECT_EQ(D3D_OK, direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8,
                                                       D3DFMT_A8R8G8B8, D3DFMT_D24S8));
    EXPECT_TRUE(FAILED(direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8,
                                                        D3DFMT_A8R8G8B8, D3DFMT_D15S1)));
    EXPECT_TRUE(FAILED(direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, D3DFMT_A8R8G8B8,
                                                        D3DFMT_A8R8G8B8, D3DFMT_D24S8)));
    // Before any device the capabilities come from a temporary context.
    D3DCAPS9 caps {};
    ASSERT_EQ(D3D_OK, direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps));
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    EXPECT_EQ(D3DERR_INVALIDCALL, direct3D->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps));
    direct3D->Release();
}

TEST(D3D9Device, ClearKeepsAlphaAndStaysInTheViewportWhateverTheWriteMask)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0x00102030u,
                                    1.0f, 0));
    EXPECT_TRUE(PixelNear(device.At(63, 47), 0x00102030u, 0));
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    D3DVIEWPORT9 viewport {10, 20, 8, 4, 0.0f, 1.0f};
    ASSERT_EQ(D3D_OK, device->SetViewport(&viewport));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
    EXPECT_TRUE(PixelNear(device.At(10, 20), 0xFFFFFFFFu, 0));
    EXPECT_TRUE(PixelNear(device.At(17, 23), 0xFFFFFFFFu, 0));
    for (const auto& at : {std::pair {9, 20}, std::pair {18, 23}, std::pair {10, 24}}) {
        EXPECT_TRUE(PixelNear(device.At(at.first, at.second), 0x00102030u, 0)) << at.first << "," << at.second;
    }
    // A viewport reaching outside the target is refused and changes nothing.
    D3DVIEWPORT9 outside {60, 0, 8, 4, 0.0f, 1.0f};
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetViewport(&outside));
    D3DVIEWPORT9 kept {};
    device->GetViewport(&kept);
    EXPECT_EQ(10u, kept.X);
}

TEST(D3D9Device, SceneBracketsPresentAndBackBufferWrites)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->EndScene());
    EXPECT_EQ(D3D_OK, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(D3D_OK, device->EndScene());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(D3D_OK, device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &surface));
    D3DSURFACE_DESC desc {};
    surface->GetDesc(&desc);
    EXPECT_EQ(D3DFMT_A8R8G8B8, desc.Format);
    EXPECT_EQ(D3D9TestDevice::kWidth, desc.Width);
    RECT rect {4, 6, 6, 8};
    D3DLOCKED_RECT locked {};
    ASSERT_EQ(D3D_OK, surface->LockRect(&locked, &rect, 0));
    const uint32_t written = 0xFF332211u;
    std::memcpy(locked.pBits, &written, 4);
    ASSERT_EQ(D3D_OK, surface->UnlockRect());
    surface->Release();
    // The write comes back into the picture, which survives presentation.
    EXPECT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(PixelNear(device.At(4, 6), 0xFF332211u, 0));
    EXPECT_TRUE(PixelNear(device.At(5, 6), 0xFF000000u, 0));
}

} // namespace
