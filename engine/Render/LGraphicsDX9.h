// The holder of the Direct3D object, the device and its back buffer. The platform makes
// the one instance after its window; the rasterizer, textures, device capabilities and
// movies reach the device through Get.
#pragma once
#include "d3d9/D3D9.h"

struct LPlatformParams;

class LGraphicsDX9
{
public:
    static LGraphicsDX9* Get();

    LGraphicsDX9();
    ~LGraphicsDX9();

    // Creates the Direct3D object and the device for aParams' window; false (logged) on
    // failure.
    bool Init(LPlatformParams& aParams);

    IDirect3D9* GetDirect3D() const { return mDirect3D; }
    IDirect3DDevice9* GetDevice() const { return mDevice; }
    IDirect3DSurface9* GetBackBuffer() const { return mBackBuffer; }

    void BeginScene();
    void EndScene();
    bool Present();

private:
    D3DFORMAT ChooseBackBufferFormat();
    void ChooseDepthFormat(D3DPRESENT_PARAMETERS& aParameters);
    bool CreateDevice(D3DPRESENT_PARAMETERS& aParameters);

    int mWidth = 0;
    int mHeight = 0;
    int mBits = 0;
    bool mWindowed = false;
    HWND mWindow = nullptr;
    IDirect3D9* mDirect3D = nullptr;
    IDirect3DDevice9* mDevice = nullptr;
    IDirect3DSurface9* mBackBuffer = nullptr;
};
