#include "Render/LGraphicsDX9.h"

#include "Render/LPlatformParams.h"
#include "stdlib/LLog.h"

namespace {

LGraphicsDX9* sInstance = nullptr;

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

} // namespace

LGraphicsDX9* LGraphicsDX9::Get()
{
    return sInstance;
}

LGraphicsDX9::LGraphicsDX9()
{
    sInstance = this;
}

LGraphicsDX9::~LGraphicsDX9()
{
    if (mBackBuffer) {
        mBackBuffer->Release();
        mBackBuffer = nullptr;
    }
    if (mDevice) {
        mDevice->Release();
        mDevice = nullptr;
    }
    if (mDirect3D) {
        mDirect3D->Release();
        mDirect3D = nullptr;
    }
    if (sInstance == this) {
        sInstance = nullptr;
    }
}

bool LGraphicsDX9::Init(LPlatformParams& aParams)
{
    mWidth = aParams.mWidth;
    mHeight = aParams.mHeight;
    mBits = aParams.mBits;
    mWindowed = aParams.mWindowed;
    mWindow = aParams.mWindow;
    mDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!mDirect3D) {
        L_ASSERT_FAILURE("Failed to create D3D object");
        return false;
    }
    D3DPRESENT_PARAMETERS parameters{};
    if (aParams.mPresentParameters) {
        parameters = *aParams.mPresentParameters;
    } else {
        parameters.BackBufferWidth = static_cast<UINT>(mWidth);
        parameters.BackBufferHeight = static_cast<UINT>(mHeight);
        parameters.BackBufferFormat = ChooseBackBufferFormat();
        parameters.BackBufferCount = 1;
        parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
        parameters.MultiSampleQuality = 0;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.hDeviceWindow = mWindow;
        parameters.Windowed = mWindowed ? TRUE : FALSE;
        parameters.EnableAutoDepthStencil = TRUE;
        ChooseDepthFormat(parameters);
        parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
        parameters.FullScreen_RefreshRateInHz = 0;
        parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    }
    return CreateDevice(parameters);
}

D3DFORMAT LGraphicsDX9::ChooseBackBufferFormat()
{
    struct Candidate
    {
        D3DFORMAT mFormat;
        const char16_t* mLine;
    };
    static const Candidate kA8R8G8B8 = {D3DFMT_A8R8G8B8, u"BackBufferFormat = D3DFMT_A8R8G8B8"};
    static const Candidate kX8R8G8B8 = {D3DFMT_X8R8G8B8, u"BackBufferFormat = D3DFMT_X8R8G8B8"};
    static const Candidate kR5G6B5 = {D3DFMT_R5G6B5, u"BackBufferFormat = D3DFMT_R5G6B5"};
    const Candidate* candidates[3] = {};
    int count = 0;
    switch (mBits) {
    case 32:
        candidates[count++] = &kA8R8G8B8;
        candidates[count++] = &kX8R8G8B8;
        candidates[count++] = &kR5G6B5;
        break;
    case 24:
        candidates[count++] = &kX8R8G8B8;
        candidates[count++] = &kR5G6B5;
        break;
    case 16: candidates[count++] = &kR5G6B5; break;
    default: break;
    }
    for (int i = 0; i < count; ++i) {
        UINT modes = mDirect3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, candidates[i]->mFormat);
        for (UINT mode = 0; mode < modes; ++mode) {
            D3DDISPLAYMODE display{};
            if (FAILED(mDirect3D->EnumAdapterModes(D3DADAPTER_DEFAULT, candidates[i]->mFormat, mode, &display))) {
                continue;
            }
            if (display.Width == static_cast<UINT>(mWidth) && display.Height == static_cast<UINT>(mHeight)) {
                Log(candidates[i]->mLine);
                return candidates[i]->mFormat;
            }
        }
    }
    L_ASSERT_FAILURE("Failed to enumerate valid display mode");
    return D3DFMT_UNKNOWN;
}

void LGraphicsDX9::ChooseDepthFormat(D3DPRESENT_PARAMETERS& aParameters)
{
    struct Candidate
    {
        D3DFORMAT mFormat;
        const char16_t* mLine;
    };
    static const Candidate kCandidates[] = {
        {D3DFMT_D24S8, u"AutoDepthStencilFormat = D3DFMT_D24S8"},
        {D3DFMT_D15S1, u"AutoDepthStencilFormat = D3DFMT_D15S1"},
        {D3DFMT_D16, u"AutoDepthStencilFormat = D3DFMT_D16"},
    };
    for (const Candidate& candidate : kCandidates) {
        if (SUCCEEDED(mDirect3D->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                                        aParameters.BackBufferFormat, aParameters.BackBufferFormat,
                                                        candidate.mFormat))) {
            aParameters.AutoDepthStencilFormat = candidate.mFormat;
            Log(candidate.mLine);
            return;
        }
    }
    aParameters.EnableAutoDepthStencil = FALSE;
    Log(u"AutoDepthStencilFormat = None");
}

bool LGraphicsDX9::CreateDevice(D3DPRESENT_PARAMETERS& aParameters)
{
    HRESULT result = mDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mWindow,
                                             D3DCREATE_SOFTWARE_VERTEXPROCESSING, &aParameters, &mDevice);
    if (FAILED(result)) {
        L_ERROR("CreateDevice failure: " + DXError(result));
        mDevice = nullptr;
        return false;
    }
    if (FAILED(mDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &mBackBuffer)) || !mBackBuffer) {
        L_ERROR(" Could not get ptr to backbuffer.");
        return false;
    }
    return true;
}

void LGraphicsDX9::BeginScene()
{
    if (!mDevice || FAILED(mDevice->BeginScene())) {
        Log(u"BeginScene failed");
    }
}

void LGraphicsDX9::EndScene()
{
    if (mDevice) {
        mDevice->EndScene();
    }
}

bool LGraphicsDX9::Present()
{
    if (!mDevice) {
        L_ASSERT_FAILURE("");
        return false;
    }
    return SUCCEEDED(mDevice->Present(nullptr, nullptr, nullptr, nullptr));
}
