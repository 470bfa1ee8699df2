// The two texture helpers of D3DX the engine calls: texture creation and the copy of
// pixels from memory into a surface, with conversion between the pixel formats
// A8R8G8B8, X8R8G8B8, R8G8B8, R5G6B5 and A8. No scaling: a source rectangle larger than
// the destination is cut to it.
#pragma once
#include "D3D9.h"

#define D3DX_DEFAULT 0xFFFFFFFFu
#define D3DX_FILTER_NONE 0x00000001u
#define D3DX_FILTER_POINT 0x00000002u

struct PALETTEENTRY
{
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

HRESULT D3DXCreateTexture(IDirect3DDevice9* aDevice, UINT aWidth, UINT aHeight, UINT aMipLevels, DWORD aUsage,
                          D3DFORMAT aFormat, D3DPOOL aPool, IDirect3DTexture9** aTexture);

HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface9* aDestination, const PALETTEENTRY* aDestinationPalette,
                                  const RECT* aDestinationRect, const void* aSource, D3DFORMAT aSourceFormat,
                                  UINT aSourcePitch, const PALETTEENTRY* aSourcePalette, const RECT* aSourceRect,
                                  DWORD aFilter, D3DCOLOR aColorKey);
