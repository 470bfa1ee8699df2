// A window and a windowed Direct3D device of a small back buffer for drawing tests, with
// helpers to upload textures, draw quads and read pixels back through the back buffer.
#pragma once
#include "d3d9/D3D9.h"
#include "d3d9/D3DXTexture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <vector>

struct D3D9TestPixel
{
    int b, g, r, a;
};

inline LRESULT D3D9TestWindowProc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}

class D3D9TestDevice
{
public:
    static constexpr UINT kWidth = 64;
    static constexpr UINT kHeight = 48;

    D3D9TestDevice()
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &D3D9TestWindowProc;
        windowClass.lpszClassName = "D3D9Test";
        RegisterClassExA(&windowClass);
        mWindow = CreateWindowExA(0, "D3D9Test", "D3D9Test", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                  nullptr, nullptr);
        mDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (!mWindow || !mDirect3D) {
            return;
        }
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = kWidth;
        parameters.BackBufferHeight = kHeight;
        parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
        parameters.BackBufferCount = 1;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.hDeviceWindow = mWindow;
        parameters.Windowed = TRUE;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
        parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
        mDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                &parameters, &mDevice);
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

    // The whole picture, rows top down, BGRA.
    std::vector<uint8_t> Read() const
    {
        std::vector<uint8_t> pixels(size_t{kWidth} * kHeight * 4);
        IDirect3DSurface9* surface = nullptr;
        EXPECT_EQ(D3D_OK, mDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &surface));
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(D3D_OK, surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
        for (UINT y = 0; y < kHeight; ++y) {
            std::memcpy(pixels.data() + size_t{y} * kWidth * 4,
                        static_cast<uint8_t*>(locked.pBits) + size_t{y} * locked.Pitch, size_t{kWidth} * 4);
        }
        surface->UnlockRect();
        surface->Release();
        return pixels;
    }

    D3D9TestPixel At(int aX, int aY) const
    {
        std::vector<uint8_t> pixels = Read();
        const uint8_t* p = pixels.data() + (size_t(aY) * kWidth + aX) * 4;
        return D3D9TestPixel{p[0], p[1], p[2], p[3]};
    }

    // A texture of aFormat filled from aPixels (tightly packed rows).
    IDirect3DTexture9* Texture(UINT aWidth, UINT aHeight, D3DFORMAT aFormat, const void* aPixels, UINT aBytes)
    {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(D3D_OK, D3DXCreateTexture(mDevice, aWidth, aHeight, 1, 0, aFormat, D3DPOOL_MANAGED, &texture));
        if (!texture) {
            return nullptr;
        }
        IDirect3DSurface9* surface = nullptr;
        texture->GetSurfaceLevel(0, &surface);
        RECT source{0, 0, static_cast<LONG>(aWidth), static_cast<LONG>(aHeight)};
        EXPECT_EQ(D3D_OK, D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, aPixels, aFormat, aWidth * aBytes,
                                                    nullptr, &source, D3DX_FILTER_NONE, 0));
        surface->Release();
        return texture;
    }

    struct ScreenVertex
    {
        float x, y, z, rhw;
        D3DCOLOR color;
        float u, v;
    };

    // A pre-transformed quad covering pixels aX..aX+aW-1, aY..aY+aH-1 (the half-pixel
    // shift applied), texture coordinates 0..1, drawn as a clockwise strip.
    void ScreenQuad(float aX, float aY, float aW, float aH, D3DCOLOR aColor = 0xFFFFFFFFu, float aZ = 0.5f)
    {
        float left = aX - 0.5f;
        float top = aY - 0.5f;
        ScreenVertex vertices[4] = {
            {left, top, aZ, 1.0f, aColor, 0.0f, 0.0f},
            {left + aW, top, aZ, 1.0f, aColor, 1.0f, 0.0f},
            {left, top + aH, aZ, 1.0f, aColor, 0.0f, 1.0f},
            {left + aW, top + aH, aZ, 1.0f, aColor, 1.0f, 1.0f},
        };
        ASSERT_EQ(D3D_OK, mDevice->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1));
        ASSERT_EQ(D3D_OK, mDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(ScreenVertex)));
    }

private:
    HWND mWindow = nullptr;
    IDirect3D9* mDirect3D = nullptr;
    IDirect3DDevice9* mDevice = nullptr;
};

#define EXPECT_PIXEL_NEAR(aPixel, aR, aG, aB, aA, aTolerance)                                   \
    do {                                                                                         \
        const D3D9TestPixel pixelValue = (aPixel);                                               \
        EXPECT_NEAR(pixelValue.r, (aR), (aTolerance)) << "red";                                  \
        EXPECT_NEAR(pixelValue.g, (aG), (aTolerance)) << "green";                                \
        EXPECT_NEAR(pixelValue.b, (aB), (aTolerance)) << "blue";                                 \
        EXPECT_NEAR(pixelValue.a, (aA), (aTolerance)) << "alpha";                                \
    } while (false)
