#include "Render/LTextureDX9.h"

#include "LImage.h"
#include "Render/LGraphicsDX9.h"
#include "d3d9/D3DXTexture.h"
#include "stdlib/LLog.h"

namespace {

// Image format codes 1 to 4; 0 and anything else has no device format.
D3DFORMAT DeviceFormat(int aFormat)
{
    switch (aFormat) {
    case L_IMAGE_FORMAT_A8R8G8B8: return D3DFMT_A8R8G8B8;
    case L_IMAGE_FORMAT_X8R8G8B8: return D3DFMT_X8R8G8B8;
    case L_IMAGE_FORMAT_R8G8B8: return D3DFMT_R8G8B8;
    case L_IMAGE_FORMAT_A8: return D3DFMT_A8;
    default: return D3DFMT_UNKNOWN;
    }
}

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

// The resource priority of an engine priority: times 1000, truncated, never negative.
DWORD ResourcePriority(float aPriority)
{
    if (!(aPriority > 0.0f)) {
        return 0;
    }
    const float scaled = aPriority * 1000.0f;
    return scaled >= 4294967040.0f ? 0xFFFFFF00u : static_cast<DWORD>(scaled);
}

} // namespace

LTextureDX9::LTextureDX9() = default;

LTextureDX9::~LTextureDX9()
{
    if (mTexture != nullptr) {
        mTexture->Release();
        mTexture = nullptr;
    }
    if (mDevice != nullptr) {
        mDevice->Release();
        mDevice = nullptr;
    }
}

LString LTextureDX9::Dump() const
{
    return DumpHead("LTextureDX9") + "]";
}

int LTextureDX9::Init(int)
{
    LGraphicsDX9* graphics = LGraphicsDX9::Get();
    IDirect3DDevice9* device = graphics != nullptr ? graphics->GetDevice() : nullptr;
    if (device == nullptr) {
        L_ERROR("Initialize failure. Could not get D3DDevice.");
        return 0;
    }
    if (mDevice != device) {
        device->AddRef();
        if (mDevice != nullptr) {
            mDevice->Release();
        }
        mDevice = device;
    }
    return 1;
}

IDirect3DTexture9* LTextureDX9::NewTexture(int aWidth, int aHeight, int aFormat, int aLevels)
{
    if (mDevice == nullptr) {
        L_ERROR("CreateTexture failure. No D3DDevice found.");
        return nullptr;
    }
    const D3DFORMAT format = DeviceFormat(aFormat);
    if (format == D3DFMT_UNKNOWN) {
        L_ERROR(LString("CreateTexture failure. Invalid format: ") + aFormat);
        return nullptr;
    }
    if (aWidth < 1 || aHeight < 1) {
        L_ERROR("CreateTexture failure. Invalid size.");
        return nullptr;
    }
    IDirect3DTexture9* texture = nullptr;
    // A level count below 1 asks for the whole chain.
    const HRESULT result = D3DXCreateTexture(mDevice, static_cast<UINT>(aWidth), static_cast<UINT>(aHeight),
                                             aLevels > 0 ? static_cast<UINT>(aLevels) : 0u, 0, format,
                                             D3DPOOL_MANAGED, &texture);
    if (FAILED(result) || texture == nullptr) {
        L_ERROR("CreateTexture failure:" + DXError(result));
        return nullptr;
    }
    return texture;
}

void LTextureDX9::Adopt(IDirect3DTexture9* aTexture, int aWidth, int aHeight)
{
    if (mTexture != nullptr) {
        mTexture->Release();
    }
    mTexture = aTexture;
    mTexture->SetPriority(ResourcePriority(mPriority));
    mWidth = aWidth;
    mHeight = aHeight;
}

int LTextureDX9::Create(LImage* aImage)
{
    if (aImage == nullptr || aImage->GetPixelsConst() == nullptr) {
        L_ERROR("CreateTexture failure. Invalid arg.");
        return 0;
    }
    const int width = aImage->GetWidth();
    const int height = aImage->GetHeight();
    IDirect3DTexture9* texture = NewTexture(width, height, aImage->GetFormat(), mMipLevels);
    if (texture == nullptr) {
        return 0;
    }
    const RECT source {0, 0, width, height};
    const DWORD levels = texture->GetLevelCount();
    for (DWORD level = 0; level < levels; ++level) {
        IDirect3DSurface9* surface = nullptr;
        HRESULT result = texture->GetSurfaceLevel(level, &surface);
        if (FAILED(result) || surface == nullptr) {
            L_ERROR("GetSurfaceLevel failure: " + DXError(result));
            texture->Release();
            return 0;
        }
        result = D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, aImage->GetPixelsConst(),
                                           DeviceFormat(aImage->GetFormat()),
                                           static_cast<UINT>(aImage->GetPitch()), nullptr, &source,
                                           D3DX_FILTER_NONE, 0);
        surface->Release();
        if (FAILED(result)) {
            L_ERROR("CreateTexture failure." + DXError(result));
            texture->Release();
            return 0;
        }
    }
    Adopt(texture, width, height);
    return 1;
}

int LTextureDX9::Create(int aWidth, int aHeight, int aFormat)
{
    IDirect3DTexture9* texture = NewTexture(aWidth, aHeight, aFormat, 1);
    if (texture == nullptr) {
        return 0;
    }
    Adopt(texture, aWidth, aHeight);
    return 1;
}

int LTextureDX9::SetPriority(float aPriority)
{
    if (mTexture != nullptr) {
        mTexture->SetPriority(ResourcePriority(aPriority));
    } else {
        mPriority = aPriority;
    }
    return 1;
}
