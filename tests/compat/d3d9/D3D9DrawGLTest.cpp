// Drawing on Mesa's software GL with Direct3D's rules: texel-exact 2-D quads, the
// texture formats, the blend factor, stencil, depth, lighting and buffer bounds.
#include "D3D9TestDevice.h"

#include <cmath>

namespace {

// An 8 x 8 texture whose every texel differs from its neighbours.
std::vector<uint32_t> Pattern()
{
    std::vector<uint32_t> texels(64);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            texels[y * 8 + x] = 0xFF000000u | (uint32_t(x * 32) << 16) | (uint32_t(y * 32) << 8) |
                                (((x + y) & 1) ? 0xF0u : 0x10u);
        }
    }
    return texels;
}

void Unlit(D3D9TestDevice& aDevice)
{
    aDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    aDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    aDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
}

TEST(D3D9Texturing, ScreenQuadMapsTexelsToPixelsExactly)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    std::vector<uint32_t> texels = Pattern();
    IDirect3DTexture9* texture = device.Texture(8, 8, D3DFMT_A8R8G8B8, texels.data(), 4);
    ASSERT_NE(nullptr, texture);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    Unlit(device);
    // Linear filtering shows any misplacement by half a texel as a blend.
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetTexture(0, texture);
    device.ScreenQuad(10, 12, 8, 8);
    std::vector<uint8_t> pixels = device.Read();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = pixels.data() + (size_t(12 + y) * D3D9TestDevice::kWidth + 10 + x) * 4;
            uint32_t expected = texels[y * 8 + x];
            ASSERT_NEAR(p[0], int(expected & 0xFF), 1) << x << "," << y;
            ASSERT_NEAR(p[1], int((expected >> 8) & 0xFF), 1) << x << "," << y;
            ASSERT_NEAR(p[2], int((expected >> 16) & 0xFF), 1) << x << "," << y;
        }
    }
    // Nothing spills outside the quad.
    EXPECT_PIXEL_NEAR(device.At(9, 12), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(18, 19), 0, 0, 0, 255, 0);
    texture->Release();
}

TEST(D3D9Texturing, EachFormatUploadsToTheExpectedPixels)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);

    const uint8_t argb[4] = {0x30, 0x60, 0x90, 0x40};  // B G R A
    const uint8_t xrgb[4] = {0x31, 0x61, 0x91, 0x00};  // alpha ignored
    const uint8_t rgb[6] = {0x32, 0x62, 0x92, 0x10, 0x20, 0x30}; // two texels B G R
    const uint8_t alpha[1] = {0x80};
    struct Case
    {
        D3DFORMAT mFormat;
        const void* mPixels;
        UINT mWidth;
        UINT mBytes;
        int r, g, b, a;
    } cases[] = {
        {D3DFMT_A8R8G8B8, argb, 1, 4, 0x90, 0x60, 0x30, 0x40},
        {D3DFMT_X8R8G8B8, xrgb, 1, 4, 0x91, 0x61, 0x31, 0xFF},
        {D3DFMT_R8G8B8, rgb, 2, 3, 0x92, 0x62, 0x32, 0xFF},
        {D3DFMT_A8, alpha, 1, 1, 0, 0, 0, 0x80},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.mFormat);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
        IDirect3DTexture9* texture = device.Texture(entry.mWidth, 1, entry.mFormat, entry.mPixels, entry.mBytes);
        ASSERT_NE(nullptr, texture);
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(0, &desc);
        EXPECT_EQ(entry.mFormat, desc.Format);
        device->SetTexture(0, texture);
        device.ScreenQuad(0, 0, float(entry.mWidth) * 4, 4);
        EXPECT_PIXEL_NEAR(device.At(1, 1), entry.r, entry.g, entry.b, entry.a, 1);
        if (entry.mFormat == D3DFMT_R8G8B8) {
            // The second texel: the row is read three bytes per pixel.
            EXPECT_PIXEL_NEAR(device.At(6, 1), 0x30, 0x20, 0x10, 0xFF, 1);
        }
        device->SetTexture(0, nullptr);
        texture->Release();
    }
}

TEST(D3D9Texturing, BlendFactorOfAHalfHalvesATextureOverBlack)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    const uint32_t white = 0xFFC8C8C8u;
    IDirect3DTexture9* texture = device.Texture(1, 1, D3DFMT_A8R8G8B8, &white, 4);
    ASSERT_NE(nullptr, texture);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    Unlit(device);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x7F000000u);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
    device->SetTexture(0, texture);
    device.ScreenQuad(0, 0, 16, 16);
    int half = 200 * 127 / 255;
    D3D9TestPixel pixel = device.At(8, 8);
    EXPECT_NEAR(pixel.r, half, 2);
    EXPECT_NEAR(pixel.g, half, 2);
    EXPECT_NEAR(pixel.b, half, 2);
    // Factor 1 (SELECTARG1 of the texture alone) draws opaque.
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device.ScreenQuad(20, 0, 8, 8);
    EXPECT_PIXEL_NEAR(device.At(24, 4), 200, 200, 200, 255, 1);
    texture->Release();
}

TEST(D3D9Texturing, VertexWithoutColourIsWhiteAndWithoutCoordinatesSamplesTheFirstTexel)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    const uint32_t texels[2] = {0xFF402010u, 0xFFFFFFFFu};
    IDirect3DTexture9* texture = device.Texture(2, 1, D3DFMT_A8R8G8B8, texels, 4);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    struct Vertex
    {
        float x, y, z, rhw;
    } quad[4] = {{-0.5f, -0.5f, 0.5f, 1}, {9.5f, -0.5f, 0.5f, 1}, {-0.5f, 9.5f, 0.5f, 1}, {9.5f, 9.5f, 0.5f, 1}};
    device->SetTexture(0, texture);
    device->SetFVF(D3DFVF_XYZRHW);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)));
    // Modulate of texel (0, 0) with white.
    EXPECT_PIXEL_NEAR(device.At(5, 5), 0x40, 0x20, 0x10, 0xFF, 1);
    texture->Release();
}

TEST(D3D9Texturing, TextureLocksAreChecked)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 3, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    EXPECT_EQ(3u, texture->GetLevelCount());
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(2, &desc);
    EXPECT_EQ(1u, desc.Width);
    D3DLOCKED_RECT locked{};
    RECT outside{0, 0, 5, 1};
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(0, &locked, &outside, 0));
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(3, &locked, nullptr, 0));
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    EXPECT_EQ(16, locked.Pitch);
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(0, &locked, nullptr, 0));
    EXPECT_EQ(D3D_OK, texture->UnlockRect(0));
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->UnlockRect(0));
    IDirect3DTexture9* none = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateTexture(4, 4, 1, 0, D3DFMT_D24S8, D3DPOOL_MANAGED, &none, nullptr));
    EXPECT_EQ(nullptr, none);
    texture->Release();
}

// Two triangles covering x 0..31 as a pre-transformed strip, clockwise on the screen
// when aClockwise, else counter-clockwise.
void HalfQuad(D3D9TestDevice& aDevice, float aX, bool aClockwise)
{
    struct Vertex
    {
        float x, y, z, rhw;
        D3DCOLOR color;
    };
    float l = aX - 0.5f;
    float r = aX + 16 - 0.5f;
    Vertex cw[6] = {{l, -0.5f, 0.5f, 1, 0xFFFFFFFF},  {r, -0.5f, 0.5f, 1, 0xFFFFFFFF}, {l, 15.5f, 0.5f, 1, 0xFFFFFFFF},
                    {r, -0.5f, 0.5f, 1, 0xFFFFFFFF}, {r, 15.5f, 0.5f, 1, 0xFFFFFFFF}, {l, 15.5f, 0.5f, 1, 0xFFFFFFFF}};
    if (!aClockwise) {
        std::swap(cw[1], cw[2]);
        std::swap(cw[4], cw[5]);
    }
    aDevice->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    ASSERT_EQ(D3D_OK, aDevice->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, cw, sizeof(Vertex)));
}

// Red where the stencil holds aValue (tested with EQUAL), drawn over black.
void ShowStencil(D3D9TestDevice& aDevice, DWORD aValue)
{
    aDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    aDevice->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, FALSE);
    aDevice->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    aDevice->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
    aDevice->SetRenderState(D3DRS_STENCILREF, aValue);
    aDevice->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    aDevice.ScreenQuad(0, 0, 64, 48, 0xFFFF0000u);
}

TEST(D3D9Stencil, IncrWrapsWhileIncrSatClamps)
{
    for (DWORD op : {DWORD(D3DSTENCILOP_INCR), DWORD(D3DSTENCILOP_INCRSAT)}) {
        SCOPED_TRACE(op);
        D3D9TestDevice device;
        ASSERT_NE(nullptr, device.Get());
        Unlit(device);
        device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 255);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_STENCILPASS, op);
        device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
        device.ScreenQuad(0, 0, 16, 16);
        ShowStencil(device, 0);
        int wrapped = op == D3DSTENCILOP_INCR ? 255 : 0;
        EXPECT_PIXEL_NEAR(device.At(8, 8), wrapped, 0, 0, 255, 0);
        ShowStencil(device, 255);
        EXPECT_PIXEL_NEAR(device.At(8, 8), 255 - wrapped, 0, 0, 255, 0);
        EXPECT_PIXEL_NEAR(device.At(30, 8), 255, 0, 0, 255, 0); // untouched: still 255
    }
}

TEST(D3D9Stencil, DecrWrapsWhileDecrSatClamps)
{
    for (DWORD op : {DWORD(D3DSTENCILOP_DECR), DWORD(D3DSTENCILOP_DECRSAT)}) {
        SCOPED_TRACE(op);
        D3D9TestDevice device;
        ASSERT_NE(nullptr, device.Get());
        Unlit(device);
        device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 0);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILPASS, op);
        device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
        device.ScreenQuad(0, 0, 16, 16);
        ShowStencil(device, 255);
        EXPECT_PIXEL_NEAR(device.At(8, 8), op == D3DSTENCILOP_DECR ? 255 : 0, 0, 0, 255, 0);
    }
}

TEST(D3D9Stencil, TwoSidedCountsFrontAndBackFacesApart)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 5);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_TWOSIDEDSTENCILMODE, TRUE);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
    device->SetRenderState(D3DRS_CCW_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_CCW_STENCILPASS, D3DSTENCILOP_DECR);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    HalfQuad(device, 0, true);   // clockwise: front
    HalfQuad(device, 20, false); // counter-clockwise: back
    ShowStencil(device, 6);
    EXPECT_PIXEL_NEAR(device.At(8, 8), 255, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(28, 8), 0, 0, 0, 255, 0);
    ShowStencil(device, 4);
    EXPECT_PIXEL_NEAR(device.At(8, 8), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(28, 8), 255, 0, 0, 255, 0);
    ShowStencil(device, 5);
    EXPECT_PIXEL_NEAR(device.At(50, 8), 255, 0, 0, 255, 0);
}

TEST(D3D9Raster, CullingRemovesCounterClockwiseFacesByDefault)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    HalfQuad(device, 0, true);
    HalfQuad(device, 20, false);
    EXPECT_PIXEL_NEAR(device.At(8, 8), 255, 255, 255, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(28, 8), 0, 0, 0, 255, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    HalfQuad(device, 0, true);
    HalfQuad(device, 20, false);
    EXPECT_PIXEL_NEAR(device.At(8, 8), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(28, 8), 255, 255, 255, 255, 0);
}

TEST(D3D9Depth, LessEqualPassesEqualDepthAndRejectsFarther)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device.ScreenQuad(0, 0, 16, 16, 0xFFFF0000u, 0.5f);
    device.ScreenQuad(0, 0, 16, 16, 0xFF00FF00u, 0.5f); // equal: drawn
    device.ScreenQuad(0, 0, 16, 16, 0xFF0000FFu, 0.7f); // farther: rejected
    device.ScreenQuad(8, 0, 8, 16, 0xFFFFFFFFu, 0.3f);  // nearer: drawn
    EXPECT_PIXEL_NEAR(device.At(4, 8), 0, 255, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(12, 8), 255, 255, 255, 255, 0);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
    device.ScreenQuad(0, 0, 16, 16, 0xFFFF0000u, 0.5f); // equal under LESS: rejected
    EXPECT_PIXEL_NEAR(device.At(4, 8), 0, 255, 0, 255, 0);
}

TEST(D3D9Depth, TransformedDepthRunsZeroToOne)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 0.5f, 0);
    // Identity transforms: clip z is the depth, 0.4 passes against 0.5, 0.6 does not.
    struct Vertex
    {
        float x, y, z;
        D3DCOLOR color;
    };
    auto quad = [&](float aZ, D3DCOLOR aColor) {
        Vertex v[4] = {{-1, 1, aZ, aColor}, {1, 1, aZ, aColor}, {-1, -1, aZ, aColor}, {1, -1, aZ, aColor}};
        device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(Vertex)));
    };
    quad(0.6f, 0xFFFF0000u);
    EXPECT_PIXEL_NEAR(device.At(30, 20), 0, 0, 0, 255, 0);
    quad(0.4f, 0xFF00FF00u);
    EXPECT_PIXEL_NEAR(device.At(30, 20), 0, 255, 0, 255, 0);
}

struct LitVertex
{
    float x, y, z;
    float nx, ny, nz;
};

void LitQuad(D3D9TestDevice& aDevice)
{
    // Facing the viewer (normal towards -z), covering the whole viewport.
    LitVertex v[4] = {{-1, 1, 0.5f, 0, 0, -1}, {1, 1, 0.5f, 0, 0, -1}, {-1, -1, 0.5f, 0, 0, -1}, {1, -1, 0.5f, 0, 0, -1}};
    aDevice->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL);
    ASSERT_EQ(D3D_OK, aDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(LitVertex)));
}

TEST(D3D9Lighting, LitQuadWithoutLightIsBlack)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFFu, 1.0f, 0);
    D3DMATERIAL9 material{};
    material.Diffuse = D3DCOLORVALUE{1, 1, 1, 1};
    material.Ambient = D3DCOLORVALUE{1, 1, 1, 1};
    material.Specular = D3DCOLORVALUE{1, 1, 1, 1};
    material.Power = 10;
    device->SetMaterial(&material);
    LitQuad(device);
    EXPECT_PIXEL_NEAR(device.At(30, 20), 0, 0, 0, 255, 1);
}

TEST(D3D9Lighting, DirectionalLightFollowsTheDirect3DFormula)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    D3DMATERIAL9 material{};
    material.Diffuse = D3DCOLORVALUE{0.8f, 0.6f, 1.0f, 1.0f};
    material.Ambient = D3DCOLORVALUE{0.5f, 0.5f, 0.5f, 1.0f};
    material.Emissive = D3DCOLORVALUE{0.0f, 0.0f, 0.1f, 0.0f};
    material.Specular = D3DCOLORVALUE{1, 1, 1, 1}; // specular is off by default
    material.Power = 4;
    device->SetMaterial(&material);
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = D3DCOLORVALUE{1.0f, 0.5f, 0.25f, 1.0f};
    light.Ambient = D3DCOLORVALUE{0.2f, 0.2f, 0.2f, 1.0f};
    light.Specular = D3DCOLORVALUE{1, 1, 1, 1};
    light.Direction = D3DVECTOR{0.0f, -0.6f, 0.8f}; // travels into the screen and down
    ASSERT_EQ(D3D_OK, device->SetLight(0, &light));
    ASSERT_EQ(D3D_OK, device->LightEnable(0, TRUE));
    LitQuad(device);
    // colour = emissive + ambient x light ambient + diffuse x light diffuse x (N . -L)
    const float lambert = 0.8f;
    auto expected = [&](float aEmissive, float aDiffuse, float aLight) {
        float value = aEmissive + 0.5f * 0.2f + aDiffuse * aLight * lambert;
        return int(std::lround(std::min(value, 1.0f) * 255));
    };
    D3D9TestPixel pixel = device.At(30, 20);
    EXPECT_NEAR(pixel.r, expected(0.0f, 0.8f, 1.0f), 2);
    EXPECT_NEAR(pixel.g, expected(0.0f, 0.6f, 0.5f), 2);
    EXPECT_NEAR(pixel.b, expected(0.1f, 1.0f, 0.25f), 2);
    // A light from behind the surface adds no diffuse.
    light.Direction = D3DVECTOR{0.0f, 0.0f, -1.0f};
    device->SetLight(0, &light);
    LitQuad(device);
    pixel = device.At(30, 20);
    EXPECT_NEAR(pixel.r, 26, 2);
    EXPECT_NEAR(pixel.b, 51, 2);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetLight(1, nullptr));
}

TEST(D3D9Lighting, LightsStayInWorldSpaceWhenTheViewChanges)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DMATERIAL9 material{};
    material.Diffuse = D3DCOLORVALUE{1, 1, 1, 1};
    device->SetMaterial(&material);
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = D3DCOLORVALUE{1, 1, 1, 1};
    light.Direction = D3DVECTOR{0, 0, 1};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    // A view that turns the world half round about y, and a world that turns the quad
    // back: the quad faces the viewer but its world normal faces away from the light.
    D3DMATRIX turn{};
    turn._11 = -1;
    turn._22 = 1;
    turn._33 = -1;
    turn._44 = 1;
    turn._43 = 1.0f; // keep the quad's depth inside 0..1
    device->SetTransform(D3DTS_VIEW, &turn);
    D3DMATRIX back = turn;
    back._43 = 0.0f;
    device->SetTransform(D3DTS_WORLD, &back);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    LitQuad(device);
    // World normal (0,0,1) after the world turn, light travelling +z: N . -L = -1: dark.
    EXPECT_PIXEL_NEAR(device.At(30, 20), 0, 0, 0, 255, 1);
}

TEST(D3D9Buffers, IndexedDrawsAreBoundsChecked)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    struct Vertex
    {
        float x, y, z, rhw;
        D3DCOLOR color;
    };
    IDirect3DVertexBuffer9* vertices = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(4 * sizeof(Vertex), D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY,
                                                 D3DFVF_XYZRHW | D3DFVF_DIFFUSE, D3DPOOL_DEFAULT, &vertices, nullptr));
    void* data = nullptr;
    ASSERT_EQ(D3D_OK, vertices->Lock(0, 0, &data, 0));
    Vertex quad[4] = {{-0.5f, -0.5f, 0.5f, 1, 0xFF00FF00u},
                      {15.5f, -0.5f, 0.5f, 1, 0xFF00FF00u},
                      {-0.5f, 15.5f, 0.5f, 1, 0xFF00FF00u},
                      {15.5f, 15.5f, 0.5f, 1, 0xFF00FF00u}};
    std::memcpy(data, quad, sizeof(quad));
    vertices->Unlock();
    IDirect3DIndexBuffer9* indices = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateIndexBuffer(9 * sizeof(uint16_t), D3DUSAGE_DYNAMIC, D3DFMT_INDEX16,
                                                D3DPOOL_DEFAULT, &indices, nullptr));
    ASSERT_EQ(D3D_OK, indices->Lock(0, 0, &data, 0));
    const uint16_t list[9] = {0, 1, 2, 1, 3, 2, 0, 9, 1};
    std::memcpy(data, list, sizeof(list));
    EXPECT_EQ(D3DERR_INVALIDCALL, indices->Lock(0, 0, &data, 0));
    indices->Unlock();
    EXPECT_EQ(D3DERR_INVALIDCALL, indices->Lock(12, 8, &data, 0));
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    device->SetStreamSource(0, vertices, 0, sizeof(Vertex));
    device->SetIndices(indices);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    // Index 9 names no vertex; 4 triangles need 12 indices, only 9 exist.
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 6, 1));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 4));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 4, 0, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2));
    EXPECT_PIXEL_NEAR(device.At(8, 8), 0, 0, 0, 255, 0);
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
    EXPECT_PIXEL_NEAR(device.At(8, 8), 0, 255, 0, 255, 0);
    // A stride shorter than the format is refused.
    device->SetStreamSource(0, vertices, 0, 8);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    device->SetStreamSource(0, nullptr, 0, 0);
    device->SetIndices(nullptr);
    indices->Release();
    vertices->Release();
}

TEST(D3D9Buffers, DeclarationWithFloatColourAndExplicitOffsets)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    // Position, then a colour of four floats r, g, b, a.
    const D3DVERTEXELEMENT9 elements[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
        D3DDECL_END(),
    };
    IDirect3DVertexDeclaration9* declaration = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexDeclaration(elements, &declaration));
    struct Vertex
    {
        float x, y, z;
        float r, g, b, a;
    } quad[4] = {{-1, 1, 0.5f, 1.0f, 0.5f, 0.25f, 1.0f},
                 {1, 1, 0.5f, 1.0f, 0.5f, 0.25f, 1.0f},
                 {-1, -1, 0.5f, 1.0f, 0.5f, 0.25f, 1.0f},
                 {1, -1, 0.5f, 1.0f, 0.5f, 0.25f, 1.0f}};
    device->SetVertexDeclaration(declaration);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)));
    EXPECT_PIXEL_NEAR(device.At(30, 20), 255, 128, 64, 255, 1);
    device->SetVertexDeclaration(nullptr);
    declaration->Release();
    const D3DVERTEXELEMENT9 bad[] = {
        {0, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        D3DDECL_END(),
    };
    IDirect3DVertexDeclaration9* refused = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateVertexDeclaration(bad, &refused));
}

TEST(D3D9Transforms, RowVectorMatricesAndViewportPlaceTheQuad)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    Unlit(device);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    // A world matrix that halves and moves right by 0.5 (translation in row 4).
    D3DMATRIX world{};
    world._11 = 0.5f;
    world._22 = 0.5f;
    world._33 = 1.0f;
    world._44 = 1.0f;
    world._41 = 0.5f;
    device->SetTransform(D3DTS_WORLD, &world);
    struct Vertex
    {
        float x, y, z;
        D3DCOLOR color;
    } quad[4] = {{-1, 1, 0.5f, 0xFFFFFFFF}, {1, 1, 0.5f, 0xFFFFFFFF}, {-1, -1, 0.5f, 0xFFFFFFFF}, {1, -1, 0.5f, 0xFFFFFFFF}};
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)));
    // x from 0 to 1 in clip space: the right half; y -0.5..0.5: the middle rows.
    EXPECT_PIXEL_NEAR(device.At(40, 24), 255, 255, 255, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(20, 24), 0, 0, 0, 255, 0);
    EXPECT_PIXEL_NEAR(device.At(40, 4), 0, 0, 0, 255, 0);
    // A viewport of the top-left quarter: clip space maps into it, y up is screen up.
    D3DMATRIX identity{};
    identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
    device->SetTransform(D3DTS_WORLD, &identity);
    D3DVIEWPORT9 viewport{0, 0, 32, 24, 0.0f, 1.0f};
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    device->SetViewport(&viewport);
    quad[0].color = quad[1].color = 0xFFFF0000u; // top edge red
    quad[2].color = quad[3].color = 0xFF0000FFu; // bottom edge blue
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex)));
    D3D9TestPixel top = device.At(16, 1);
    D3D9TestPixel bottom = device.At(16, 22);
    EXPECT_GT(top.r, 200);
    EXPECT_GT(bottom.b, 200);
    EXPECT_PIXEL_NEAR(device.At(40, 30), 0, 0, 0, 255, 0);
}

} // namespace
