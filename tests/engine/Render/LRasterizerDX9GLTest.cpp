// The rasterizer and device textures drawing on the software GL stand-in: pixels read
// back from the back buffer after clears, textured quads, blending, stencil, depth and
// lighting, and the checks on what callers hand over.
#include "LImage.h"
#include "LMatrix4.h"
#include "Render/LIndexBuffer.h"
#include "Render/LLight.h"
#include "Render/LMaterial.h"
#include "Render/LRasterizerDX9.h"
#include "Render/LTextureDX9.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

const LColor kRed(1.0f, 0.0f, 0.0f);
const LColor kGreen(0.0f, 1.0f, 0.0f);
const LColor kBlue(0.0f, 0.0f, 1.0f);

class RasterizerDX9Test : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mGraphics.IsReady());
        ASSERT_EQ(1, mRasterizer.Init(0));
        // Screen pixels: x right, y down, the device's pixel centres on whole numbers.
        const float w = static_cast<float>(mGraphics.Width());
        const float h = static_cast<float>(mGraphics.Height());
        const LMatrix4 projection(2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1);
        ASSERT_EQ(1, mRasterizer.SetTransform(LIRasterizer::kProjection, &projection));
        ASSERT_EQ(1, mRasterizer.SetLighting(false));
        ASSERT_EQ(1, mRasterizer.SetCullMode(LIRasterizer::kCullNone));
        ASSERT_EQ(1, mRasterizer.Clear());
    }

    // Corners of the pixels x0..x1-1, y0..y1-1, clockwise as a strip (or counter-clockwise).
    static std::vector<float> Corners(int aX0, int aY0, int aX1, int aY1, bool aClockwise = true)
    {
        const float l = aX0 - 0.5f, t = aY0 - 0.5f, r = aX1 - 0.5f, b = aY1 - 0.5f;
        return aClockwise ? std::vector<float> {l, t, r, t, l, b, r, b} : std::vector<float> {l, t, l, b, r, t, r, b};
    }

    // A quad of the format; aExtra gives each vertex's floats after the position.
    void Quad(int aFormat, const std::vector<float>& aCorners, float aZ, const std::vector<std::vector<float>>& aExtra)
    {
        std::vector<float> data;
        for (int i = 0; i < 4; ++i) {
            data.insert(data.end(), {aCorners[i * 2], aCorners[i * 2 + 1], aZ});
            const std::vector<float>& extra = aExtra[aExtra.size() == 1 ? 0 : i];
            data.insert(data.end(), extra.begin(), extra.end());
        }
        LVertexBuffer buffer;
        ASSERT_EQ(1, buffer.Create(aFormat, data.data(), 4));
        ASSERT_EQ(1, mRasterizer.SetVertexBuffer(&buffer));
        ASSERT_EQ(1, mRasterizer.DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2));
    }

    void ColorQuad(int aX0, int aY0, int aX1, int aY1, const LColor& aColor, float aZ = 0.5f)
    {
        Quad(2, Corners(aX0, aY0, aX1, aY1), aZ, {{aColor.r, aColor.g, aColor.b, aColor.a}});
    }

    void TexturedQuad(int aX0, int aY0, int aX1, int aY1)
    {
        Quad(3, Corners(aX0, aY0, aX1, aY1), 0.5f, {{0, 0}, {1, 0}, {0, 1}, {1, 1}});
    }

    // Stencil on, every pixel passing, colours not written: draws only count.
    void CountStencil()
    {
        ASSERT_EQ(1, mRasterizer.SetStencilEnable(true));
        ASSERT_EQ(1, mRasterizer.SetStencilFunc(LIRasterizer::kAlways, 0, 0xFF));
        ASSERT_EQ(1, mRasterizer.SetColorWriteEnable(false));
    }

    // Green over the picture where the stencil holds aGreen, then red where it holds aRed.
    void ShowStencil(int aGreen, int aRed)
    {
        ASSERT_EQ(1, mRasterizer.SetColorWriteEnable(true));
        ASSERT_EQ(1, mRasterizer.SetStencilPass(LIRasterizer::kKeep));
        ASSERT_EQ(1, mRasterizer.SetStencilFunc(LIRasterizer::kEqual, aGreen, 0xFF));
        ColorQuad(0, 0, 64, 48, kGreen);
        ASSERT_EQ(1, mRasterizer.SetStencilFunc(LIRasterizer::kEqual, aRed, 0xFF));
        ColorQuad(0, 0, 64, 48, kRed);
    }

    static LTextureDX9* Texture(int aWidth, int aHeight, LImageFormat aFormat, const std::vector<uint8_t>& aBytes)
    {
        LImage image;
        EXPECT_EQ(1, image.Create(aWidth, aHeight, static_cast<int>(aBytes.size()) / aHeight, aFormat, aBytes.data(),
                                  static_cast<int>(aBytes.size())));
        LTextureDX9* texture = new LTextureDX9();
        EXPECT_EQ(1, texture->Init(0));
        EXPECT_EQ(1, texture->Create(&image));
        return texture;
    }

    LLogCapture mLog;
    LTestGraphics mGraphics;
    LRasterizerDX9 mRasterizer;
};

} // namespace

TEST_F(RasterizerDX9Test, ClearForcesTheColourOpaque)
{
    ASSERT_EQ(1, mRasterizer.SetClearColor(LColor(0.0f, 1.0f, 0.5f, 0.0f)));
    ASSERT_EQ(1, mRasterizer.Clear());
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(5, 5), 0xFFFF8000u, 0));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(60, 40), 0xFFFF8000u, 0));
}

TEST_F(RasterizerDX9Test, TexturedQuadMapsTexelsToPixelsExactly)
{
    const std::vector<uint8_t> texels = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF,
                                         0x80, 0x80, 0x80, 0xFF, 0x20, 0x40, 0x60, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0x10, 0x90, 0x30, 0xFF, 0x70, 0x00, 0xC0, 0xFF};
    LTextureDX9* texture = Texture(4, 2, L_IMAGE_FORMAT_A8R8G8B8, texels);
    // Linear filtering, as the 2-D renderer draws: exact centres leave nothing to blend.
    ASSERT_EQ(1, mRasterizer.SetTextureFilter(LIRasterizer::kMinFilter, LIRasterizer::kFilterLinear));
    ASSERT_EQ(1, mRasterizer.SetTextureFilter(LIRasterizer::kMagFilter, LIRasterizer::kFilterLinear));
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    TexturedQuad(8, 4, 12, 6);
    const std::vector<uint32_t> picture = mGraphics.Picture();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t* t = &texels[(y * 4 + x) * 4];
            const uint32_t expected = 0xFF000000u | t[2] << 16 | t[1] << 8 | t[0];
            EXPECT_TRUE(PixelNear(picture[(4 + y) * 64 + 8 + x], expected, 1)) << x << "," << y;
        }
    }
    for (int outside : {3 * 64 + 8, 4 * 64 + 7, 4 * 64 + 12, 6 * 64 + 11}) {
        EXPECT_TRUE(PixelNear(picture[outside], 0xFF000000u, 0)) << outside;
    }
    delete texture;
}

TEST_F(RasterizerDX9Test, BlendFactorScalesTheTextureFromTheFirstCall)
{
    LTextureDX9* white = Texture(2, 2, L_IMAGE_FORMAT_X8R8G8B8, std::vector<uint8_t>(16, 0xFF));
    ASSERT_EQ(1, mRasterizer.SetAlphaBlendEnable(true));
    ASSERT_EQ(1, mRasterizer.SetBlendFunc(LIRasterizer::kBlendSrcAlpha, LIRasterizer::kBlendInvSrcAlpha));
    ASSERT_EQ(1, mRasterizer.SetTexture(white));
    // A fresh rasterizer's first factor 0 takes effect: nothing shows.
    ASSERT_EQ(1, mRasterizer.SetBlendFactor(0.0f));
    TexturedQuad(0, 0, 16, 16);
    ASSERT_EQ(1, mRasterizer.SetBlendFactor(0.5f));
    TexturedQuad(16, 0, 32, 16);
    ASSERT_EQ(1, mRasterizer.SetBlendFactor(2.0f));
    TexturedQuad(32, 0, 48, 16);
    ASSERT_EQ(1, mRasterizer.SetBlendFactor(-1.0f));
    TexturedQuad(48, 0, 64, 16);
    EXPECT_EQ(0, mRasterizer.SetBlendFactor(std::nanf("")));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(8, 8), 0xFF000000u));
    // 0x7F of 255 over black; the target's alpha blends the same way.
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(24, 8), 0xBF7F7F7Fu));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(40, 8), 0xFFFFFFFFu));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(56, 8), 0xFF000000u));
    delete white;
}

TEST_F(RasterizerDX9Test, StencilIncrWrapsWhileIncrSatClamps)
{
    CountStencil();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(1, mRasterizer.SetStencilPass(LIRasterizer::kIncr));
        Quad(1, Corners(0, 0, 32, 48), 0.5f, {{}});
        ASSERT_EQ(1, mRasterizer.SetStencilPass(LIRasterizer::kIncrSat));
        Quad(1, Corners(32, 0, 64, 48), 0.5f, {{}});
    }
    ShowStencil(0, 255);
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(16, 24), 0xFF00FF00u));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(48, 24), 0xFFFF0000u));
}

TEST_F(RasterizerDX9Test, TwoSidedStencilCountsFrontAndBackFacesApart)
{
    CountStencil();
    ASSERT_EQ(1, mRasterizer.SetTwoSidedStencilFunc(LIRasterizer::kAlways, true, 0, 0xFF));
    ASSERT_EQ(1, mRasterizer.SetStencilPass(LIRasterizer::kIncr));
    ASSERT_EQ(1, mRasterizer.SetBackStencilPass(LIRasterizer::kDecr));
    Quad(1, Corners(0, 0, 32, 48, true), 0.5f, {{}});
    Quad(1, Corners(32, 0, 64, 48, false), 0.5f, {{}});
    ShowStencil(1, 255);
    // Front faces counted up to 1, back faces down to 255.
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(16, 24), 0xFF00FF00u));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(48, 24), 0xFFFF0000u));
}

TEST_F(RasterizerDX9Test, DepthTestLessEqualPassesEqualAndRejectsFarther)
{
    ASSERT_EQ(1, mRasterizer.SetZBufferMode(true));
    ColorQuad(0, 0, 64, 48, kRed, 0.5f);
    ColorQuad(0, 0, 64, 48, kGreen, 0.5f);
    ColorQuad(0, 0, 32, 48, kBlue, 0.7f);
    ColorQuad(32, 0, 64, 48, kBlue, 0.3f);
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(16, 24), 0xFF00FF00u));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(48, 24), 0xFF0000FFu));
}

TEST_F(RasterizerDX9Test, LitQuadFollowsTheLightingFormula)
{
    LMaterial material;
    material.SetDiffuse(LColor(0.8f, 0.6f, 0.4f));
    ASSERT_EQ(1, mRasterizer.SetMaterial(&material));
    ASSERT_EQ(1, mRasterizer.SetLighting(true));
    const std::vector<std::vector<float>> facingViewer = {{0.0f, 0.0f, -1.0f}};
    Quad(7, Corners(0, 0, 32, 48), 0.5f, facingViewer);
    // Without a light (and no global ambient) a lit surface is black.
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(16, 24), 0xFF000000u));

    LLight light(LLight::kDirectional);
    light.mDiffuse = LColor(1.0f, 1.0f, 1.0f);
    light.mAmbient = LColor(0.2f, 0.2f, 0.2f);
    light.mDirection = LVector3(0.0f, -0.8f, 0.6f);
    ASSERT_EQ(1, mRasterizer.SetLight(0, &light));
    ASSERT_EQ(1, mRasterizer.LightEnable(0, true));
    Quad(7, Corners(32, 0, 64, 48), 0.5f, facingViewer);
    // diffuse x light x (N . -direction = 0.6) + ambient x light ambient:
    // red 0.48 + 0.2, green 0.36 + 0.2, blue 0.24 + 0.2.
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(48, 24), 0xFFAD8F70u, 3));
}

TEST_F(RasterizerDX9Test, EachTextureFormatUploadsToTheExpectedPixels)
{
    struct Case
    {
        LImageFormat mFormat;
        std::vector<uint8_t> mBytes;
        uint32_t mLeft;
        uint32_t mRight;
    };
    const Case cases[] = {
        {L_IMAGE_FORMAT_A8R8G8B8, {0x10, 0x20, 0x30, 0x40, 0xF0, 0xE0, 0xD0, 0xC0}, 0x40302010u, 0xC0D0E0F0u},
        {L_IMAGE_FORMAT_X8R8G8B8, {0x10, 0x20, 0x30, 0x40, 0xF0, 0xE0, 0xD0, 0xC0}, 0xFF302010u, 0xFFD0E0F0u},
        {L_IMAGE_FORMAT_R8G8B8, {0x10, 0x20, 0x30, 0xF0, 0xE0, 0xD0}, 0xFF302010u, 0xFFD0E0F0u},
        {L_IMAGE_FORMAT_A8, {0x40, 0xC0}, 0x40000000u, 0xC0000000u},
    };
    ASSERT_EQ(1, mRasterizer.SetTextureFilter(LIRasterizer::kMagFilter, LIRasterizer::kFilterPoint));
    int row = 0;
    for (const Case& c : cases) {
        LTextureDX9* texture = Texture(2, 1, c.mFormat, c.mBytes);
        ASSERT_EQ(1, mRasterizer.SetTexture(texture));
        TexturedQuad(0, row * 8, 16, row * 8 + 8);
        EXPECT_TRUE(PixelNear(mGraphics.Pixel(4, row * 8 + 4), c.mLeft, 1)) << c.mFormat;
        EXPECT_TRUE(PixelNear(mGraphics.Pixel(12, row * 8 + 4), c.mRight, 1)) << c.mFormat;
        delete texture;
        ++row;
    }
}

TEST_F(RasterizerDX9Test, ColourAndCoordinatesAreReadAtEachFormatsOffsets)
{
    // Left texel grey, right texel (0x40, 0x80, 0xC0); vertex colour (1, 0.5, 0.25).
    LTextureDX9* texture =
        Texture(2, 1, L_IMAGE_FORMAT_A8R8G8B8, {0x80, 0x80, 0x80, 0xFF, 0xC0, 0x80, 0x40, 0xFF});
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    const std::vector<float> normal = {0.0f, 0.0f, -1.0f};
    const std::vector<float> color = {1.0f, 0.5f, 0.25f, 1.0f};
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    struct Case
    {
        int mFormat;
        bool mColor;
        bool mUv;
        uint32_t mLeft;
        uint32_t mRight;
    };
    // Without coordinates the first texel is sampled; without colour the vertex is white.
    const Case cases[] = {{4, true, false, 0xFF804020u, 0xFF804020u},
                          {5, false, true, 0xFF808080u, 0xFF4080C0u},
                          {6, true, true, 0xFF804020u, 0xFF404030u}};
    int row = 0;
    for (const Case& c : cases) {
        std::vector<std::vector<float>> extra(4, normal);
        for (int i = 0; i < 4; ++i) {
            if (c.mColor) {
                extra[i].insert(extra[i].end(), color.begin(), color.end());
            }
            if (c.mUv) {
                extra[i].insert(extra[i].end(), {uv[i][0], uv[i][1]});
            }
        }
        Quad(c.mFormat, Corners(0, row * 16, 32, row * 16 + 16), 0.5f, extra);
        EXPECT_TRUE(PixelNear(mGraphics.Pixel(8, row * 16 + 8), c.mLeft)) << c.mFormat;
        EXPECT_TRUE(PixelNear(mGraphics.Pixel(24, row * 16 + 8), c.mRight)) << c.mFormat;
        ++row;
    }
    delete texture;
}

TEST_F(RasterizerDX9Test, SamplerAddressingAndFilteringFollowTheirCodes)
{
    LTextureDX9* texture = Texture(2, 1, L_IMAGE_FORMAT_A8R8G8B8, {0, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF});
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    ASSERT_EQ(1, mRasterizer.SetTextureFilter(LIRasterizer::kMagFilter, LIRasterizer::kFilterPoint));
    // u runs 0..2 over 32 pixels: pixel 18 samples u = 1.16.
    const std::vector<std::vector<float>> twice = {{0, 0}, {2, 0}, {0, 1}, {2, 1}};
    const int modes[3] = {LIRasterizer::kAddressWrap, LIRasterizer::kAddressClamp, LIRasterizer::kAddressBorder};
    const uint32_t expected[3] = {0xFFFF0000u, 0xFF00FF00u, 0x00000000u};
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(1, mRasterizer.SetTextureAddress(LIRasterizer::kAddressU, modes[row]));
        Quad(3, Corners(0, row * 8, 32, row * 8 + 8), 0.5f, twice);
        EXPECT_TRUE(PixelNear(mGraphics.Pixel(18, row * 8 + 4), expected[row])) << row;
    }
    // Magnified 16 times: pixel 15 lies between the two texel centres, nearer the first.
    ASSERT_EQ(1, mRasterizer.SetTextureAddress(LIRasterizer::kAddressU, LIRasterizer::kAddressClamp));
    TexturedQuad(0, 24, 32, 32);
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(15, 28), 0xFFFF0000u));
    ASSERT_EQ(1, mRasterizer.SetTextureFilter(LIRasterizer::kMagFilter, LIRasterizer::kFilterLinear));
    TexturedQuad(0, 32, 32, 40);
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(15, 36), 0xFF877700u, 4));
    delete texture;
}

TEST_F(RasterizerDX9Test, DataPastABuffersFirstCapacityIsDrawnWhole)
{
    // 100 quads as triangle lists (600 vertices, 256 fit at first): only the last covers pixels.
    std::vector<float> vertices(600 * 7, 0.0f);
    const std::vector<float> corners = Corners(8, 8, 24, 24);
    const int order[6] = {0, 1, 2, 2, 1, 3};
    for (int i = 0; i < 6; ++i) {
        float* v = &vertices[(594 + i) * 7];
        v[0] = corners[order[i] * 2];
        v[1] = corners[order[i] * 2 + 1];
        v[2] = 0.5f;
        v[4] = v[6] = 1.0f;
    }
    LVertexBuffer buffer;
    ASSERT_EQ(1, buffer.Create(2, vertices.data(), 600));
    ASSERT_EQ(7168u, mRasterizer.GetVertexBufferBytes(2));
    ASSERT_EQ(1, mRasterizer.SetVertexBuffer(&buffer));
    EXPECT_GE(mRasterizer.GetVertexBufferBytes(2), 600u * 28u);
    ASSERT_EQ(1, mRasterizer.DrawPrimitive(LIRasterizer::kTriangleList, 0, 200));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(16, 16), 0xFF00FF00u));
    EXPECT_EQ(0, mRasterizer.DrawPrimitive(LIRasterizer::kTriangleList, 3, 200));
    EXPECT_TRUE(mLog.Contains("DrawPrimitive failure. Not enough vertices."));

    // 40,002 indices (40,000 fit at first): all triangles empty but the last.
    std::vector<uint16_t> indices(40002, 0);
    indices[39999] = 598;
    indices[40000] = 599;
    indices[40001] = 597;
    LVertexBuffer quad;
    std::vector<float> blue(vertices);
    for (int i = 594; i < 600; ++i) {
        blue[i * 7 + 3] = blue[i * 7 + 4] = 0.0f;
        blue[i * 7 + 5] = 1.0f;
    }
    ASSERT_EQ(1, quad.Create(2, blue.data(), 600));
    LIndexBuffer index;
    RegisterFakeRender(); // device capabilities for the index buffer's check
    ASSERT_EQ(1, index.Create(1, indices.data(), 40002));
    ASSERT_EQ(1, mRasterizer.SetVertexBuffer(&quad));
    ASSERT_EQ(1, mRasterizer.SetIndexBuffer(&index));
    EXPECT_GE(mRasterizer.GetIndexBufferBytes(1), 80004u);
    ASSERT_EQ(1, mRasterizer.DrawIndexedPrimitive(LIRasterizer::kTriangleList, 13334, 600, 0, 0));
    // The last triangle is the lower right half of the quad.
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(21, 21), 0xFF0000FFu));
    EXPECT_TRUE(PixelNear(mGraphics.Pixel(10, 10), 0xFF00FF00u));
    EXPECT_EQ(0, mRasterizer.DrawIndexedPrimitive(LIRasterizer::kTriangleList, 13334, 600, 1, 0));
    EXPECT_TRUE(mLog.Contains("DrawIndexedPrimitive failure. Not enough indices."));
}

TEST_F(RasterizerDX9Test, CodesAndHandlesFromCallersAreChecked)
{
    IDirect3DDevice9* device = mGraphics.Device();
    DWORD cull = 0;
    EXPECT_EQ(0, mRasterizer.SetCullMode(3));
    device->GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ(DWORD {D3DCULL_NONE}, cull);
    EXPECT_EQ(0, mRasterizer.SetBlendFunc(15, 0));
    EXPECT_EQ(0, mRasterizer.SetStencilPass(8));
    EXPECT_EQ(0, mRasterizer.SetStencilFunc(-1, 0, 0xFF));
    EXPECT_EQ(0, mRasterizer.SetTextureFilter(3, 0));
    EXPECT_EQ(0, mRasterizer.SetTextureAddress(0, 3));
    EXPECT_EQ(0, mRasterizer.DrawPrimitive(6, 0, 1));
    LMatrix4 matrix;
    EXPECT_EQ(0, mRasterizer.SetTransform(3, &matrix));
    EXPECT_EQ(0, mRasterizer.SetTransform(LIRasterizer::kWorld, nullptr));
    LLight light(3);
    EXPECT_EQ(0, mRasterizer.SetLight(0, &light));
    EXPECT_EQ(0, mRasterizer.LightEnable(-1, true));
    EXPECT_EQ(11, mLog.Count("failure. Invalid arg"));
    EXPECT_EQ(0, mRasterizer.SetViewport(0, 0, 0, 10, 0.0f, 1.0f));
    EXPECT_EQ(0, mRasterizer.SetViewport(0, 0.0f, 10.0f, 0.0f, 10.0f, 0.0f, 1.0f)); // height 0 - 10
    LVertexBuffer empty;
    EXPECT_EQ(0, mRasterizer.SetVertexBuffer(&empty));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: "));
    EXPECT_TRUE(mLog.Contains("Invalid format."));
    LIndexBuffer noIndices;
    EXPECT_EQ(0, mRasterizer.SetIndexBuffer(&noIndices));
    EXPECT_TRUE(mLog.Contains("Format not supported."));

    // Binding again after an unbind reaches the device; a handle without a texture unbinds.
    LTextureDX9* texture = Texture(2, 2, L_IMAGE_FORMAT_A8R8G8B8, std::vector<uint8_t>(16, 0x80));
    IDirect3DBaseTexture9* bound = nullptr;
    auto boundNow = [&]() {
        device->GetTexture(0, &bound);
        if (bound != nullptr) {
            bound->Release();
        }
        return bound;
    };
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    EXPECT_EQ(texture->GetTexture(), boundNow());
    ASSERT_EQ(1, mRasterizer.SetTexture());
    EXPECT_EQ(nullptr, boundNow());
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    EXPECT_EQ(texture->GetTexture(), boundNow());
    // Made anew while bound: binding it again binds the new device texture.
    ASSERT_EQ(1, texture->Create(2, 2, 1));
    ASSERT_EQ(1, mRasterizer.SetTexture(texture));
    EXPECT_EQ(texture->GetTexture(), boundNow());
    const uint32_t handle = LTextureManager::Get()->CreateTexture(LString("grey"), texture);
    EXPECT_EQ(0, mRasterizer.SetTexture(handle + 1));
    EXPECT_TRUE(mLog.Contains("SetTexture failure. Invalid handle: "));
    EXPECT_EQ(nullptr, boundNow());
    EXPECT_EQ(nullptr, mRasterizer.GetCurrentTexture());
    EXPECT_EQ(1, mRasterizer.SetTexture(handle));
    EXPECT_EQ(texture->GetTexture(), boundNow());
}

TEST_F(RasterizerDX9Test, TextureLevelsAndFailures)
{
    // Four pixels of 4 x 4: every level is loaded from the image's top left, unfiltered.
    std::vector<uint8_t> bytes(64);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i);
    }
    LImage image;
    ASSERT_EQ(1, image.Create(4, 4, 16, L_IMAGE_FORMAT_A8R8G8B8, bytes.data(), 64));
    LTextureDX9 texture;
    ASSERT_EQ(1, texture.Init(0));
    ASSERT_EQ(1, texture.SetMipLevels(3));
    ASSERT_EQ(1, texture.Create(&image));
    IDirect3DTexture9* device = texture.GetTexture();
    ASSERT_EQ(3u, device->GetLevelCount());
    D3DLOCKED_RECT locked {};
    ASSERT_EQ(D3D_OK, device->LockRect(1, &locked, nullptr, D3DLOCK_READONLY));
    const uint8_t* level = static_cast<const uint8_t*>(locked.pBits);
    EXPECT_EQ(0, std::memcmp(level, &bytes[0], 8));
    EXPECT_EQ(0, std::memcmp(level + locked.Pitch, &bytes[16], 8));
    device->UnlockRect(1);

    // A format code outside the table and a failed creation are 0; the texture stays.
    EXPECT_EQ(0, texture.Create(4, 4, 5));
    EXPECT_EQ(0, texture.Create(4, 4, 0));
    EXPECT_EQ(2, mLog.Count("CreateTexture failure. Invalid format"));
    D3DCAPS9 caps {};
    mGraphics.Device()->GetDeviceCaps(&caps);
    EXPECT_EQ(0, texture.Create(static_cast<int>(caps.MaxTextureWidth) + 1, 1, 4));
    EXPECT_TRUE(mLog.Contains("CreateTexture failure:D3DERR_INVALIDCALL"));
    EXPECT_EQ(device, texture.GetTexture());
    EXPECT_EQ(4, texture.GetWidth());

    // The texture manager takes such a failure for one.
    LTestGraphics::RegisterCreators();
    const int wide = static_cast<int>(caps.MaxTextureWidth) + 1;
    std::vector<uint8_t> row(static_cast<size_t>(wide), 0x55);
    LImage tooWide;
    ASSERT_EQ(1, tooWide.Create(wide, 1, wide, L_IMAGE_FORMAT_A8, row.data(), wide));
    EXPECT_EQ(0u, LTextureManager::Get()->CreateTexture(LString("wide"), &tooWide));
    EXPECT_EQ(0u, LTextureManager::Get()->GetHandle(LString("wide")));
    EXPECT_NE(0u, LTextureManager::Get()->CreateTexture(LString("small"), &image));
}
