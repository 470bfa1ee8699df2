#include "D3D9GL.h"
#include "D3D9Impl.h"
#include "win32/WinWindow.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

bool IsDisplayFormat(D3DFORMAT aFormat)
{
    return aFormat == D3DFMT_A8R8G8B8 || aFormat == D3DFMT_X8R8G8B8 || aFormat == D3DFMT_R5G6B5;
}

} // namespace

IDirect3D9* Direct3DCreate9(UINT aSdkVersion)
{
    if (aSdkVersion != D3D_SDK_VERSION) {
        return nullptr;
    }
    if (!WinSdlInit()) {
        D3D9SetErrorDetail(WinLastSdlError());
        return nullptr;
    }
    return new D3D9Object;
}

UINT D3D9Object::GetAdapterCount()
{
    return 1;
}

// The display answers as a 32-bit one that can show the usual sizes in each of the three
// formats (the picture is scaled to the real display anyway).
std::vector<D3DDISPLAYMODE> D3D9Object::Modes(D3DFORMAT aFormat) const
{
    std::vector<D3DDISPLAYMODE> modes;
    if (!IsDisplayFormat(aFormat)) {
        return modes;
    }
    UINT refresh = 60;
    SDL_DisplayMode desktop{};
    bool haveDesktop = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
    if (haveDesktop && desktop.refresh_rate > 0) {
        refresh = static_cast<UINT>(desktop.refresh_rate);
    }
    const UINT sizes[][2] = {{640, 480},   {800, 600},   {1024, 768},  {1280, 720},
                             {1280, 960},  {1280, 1024}, {1600, 900},  {1920, 1080}};
    for (const auto& size : sizes) {
        modes.push_back(D3DDISPLAYMODE{size[0], size[1], refresh, aFormat});
    }
    if (haveDesktop && desktop.w > 0 && desktop.h > 0) {
        UINT width = static_cast<UINT>(desktop.w);
        UINT height = static_cast<UINT>(desktop.h);
        bool known = std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& aMode) {
            return aMode.Width == width && aMode.Height == height;
        });
        if (!known) {
            modes.push_back(D3DDISPLAYMODE{width, height, refresh, aFormat});
        }
    }
    std::sort(modes.begin(), modes.end(), [](const D3DDISPLAYMODE& aLeft, const D3DDISPLAYMODE& aRight) {
        return aLeft.Width != aRight.Width ? aLeft.Width < aRight.Width : aLeft.Height < aRight.Height;
    });
    return modes;
}

UINT D3D9Object::GetAdapterModeCount(UINT aAdapter, D3DFORMAT aFormat)
{
    if (aAdapter != D3DADAPTER_DEFAULT) {
        return 0;
    }
    return static_cast<UINT>(Modes(aFormat).size());
}

HRESULT D3D9Object::EnumAdapterModes(UINT aAdapter, D3DFORMAT aFormat, UINT aMode, D3DDISPLAYMODE* aOut)
{
    if (aAdapter != D3DADAPTER_DEFAULT || !aOut) {
        return D3DERR_INVALIDCALL;
    }
    std::vector<D3DDISPLAYMODE> modes = Modes(aFormat);
    if (aMode >= modes.size()) {
        return D3DERR_INVALIDCALL;
    }
    *aOut = modes[aMode];
    return D3D_OK;
}

HRESULT D3D9Object::GetAdapterDisplayMode(UINT aAdapter, D3DDISPLAYMODE* aOut)
{
    if (aAdapter != D3DADAPTER_DEFAULT || !aOut) {
        return D3DERR_INVALIDCALL;
    }
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        D3D9SetErrorDetail(SDL_GetError());
        return D3DERR_NOTAVAILABLE;
    }
    *aOut = D3DDISPLAYMODE{static_cast<UINT>(desktop.w), static_cast<UINT>(desktop.h),
                           static_cast<UINT>(desktop.refresh_rate > 0 ? desktop.refresh_rate : 60),
                           D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT D3D9Object::CheckDepthStencilMatch(UINT aAdapter, D3DDEVTYPE aType, D3DFORMAT aAdapterFormat,
                                           D3DFORMAT aTargetFormat, D3DFORMAT aDepthFormat)
{
    if (aAdapter != D3DADAPTER_DEFAULT || aType != D3DDEVTYPE_HAL || !IsDisplayFormat(aAdapterFormat) ||
        !IsDisplayFormat(aTargetFormat)) {
        return D3DERR_INVALIDCALL;
    }
    switch (aDepthFormat) {
    case D3DFMT_D24S8:
    case D3DFMT_D24X8:
    case D3DFMT_D16: return D3D_OK;
    default: return D3DERR_NOTAVAILABLE;
    }
}

void D3D9Object::ReadCaps(D3DCAPS9* aCaps)
{
    D3DCAPS9 caps{};
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.AdapterOrdinal = D3DADAPTER_DEFAULT;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    // Any size is allowed: neither powers of two nor square textures are required.
    caps.TextureCaps = D3DPTEXTURECAPS_ALPHA | D3DPTEXTURECAPS_MIPMAP | D3DPTEXTURECAPS_NONPOW2CONDITIONAL;
    caps.StencilCaps = D3DSTENCILCAPS_KEEP | D3DSTENCILCAPS_ZERO | D3DSTENCILCAPS_REPLACE |
                       D3DSTENCILCAPS_INCRSAT | D3DSTENCILCAPS_DECRSAT | D3DSTENCILCAPS_INVERT |
                       D3DSTENCILCAPS_INCR | D3DSTENCILCAPS_DECR | D3DSTENCILCAPS_TWOSIDED;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    GLint maxLights = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    caps.MaxTextureWidth = maxSize > 0 ? static_cast<DWORD>(maxSize) : 2048;
    caps.MaxTextureHeight = caps.MaxTextureWidth;
    caps.MaxActiveLights = maxLights > 0 ? static_cast<DWORD>(maxLights) : 8;
    caps.MaxSimultaneousTextures = 1;
    caps.MaxPrimitiveCount = 0x7FFFFFFF;
    caps.MaxVertexIndex = 0xFFFFFFFF; // 32-bit indices are always available
    caps.MaxStreams = 1;
    caps.MaxStreamStride = 255;
    // No shader path is offered: the fixed-function pipeline is all there is.
    caps.VertexShaderVersion = D3DVS_VERSION(0, 0);
    caps.PixelShaderVersion = D3DPS_VERSION(0, 0);
    *aCaps = caps;
}

HRESULT D3D9Object::GetDeviceCaps(UINT aAdapter, D3DDEVTYPE aType, D3DCAPS9* aCaps)
{
    if (aAdapter != D3DADAPTER_DEFAULT || aType != D3DDEVTYPE_HAL || !aCaps) {
        return D3DERR_INVALIDCALL;
    }
    if (!mHaveCaps) {
        if (SDL_GL_GetCurrentContext()) {
            ReadCaps(&mCaps);
        } else {
            // No device yet: ask a small hidden context.
            SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
            SDL_Window* window = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
            SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
            if (!context) {
                D3D9SetErrorDetail(SDL_GetError());
                if (window) {
                    SDL_DestroyWindow(window);
                }
                return D3DERR_NOTAVAILABLE;
            }
            ReadCaps(&mCaps);
            SDL_GL_MakeCurrent(window, nullptr);
            SDL_GL_DeleteContext(context);
            SDL_DestroyWindow(window);
        }
        mHaveCaps = true;
    }
    *aCaps = mCaps;
    return D3D_OK;
}

HRESULT D3D9Object::CreateDevice(UINT aAdapter, D3DDEVTYPE aType, HWND aFocusWindow, DWORD,
                                 D3DPRESENT_PARAMETERS* aParameters, IDirect3DDevice9** aDevice)
{
    if (!aDevice) {
        return D3DERR_INVALIDCALL;
    }
    *aDevice = nullptr;
    if (aAdapter != D3DADAPTER_DEFAULT || aType != D3DDEVTYPE_HAL || !aParameters) {
        D3D9SetErrorDetail("only the default adapter's HAL device exists");
        return D3DERR_INVALIDCALL;
    }
    HWND window = aParameters->hDeviceWindow ? aParameters->hDeviceWindow : aFocusWindow;
    if (!IsWindow(window)) {
        D3D9SetErrorDetail("no window to draw into");
        return D3DERR_INVALIDCALL;
    }
    D3DPRESENT_PARAMETERS parameters = *aParameters;
    if (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0) {
        if (!parameters.Windowed) {
            D3D9SetErrorDetail("a full-screen device needs a back-buffer size");
            return D3DERR_INVALIDCALL;
        }
        RECT client{};
        GetClientRect(window, &client);
        parameters.BackBufferWidth = static_cast<UINT>(client.right);
        parameters.BackBufferHeight = static_cast<UINT>(client.bottom);
    }
    if (parameters.BackBufferFormat == D3DFMT_UNKNOWN && parameters.Windowed) {
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    }
    if (!IsDisplayFormat(parameters.BackBufferFormat)) {
        D3D9SetErrorDetail("no such back-buffer format");
        return D3DERR_INVALIDCALL;
    }
    if (parameters.BackBufferWidth > 16384 || parameters.BackBufferHeight > 16384) {
        D3D9SetErrorDetail("back buffer too large");
        return D3DERR_INVALIDCALL;
    }
    if (parameters.EnableAutoDepthStencil &&
        FAILED(CheckDepthStencilMatch(aAdapter, aType, parameters.BackBufferFormat, parameters.BackBufferFormat,
                                      parameters.AutoDepthStencilFormat))) {
        D3D9SetErrorDetail("no such depth-stencil format");
        return D3DERR_INVALIDCALL;
    }
    D3D9Device* device = new D3D9Device(this, window, parameters);
    if (!device->Create()) {
        device->Release();
        return D3DERR_NOTAVAILABLE;
    }
    if (!mHaveCaps) {
        device->GetDeviceCaps(&mCaps);
        mHaveCaps = true;
    }
    *aParameters = parameters;
    *aDevice = device;
    return D3D_OK;
}
