#include "BinkDX9.h"

#include "Bink.h"
#include "d3d9/D3D9.h"

uint32_t BinkDX9SurfaceType(IDirect3DSurface9* aSurface)
{
    D3DSURFACE_DESC description {};
    if (!aSurface || FAILED(aSurface->GetDesc(&description))) {
        return 0;
    }
    switch (description.Format) {
    case D3DFMT_A8R8G8B8: return BINKSURFACE32A;
    case D3DFMT_X8R8G8B8: return BINKSURFACE32;
    default: return 0;
    }
}
