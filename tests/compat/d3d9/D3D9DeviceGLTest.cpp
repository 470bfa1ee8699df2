// The device on Mesa's software GL: mode and format answers, capabilities, clears and
// the back buffer.
#include "D3D9TestDevice.h"

namespace {

TEST(D3D9Adapter, AnswersAsA32BitDisplayWith800x600InEveryFormat)
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, direct3D);
    for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        UINT count = direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, format);
        ASSERT_GT(count, 0u);
        bool found = false;
        for (UINT i = 0; i < count; ++i) {
            D3DDISPLAYMODE mode{};
            ASSERT_EQ(D3D_OK, direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, format, i, &mode));
            EXPECT_EQ(format, mode.Format);
            found = found || (mode.Width == 800 && mode.Height == 600);
        }
        EXPECT_TRUE(found);
        D3DDISPLAYMODE mode{};
        EXPECT_EQ(D3DERR_INVALIDCALL, direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, format, count, &mode));
    }
    EXPECT_EQ(0u, direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_A8));
    direct3D->Release();
}

TEST(D3D9Adapter, DepthSearchSettlesOnD24S8)
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, direct3D);
    EXPECT_EQ(D3D_OK, direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8,
                                                       D3DFMT_A8R8G8B8, D3DFMT_D24S8));
    EXPECT_TRUE(FAILED(direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_A8R8G8B8,
                                                        D3DFMT_A8R8G8B8, D3DFMT_D15S1)));
    EXPECT_TRUE(FAILED(direct3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, D3DFMT_A8R8G8B8,
                                                        D3DFMT_A8R8G8B8, D3DFMT_D24S8)));
    direct3D->Release();
}

TEST(D3D9Adapter, WrongSdkVersionGivesNothing)
{
    EXPECT_EQ(nullptr, Direct3DCreate9(32));
}

TEST(D3D9Device, CapabilitiesComeFromGL)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    D3DCAPS9 caps{};
    ASSERT_EQ(D3D_OK, device.Direct3D()->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps));
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    EXPECT_EQ(caps.MaxTextureWidth, caps.MaxTextureHeight);
    EXPECT_TRUE(caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL);
    EXPECT_FALSE(caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY);
    EXPECT_TRUE(caps.StencilCaps & D3DSTENCILCAPS_TWOSIDED);
    EXPECT_EQ(0xFFFFFFFFu, caps.MaxVertexIndex);
    EXPECT_EQ(D3DERR_INVALIDCALL, device.Direct3D()->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps));
}

TEST(D3D9Device, CapabilitiesBeforeAnyDeviceUseATemporaryContext)
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, direct3D);
    D3DCAPS9 caps{};
    ASSERT_EQ(D3D_OK, direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps));
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    direct3D->Release();
}

TEST(D3D9Device, FullScreenWithoutAFormatIsRefused)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    parameters.BackBufferFormat = D3DFMT_UNKNOWN;
    parameters.hDeviceWindow = device.Window();
    parameters.Windowed = FALSE;
    IDirect3DDevice9* second = nullptr;
    HRESULT result = device.Direct3D()->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, device.Window(), 0,
                                                     &parameters, &second);
    EXPECT_EQ(D3DERR_INVALIDCALL, result);
    EXPECT_EQ(nullptr, second);
    EXPECT_STREQ("D3DERR_INVALIDCALL", DXGetErrorString9(result));
    EXPECT_NE(nullptr, std::strstr(DXGetErrorDescription9(result), "Invalid call."));
}

TEST(D3D9Device, ClearFillsTargetWithTheColour)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                    0xFFFF8000u, 1.0f, 0));
    EXPECT_PIXEL_NEAR(device.At(0, 0), 255, 128, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(63, 47), 255, 128, 0, 255, 0);
    // Alpha is stored as given.
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00102030u, 1.0f, 0));
    EXPECT_PIXEL_NEAR(device.At(5, 5), 0x10, 0x20, 0x30, 0, 0);
}

TEST(D3D9Device, ClearIsLimitedToTheViewportAndIgnoresWriteMasks)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    D3DVIEWPORT9 viewport{10, 20, 8, 4, 0.0f, 1.0f};
    ASSERT_EQ(D3D_OK, device->SetViewport(&viewport));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
    EXPECT_PIXEL_NEAR(device.At(10, 20), 255, 255, 255, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(17, 23), 255, 255, 255, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(9, 20), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(18, 23), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(10, 24), 0, 0, 0, 255, 0);
}

TEST(D3D9Device, ViewportOutsideTheTargetIsRefused)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    D3DVIEWPORT9 viewport{60, 0, 8, 4, 0.0f, 1.0f};
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetViewport(&viewport));
    D3DVIEWPORT9 kept{};
    device->GetViewport(&kept);
    EXPECT_EQ(D3D9TestDevice::kWidth, kept.Width);
}

TEST(D3D9Device, SceneBracketsAndPresent)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->EndScene());
    EXPECT_EQ(D3D_OK, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(D3D_OK, device->EndScene());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00u, 1.0f, 0);
    EXPECT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    // The picture survives presentation.
    EXPECT_PIXEL_NEAR(device.At(3, 3), 0, 255, 0, 255, 0);
}

TEST(D3D9Device, BackBufferWritesComeBackIntoThePicture)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(D3D_OK, device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &surface));
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    EXPECT_EQ(D3DFMT_A8R8G8B8, desc.Format);
    EXPECT_EQ(D3D9TestDevice::kWidth, desc.Width);
    RECT rect{4, 6, 6, 8};
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(D3D_OK, surface->LockRect(&locked, &rect, 0));
    uint8_t* row = static_cast<uint8_t*>(locked.pBits);
    row[0] = 0x11;
    row[1] = 0x22;
    row[2] = 0x33;
    row[3] = 0xFF;
    ASSERT_EQ(D3D_OK, surface->UnlockRect());
    surface->Release();
    EXPECT_PIXEL_NEAR(device.At(4, 6), 0x33, 0x22, 0x11, 0xFF, 0);
    EXPECT_PIXEL_NEAR(device.At(5, 6), 0, 0, 0, 0xFF, 0);
}

TEST(D3D9Device, StateReadsBackAsSetWithDirect3DDefaults)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    DWORD value = 0;
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(D3DCULL_CCW, value);
    device->GetRenderState(D3DRS_LIGHTING, &value);
    EXPECT_EQ(TRUE, value);
    device->GetRenderState(D3DRS_AMBIENT, &value);
    EXPECT_EQ(0u, value);
    device->GetRenderState(D3DRS_ZFUNC, &value);
    EXPECT_EQ(D3DCMP_LESSEQUAL, value);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x7F000000u);
    device->GetRenderState(D3DRS_TEXTUREFACTOR, &value);
    EXPECT_EQ(0x7F000000u, value);
    D3DMATRIX matrix{};
    matrix._11 = 2.0f;
    matrix._43 = 5.0f;
    device->SetTransform(D3DTS_PROJECTION, &matrix);
    D3DMATRIX back{};
    device->GetTransform(D3DTS_PROJECTION, &back);
    EXPECT_EQ(0, std::memcmp(&matrix, &back, sizeof(matrix)));
}

} // namespace
