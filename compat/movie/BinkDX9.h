// The movie copy type that matches a Direct3D 9 surface, for BinkCopyToBuffer.
#pragma once
#include <cstdint>

class IDirect3DSurface9;

// BINKSURFACE32A for a surface with alpha (A8R8G8B8), BINKSURFACE32 for one without
// (X8R8G8B8); 0, which BinkCopyToBuffer refuses, for any other surface or none.
uint32_t BinkDX9SurfaceType(IDirect3DSurface9* aSurface);
