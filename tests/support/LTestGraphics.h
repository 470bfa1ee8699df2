// A hidden window with an initialised graphics device of a small windowed back buffer,
// for drawing tests of the engine's device classes on the software GL stand-in, and the
// picture read back.
#pragma once
#include "Render/LGraphicsDX9.h"
#include "support/LTestPicture.h"

#include <cstdint>
#include <vector>

class LTestGraphics
{
public:
    explicit LTestGraphics(int aWidth = 64, int aHeight = 48);
    ~LTestGraphics();
    LTestGraphics(const LTestGraphics&) = delete;
    LTestGraphics& operator=(const LTestGraphics&) = delete;

    // True when the device was made.
    bool IsReady() const { return mReady; }
    IDirect3DDevice9* Device() const { return mGraphics.GetDevice(); }
    int Width() const { return mWidth; }
    int Height() const { return mHeight; }

    // The picture, rows top down, one 0xAARRGGBB word per pixel.
    std::vector<uint32_t> Picture() const { return ReadPicture(mGraphics.GetBackBuffer(), mWidth, mHeight); }
    uint32_t Pixel(int aX, int aY) const { return Picture()[static_cast<size_t>(aY) * mWidth + aX]; }

    // Registers the device creators "rasterizer", "texture" and "devicecaps" unless an id
    // is taken.
    static void RegisterCreators();

private:
    int mWidth;
    int mHeight;
    HWND mWindow = nullptr;
    LGraphicsDX9 mGraphics;
    bool mReady = false;
};
