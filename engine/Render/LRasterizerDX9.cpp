#include "Render/LRasterizerDX9.h"

#include "LMatrix4.h"
#include "Render/LGraphicsDX9.h"
#include "Render/LITexture.h"
#include "Render/LIndexBuffer.h"
#include "Render/LLight.h"
#include "Render/LMaterial.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace {

constexpr DWORD kDynamicUsage = D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING;
constexpr unsigned int kIndexSize[3] = {0, 2, 4};
constexpr D3DFORMAT kIndexFormat[3] = {D3DFMT_UNKNOWN, D3DFMT_INDEX16, D3DFMT_INDEX32};

// Engine code tables, indexed by the engine's code.
constexpr DWORD kPrimitives[] = {D3DPT_POINTLIST,     D3DPT_LINELIST,     D3DPT_LINESTRIP,
                                 D3DPT_TRIANGLELIST,  D3DPT_TRIANGLESTRIP, D3DPT_TRIANGLEFAN};
constexpr DWORD kTransforms[] = {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION};
constexpr DWORD kBlends[] = {D3DBLEND_ZERO,         D3DBLEND_ONE,          D3DBLEND_SRCCOLOR,
                             D3DBLEND_INVSRCCOLOR,  D3DBLEND_SRCALPHA,     D3DBLEND_DESTCOLOR,
                             D3DBLEND_INVSRCALPHA,  D3DBLEND_DESTALPHA,    D3DBLEND_INVDESTALPHA,
                             D3DBLEND_INVDESTCOLOR, D3DBLEND_SRCALPHASAT,  D3DBLEND_BOTHSRCALPHA,
                             D3DBLEND_BOTHINVSRCALPHA, D3DBLEND_BLENDFACTOR, D3DBLEND_INVBLENDFACTOR};
constexpr DWORD kCulls[] = {D3DCULL_NONE, D3DCULL_CW, D3DCULL_CCW};
constexpr DWORD kFills[] = {D3DFILL_POINT, D3DFILL_WIREFRAME, D3DFILL_SOLID};
constexpr DWORD kShades[] = {D3DSHADE_FLAT, D3DSHADE_GOURAUD};
constexpr DWORD kCompares[] = {D3DCMP_NEVER,   D3DCMP_LESS,     D3DCMP_EQUAL,        D3DCMP_LESSEQUAL,
                               D3DCMP_GREATER, D3DCMP_NOTEQUAL, D3DCMP_GREATEREQUAL, D3DCMP_ALWAYS};
constexpr DWORD kStencilOps[] = {D3DSTENCILOP_KEEP,    D3DSTENCILOP_ZERO,    D3DSTENCILOP_REPLACE,
                                 D3DSTENCILOP_INCRSAT, D3DSTENCILOP_DECRSAT, D3DSTENCILOP_INVERT,
                                 D3DSTENCILOP_INCR,    D3DSTENCILOP_DECR};
constexpr DWORD kFilterKinds[] = {D3DSAMP_MAGFILTER, D3DSAMP_MINFILTER, D3DSAMP_MIPFILTER};
constexpr DWORD kFilters[] = {D3DTEXF_NONE, D3DTEXF_POINT, D3DTEXF_LINEAR};
constexpr DWORD kAddressAxes[] = {D3DSAMP_ADDRESSU, D3DSAMP_ADDRESSV, D3DSAMP_ADDRESSW};
constexpr DWORD kAddressModes[] = {D3DTADDRESS_CLAMP, D3DTADDRESS_BORDER, D3DTADDRESS_WRAP};
constexpr DWORD kLightTypes[] = {D3DLIGHT_POINT, D3DLIGHT_SPOT, D3DLIGHT_DIRECTIONAL};

// The device value of an engine code; false (logged) for a code outside the table.
template <size_t N>
bool Map(const DWORD (&aTable)[N], int aCode, DWORD& aOut, const char* aOperation)
{
    if (aCode < 0 || static_cast<size_t>(aCode) >= N) {
        L_ERROR(LString(aOperation) + " failure. Invalid arg: " + aCode);
        return false;
    }
    aOut = aTable[aCode];
    return true;
}

// Where each engine vertex format keeps its attributes.
constexpr D3DVERTEXELEMENT9 kEnd = D3DDECL_END();
constexpr D3DVERTEXELEMENT9 kPosition = {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0};
constexpr D3DVERTEXELEMENT9 kNormal12 = {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0};
constexpr D3DVERTEXELEMENT9 kColor12 = {0, 12, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0};
constexpr D3DVERTEXELEMENT9 kColor24 = {0, 24, D3DDECLTYPE_FLOAT4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0};
constexpr D3DVERTEXELEMENT9 kUv12 = {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0};
constexpr D3DVERTEXELEMENT9 kUv24 = {0, 24, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0};
constexpr D3DVERTEXELEMENT9 kUv40 = {0, 40, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0};
constexpr D3DVERTEXELEMENT9 kLayouts[8][5] = {
    {kEnd},
    {kPosition, kEnd},
    {kPosition, kColor12, kEnd},
    {kPosition, kUv12, kEnd},
    {kPosition, kNormal12, kColor24, kEnd},
    {kPosition, kNormal12, kUv24, kEnd},
    {kPosition, kNormal12, kColor24, kUv40, kEnd},
    {kPosition, kNormal12, kEnd},
};

// Vertices (or indices) that aCount primitives of an engine primitive type use.
long long ElementCount(int aPrimitive, long long aCount)
{
    switch (aPrimitive) {
    case LIRasterizer::kPointList: return aCount;
    case LIRasterizer::kLineList: return aCount * 2;
    case LIRasterizer::kLineStrip: return aCount + 1;
    case LIRasterizer::kTriangleList: return aCount * 3;
    default: return aCount + 2;
    }
}

// A colour component as a byte: 1 and above 255, 0 and below (and NaN) 0, else rounded.
DWORD ColorByte(float aValue)
{
    if (aValue >= 1.0f) {
        return 255;
    }
    if (!(aValue > 0.0f)) {
        return 0;
    }
    return static_cast<DWORD>(aValue * 255.0f + 0.5f);
}

D3DCOLORVALUE ColorValue(const LColor& aColor, float aAlpha)
{
    return D3DCOLORVALUE {aColor.r, aColor.g, aColor.b, aAlpha};
}

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

} // namespace

bool LRasterizerDX9::DeviceHolds(IDirect3DTexture9* aTexture) const
{
    // A texture released since it was bound has left the device, and a new one may have
    // its address: only what the device still has counts as bound.
    IDirect3DBaseTexture9* bound = nullptr;
    if (mDevice == nullptr || FAILED(mDevice->GetTexture(0, &bound))) {
        return false;
    }
    if (bound != nullptr) {
        bound->Release();
    }
    return bound != nullptr && bound == static_cast<IDirect3DBaseTexture9*>(aTexture);
}

LRasterizerDX9::LRasterizerDX9()
    : mBlendFactor(std::numeric_limits<float>::quiet_NaN())
{
}

LRasterizerDX9::~LRasterizerDX9()
{
    // What the device has bound holds the device in turn: unbound first, so that the
    // device, its window and every resource go once their owners release them.
    if (mDevice != nullptr) {
        mDevice->SetTexture(0, nullptr);
        mDevice->SetStreamSource(0, nullptr, 0, 0);
        mDevice->SetIndices(nullptr);
        mDevice->SetVertexDeclaration(nullptr);
    }
    mBoundTexture = nullptr;
    for (IDirect3DIndexBuffer9*& buffer : mIndexBuffers) {
        if (buffer != nullptr) {
            buffer->Release();
            buffer = nullptr;
        }
    }
    for (IDirect3DVertexBuffer9*& buffer : mVertexBuffers) {
        if (buffer != nullptr) {
            buffer->Release();
            buffer = nullptr;
        }
    }
    for (IDirect3DVertexDeclaration9*& declaration : mDeclarations) {
        if (declaration != nullptr) {
            declaration->Release();
            declaration = nullptr;
        }
    }
    if (mDevice != nullptr) {
        mDevice->Release();
        mDevice = nullptr;
    }
}

LString LRasterizerDX9::Dump() const
{
    return DumpHead("LRasterizerDX9") + "]";
}

int LRasterizerDX9::Init(int)
{
    LGraphicsDX9* graphics = LGraphicsDX9::Get();
    IDirect3DDevice9* device = graphics != nullptr ? graphics->GetDevice() : nullptr;
    if (device == nullptr || mDevice != nullptr) {
        return 0;
    }
    device->AddRef();
    mDevice = device;
    bool result = true;
    for (int format = 1; format < LVertexBuffer::kFormatCount; ++format) {
        const HRESULT made = mDevice->CreateVertexDeclaration(kLayouts[format], &mDeclarations[format]);
        if (FAILED(made)) {
            L_ERROR(LString("CreateVertexDeclaration failure: ") + DXError(made));
            result = false;
        }
        const unsigned int bytes =
            static_cast<unsigned int>(kFormatCapacity[format] * LVertexBuffer::GetFormatSize(format));
        result = GrowVertexBuffer(format, bytes) && result;
    }
    for (int format = 1; format <= 2; ++format) {
        result = GrowIndexBuffer(format, kIndexCapacity * kIndexSize[format]) && result;
    }
    return result ? 1 : 0;
}

unsigned int LRasterizerDX9::GetVertexBufferBytes(int aFormat) const
{
    return aFormat >= 1 && aFormat < LVertexBuffer::kFormatCount ? mVertexBytes[aFormat] : 0;
}

unsigned int LRasterizerDX9::GetIndexBufferBytes(int aFormat) const
{
    return aFormat == 1 || aFormat == 2 ? mIndexBytes[aFormat] : 0;
}

bool LRasterizerDX9::GrowVertexBuffer(int aFormat, unsigned int aBytes)
{
    // Doubling keeps a slowly growing caller from making a buffer on every hand-over.
    const unsigned int doubled = mVertexBytes[aFormat] <= (1u << 29) ? mVertexBytes[aFormat] * 2 : 0;
    for (unsigned int bytes : {aBytes > doubled ? aBytes : doubled, aBytes}) {
        IDirect3DVertexBuffer9* buffer = nullptr;
        const HRESULT made = mDevice->CreateVertexBuffer(bytes, kDynamicUsage, 0, D3DPOOL_DEFAULT, &buffer, nullptr);
        if (SUCCEEDED(made) && buffer != nullptr) {
            if (mVertexBuffers[aFormat] != nullptr) {
                mVertexBuffers[aFormat]->Release();
            }
            mVertexBuffers[aFormat] = buffer;
            mVertexBytes[aFormat] = bytes;
            return true;
        }
        if (bytes == aBytes) {
            L_ERROR(LString("CreateVertexBuffer failure: ") + DXError(made));
            break;
        }
    }
    return false;
}

bool LRasterizerDX9::GrowIndexBuffer(int aFormat, unsigned int aBytes)
{
    const unsigned int doubled = mIndexBytes[aFormat] <= (1u << 29) ? mIndexBytes[aFormat] * 2 : 0;
    for (unsigned int bytes : {aBytes > doubled ? aBytes : doubled, aBytes}) {
        IDirect3DIndexBuffer9* buffer = nullptr;
        const HRESULT made = mDevice->CreateIndexBuffer(bytes, kDynamicUsage, kIndexFormat[aFormat], D3DPOOL_DEFAULT,
                                                        &buffer, nullptr);
        if (SUCCEEDED(made) && buffer != nullptr) {
            if (mIndexBuffers[aFormat] != nullptr) {
                mIndexBuffers[aFormat]->Release();
            }
            mIndexBuffers[aFormat] = buffer;
            mIndexBytes[aFormat] = bytes;
            return true;
        }
        if (bytes == aBytes) {
            L_ERROR(LString("CreateIndexBuffer failure: ") + DXError(made));
            break;
        }
    }
    return false;
}

int LRasterizerDX9::RenderState(unsigned int aState, unsigned int aValue)
{
    if (mDevice == nullptr) {
        L_ERROR("SetRenderState failure. No device.");
        return 0;
    }
    return SUCCEEDED(mDevice->SetRenderState(static_cast<D3DRENDERSTATETYPE>(aState), aValue)) ? 1 : 0;
}

int LRasterizerDX9::Clear()
{
    if (mDevice == nullptr) {
        return 0;
    }
    const DWORD color = 0xFF000000u | ColorByte(mClearColor.r) << 16 | ColorByte(mClearColor.g) << 8 |
                        ColorByte(mClearColor.b);
    const HRESULT result =
        mDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, color, 1.0f, 0);
    return SUCCEEDED(result) ? 1 : 0;
}

int LRasterizerDX9::Clear(bool aStencilOnly)
{
    if (!aStencilOnly) {
        return Clear();
    }
    if (mDevice == nullptr) {
        return 0;
    }
    return SUCCEEDED(mDevice->Clear(0, nullptr, D3DCLEAR_STENCIL, 0xFF000000u, 0.0f, 0)) ? 1 : 0;
}

int LRasterizerDX9::SetTexture()
{
    if (mDevice == nullptr) {
        return 0;
    }
    mCurrentTexture = nullptr;
    mBoundTexture = nullptr;
    return SUCCEEDED(mDevice->SetTexture(0, nullptr)) ? 1 : 0;
}

int LRasterizerDX9::DrawIndexedPrimitive()
{
    L_ASSERT_FAILURE("DrawIndexedPrimitive NYI.");
    return 0;
}

int LRasterizerDX9::DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount, int aStartIndex,
                                         int aBaseVertex)
{
    DWORD type = 0;
    if (mDevice == nullptr || !Map(kPrimitives, aPrimitive, type, "DrawIndexedPrimitive")) {
        return 0;
    }
    if (aPrimitiveCount < 0 || aVertexCount < 0 || aStartIndex < 0) {
        L_ERROR("DrawIndexedPrimitive failure. Invalid arg.");
        return 0;
    }
    if (aPrimitiveCount == 0) {
        return 1;
    }
    if (aStartIndex + ElementCount(aPrimitive, aPrimitiveCount) > mIndexCount) {
        L_ERROR("DrawIndexedPrimitive failure. Not enough indices.");
        return 0;
    }
    const HRESULT result =
        mDevice->DrawIndexedPrimitive(static_cast<D3DPRIMITIVETYPE>(type), aBaseVertex, 0,
                                      static_cast<UINT>(aVertexCount), static_cast<UINT>(aStartIndex),
                                      static_cast<UINT>(aPrimitiveCount));
    if (FAILED(result)) {
        L_ERROR("DrawIndexedPrimitive failure: " + DXError(result));
        return 0;
    }
    return 1;
}

int LRasterizerDX9::DrawPrimitive()
{
    L_ASSERT_FAILURE("DrawPrimitive not yet implemented.");
    return 0;
}

int LRasterizerDX9::DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount)
{
    DWORD type = 0;
    if (mDevice == nullptr || !Map(kPrimitives, aPrimitive, type, "DrawPrimitive")) {
        return 0;
    }
    if (aStartVertex < 0 || aPrimitiveCount < 0) {
        L_ERROR("DrawPrimitive failure. Invalid arg.");
        return 0;
    }
    if (aPrimitiveCount == 0) {
        return 1;
    }
    if (aStartVertex + ElementCount(aPrimitive, aPrimitiveCount) > mVertexCount) {
        L_ERROR("DrawPrimitive failure. Not enough vertices.");
        return 0;
    }
    const HRESULT result = mDevice->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(type),
                                                  static_cast<UINT>(aStartVertex), static_cast<UINT>(aPrimitiveCount));
    if (FAILED(result)) {
        L_ERROR("DrawPrimitive failure: " + DXError(result));
        return 0;
    }
    return 1;
}

int LRasterizerDX9::GetViewport(LViewport* aViewport)
{
    D3DVIEWPORT9 viewport {};
    if (aViewport == nullptr || mDevice == nullptr || FAILED(mDevice->GetViewport(&viewport))) {
        L_ERROR("GetViewport failure. Invalid arg.");
        return 0;
    }
    aViewport->mX = viewport.X;
    aViewport->mY = viewport.Y;
    aViewport->mWidth = viewport.Width;
    aViewport->mHeight = viewport.Height;
    aViewport->mMinZ = viewport.MinZ;
    aViewport->mMaxZ = viewport.MaxZ;
    return 1;
}

int LRasterizerDX9::GetTransform(int aTransform, LMatrix4* aMatrix)
{
    DWORD kind = 0;
    if (!Map(kTransforms, aTransform, kind, "GetTransform")) {
        return 0;
    }
    D3DMATRIX matrix {};
    if (aMatrix == nullptr || mDevice == nullptr ||
        FAILED(mDevice->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(kind), &matrix))) {
        L_ERROR("GetTransform failure. Invalid arg.");
        return 0;
    }
    std::memcpy(aMatrix->m, &matrix.m[0][0], sizeof(aMatrix->m));
    return 1;
}

int LRasterizerDX9::SetBlendFactor(float aAlpha)
{
    if (std::isnan(aAlpha)) {
        L_ERROR("SetBlendFactor failure. Invalid arg.");
        return 0;
    }
    const float alpha = aAlpha < 0.0f ? 0.0f : (aAlpha > 1.0f ? 1.0f : aAlpha);
    if (alpha == mBlendFactor) {
        return 1;
    }
    if (mDevice == nullptr) {
        return 0;
    }
    mBlendFactor = alpha;
    bool opaque = alpha == 1.0f;
    const DWORD factor = opaque ? 0xFFFFFFFFu : (static_cast<DWORD>(alpha * 255.0f) & 0xFFu) << 24;
    bool result = SUCCEEDED(mDevice->SetRenderState(D3DRS_TEXTUREFACTOR, factor));
    result = SUCCEEDED(mDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, opaque ? D3DTOP_SELECTARG1 : D3DTOP_MODULATE)) &&
             result;
    result = SUCCEEDED(mDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE)) && result;
    result = SUCCEEDED(mDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR)) && result;
    return result ? 1 : 0;
}

int LRasterizerDX9::SetAlphaBlendEnable(bool aEnable)
{
    return RenderState(D3DRS_ALPHABLENDENABLE, aEnable ? TRUE : FALSE);
}

int LRasterizerDX9::SetBlendFunc(int aSource, int aDestination)
{
    DWORD source = 0;
    DWORD destination = 0;
    if (!Map(kBlends, aSource, source, "SetBlendFunc") || !Map(kBlends, aDestination, destination, "SetBlendFunc")) {
        return 0;
    }
    const int result = RenderState(D3DRS_SRCBLEND, source);
    return RenderState(D3DRS_DESTBLEND, destination) && result;
}

int LRasterizerDX9::SetClearColor(LColor aColor)
{
    mClearColor = aColor;
    return 1;
}

int LRasterizerDX9::SetClipRect(const LRectangle*)
{
    L_ASSERT_FAILURE("SetClipRect() Not yet implemented.");
    return 1;
}

int LRasterizerDX9::SetColor(LColor)
{
    L_ASSERT_FAILURE("SetColor not yet implemented.");
    return 0;
}

int LRasterizerDX9::SetColorWriteEnable(bool aEnable)
{
    const DWORD all = D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_GREEN | D3DCOLORWRITEENABLE_BLUE |
                      D3DCOLORWRITEENABLE_ALPHA;
    return RenderState(D3DRS_COLORWRITEENABLE, aEnable ? all : 0u);
}

int LRasterizerDX9::SetCullMode(int aCull)
{
    DWORD cull = 0;
    return Map(kCulls, aCull, cull, "SetCullMode") ? RenderState(D3DRS_CULLMODE, cull) : 0;
}

int LRasterizerDX9::SetZEnable(bool aEnable)
{
    return RenderState(D3DRS_ZENABLE, aEnable ? D3DZB_TRUE : D3DZB_FALSE);
}

int LRasterizerDX9::SetZWriteEnable(bool aEnable)
{
    return RenderState(D3DRS_ZWRITEENABLE, aEnable ? TRUE : FALSE);
}

int LRasterizerDX9::SetFillMode(int aFill)
{
    DWORD fill = 0;
    return Map(kFills, aFill, fill, "SetFillMode") ? RenderState(D3DRS_FILLMODE, fill) : 0;
}

int LRasterizerDX9::Viewport(long long aX, long long aY, long long aWidth, long long aHeight, float aMinZ,
                             float aMaxZ)
{
    const long long limit = 0x7FFFFFFF;
    if (mDevice == nullptr || aX < 0 || aY < 0 || aWidth <= 0 || aHeight <= 0 || aX > limit || aY > limit ||
        aWidth > limit || aHeight > limit) {
        L_ERROR("SetViewport failure. Invalid arg.");
        return 0;
    }
    const D3DVIEWPORT9 viewport {static_cast<DWORD>(aX), static_cast<DWORD>(aY), static_cast<DWORD>(aWidth),
                                 static_cast<DWORD>(aHeight), aMinZ, aMaxZ};
    const HRESULT result = mDevice->SetViewport(&viewport);
    if (FAILED(result)) {
        L_ERROR("SetViewport failure: " + DXError(result));
        return 0;
    }
    return 1;
}

int LRasterizerDX9::SetViewport(int, float aX0, float aX1, float aY0, float aY1, float aMinZ, float aMaxZ)
{
    const float width = aX1 - aX0;
    const float height = aY0 - aY1;
    const float limit = 2147483520.0f;
    for (float value : {aX0, aY0, width, height}) {
        if (!(std::fabs(value) < limit)) {
            L_ERROR("SetViewport failure. Invalid arg.");
            return 0;
        }
    }
    return Viewport(static_cast<long long>(aX0), static_cast<long long>(aY0), static_cast<long long>(width),
                    static_cast<long long>(height), aMinZ, aMaxZ);
}

int LRasterizerDX9::SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ)
{
    return Viewport(aX, aY, aWidth, aHeight, aMinZ, aMaxZ);
}

int LRasterizerDX9::SetIndexBuffer(LIndexBuffer* aBuffer)
{
    if (aBuffer == nullptr || mDevice == nullptr) {
        L_ERROR("SetIndexBuffer failure. Invalid arg.");
        return 0;
    }
    const int format = aBuffer->GetIndexFormat();
    if (format != 1 && format != 2) {
        L_ASSERT_FAILURE("Format not supported.");
        return 0;
    }
    // Only whole indices that the buffer really holds are taken.
    const int available = aBuffer->GetByteSize() / static_cast<int>(kIndexSize[format]);
    const int count = aBuffer->GetIndexCount() < available ? aBuffer->GetIndexCount() : available;
    const unsigned int bytes = count > 0 ? static_cast<unsigned int>(count) * kIndexSize[format] : 0u;
    if (bytes > mIndexBytes[format] && !GrowIndexBuffer(format, bytes)) {
        return 0;
    }
    if (bytes > 0) {
        void* target = nullptr;
        const HRESULT locked = mIndexBuffers[format]->Lock(0, bytes, &target, 0);
        if (FAILED(locked) || target == nullptr) {
            L_ERROR("SetIndexBuffer failure. Lock failed: " + DXError(locked));
            return 0;
        }
        std::memcpy(target, aBuffer->GetBuffer(), bytes);
        mIndexBuffers[format]->Unlock();
    }
    mIndexCount = count > 0 ? count : 0;
    return SUCCEEDED(mDevice->SetIndices(mIndexBuffers[format])) ? 1 : 0;
}

int LRasterizerDX9::SetLight(int aIndex, const LLight* aLight)
{
    DWORD type = 0;
    if (aLight == nullptr || aIndex < 0 || mDevice == nullptr) {
        L_ERROR("SetLight failure. Invalid arg.");
        return 0;
    }
    if (!Map(kLightTypes, aLight->mType > 2 ? -1 : static_cast<int>(aLight->mType), type, "SetLight")) {
        return 0;
    }
    D3DLIGHT9 light {};
    light.Type = static_cast<D3DLIGHTTYPE>(type);
    light.Diffuse = ColorValue(aLight->mDiffuse, 1.0f);
    light.Specular = ColorValue(aLight->mSpecular, 1.0f);
    light.Ambient = ColorValue(aLight->mAmbient, 1.0f);
    light.Position = D3DVECTOR {aLight->mPosition.x, aLight->mPosition.y, aLight->mPosition.z};
    light.Direction = D3DVECTOR {aLight->mDirection.x, aLight->mDirection.y, aLight->mDirection.z};
    light.Range = aLight->mRange;
    light.Falloff = aLight->mFalloff;
    light.Attenuation0 = aLight->mAttenuation0;
    light.Attenuation1 = aLight->mAttenuation1;
    light.Attenuation2 = aLight->mAttenuation2;
    light.Theta = aLight->mTheta;
    light.Phi = aLight->mPhi;
    const HRESULT result = mDevice->SetLight(static_cast<DWORD>(aIndex), &light);
    if (FAILED(result)) {
        L_ERROR("SetLight failure: " + DXError(result));
        return 0;
    }
    return 1;
}

int LRasterizerDX9::LightEnable(int aIndex, bool aEnable)
{
    if (aIndex < 0 || mDevice == nullptr) {
        L_ERROR("LightEnable failure. Invalid arg.");
        return 0;
    }
    return SUCCEEDED(mDevice->LightEnable(static_cast<DWORD>(aIndex), aEnable ? TRUE : FALSE)) ? 1 : 0;
}

int LRasterizerDX9::SetLighting(bool aEnable)
{
    return RenderState(D3DRS_LIGHTING, aEnable ? TRUE : FALSE);
}

int LRasterizerDX9::SetLineWidth(float)
{
    L_ASSERT_FAILURE("SetLineWidth not yet implemented.");
    return 0;
}

int LRasterizerDX9::SetMaterial(const LMaterial* aMaterial)
{
    if (aMaterial == nullptr || mDevice == nullptr) {
        L_ERROR("SetMaterial failure. Invalid arg.");
        return 0;
    }
    D3DMATERIAL9 material {};
    material.Diffuse = ColorValue(aMaterial->GetDiffuse(), aMaterial->GetDiffuse().a);
    material.Ambient = ColorValue(aMaterial->GetAmbient(), aMaterial->GetAmbient().a);
    material.Specular = ColorValue(aMaterial->GetSpecular(), aMaterial->GetSpecular().a);
    material.Emissive = ColorValue(aMaterial->GetEmissive(), aMaterial->GetEmissive().a);
    material.Power = aMaterial->GetPower();
    const int result = SUCCEEDED(mDevice->SetMaterial(&material)) ? 1 : 0;
    if (aMaterial->GetTexture() != 0) {
        return SetTexture(static_cast<unsigned int>(aMaterial->GetTexture())) && result;
    }
    return result;
}

int LRasterizerDX9::SetShadeMode(int aShade)
{
    DWORD shade = 0;
    return Map(kShades, aShade, shade, "SetShadeMode") ? RenderState(D3DRS_SHADEMODE, shade) : 0;
}

int LRasterizerDX9::SetStencilEnable(bool aEnable)
{
    return RenderState(D3DRS_STENCILENABLE, aEnable ? TRUE : FALSE);
}

int LRasterizerDX9::SetStencilFunc(int aCompare, int aReference, unsigned int aMask)
{
    DWORD compare = 0;
    if (!Map(kCompares, aCompare, compare, "SetStencilFunc")) {
        return 0;
    }
    int result = RenderState(D3DRS_STENCILREF, static_cast<DWORD>(aReference));
    result = RenderState(D3DRS_STENCILMASK, aMask) && result;
    return RenderState(D3DRS_STENCILFUNC, compare) && result;
}

int LRasterizerDX9::SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference, unsigned int aMask)
{
    DWORD compare = 0;
    if (!Map(kCompares, aCompare, compare, "SetTwoSidedStencilFunc")) {
        return 0;
    }
    int result = RenderState(D3DRS_TWOSIDEDSTENCILMODE, aTwoSided ? TRUE : FALSE);
    result = RenderState(D3DRS_STENCILREF, static_cast<DWORD>(aReference)) && result;
    result = RenderState(D3DRS_STENCILMASK, aMask) && result;
    return RenderState(D3DRS_CCW_STENCILFUNC, compare) && result;
}

int LRasterizerDX9::StencilOp(unsigned int aState, int aOp, const char* aOperation)
{
    DWORD op = 0;
    return Map(kStencilOps, aOp, op, aOperation) ? RenderState(aState, op) : 0;
}

int LRasterizerDX9::SetStencilFail(int aOp)
{
    return StencilOp(D3DRS_STENCILFAIL, aOp, "SetStencilFail");
}

int LRasterizerDX9::SetBackStencilFail(int aOp)
{
    return StencilOp(D3DRS_CCW_STENCILFAIL, aOp, "SetBackStencilFail");
}

int LRasterizerDX9::SetStencilPass(int aOp)
{
    return StencilOp(D3DRS_STENCILPASS, aOp, "SetStencilPass");
}

int LRasterizerDX9::SetBackStencilPass(int aOp)
{
    return StencilOp(D3DRS_CCW_STENCILPASS, aOp, "SetBackStencilPass");
}

int LRasterizerDX9::SetStencilZFail(int aOp)
{
    return StencilOp(D3DRS_STENCILZFAIL, aOp, "SetStencilZFail");
}

int LRasterizerDX9::SetBackStencilZFail(int aOp)
{
    return StencilOp(D3DRS_CCW_STENCILZFAIL, aOp, "SetBackStencilZFail");
}

int LRasterizerDX9::SetTexture(LITexture* aTexture)
{
    if (mDevice == nullptr) {
        return 0;
    }
    if (aTexture == nullptr) {
        SetTexture();
        L_ERROR("SetTexture failure. Invalid arg.");
        return 0;
    }
    if (aTexture == mCurrentTexture && aTexture->GetTexture() == mBoundTexture && DeviceHolds(mBoundTexture)) {
        return 1;
    }
    mCurrentTexture = aTexture;
    mBoundTexture = aTexture->GetTexture();
    return SUCCEEDED(mDevice->SetTexture(0, mBoundTexture)) ? 1 : 0;
}

int LRasterizerDX9::SetTexture(unsigned int aHandle)
{
    if (mDevice == nullptr) {
        return 0;
    }
    LTextureManager* manager = LTextureManager::Get();
    LITexture* texture = manager != nullptr && aHandle != 0 ? manager->GetTexture(aHandle) : nullptr;
    if (texture == nullptr) {
        // Whatever was bound must not stand in for the missing texture.
        SetTexture();
        L_ERROR(LString("SetTexture failure. Invalid handle: ") + aHandle);
        return 0;
    }
    mCurrentTexture = texture;
    mBoundTexture = texture->GetTexture();
    return SUCCEEDED(mDevice->SetTexture(0, mBoundTexture)) ? 1 : 0;
}

int LRasterizerDX9::SetTextureFilter(int aKind, int aFilter)
{
    DWORD kind = 0;
    DWORD filter = 0;
    if (mDevice == nullptr || !Map(kFilterKinds, aKind, kind, "SetTextureFilter") ||
        !Map(kFilters, aFilter, filter, "SetTextureFilter")) {
        return 0;
    }
    return SUCCEEDED(mDevice->SetSamplerState(0, static_cast<D3DSAMPLERSTATETYPE>(kind), filter)) ? 1 : 0;
}

int LRasterizerDX9::SetTextureUnit(int)
{
    L_ASSERT_FAILURE("SetTextureUnit not yet implemented.");
    return 0;
}

int LRasterizerDX9::SetTextureAddress(int aAxis, int aMode)
{
    DWORD axis = 0;
    DWORD mode = 0;
    if (mDevice == nullptr || !Map(kAddressAxes, aAxis, axis, "SetTextureAddress") ||
        !Map(kAddressModes, aMode, mode, "SetTextureAddress")) {
        return 0;
    }
    return SUCCEEDED(mDevice->SetSamplerState(0, static_cast<D3DSAMPLERSTATETYPE>(axis), mode)) ? 1 : 0;
}

int LRasterizerDX9::SetTransform(int aTransform, const LMatrix4* aMatrix)
{
    DWORD kind = 0;
    if (!Map(kTransforms, aTransform, kind, "SetTransform")) {
        return 0;
    }
    if (aMatrix == nullptr || mDevice == nullptr) {
        L_ERROR("SetTransform failure. Invalid arg.");
        return 0;
    }
    // The engine's matrix is the device's: sixteen floats, row by row.
    D3DMATRIX matrix;
    std::memcpy(&matrix.m[0][0], aMatrix->m, sizeof(aMatrix->m));
    return SUCCEEDED(mDevice->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(kind), &matrix)) ? 1 : 0;
}

int LRasterizerDX9::SetVertexBuffer(LVertexBuffer* aBuffer)
{
    if (aBuffer == nullptr || mDevice == nullptr) {
        L_ERROR("SetVertexBuffer failure. Invalid arg.");
        return 0;
    }
    const int format = aBuffer->GetVertexFormat();
    const int size = LVertexBuffer::GetFormatSize(format);
    if (size == 0) {
        L_ASSERT_FAILURE("Invalid format.");
        return 0;
    }
    // Only whole vertices that the buffer really holds are taken.
    const int available = aBuffer->GetByteSize() / size;
    const int count = aBuffer->GetVertexCount() < available ? aBuffer->GetVertexCount() : available;
    const unsigned int bytes = count > 0 ? static_cast<unsigned int>(count) * static_cast<unsigned int>(size) : 0u;
    if (bytes > mVertexBytes[format] && !GrowVertexBuffer(format, bytes)) {
        return 0;
    }
    if (bytes > 0) {
        void* target = nullptr;
        const HRESULT locked = mVertexBuffers[format]->Lock(0, bytes, &target, 0);
        if (FAILED(locked) || target == nullptr) {
            L_ERROR("SetVertexBuffer failure. Lock failed: " + DXError(locked));
            return 0;
        }
        std::memcpy(target, aBuffer->GetBuffer(), bytes);
        mVertexBuffers[format]->Unlock();
    }
    mVertexCount = count > 0 ? count : 0;
    bool result = SUCCEEDED(mDevice->SetStreamSource(0, mVertexBuffers[format], 0, static_cast<UINT>(size)));
    result = SUCCEEDED(mDevice->SetVertexDeclaration(mDeclarations[format])) && result;
    return result ? 1 : 0;
}

int LRasterizerDX9::SetZBufferMode(bool aEnable)
{
    int result = RenderState(D3DRS_ZENABLE, aEnable ? D3DZB_TRUE : D3DZB_FALSE);
    result = RenderState(D3DRS_ZWRITEENABLE, aEnable ? TRUE : FALSE) && result;
    return RenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL) && result;
}

int LRasterizerDX9::SetZWriteMode(bool aEnable)
{
    return RenderState(D3DRS_ZWRITEENABLE, aEnable ? TRUE : FALSE);
}
