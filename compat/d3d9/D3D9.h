// The Direct3D 9 interface subset the engine draws through, implemented over OpenGL
// (compatibility profile, fixed-function pipeline) in the window's GL context.
//
// Direct3D's semantics are kept: matrices are row-vector, left-handed and loaded as
// they are; depth runs 0..1; pixel centres lie on whole numbers (a pre-transformed quad
// from (-0.5, -0.5) maps texel (0, 0) to pixel (0, 0) exactly); colours are BGRA in
// memory (D3DCOLOR = A8R8G8B8 words); clockwise faces are front faces; INCR/DECR wrap
// and INCRSAT/DECRSAT clamp; two-sided stencil; the fixed-function lighting formula with
// global ambient 0 and specular off by default; a vertex without colour is white and
// one without texture coordinates samples (0, 0).
//
// The picture is drawn into an off-screen buffer of the back-buffer size; Present
// scales it into the window with its aspect kept and swaps.
#pragma once
#include "D3D9Types.h"
#include "win32/WinUser.h"

// ---- results ---------------------------------------------------------------------
#define S_OK 0
#define S_FALSE 1
#define E_FAIL static_cast<HRESULT>(0x80004005u)
#define E_NOTIMPL static_cast<HRESULT>(0x80004001u)
#define E_OUTOFMEMORY static_cast<HRESULT>(0x8007000Eu)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057u)
#define E_ACCESSDENIED static_cast<HRESULT>(0x80070005u)
#define SUCCEEDED(aResult) (static_cast<HRESULT>(aResult) >= 0)
#define FAILED(aResult) (static_cast<HRESULT>(aResult) < 0)

#define D3D_OK S_OK
#define D3DERR_WRONGTEXTUREFORMAT static_cast<HRESULT>(0x88760818u)
#define D3DERR_NOTFOUND static_cast<HRESULT>(0x88760866u)
#define D3DERR_MOREDATA static_cast<HRESULT>(0x88760867u)
#define D3DERR_DEVICELOST static_cast<HRESULT>(0x88760868u)
#define D3DERR_NOTAVAILABLE static_cast<HRESULT>(0x8876086Au)
#define D3DERR_OUTOFVIDEOMEMORY static_cast<HRESULT>(0x8876017Cu)
#define D3DERR_INVALIDCALL static_cast<HRESULT>(0x8876086Cu)

#define D3D_SDK_VERSION 31
#define D3DADAPTER_DEFAULT 0u

// ---- formats and enumerations -------------------------------------------------------
enum D3DFORMAT : DWORD {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_R8G8B8 = 20,
    D3DFMT_A8R8G8B8 = 21,
    D3DFMT_X8R8G8B8 = 22,
    D3DFMT_R5G6B5 = 23,
    D3DFMT_A8 = 28,
    D3DFMT_D16 = 80,
    D3DFMT_D15S1 = 73,
    D3DFMT_D24S8 = 75,
    D3DFMT_D24X8 = 77,
    D3DFMT_INDEX16 = 101,
    D3DFMT_INDEX32 = 102,
};

enum D3DDEVTYPE : DWORD { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2, D3DDEVTYPE_SW = 3 };
enum D3DMULTISAMPLE_TYPE : DWORD { D3DMULTISAMPLE_NONE = 0 };
enum D3DSWAPEFFECT : DWORD { D3DSWAPEFFECT_DISCARD = 1, D3DSWAPEFFECT_FLIP = 2, D3DSWAPEFFECT_COPY = 3 };
enum D3DPOOL : DWORD { D3DPOOL_DEFAULT = 0, D3DPOOL_MANAGED = 1, D3DPOOL_SYSTEMMEM = 2, D3DPOOL_SCRATCH = 3 };
enum D3DRESOURCETYPE : DWORD {
    D3DRTYPE_SURFACE = 1,
    D3DRTYPE_TEXTURE = 3,
    D3DRTYPE_VERTEXBUFFER = 6,
    D3DRTYPE_INDEXBUFFER = 7,
};
enum D3DBACKBUFFER_TYPE : DWORD { D3DBACKBUFFER_TYPE_MONO = 0 };

enum D3DPRIMITIVETYPE : DWORD {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

enum D3DTRANSFORMSTATETYPE : DWORD {
    D3DTS_VIEW = 2,
    D3DTS_PROJECTION = 3,
    D3DTS_TEXTURE0 = 16,
    D3DTS_WORLD = 256,
};
#define D3DTS_WORLDMATRIX(aIndex) static_cast<D3DTRANSFORMSTATETYPE>((aIndex) + 256)

enum D3DRENDERSTATETYPE : DWORD {
    D3DRS_ZENABLE = 7,
    D3DRS_FILLMODE = 8,
    D3DRS_SHADEMODE = 9,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_ALPHATESTENABLE = 15,
    D3DRS_LASTPIXEL = 16,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHAREF = 24,
    D3DRS_ALPHAFUNC = 25,
    D3DRS_DITHERENABLE = 26,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_STENCILENABLE = 52,
    D3DRS_STENCILFAIL = 53,
    D3DRS_STENCILZFAIL = 54,
    D3DRS_STENCILPASS = 55,
    D3DRS_STENCILFUNC = 56,
    D3DRS_STENCILREF = 57,
    D3DRS_STENCILMASK = 58,
    D3DRS_STENCILWRITEMASK = 59,
    D3DRS_TEXTUREFACTOR = 60,
    D3DRS_LIGHTING = 137,
    D3DRS_AMBIENT = 139,
    D3DRS_COLORVERTEX = 141,
    D3DRS_LOCALVIEWER = 142,
    D3DRS_NORMALIZENORMALS = 143,
    D3DRS_DIFFUSEMATERIALSOURCE = 145,
    D3DRS_SPECULARMATERIALSOURCE = 146,
    D3DRS_AMBIENTMATERIALSOURCE = 147,
    D3DRS_EMISSIVEMATERIALSOURCE = 148,
    D3DRS_COLORWRITEENABLE = 168,
    D3DRS_BLENDOP = 171,
    D3DRS_SCISSORTESTENABLE = 174,
    D3DRS_TWOSIDEDSTENCILMODE = 185,
    D3DRS_CCW_STENCILFAIL = 186,
    D3DRS_CCW_STENCILZFAIL = 187,
    D3DRS_CCW_STENCILPASS = 188,
    D3DRS_CCW_STENCILFUNC = 189,
    D3DRS_BLENDFACTOR = 193,
};
#define D3D9_RENDER_STATE_COUNT 256

enum D3DZBUFFERTYPE : DWORD { D3DZB_FALSE = 0, D3DZB_TRUE = 1 };
enum D3DFILLMODE : DWORD { D3DFILL_POINT = 1, D3DFILL_WIREFRAME = 2, D3DFILL_SOLID = 3 };
enum D3DSHADEMODE : DWORD { D3DSHADE_FLAT = 1, D3DSHADE_GOURAUD = 2 };
enum D3DCULL : DWORD { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };
enum D3DCMPFUNC : DWORD {
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};
enum D3DSTENCILOP : DWORD {
    D3DSTENCILOP_KEEP = 1,
    D3DSTENCILOP_ZERO = 2,
    D3DSTENCILOP_REPLACE = 3,
    D3DSTENCILOP_INCRSAT = 4,
    D3DSTENCILOP_DECRSAT = 5,
    D3DSTENCILOP_INVERT = 6,
    D3DSTENCILOP_INCR = 7,
    D3DSTENCILOP_DECR = 8,
};
enum D3DBLEND : DWORD {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
    D3DBLEND_BOTHSRCALPHA = 12,
    D3DBLEND_BOTHINVSRCALPHA = 13,
    D3DBLEND_BLENDFACTOR = 14,
    D3DBLEND_INVBLENDFACTOR = 15,
};
enum D3DBLENDOP : DWORD {
    D3DBLENDOP_ADD = 1,
    D3DBLENDOP_SUBTRACT = 2,
    D3DBLENDOP_REVSUBTRACT = 3,
    D3DBLENDOP_MIN = 4,
    D3DBLENDOP_MAX = 5,
};
enum D3DMATERIALCOLORSOURCE : DWORD { D3DMCS_MATERIAL = 0, D3DMCS_COLOR1 = 1, D3DMCS_COLOR2 = 2 };

#define D3DCOLORWRITEENABLE_RED 0x1u
#define D3DCOLORWRITEENABLE_GREEN 0x2u
#define D3DCOLORWRITEENABLE_BLUE 0x4u
#define D3DCOLORWRITEENABLE_ALPHA 0x8u

enum D3DTEXTURESTAGESTATETYPE : DWORD {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
};
#define D3D9_STAGE_STATE_COUNT 33

enum D3DTEXTUREOP : DWORD {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_MODULATE4X = 6,
    D3DTOP_ADD = 7,
    D3DTOP_ADDSIGNED = 8,
    D3DTOP_ADDSIGNED2X = 9,
    D3DTOP_SUBTRACT = 10,
    D3DTOP_ADDSMOOTH = 11,
    D3DTOP_BLENDDIFFUSEALPHA = 12,
    D3DTOP_BLENDTEXTUREALPHA = 13,
    D3DTOP_BLENDFACTORALPHA = 14,
    D3DTOP_BLENDCURRENTALPHA = 16,
};

#define D3DTA_DIFFUSE 0x00000000u
#define D3DTA_CURRENT 0x00000001u
#define D3DTA_TEXTURE 0x00000002u
#define D3DTA_TFACTOR 0x00000003u
#define D3DTA_SELECTMASK 0x0000000Fu
#define D3DTA_COMPLEMENT 0x00000010u
#define D3DTA_ALPHAREPLICATE 0x00000020u

enum D3DSAMPLERSTATETYPE : DWORD {
    D3DSAMP_ADDRESSU = 1,
    D3DSAMP_ADDRESSV = 2,
    D3DSAMP_ADDRESSW = 3,
    D3DSAMP_BORDERCOLOR = 4,
    D3DSAMP_MAGFILTER = 5,
    D3DSAMP_MINFILTER = 6,
    D3DSAMP_MIPFILTER = 7,
};
#define D3D9_SAMPLER_STATE_COUNT 14

enum D3DTEXTUREADDRESS : DWORD {
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_MIRROR = 2,
    D3DTADDRESS_CLAMP = 3,
    D3DTADDRESS_BORDER = 4,
    D3DTADDRESS_MIRRORONCE = 5,
};
enum D3DTEXTUREFILTERTYPE : DWORD {
    D3DTEXF_NONE = 0,
    D3DTEXF_POINT = 1,
    D3DTEXF_LINEAR = 2,
    D3DTEXF_ANISOTROPIC = 3,
};

enum D3DLIGHTTYPE : DWORD { D3DLIGHT_POINT = 1, D3DLIGHT_SPOT = 2, D3DLIGHT_DIRECTIONAL = 3 };

// Flexible vertex format bits
#define D3DFVF_XYZ 0x002u
#define D3DFVF_XYZRHW 0x004u
#define D3DFVF_POSITION_MASK 0x400Eu
#define D3DFVF_NORMAL 0x010u
#define D3DFVF_PSIZE 0x020u
#define D3DFVF_DIFFUSE 0x040u
#define D3DFVF_SPECULAR 0x080u
#define D3DFVF_TEXCOUNT_MASK 0xF00u
#define D3DFVF_TEXCOUNT_SHIFT 8
#define D3DFVF_TEX0 0x000u
#define D3DFVF_TEX1 0x100u
#define D3DFVF_TEX2 0x200u

// Vertex declarations
enum D3DDECLTYPE : BYTE {
    D3DDECLTYPE_FLOAT1 = 0,
    D3DDECLTYPE_FLOAT2 = 1,
    D3DDECLTYPE_FLOAT3 = 2,
    D3DDECLTYPE_FLOAT4 = 3,
    D3DDECLTYPE_D3DCOLOR = 4,
    D3DDECLTYPE_UNUSED = 17,
};
enum D3DDECLMETHOD : BYTE { D3DDECLMETHOD_DEFAULT = 0 };
enum D3DDECLUSAGE : BYTE {
    D3DDECLUSAGE_POSITION = 0,
    D3DDECLUSAGE_NORMAL = 3,
    D3DDECLUSAGE_TEXCOORD = 5,
    D3DDECLUSAGE_POSITIONT = 9,
    D3DDECLUSAGE_COLOR = 10,
};

struct D3DVERTEXELEMENT9
{
    WORD Stream;
    WORD Offset;
    BYTE Type;
    BYTE Method;
    BYTE Usage;
    BYTE UsageIndex;
};
#define D3DDECL_END() {0xFF, 0, D3DDECLTYPE_UNUSED, 0, 0, 0}

// Usage, lock and clear flags
#define D3DUSAGE_RENDERTARGET 0x00000001u
#define D3DUSAGE_DEPTHSTENCIL 0x00000002u
#define D3DUSAGE_WRITEONLY 0x00000008u
#define D3DUSAGE_SOFTWAREPROCESSING 0x00000010u
#define D3DUSAGE_DYNAMIC 0x00000200u

#define D3DLOCK_READONLY 0x00000010u
#define D3DLOCK_DISCARD 0x00002000u
#define D3DLOCK_NOOVERWRITE 0x00001000u

#define D3DCLEAR_TARGET 0x00000001u
#define D3DCLEAR_ZBUFFER 0x00000002u
#define D3DCLEAR_STENCIL 0x00000004u

#define D3DCREATE_SOFTWARE_VERTEXPROCESSING 0x00000020u
#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x00000040u

#define D3DPRESENTFLAG_LOCKABLE_BACKBUFFER 0x00000001u
#define D3DPRESENT_INTERVAL_DEFAULT 0x00000000u
#define D3DPRESENT_INTERVAL_ONE 0x00000001u
#define D3DPRESENT_INTERVAL_IMMEDIATE 0x80000000u

// Capability bits
#define D3DPTEXTURECAPS_POW2 0x00000002u
#define D3DPTEXTURECAPS_ALPHA 0x00000004u
#define D3DPTEXTURECAPS_SQUAREONLY 0x00000020u
#define D3DPTEXTURECAPS_NONPOW2CONDITIONAL 0x00000100u
#define D3DPTEXTURECAPS_MIPMAP 0x00004000u
#define D3DSTENCILCAPS_KEEP 0x00000001u
#define D3DSTENCILCAPS_ZERO 0x00000002u
#define D3DSTENCILCAPS_REPLACE 0x00000004u
#define D3DSTENCILCAPS_INCRSAT 0x00000008u
#define D3DSTENCILCAPS_DECRSAT 0x00000010u
#define D3DSTENCILCAPS_INVERT 0x00000020u
#define D3DSTENCILCAPS_INCR 0x00000040u
#define D3DSTENCILCAPS_DECR 0x00000080u
#define D3DSTENCILCAPS_TWOSIDED 0x00000100u
#define D3DDEVCAPS_HWTRANSFORMANDLIGHT 0x00010000u
#define D3DVS_VERSION(aMajor, aMinor) (0xFFFE0000u | ((aMajor) << 8) | (aMinor))
#define D3DPS_VERSION(aMajor, aMinor) (0xFFFF0000u | ((aMajor) << 8) | (aMinor))

// ---- records -----------------------------------------------------------------------
struct D3DPRESENT_PARAMETERS
{
    UINT BackBufferWidth;
    UINT BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    UINT BackBufferCount;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    HWND hDeviceWindow;
    BOOL Windowed;
    BOOL EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    DWORD Flags;
    UINT FullScreen_RefreshRateInHz;
    UINT PresentationInterval;
};

struct D3DDISPLAYMODE
{
    UINT Width;
    UINT Height;
    UINT RefreshRate;
    D3DFORMAT Format;
};

struct D3DCAPS9
{
    D3DDEVTYPE DeviceType;
    UINT AdapterOrdinal;
    DWORD DevCaps;
    DWORD TextureCaps;
    DWORD StencilCaps;
    DWORD MaxTextureWidth;
    DWORD MaxTextureHeight;
    DWORD MaxActiveLights;
    DWORD MaxSimultaneousTextures;
    DWORD MaxPrimitiveCount;
    DWORD MaxVertexIndex;
    DWORD MaxStreams;
    DWORD MaxStreamStride;
    DWORD VertexShaderVersion;
    DWORD PixelShaderVersion;
};

struct D3DVIEWPORT9
{
    DWORD X;
    DWORD Y;
    DWORD Width;
    DWORD Height;
    float MinZ;
    float MaxZ;
};

struct D3DMATERIAL9
{
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Ambient;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Emissive;
    float Power;
};

struct D3DLIGHT9
{
    D3DLIGHTTYPE Type;
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Ambient;
    D3DVECTOR Position;
    D3DVECTOR Direction;
    float Range;
    float Falloff;
    float Attenuation0;
    float Attenuation1;
    float Attenuation2;
    float Theta;
    float Phi;
};

struct D3DLOCKED_RECT
{
    INT Pitch;
    void* pBits;
};

struct D3DSURFACE_DESC
{
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    UINT Width;
    UINT Height;
};

struct D3DVERTEXBUFFER_DESC
{
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    UINT Size;
    DWORD FVF;
};

struct D3DINDEXBUFFER_DESC
{
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    UINT Size;
};

// ---- interfaces ----------------------------------------------------------------------
class IDirect3DDevice9;

class IUnknown
{
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IDirect3DResource9 : public IUnknown
{
public:
    virtual HRESULT GetDevice(IDirect3DDevice9** aDevice) = 0;
    // Stored and returned; residency is the GL driver's.
    virtual DWORD SetPriority(DWORD aPriority) = 0;
    virtual DWORD GetPriority() = 0;
    virtual D3DRESOURCETYPE GetType() = 0;
};

class IDirect3DSurface9 : public IDirect3DResource9
{
public:
    virtual HRESULT GetDesc(D3DSURFACE_DESC* aDesc) = 0;
    // aRect null locks the whole surface.
    virtual HRESULT LockRect(D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags) = 0;
    virtual HRESULT UnlockRect() = 0;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9
{
public:
    virtual DWORD GetLevelCount() = 0;
};

class IDirect3DTexture9 : public IDirect3DBaseTexture9
{
public:
    virtual HRESULT GetLevelDesc(UINT aLevel, D3DSURFACE_DESC* aDesc) = 0;
    virtual HRESULT GetSurfaceLevel(UINT aLevel, IDirect3DSurface9** aSurface) = 0;
    virtual HRESULT LockRect(UINT aLevel, D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags) = 0;
    virtual HRESULT UnlockRect(UINT aLevel) = 0;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9
{
public:
    virtual HRESULT Lock(UINT aOffset, UINT aSize, void** aData, DWORD aFlags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* aDesc) = 0;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9
{
public:
    virtual HRESULT Lock(UINT aOffset, UINT aSize, void** aData, DWORD aFlags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* aDesc) = 0;
};

class IDirect3DVertexDeclaration9 : public IUnknown
{
};

class IDirect3D9 : public IUnknown
{
public:
    virtual UINT GetAdapterCount() = 0;
    virtual UINT GetAdapterModeCount(UINT aAdapter, D3DFORMAT aFormat) = 0;
    virtual HRESULT EnumAdapterModes(UINT aAdapter, D3DFORMAT aFormat, UINT aMode, D3DDISPLAYMODE* aOut) = 0;
    virtual HRESULT GetAdapterDisplayMode(UINT aAdapter, D3DDISPLAYMODE* aOut) = 0;
    virtual HRESULT CheckDepthStencilMatch(UINT aAdapter, D3DDEVTYPE aType, D3DFORMAT aAdapterFormat,
                                           D3DFORMAT aTargetFormat, D3DFORMAT aDepthFormat) = 0;
    virtual HRESULT GetDeviceCaps(UINT aAdapter, D3DDEVTYPE aType, D3DCAPS9* aCaps) = 0;
    virtual HRESULT CreateDevice(UINT aAdapter, D3DDEVTYPE aType, HWND aFocusWindow, DWORD aFlags,
                                 D3DPRESENT_PARAMETERS* aParameters, IDirect3DDevice9** aDevice) = 0;
};

class IDirect3DDevice9 : public IUnknown
{
public:
    virtual HRESULT GetDirect3D(IDirect3D9** aDirect3D) = 0;
    virtual HRESULT GetDeviceCaps(D3DCAPS9* aCaps) = 0;
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT GetBackBuffer(UINT aSwapChain, UINT aIndex, D3DBACKBUFFER_TYPE aType,
                                  IDirect3DSurface9** aSurface) = 0;
    virtual HRESULT Present(const RECT* aSource, const RECT* aDest, HWND aOverride, const void* aDirty) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD aCount, const RECT* aRects, DWORD aFlags, D3DCOLOR aColor, float aZ,
                          DWORD aStencil) = 0;

    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE aState, const D3DMATRIX* aMatrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE aState, D3DMATRIX* aMatrix) = 0;
    virtual HRESULT SetViewport(const D3DVIEWPORT9* aViewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* aViewport) = 0;
    virtual HRESULT SetMaterial(const D3DMATERIAL9* aMaterial) = 0;
    virtual HRESULT GetMaterial(D3DMATERIAL9* aMaterial) = 0;
    virtual HRESULT SetLight(DWORD aIndex, const D3DLIGHT9* aLight) = 0;
    virtual HRESULT GetLight(DWORD aIndex, D3DLIGHT9* aLight) = 0;
    virtual HRESULT LightEnable(DWORD aIndex, BOOL aEnable) = 0;
    virtual HRESULT GetLightEnable(DWORD aIndex, BOOL* aEnable) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE aState, DWORD aValue) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE aState, DWORD* aValue) = 0;
    virtual HRESULT SetTexture(DWORD aStage, IDirect3DBaseTexture9* aTexture) = 0;
    virtual HRESULT GetTexture(DWORD aStage, IDirect3DBaseTexture9** aTexture) = 0;
    virtual HRESULT SetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD aValue) = 0;
    virtual HRESULT GetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD* aValue) = 0;
    virtual HRESULT SetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD aValue) = 0;
    virtual HRESULT GetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD* aValue) = 0;
    virtual HRESULT SetScissorRect(const RECT* aRect) = 0;

    virtual HRESULT CreateTexture(UINT aWidth, UINT aHeight, UINT aLevels, DWORD aUsage, D3DFORMAT aFormat,
                                  D3DPOOL aPool, IDirect3DTexture9** aTexture, HANDLE* aShared) = 0;
    virtual HRESULT CreateVertexBuffer(UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool,
                                       IDirect3DVertexBuffer9** aBuffer, HANDLE* aShared) = 0;
    virtual HRESULT CreateIndexBuffer(UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool,
                                      IDirect3DIndexBuffer9** aBuffer, HANDLE* aShared) = 0;
    virtual HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* aElements,
                                            IDirect3DVertexDeclaration9** aDeclaration) = 0;

    virtual HRESULT SetStreamSource(UINT aStream, IDirect3DVertexBuffer9* aBuffer, UINT aOffset, UINT aStride) = 0;
    virtual HRESULT SetIndices(IDirect3DIndexBuffer9* aBuffer) = 0;
    virtual HRESULT SetFVF(DWORD aFVF) = 0;
    virtual HRESULT GetFVF(DWORD* aFVF) = 0;
    virtual HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* aDeclaration) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE aType, UINT aStartVertex, UINT aPrimitiveCount) = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE aType, INT aBaseVertex, UINT aMinIndex,
                                         UINT aVertexCount, UINT aStartIndex, UINT aPrimitiveCount) = 0;
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE aType, UINT aPrimitiveCount, const void* aData,
                                    UINT aStride) = 0;
};

IDirect3D9* Direct3DCreate9(UINT aSdkVersion);

// Error texts: the result's name ("D3DERR_INVALIDCALL") and a description, which for a
// failure that came from GL or SDL ends with their own message.
const char* DXGetErrorString9(HRESULT aResult);
const char* DXGetErrorDescription9(HRESULT aResult);
