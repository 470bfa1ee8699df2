// The record with which start-up initialises the platform.
#pragma once
#include "container/LString.h"
#include "d3d9/D3D9.h"

struct LPlatformParams
{
    LString mTitle = LString(u"Test");
    int mWidth = 800;
    int mHeight = 600;
    int mBits = 32;
    bool mWindowed = false;
    HINSTANCE mInstance = nullptr;
    int mShowCommand = SW_SHOWDEFAULT;
    const char* mCommandLine = nullptr;
    // An existing window to use; when null, the platform writes the window it made here.
    HWND mWindow = nullptr;
    // Ready-made device settings that replace the platform's own choice.
    D3DPRESENT_PARAMETERS* mPresentParameters = nullptr;
};
