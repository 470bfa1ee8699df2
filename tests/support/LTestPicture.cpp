#include "support/LTestPicture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
LRESULT Proc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}
} // namespace

HWND MakeTestWindow(int aWidth, int aHeight)
{
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Proc;
    windowClass.lpszClassName = "LTestWindow";
    RegisterClassExA(&windowClass); // fails harmlessly once the class exists
    return CreateWindowExA(0, "LTestWindow", "", WS_POPUP, 0, 0, aWidth, aHeight, nullptr, nullptr, nullptr, nullptr);
}

D3DPRESENT_PARAMETERS TestPresentParameters(HWND aWindow, int aWidth, int aHeight)
{
    D3DPRESENT_PARAMETERS parameters {};
    parameters.BackBufferWidth = static_cast<UINT>(aWidth);
    parameters.BackBufferHeight = static_cast<UINT>(aHeight);
    parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = aWindow;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return parameters;
}

std::vector<uint32_t> ReadPicture(IDirect3DSurface9* aSurface, int aWidth, int aHeight)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(aWidth) * aHeight, 0);
    D3DLOCKED_RECT locked {};
    if (aSurface == nullptr || FAILED(aSurface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "surface not readable";
        return pixels;
    }
    for (int y = 0; y < aHeight; ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * aWidth,
                    static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    static_cast<size_t>(aWidth) * 4);
    }
    aSurface->UnlockRect();
    return pixels;
}

testing::AssertionResult PixelNear(uint32_t aPixel, uint32_t aExpected, int aTolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int have = static_cast<int>((aPixel >> shift) & 0xFF);
        const int want = static_cast<int>((aExpected >> shift) & 0xFF);
        if (std::abs(have - want) > aTolerance) {
            char text[64];
            std::snprintf(text, sizeof(text), "pixel %08X, expected %08X", aPixel, aExpected);
            return testing::AssertionFailure() << text;
        }
    }
    return testing::AssertionSuccess();
}
