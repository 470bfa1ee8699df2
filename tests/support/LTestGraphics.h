// A hidden window with an initialised graphics device of a small windowed back buffer,
// for drawing tests of the engine's device classes on the software GL stand-in, and the
// picture read back. Compare pixels with a tolerance on flat areas, never on edges.
#pragma once
#include "Render/LGraphicsDX9.h"

#include <gtest/gtest.h>

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
    std::vector<uint32_t> Picture() const;
    uint32_t Pixel(int aX, int aY) const;

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

// Each channel of an 0xAARRGGBB pixel within aTolerance of the expected one.
testing::AssertionResult PixelNear(uint32_t aPixel, uint32_t aExpected, int aTolerance = 2);
