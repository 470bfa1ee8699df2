// What the drawing tests on the software GL stand-in share: a hidden window, the present
// parameters of a small windowed back buffer with depth and stencil, the picture read
// back from a surface, and a per-channel comparison of pixels. Compare pixels on flat
// areas, never on edges.
#pragma once
#include "d3d9/D3D9.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// A hidden window of the size (null when none could be made).
HWND MakeTestWindow(int aWidth, int aHeight);
// A windowed A8R8G8B8 back buffer of the size with a D24S8 depth-stencil buffer.
D3DPRESENT_PARAMETERS TestPresentParameters(HWND aWindow, int aWidth, int aHeight);
// The surface's top-left aWidth x aHeight pixels, rows top down, one 0xAARRGGBB word per
// pixel (a failed lock is a test failure and gives zeros).
std::vector<uint32_t> ReadPicture(IDirect3DSurface9* aSurface, int aWidth, int aHeight);
// Each channel of an 0xAARRGGBB pixel within aTolerance of the expected one.
testing::AssertionResult PixelNear(uint32_t aPixel, uint32_t aExpected, int aTolerance = 2);
