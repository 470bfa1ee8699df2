#include "Render/LPlatformPCDX9.h"

#include "Input/LInputDX9.h"
#include "Input/LMouseDX9.h"
#include "Render/LApp.h"
#include "Render/LGraphicsDX9.h"
#include "Render/LPlatformParams.h"
#include "Render/LWindowWin.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LPlatformPCDX9::LPlatformPCDX9() = default;

LPlatformPCDX9::~LPlatformPCDX9()
{
    NotifyQuit();
    delete mGraphics;
    mGraphics = nullptr;
    delete mInput;
    mInput = nullptr;
    delete mWindow;
    mWindow = nullptr;
}

LString LPlatformPCDX9::Dump() const
{
    return DumpHead("LPlatformPCDX9") + "]";
}

int LPlatformPCDX9::Init(int)
{
    if (mApp) {
        mApp->Init();
    }
    return 1;
}

int LPlatformPCDX9::Init(LPlatformParams& aParams)
{
    mTitle = aParams.mTitle;
    mWidth = aParams.mWidth;
    mHeight = aParams.mHeight;
    mWindowed = aParams.mWindowed;
    mBits = aParams.mBits;
    const bool ownWindow = aParams.mWindow == nullptr;

    mWindow = L_NEW LWindowWin(aParams.mInstance, mTitle, mWidth, mHeight);
    if (!mWindow) {
        L_ERROR(" Could not allocate fpWindow.");
        return 0;
    }
    if (!mWindow->Register(aParams.mInstance)) {
        L_ERROR("Could not register window.");
        return 0;
    }
    if (ownWindow) {
        if (!mWindow->Create(aParams.mInstance, aParams.mShowCommand)) {
            L_ERROR("Could not init window.");
            return 0;
        }
        aParams.mWindow = mWindow->GetHandle();
    } else {
        mWindow->SetHandle(aParams.mWindow);
    }

    mGraphics = L_NEW LGraphicsDX9();
    if (!mGraphics) {
        L_ERROR("Could not allocate fpGraphics.");
        return 0;
    }
    if (!mGraphics->Init(aParams)) {
        return 0;
    }

    if (ownWindow) {
        mInput = L_NEW LInputDX9(this);
        if (mInput) {
            mInput->Init(aParams.mInstance, aParams.mWindow, true, true, true);
        }
    }
    mWindow->Show(aParams.mShowCommand);
    return 1;
}

void LPlatformPCDX9::Quit()
{
    NotifyQuit();
    mQuit = true;
}

void LPlatformPCDX9::OnActivate()
{
    LIPlatform::OnActivate();
    ShowCursor(TRUE);
    if (mApp) {
        mApp->OnActivate();
    }
}

void LPlatformPCDX9::OnDeactivate()
{
    LIPlatform::OnDeactivate();
    ShowCursor(FALSE);
    if (mApp) {
        mApp->OnDeactivate();
    }
}

void LPlatformPCDX9::Frame()
{
    if (mApp) {
        mApp->Update();
    }
}

int LPlatformPCDX9::Run()
{
    if (!mWindow || !mGraphics) {
        L_ERROR("Run failure. The platform is not initialised.");
        return 0;
    }
    while (!mQuit) {
        if (!mWindow->PumpMessages()) {
            break;
        }
        if (LWindowWin::TakeDisturbed() && mInput && mInput->GetMouse()) {
            mInput->GetMouse()->Unacquire();
        }
        mGraphics->BeginScene();
        if (mInput) {
            mInput->Update();
        }
        Frame();
        mGraphics->EndScene();
        mGraphics->Present();
    }
    return 0;
}
