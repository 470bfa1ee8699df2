// A window and a windowed Direct3D device of a small back buffer for drawing tests, with
// helpers to draw quads and read pixels back through the back buffer.
#pragma once
#include "d3d9/D3D9.h"
#include "support/LTestPicture.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

class D3D9TestDevice
{
public:
    static constexpr UINT kWidth = 64;
    static constexpr UINT kHeight = 48;

    D3D9TestDevice() : mWindow(MakeTestWindow(kWidth, kHeight)), mDirect3D(Direct3DCreate9(D3D_SDK_VERSION))
    {
        if (mWindow && mDirect3D) {
            D3DPRESENT_PARAMETERS parameters = TestPresentParameters(mWindow, kWidth, kHeight);
            mDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    &parameters, &mDevice);
        }
    }

    ~D3D9TestDevice()
    {
        if (mDevice) {
            mDevice->Release();
        }
        if (mDirect3D) {
            mDirect3D->Release();
        }
        if (mWindow) {
            DestroyWindow(mWindow);
        }
    }

    IDirect3DDevice9* operator->() const { return mDevice; }
    IDirect3DDevice9* Get() const { return mDevice; }
    IDirect3D9* Direct3D() const { return mDirect3D; }
    HWND Window() const { return mWindow; }

    // The pixel at (aX, aY) as 0xAARRGGBB.
    uint32_t At(int aX, int aY) const
    {
        IDirect3DSurface9* surface = nullptr;
        EXPECT_EQ(D3D_OK, mDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &surface));
        const uint32_t pixel = ReadPicture(surface, kWidth, kHeight)[size_t(aY) * kWidth + aX];
        surface->Release();
        return pixel;
    }

    struct ScreenVertex
    {
        float x, y, z, rhw;
        D3DCOLOR color;
        float u, v;
    };

    // A pre-transformed quad covering pixels aX..aX+aW-1, aY..aY+aH-1 (the half-pixel
    // shift applied), texture coordinates 0..1, drawn as a clockwise strip (or counter-clockwise).
    void ScreenQuad(float aX, float aY, float aW, float aH, D3DCOLOR aColor = 0xFFFFFFFFu, float aZ = 0.5f,
                    bool aClockwise = true)
    {
        const float left = aX - 0.5f;
        const float top = aY - 0.5f;
        ScreenVertex vertices[4] = {
            {left, top, aZ, 1.0f, aColor, 0.0f, 0.0f},
            {left + aW, top, aZ, 1.0f, aColor, 1.0f, 0.0f},
            {left, top + aH, aZ, 1.0f, aColor, 0.0f, 1.0f},
            {left + aW, top + aH, aZ, 1.0f, aColor, 1.0f, 1.0f},
        };
        if (!aClockwise) {
            std::swap(vertices[1], vertices[2]);
        }
        ASSERT_EQ(D3D_OK, mDevice->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1));
        ASSERT_EQ(D3D_OK, mDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(ScreenVertex)));
    }

private:
    HWND mWindow = nullptr;
    IDirect3D9* mDirect3D = nullptr;
    IDirect3DDevice9* mDevice = nullptr;
};
