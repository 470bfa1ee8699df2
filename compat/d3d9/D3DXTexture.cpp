#include "D3DXTexture.h"

#include "D3D9Impl.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t ReadPixel(const uint8_t* aPixel, D3DFORMAT aFormat)
{
    switch (aFormat) {
    case D3DFMT_A8R8G8B8: {
        uint32_t value;
        std::memcpy(&value, aPixel, 4);
        return value;
    }
    case D3DFMT_X8R8G8B8: {
        uint32_t value;
        std::memcpy(&value, aPixel, 4);
        return value | 0xFF000000u;
    }
    case D3DFMT_R8G8B8: return 0xFF000000u | (uint32_t{aPixel[2]} << 16) | (uint32_t{aPixel[1]} << 8) | aPixel[0];
    case D3DFMT_R5G6B5: {
        uint16_t value;
        std::memcpy(&value, aPixel, 2);
        uint32_t red = (value >> 11) & 0x1F;
        uint32_t green = (value >> 5) & 0x3F;
        uint32_t blue = value & 0x1F;
        return 0xFF000000u | (((red << 3) | (red >> 2)) << 16) | (((green << 2) | (green >> 4)) << 8) |
               ((blue << 3) | (blue >> 2));
    }
    case D3DFMT_A8: return uint32_t{aPixel[0]} << 24;
    default: return 0;
    }
}

void WritePixel(uint8_t* aPixel, D3DFORMAT aFormat, uint32_t aArgb)
{
    switch (aFormat) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: std::memcpy(aPixel, &aArgb, 4); break;
    case D3DFMT_R8G8B8:
        aPixel[0] = static_cast<uint8_t>(aArgb);
        aPixel[1] = static_cast<uint8_t>(aArgb >> 8);
        aPixel[2] = static_cast<uint8_t>(aArgb >> 16);
        break;
    case D3DFMT_R5G6B5: {
        uint16_t value = static_cast<uint16_t>((((aArgb >> 19) & 0x1F) << 11) | (((aArgb >> 10) & 0x3F) << 5) |
                                               ((aArgb >> 3) & 0x1F));
        std::memcpy(aPixel, &value, 2);
        break;
    }
    case D3DFMT_A8: aPixel[0] = static_cast<uint8_t>(aArgb >> 24); break;
    default: break;
    }
}

} // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice9* aDevice, UINT aWidth, UINT aHeight, UINT aMipLevels, DWORD aUsage,
                          D3DFORMAT aFormat, D3DPOOL aPool, IDirect3DTexture9** aTexture)
{
    if (!aDevice || !aTexture) {
        return D3DERR_INVALIDCALL;
    }
    UINT width = (aWidth == 0 || aWidth == D3DX_DEFAULT) ? 256 : aWidth;
    UINT height = (aHeight == 0 || aHeight == D3DX_DEFAULT) ? 256 : aHeight;
    UINT levels = aMipLevels == D3DX_DEFAULT ? 0 : aMipLevels;
    return aDevice->CreateTexture(width, height, levels, aUsage, aFormat, aPool, aTexture, nullptr);
}

HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface9* aDestination, const PALETTEENTRY*, const RECT* aDestinationRect,
                                  const void* aSource, D3DFORMAT aSourceFormat, UINT aSourcePitch,
                                  const PALETTEENTRY*, const RECT* aSourceRect, DWORD, D3DCOLOR)
{
    if (!aDestination || !aSource || !aSourceRect) {
        return D3DERR_INVALIDCALL;
    }
    UINT sourceBytes = D3D9BytesPerPixel(aSourceFormat);
    if (sourceBytes == 0 || aSourceRect->left < 0 || aSourceRect->top < 0 ||
        aSourceRect->right <= aSourceRect->left || aSourceRect->bottom <= aSourceRect->top ||
        uint64_t(aSourceRect->right) * sourceBytes > aSourcePitch) {
        return D3DERR_INVALIDCALL;
    }
    D3DSURFACE_DESC desc{};
    if (FAILED(aDestination->GetDesc(&desc))) {
        return D3DERR_INVALIDCALL;
    }
    UINT targetBytes = D3D9BytesPerPixel(desc.Format);
    if (targetBytes == 0) {
        return D3DERR_INVALIDCALL;
    }
    RECT target = aDestinationRect ? *aDestinationRect
                                   : RECT{0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    if (target.left < 0 || target.top < 0 || target.right <= target.left || target.bottom <= target.top ||
        static_cast<UINT>(target.right) > desc.Width || static_cast<UINT>(target.bottom) > desc.Height) {
        return D3DERR_INVALIDCALL;
    }
    LONG width = std::min(target.right - target.left, aSourceRect->right - aSourceRect->left);
    LONG height = std::min(target.bottom - target.top, aSourceRect->bottom - aSourceRect->top);

    D3DLOCKED_RECT locked{};
    if (FAILED(aDestination->LockRect(&locked, &target, 0))) {
        return D3DERR_INVALIDCALL;
    }
    const uint8_t* source = static_cast<const uint8_t*>(aSource);
    for (LONG y = 0; y < height; ++y) {
        const uint8_t* from = source + size_t(aSourceRect->top + y) * aSourcePitch + size_t(aSourceRect->left) * sourceBytes;
        uint8_t* to = static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch;
        if (aSourceFormat == desc.Format) {
            std::memcpy(to, from, size_t(width) * sourceBytes);
        } else {
            for (LONG x = 0; x < width; ++x) {
                WritePixel(to + size_t(x) * targetBytes, desc.Format, ReadPixel(from + size_t(x) * sourceBytes, aSourceFormat));
            }
        }
    }
    aDestination->UnlockRect();
    return D3D_OK;
}
