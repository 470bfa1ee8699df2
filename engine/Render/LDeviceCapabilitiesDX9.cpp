#include "Render/LDeviceCapabilitiesDX9.h"

#include "Render/LGraphicsDX9.h"
#include "stdlib/LLog.h"
#include "win32/WinRegistry.h"

#include <cstring>

LDeviceCapabilitiesDX9::LDeviceCapabilitiesDX9() = default;

LDeviceCapabilitiesDX9::~LDeviceCapabilitiesDX9() = default;

int LDeviceCapabilitiesDX9::Init(int)
{
    return 1;
}

bool LDeviceCapabilitiesDX9::Caps(D3DCAPS9& aCaps)
{
    std::memset(&aCaps, 0, sizeof(aCaps));
    LGraphicsDX9* graphics = LGraphicsDX9::Get();
    IDirect3D9* direct3D = graphics ? graphics->GetDirect3D() : nullptr;
    if (!direct3D) {
        // Outside the contract; answer with an empty record rather than crash.
        L_ASSERT_FAILURE("No graphics device.");
        return false;
    }
    return SUCCEEDED(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &aCaps));
}

uint32_t LDeviceCapabilitiesDX9::GetProcessorMHz()
{
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                                   KEY_QUERY_VALUE, &key);
    if (status != 0) {
        char16_t* text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                       static_cast<DWORD>(status), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       reinterpret_cast<char16_t*>(&text), 0, nullptr);
        MessageBoxW(nullptr, text ? text : u"", u"Error", MB_ICONINFORMATION);
        LocalFree(text);
        return 0;
    }
    DWORD mhz = 0;
    DWORD size = sizeof(mhz);
    status = RegQueryValueExA(key, "~MHz", nullptr, nullptr, reinterpret_cast<BYTE*>(&mhz), &size);
    RegCloseKey(key);
    return status == 0 ? mhz : 0;
}

bool LDeviceCapabilitiesDX9::GetPixelShaderVersion(int& aMajor, int& aMinor)
{
    D3DCAPS9 caps;
    Caps(caps);
    aMajor = static_cast<int>((caps.PixelShaderVersion >> 8) & 0xFF);
    aMinor = static_cast<int>(caps.PixelShaderVersion & 0xFF);
    return true;
}

bool LDeviceCapabilitiesDX9::GetVertexShaderVersion(int& aMajor, int& aMinor)
{
    D3DCAPS9 caps;
    Caps(caps);
    aMajor = static_cast<int>((caps.VertexShaderVersion >> 8) & 0xFF);
    aMinor = static_cast<int>(caps.VertexShaderVersion & 0xFF);
    return true;
}

bool LDeviceCapabilitiesDX9::RequiresPow2Textures()
{
    D3DCAPS9 caps;
    Caps(caps);
    return (caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL) == 0;
}

bool LDeviceCapabilitiesDX9::RequiresSquareTextures()
{
    D3DCAPS9 caps;
    Caps(caps);
    return (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0;
}

uint32_t LDeviceCapabilitiesDX9::GetMaxTextureWidth()
{
    D3DCAPS9 caps;
    Caps(caps);
    return caps.MaxTextureWidth;
}

uint32_t LDeviceCapabilitiesDX9::GetMaxTextureHeight()
{
    D3DCAPS9 caps;
    Caps(caps);
    return caps.MaxTextureHeight;
}

uint32_t LDeviceCapabilitiesDX9::GetMaxVertexIndex()
{
    D3DCAPS9 caps;
    Caps(caps);
    return caps.MaxVertexIndex;
}

bool LDeviceCapabilitiesDX9::SupportsTwoSidedStencil()
{
    D3DCAPS9 caps;
    Caps(caps);
    return (caps.StencilCaps & D3DSTENCILCAPS_TWOSIDED) != 0;
}
