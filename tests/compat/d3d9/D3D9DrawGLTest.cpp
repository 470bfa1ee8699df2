// Drawing on Mesa's software GL with Direct3D's rules where the engine's rasterizer tests
// do not reach: pre-transformed quads, culling, depth range, lighting terms, texture
// locks and buffer bounds. Texture formats, blend factors, stencil counting, the depth
// test, declarations and the basic lighting formula are shown through the rasterizer.
#include "D3D9TestDevice.h"

#include <cmath>

namespace {

void Unlit(D3D9TestDevice& aDevice)
{
    aDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    aDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    aDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
}

// A quad of four vertices of type V drawn as a strip with the format.
template <typename V>
void Strip(D3D9TestDevice& aDevice, DWORD aFvf, const V (&aVertices)[4])
{
    aDevice->SetFVF(aFvf);
    ASSERT_EQ(D3D_OK, aDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, aVertices, sizeof(V)));
}

class D3D9Draw : public testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(nullptr, device.Get()); }

    D3D9TestDevice device;
};

TEST_F(D3D9Draw, ScreenQuadMapsTexelsToPixelsExactly)
{
    // An 8 x 8 texture whose every texel differs from its neighbours.
    std::vector<uint32_t> texels(64);
    for (int i = 0; i < 64; ++i) {
        texels[i] = 0xFF000000u | uint32_t(i % 8 * 32) << 16 | uint32_t(i / 8 * 32) << 8 | ((i + i / 8) & 1 ? 0xF0u : 0x10u);
    }
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    D3DLOCKED_RECT locked {};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    for (int y = 0; y < 8; ++y) {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, &texels[y * 8], 32);
    }
    texture->UnlockRect(0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    Unlit(device);
    // Linear filtering shows any misplacement by half a texel as a blend.
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetTexture(0, texture);
    device.ScreenQuad(10, 12, 8, 8);
    for (int i = 0; i < 64; ++i) {
        EXPECT_TRUE(PixelNear(device.At(10 + i % 8, 12 + i / 8), texels[i], 1)) << i;
    }
    // Nothing spills outside the quad.
    EXPECT_TRUE(PixelNear(device.At(9, 12), 0xFF000000u, 0));
    EXPECT_TRUE(PixelNear(device.At(18, 19), 0xFF000000u, 0));
    texture->Release();
}

TEST_F(D3D9Draw, TextureLocksAreChecked)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 3, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    EXPECT_EQ(3u, texture->GetLevelCount());
    D3DSURFACE_DESC desc {};
    texture->GetLevelDesc(2, &desc);
    EXPECT_EQ(1u, desc.Width);
    D3DLOCKED_RECT locked {};
    RECT outside {0, 0, 5, 1};
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

// A texture's pixels reach GL only when drawn with or unlocked: one never locked must still
// draw its zeroes, and a lock of one level must not leave the others undefined.
TEST_F(D3D9Draw, UnlockedLevelsDrawAsZeroes)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
    Unlit(device);
    device->SetTexture(0, texture);
    device.ScreenQuad(10, 12, 8, 8);
    EXPECT_TRUE(PixelNear(device.At(13, 15), 0x00000000u, 0)) << std::hex << device.At(13, 15);
    EXPECT_TRUE(PixelNear(device.At(9, 12), 0xFFFFFFFFu, 0));
    texture->Release();

    // Two levels, only the first filled: sampled at the second level (minified), it is zero.
    ASSERT_EQ(D3D_OK, device->CreateTexture(2, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    D3DLOCKED_RECT locked {};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    for (int y = 0; y < 2; ++y) {
        const uint32_t white[2] = {0xFFFFFFFFu, 0xFFFFFFFFu};
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, white, sizeof(white));
    }
    texture->UnlockRect(0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF808080u, 1.0f, 0);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    device->SetTexture(0, texture);
    device.ScreenQuad(10, 12, 1, 1);
    EXPECT_TRUE(PixelNear(device.At(10, 12), 0x00000000u, 0)) << std::hex << device.At(10, 12);
    texture->Release();
}

TEST_F(D3D9Draw, DecrWrapsWhileDecrSatClamps)
{
    Unlit(device);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, 0xFF000000u, 1.0f, 0);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_DECR);
    device.ScreenQuad(0, 0, 16, 16);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_DECRSAT);
    device.ScreenQuad(16, 0, 16, 16);
    // Red where the stencil holds 255.
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
    device->SetRenderState(D3DRS_STENCILREF, 255);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    device.ScreenQuad(0, 0, 64, 48, 0xFFFF0000u);
    EXPECT_TRUE(PixelNear(device.At(8, 8), 0xFFFF0000u, 0));
    EXPECT_TRUE(PixelNear(device.At(24, 8), 0xFF000000u, 0));
}

TEST_F(D3D9Draw, CullingRemovesCounterClockwiseFacesByDefault)
{
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    for (DWORD cull : {DWORD(D3DCULL_CCW), DWORD(D3DCULL_CW)}) {
        if (cull == D3DCULL_CW) {
            device->SetRenderState(D3DRS_CULLMODE, cull);
        }
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        device.ScreenQuad(0, 0, 16, 16);
        device.ScreenQuad(20, 0, 16, 16, 0xFFFFFFFFu, 0.5f, false);
        EXPECT_TRUE(PixelNear(device.At(8, 8), cull == D3DCULL_CCW ? 0xFFFFFFFFu : 0xFF000000u, 0)) << cull;
        EXPECT_TRUE(PixelNear(device.At(28, 8), cull == D3DCULL_CCW ? 0xFF000000u : 0xFFFFFFFFu, 0)) << cull;
    }
}

TEST_F(D3D9Draw, TransformedDepthRunsZeroToOneAndLessRejectsEqual)
{
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
        const Vertex v[4] = {{-1, 1, aZ, aColor}, {1, 1, aZ, aColor}, {-1, -1, aZ, aColor}, {1, -1, aZ, aColor}};
        Strip(device, D3DFVF_XYZ | D3DFVF_DIFFUSE, v);
    };
    quad(0.6f, 0xFFFF0000u);
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFF000000u, 0));
    quad(0.4f, 0xFF00FF00u);
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFF00FF00u, 0));
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
    quad(0.4f, 0xFFFF0000u);
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFF00FF00u, 0));
}

struct LitVertex
{
    float x, y, z;
    float nx, ny, nz;
};

// Facing the viewer (normal towards -z), covering the whole viewport.
void LitQuad(D3D9TestDevice& aDevice)
{
    const LitVertex v[4] = {{-1, 1, 0.5f, 0, 0, -1}, {1, 1, 0.5f, 0, 0, -1}, {-1, -1, 0.5f, 0, 0, -1}, {1, -1, 0.5f, 0, 0, -1}};
    Strip(aDevice, D3DFVF_XYZ | D3DFVF_NORMAL, v);
}

D3DLIGHT9 Directional(D3DVECTOR aDirection, D3DCOLORVALUE aDiffuse, D3DCOLORVALUE aAmbient)
{
    D3DLIGHT9 light {};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = aDiffuse;
    light.Ambient = aAmbient;
    light.Specular = D3DCOLORVALUE {1, 1, 1, 1};
    light.Direction = aDirection;
    return light;
}

TEST_F(D3D9Draw, EmissiveAmbientAndDiffuseTermsAddUp)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    D3DMATERIAL9 material {};
    material.Diffuse = D3DCOLORVALUE {0.8f, 0.6f, 1.0f, 1.0f};
    material.Ambient = D3DCOLORVALUE {0.5f, 0.5f, 0.5f, 1.0f};
    material.Emissive = D3DCOLORVALUE {0.0f, 0.0f, 0.1f, 0.0f};
    material.Specular = D3DCOLORVALUE {1, 1, 1, 1}; // specular is off by default
    material.Power = 4;
    device->SetMaterial(&material);
    // Travels into the screen and down: N . -L = 0.8.
    D3DLIGHT9 light = Directional({0.0f, -0.6f, 0.8f}, {1.0f, 0.5f, 0.25f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f});
    ASSERT_EQ(D3D_OK, device->SetLight(0, &light));
    ASSERT_EQ(D3D_OK, device->LightEnable(0, TRUE));
    LitQuad(device);
    // colour = emissive + ambient x light ambient + diffuse x light diffuse x (N . -L):
    // red 0.1 + 0.64, green 0.1 + 0.24, blue 0.1 + 0.1 + 0.2.
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFFBD5766u, 2));
    // A light from behind the surface adds no diffuse.
    light.Direction = D3DVECTOR {0.0f, 0.0f, -1.0f};
    device->SetLight(0, &light);
    LitQuad(device);
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFF1A1A33u, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetLight(1, nullptr));
}

TEST_F(D3D9Draw, LightsStayInWorldSpaceWhenTheViewChanges)
{
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DMATERIAL9 material {};
    material.Diffuse = D3DCOLORVALUE {1, 1, 1, 1};
    device->SetMaterial(&material);
    const D3DLIGHT9 light = Directional({0, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 0});
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    // A view that turns the world half round about y, and a world that turns the quad
    // back: the quad faces the viewer but its world normal faces away from the light.
    D3DMATRIX turn {};
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
    EXPECT_TRUE(PixelNear(device.At(30, 20), 0xFF000000u, 1));
}

TEST_F(D3D9Draw, IndexedDrawsAreBoundsChecked)
{
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
    const Vertex quad[4] = {{-0.5f, -0.5f, 0.5f, 1, 0xFF00FF00u},
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
    EXPECT_TRUE(PixelNear(device.At(8, 8), 0xFF000000u, 0));
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
    EXPECT_TRUE(PixelNear(device.At(8, 8), 0xFF00FF00u, 0));
    // A stride shorter than the format, or a declaration without a whole position, is refused.
    device->SetStreamSource(0, vertices, 0, 8);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    const D3DVERTEXELEMENT9 bad[] = {
        {0, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        D3DDECL_END(),
    };
    IDirect3DVertexDeclaration9* refused = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateVertexDeclaration(bad, &refused));
    device->SetStreamSource(0, nullptr, 0, 0);
    device->SetIndices(nullptr);
    indices->Release();
    vertices->Release();
}

TEST_F(D3D9Draw, RowVectorMatricesAndViewportPlaceTheQuad)
{
    Unlit(device);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    // A world matrix that halves and moves right by 0.5 (translation in row 4).
    D3DMATRIX world {};
    world._11 = world._22 = 0.5f;
    world._33 = world._44 = 1.0f;
    world._41 = 0.5f;
    device->SetTransform(D3DTS_WORLD, &world);
    struct Vertex
    {
        float x, y, z;
        D3DCOLOR color;
    } quad[4] = {{-1, 1, 0.5f, 0xFFFFFFFF}, {1, 1, 0.5f, 0xFFFFFFFF}, {-1, -1, 0.5f, 0xFFFFFFFF}, {1, -1, 0.5f, 0xFFFFFFFF}};
    Strip(device, D3DFVF_XYZ | D3DFVF_DIFFUSE, quad);
    // x from 0 to 1 in clip space: the right half; y -0.5..0.5: the middle rows.
    EXPECT_TRUE(PixelNear(device.At(40, 24), 0xFFFFFFFFu, 0));
    EXPECT_TRUE(PixelNear(device.At(20, 24), 0xFF000000u, 0));
    EXPECT_TRUE(PixelNear(device.At(40, 4), 0xFF000000u, 0));
    // A viewport of the top-left quarter: clip space maps into it, y up is screen up.
    world._11 = world._22 = 1.0f;
    world._41 = 0.0f;
    device->SetTransform(D3DTS_WORLD, &world);
    D3DVIEWPORT9 viewport {0, 0, 32, 24, 0.0f, 1.0f};
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    device->SetViewport(&viewport);
    quad[0].color = quad[1].color = 0xFFFF0000u; // top edge red
    quad[2].color = quad[3].color = 0xFF0000FFu; // bottom edge blue
    Strip(device, D3DFVF_XYZ | D3DFVF_DIFFUSE, quad);
    EXPECT_GT((device.At(16, 1) >> 16) & 0xFF, 200u);
    EXPECT_GT(device.At(16, 22) & 0xFF, 200u);
    EXPECT_TRUE(PixelNear(device.At(40, 30), 0xFF000000u, 0));
}

} // namespace

TEST(D3D9Bindings, BoundResourcesNeitherKeepTheDeviceNorOutliveTheirRelease)
{
    D3D9TestDevice device;
    ASSERT_NE(nullptr, device.Get());
    IDirect3DTexture9* texture = nullptr;
    IDirect3DVertexBuffer9* vertices = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &vertices, nullptr));
    ASSERT_EQ(D3D_OK, device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices, nullptr));
    ASSERT_EQ(D3D_OK, device->SetTexture(0, texture));
    ASSERT_EQ(D3D_OK, device->SetStreamSource(0, vertices, 0, 16));
    ASSERT_EQ(D3D_OK, device->SetIndices(indices));

    // The binding is no reference: the owner's release ends the texture, and the device
    // has it no longer.
    EXPECT_EQ(0u, texture->Release());
    IDirect3DBaseTexture9* bound = nullptr;
    ASSERT_EQ(D3D_OK, device->GetTexture(0, &bound));
    EXPECT_EQ(nullptr, bound);
    EXPECT_EQ(0u, vertices->Release());
    EXPECT_EQ(0u, indices->Release());
    // A draw after the buffers went is refused, not read from freed memory.
    EXPECT_NE(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
}
