#include "support/LTestGraphics.h"

#include "Render/LDeviceCapabilitiesDX9Creator.h"
#include "Render/LPlatformParams.h"
#include "Render/LRasterizerDX9Creator.h"
#include "Render/LTextureDX9Creator.h"
#include "support/LTestCreator.h"

LTestGraphics::LTestGraphics(int aWidth, int aHeight)
    : mWidth(aWidth), mHeight(aHeight), mWindow(MakeTestWindow(aWidth, aHeight))
{
    if (mWindow == nullptr) {
        return;
    }
    // The device's own search wants a display mode of the size; a test picture has none.
    D3DPRESENT_PARAMETERS parameters = TestPresentParameters(mWindow, aWidth, aHeight);
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

void LTestGraphics::RegisterCreators()
{
    RegisterOnce(L_NEW LRasterizerDX9Creator());
    RegisterOnce(L_NEW LTextureDX9Creator());
    RegisterOnce(L_NEW LDeviceCapabilitiesDX9Creator());
}
