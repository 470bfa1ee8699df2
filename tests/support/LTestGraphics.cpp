#include "support/LTestGraphics.h"

#include "Render/LDeviceCapabilitiesDX9Creator.h"
#include "Render/LPlatformParams.h"
#include "Render/LRasterizerDX9Creator.h"
#include "Render/LTextureDX9Creator.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LRESULT Proc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}

template <typename Creator>
void Register(const char* aId)
{
    LRegistry* registry = LRegistry::Get();
    if (registry == nullptr || registry->GetCreatorIndex(LString(aId)) >= 0) {
        return;
    }
    Creator* creator = L_NEW Creator();
    if (!registry->AddCreator(creator)) {
        delete creator;
    }
}

} // namespace

LTestGraphics::LTestGraphics(int aWidth, int aHeight)
    : mWidth(aWidth), mHeight(aHeight)
{
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Proc;
    windowClass.lpszClassName = "LTestGraphics";
    RegisterClassExA(&windowClass);
    mWindow = CreateWindowExA(0, "LTestGraphics", "", WS_POPUP, 0, 0, aWidth, aHeight, nullptr, nullptr, nullptr,
                              nullptr);
    if (mWindow == nullptr) {
        return;
    }
    // The device's own search wants a display mode of the size; a test picture has none.
    D3DPRESENT_PARAMETERS parameters {};
    parameters.BackBufferWidth = static_cast<UINT>(aWidth);
    parameters.BackBufferHeight = static_cast<UINT>(aHeight);
    parameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = mWindow;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    LPlatformParams params;
    params.mWidth = aWidth;
    params.mHeight = aHeight;
    params.mWindowed = true;
    params.mWindow = mWindow;
    params.mPresentParameters = &parameters;
    mReady = mGraphics.Init(params) && mGraphics.GetDevice() != nullptr;
}

LTestGraphics::~LTestGraphics()
{
    if (mWindow != nullptr) {
        DestroyWindow(mWindow);
    }
}

std::vector<uint32_t> LTestGraphics::Picture() const
{
    std::vector<uint32_t> pixels(static_cast<size_t>(mWidth) * mHeight, 0);
    IDirect3DSurface9* surface = mGraphics.GetBackBuffer();
    D3DLOCKED_RECT locked {};
    if (surface == nullptr || FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "back buffer not readable";
        return pixels;
    }
    for (int y = 0; y < mHeight; ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * mWidth,
                    static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    static_cast<size_t>(mWidth) * 4);
    }
    surface->UnlockRect();
    return pixels;
}

uint32_t LTestGraphics::Pixel(int aX, int aY) const
{
    return Picture()[static_cast<size_t>(aY) * mWidth + aX];
}

void LTestGraphics::RegisterCreators()
{
    Register<LRasterizerDX9Creator>("rasterizer");
    Register<LTextureDX9Creator>("texture");
    Register<LDeviceCapabilitiesDX9Creator>("devicecaps");
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
