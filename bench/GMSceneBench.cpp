// A location of the sample on the software GL stand-in, 800 x 600: loading "case01/riverbank"
// and drawing one of its frames (background, depth mesh, the skinned player, the 2-D
// overlay), beside a bare probe frame of the same device (a textured full-screen quad,
// 20,000 lit triangles, a stencil pass and a blend). Each frame ends with the device's
// present and a read of the picture, so the software renderer has finished it.
//
// Runs without a display: with none given, SDL's offscreen and dummy drivers are used.
// `make bench` also builds this program without the tracked allocator and prints both.
#include "GMMain.h"
#include "LImage.h"
#include "LMatrix4.h"
#include "Gdi/LDisplayManager.h"
#include "Render/LCamera.h"
#include "Render/LGraphicsDX9.h"
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "container/LString.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestScene.h"
#include "support/LTestGraphics.h"
#include "writers/LModelBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The process's one device and the sample's roots, made by the first benchmark.
struct World
{
    World()
    {
        if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
            setenv("SDL_VIDEODRIVER", "offscreen", 0);
        }
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        mReady = GMMain::RegisterComponents();
        mGraphics = std::make_unique<LTestGraphics>(kWidth, kHeight);
        // The sample's roots, texture root and fonts, as start-up sets them.
        mReady = mReady && mGraphics->IsReady() && LIRasterizer::Get() != nullptr && GMTestScene::Prepare();
    }

    bool mReady = false;
    std::unique_ptr<LTestGraphics> mGraphics;
};

World& TheWorld()
{
    static World sWorld;
    return sWorld;
}

// Present, then read the picture back: the frame is finished when this returns.
void Finish()
{
    LGraphicsDX9* graphics = LGraphicsDX9::Get();
    graphics->EndScene();
    graphics->Present();
    D3DLOCKED_RECT locked {};
    IDirect3DSurface9* surface = graphics->GetBackBuffer();
    if (surface != nullptr && SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        benchmark::DoNotOptimize(*static_cast<const uint32_t*>(locked.pBits));
        surface->UnlockRect();
    }
}

// The probe's own pieces: a 256 x 256 texture, a grid of 20,000 lit triangles seen by a
// camera, and the screen-space quads.
class Probe
{
public:
    Probe()
    {
        std::vector<uint8_t> texels(256 * 256 * 4);
        for (size_t i = 0; i < texels.size(); ++i) {
            texels[i] = static_cast<uint8_t>(i * 7);
        }
        LImage image;
        image.Create(256, 256, 256 * 4, L_IMAGE_FORMAT_A8R8G8B8, texels.data(), static_cast<int>(texels.size()));
        mTexture = LTextureManager::Get()->CreateTexture(LString("bench_probe"), &image);

        // 100 x 100 cells of two triangles, a gentle wave so that the light varies.
        constexpr int kCells = 100;
        std::vector<float> vertices;
        std::vector<unsigned> indices;
        for (int z = 0; z <= kCells; ++z) {
            for (int x = 0; x <= kCells; ++x) {
                const float height = static_cast<float>((x * 13 + z * 7) % 10);
                vertices.insert(vertices.end(), {x * 4.0f, height, z * 4.0f, 0.0f, 1.0f, 0.0f, x / 100.0f, z / 100.0f});
            }
        }
        for (unsigned z = 0; z < kCells; ++z) {
            for (unsigned x = 0; x < kCells; ++x) {
                const unsigned a = z * (kCells + 1) + x;
                indices.insert(indices.end(), {a, a + kCells + 1, a + 1, a + 1, a + kCells + 1, a + kCells + 2});
            }
        }
        mGrid.reset(LModelBuilder::StaticMesh(vertices, indices));
        mCamera.SetPosition(200.0f, 250.0f, -150.0f);
        mCamera.SetTarget(200.0f, 0.0f, 200.0f);
        mLight.mDirection = LVector3(0.3f, -1.0f, 0.5f);

        const float l = -0.5f, t = -0.5f, r = kWidth - 0.5f, b = kHeight - 0.5f;
        const float textured[] = {l, t, 0.5f, 0, 0, r, t, 0.5f, 1, 0, l, b, 0.5f, 0, 1, r, b, 0.5f, 1, 1};
        mTexturedQuad.Create(3, textured, 4);
        const float c = 0.5f;
        const float shaded[] = {l, t, 0.1f, c, c, c, c, r, t, 0.1f, c, c, c, c,
                                l, b, 0.1f, c, c, c, c, r, b, 0.1f, c, c, c, c};
        mColorQuad.Create(2, shaded, 4);
    }

    bool IsReady() const { return mTexture != 0 && mGrid != nullptr; }

    void Draw(LIRasterizer& aRasterizer)
    {
        const LMatrix4 screen(2.0f / kWidth, 0, 0, 0, 0, -2.0f / kHeight, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1);
        const LMatrix4 identity;
        aRasterizer.Clear();
        // The background: a textured quad over the whole screen.
        aRasterizer.SetLighting(false);
        aRasterizer.SetZEnable(false);
        aRasterizer.SetTransform(LIRasterizer::kWorld, &identity);
        aRasterizer.SetTransform(LIRasterizer::kView, &identity);
        aRasterizer.SetTransform(LIRasterizer::kProjection, &screen);
        aRasterizer.SetTexture(mTexture);
        aRasterizer.SetVertexBuffer(&mTexturedQuad);
        aRasterizer.DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2);
        aRasterizer.SetTexture();
        // 20,000 lit triangles under one light.
        aRasterizer.SetZEnable(true);
        aRasterizer.SetZWriteEnable(true);
        mCamera.Apply();
        aRasterizer.SetLighting(true);
        aRasterizer.SetLight(0, &mLight);
        aRasterizer.LightEnable(0, true);
        mGrid->Render();
        aRasterizer.SetLighting(false);
        // A stencil pass: the grid counted into the stencil, no colour written.
        aRasterizer.SetStencilEnable(true);
        aRasterizer.SetStencilFunc(LIRasterizer::kAlways, 0, 0xFF);
        aRasterizer.SetStencilPass(LIRasterizer::kIncr);
        aRasterizer.SetColorWriteEnable(false);
        aRasterizer.SetZWriteEnable(false);
        mGrid->Render();
        aRasterizer.SetColorWriteEnable(true);
        aRasterizer.SetStencilEnable(false);
        // A blend over the whole screen.
        aRasterizer.SetZEnable(false);
        aRasterizer.SetTransform(LIRasterizer::kWorld, &identity);
        aRasterizer.SetTransform(LIRasterizer::kView, &identity);
        aRasterizer.SetTransform(LIRasterizer::kProjection, &screen);
        aRasterizer.SetAlphaBlendEnable(true);
        aRasterizer.SetBlendFunc(LIRasterizer::kBlendSrcAlpha, LIRasterizer::kBlendInvSrcAlpha);
        aRasterizer.SetVertexBuffer(&mColorQuad);
        aRasterizer.DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2);
        aRasterizer.SetAlphaBlendEnable(false);
        aRasterizer.SetZEnable(true);
        aRasterizer.SetZWriteEnable(true);
    }

private:
    uint32_t mTexture = 0;
    std::unique_ptr<LMesh> mGrid;
    LCamera mCamera;
    LLight mLight {LLight::kDirectional};
    LVertexBuffer mTexturedQuad;
    LVertexBuffer mColorQuad;
};

void ProbeFrame(benchmark::State& aState)
{
    if (!TheWorld().mReady) {
        aState.SkipWithError("no device");
        return;
    }
    Probe probe;
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (!probe.IsReady()) {
        aState.SkipWithError("probe not made");
        return;
    }
    for (auto _ : aState) {
        LGraphicsDX9::Get()->BeginScene();
        probe.Draw(*rasterizer);
        Finish();
    }
}
BENCHMARK(ProbeFrame)->Unit(benchmark::kMillisecond);

bool LoadLocation()
{
    return GMSceneManager::GetInstance()->LoadScene(LString(GMTestScene::kRiverbank), true, true);
}

void SceneLoad(benchmark::State& aState)
{
    if (!TheWorld().mReady) {
        aState.SkipWithError("no device");
        return;
    }
    for (auto _ : aState) {
        if (!LoadLocation()) {
            aState.SkipWithError("the location does not load");
            return;
        }
    }
    GMSceneManager::GetInstance()->UnloadScene();
}
BENCHMARK(SceneLoad)->Unit(benchmark::kMillisecond);

// One frame as the application makes it: clear, the frame listeners, the scene's update
// and drawing, then the 2-D display.
void SceneFrame(benchmark::State& aState)
{
    if (!TheWorld().mReady || !LoadLocation()) {
        aState.SkipWithError("the location does not load");
        return;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    for (auto _ : aState) {
        LGraphicsDX9::Get()->BeginScene();
        rasterizer->Clear();
        rasterizer->SetAlphaBlendEnable(true);
        LFrameManager::Get()->Update();
        scenes->Update();
        scenes->Render();
        LDisplayManager::Get()->Render();
        Finish();
    }
    scenes->UnloadScene();
}
BENCHMARK(SceneFrame)->Unit(benchmark::kMillisecond);

} // namespace
