#include "support/LMemoryTexture.h"

#include "container/LString.h"
#include "d3d9/D3D9.h"

#include <cstring>
#include <vector>

namespace {

int sLive = 0;

// Reference counting of the stand-in interfaces.
template <typename Interface>
class Counted : public Interface
{
public:
    ULONG AddRef() override { return ++mReferences; }
    ULONG Release() override
    {
        const ULONG left = --mReferences;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT GetDevice(IDirect3DDevice9**) override { return D3DERR_INVALIDCALL; }
    DWORD SetPriority(DWORD) override { return 0; }
    DWORD GetPriority() override { return 0; }

private:
    ULONG mReferences = 1;
};

class MemoryTexture final : public Counted<IDirect3DTexture9>
{
public:
    MemoryTexture(UINT aWidth, UINT aHeight, D3DFORMAT aFormat)
        : mWidth(aWidth), mHeight(aHeight), mFormat(aFormat), mPixels(std::size_t {aWidth} * aHeight * 4, 0)
    {
    }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT aLevel, D3DSURFACE_DESC* aDesc) override
    {
        if (aLevel != 0 || !aDesc) {
            return D3DERR_INVALIDCALL;
        }
        *aDesc = D3DSURFACE_DESC {mFormat, D3DRTYPE_SURFACE, 0, D3DPOOL_MANAGED, D3DMULTISAMPLE_NONE, 0, mWidth, mHeight};
        return D3D_OK;
    }
    HRESULT GetSurfaceLevel(UINT aLevel, IDirect3DSurface9** aSurface) override;
    HRESULT LockRect(UINT aLevel, D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD) override
    {
        if (aLevel != 0 || !aLocked || aRect || mLocked) {
            return D3DERR_INVALIDCALL;
        }
        mLocked = true;
        ++mLockCount;
        aLocked->Pitch = static_cast<INT>(mWidth * 4);
        aLocked->pBits = mPixels.data();
        return D3D_OK;
    }
    HRESULT UnlockRect(UINT aLevel) override
    {
        if (aLevel != 0 || !mLocked) {
            return D3DERR_INVALIDCALL;
        }
        mLocked = false;
        return D3D_OK;
    }

    uint32_t At(int aX, int aY) const
    {
        if (aX < 0 || aY < 0 || static_cast<UINT>(aX) >= mWidth || static_cast<UINT>(aY) >= mHeight) {
            return 0;
        }
        uint32_t value = 0;
        std::memcpy(&value, mPixels.data() + (std::size_t(aY) * mWidth + std::size_t(aX)) * 4, 4);
        return value;
    }
    int LockCount() const { return mLockCount; }

private:
    UINT mWidth;
    UINT mHeight;
    D3DFORMAT mFormat;
    std::vector<uint8_t> mPixels;
    bool mLocked = false;
    int mLockCount = 0;
};

// The texture's one level; it holds the texture while it lives.
class MemorySurface final : public Counted<IDirect3DSurface9>
{
public:
    explicit MemorySurface(MemoryTexture* aTexture) : mTexture(aTexture) { mTexture->AddRef(); }
    ~MemorySurface() override { mTexture->Release(); }

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
    HRESULT GetDesc(D3DSURFACE_DESC* aDesc) override { return mTexture->GetLevelDesc(0, aDesc); }
    HRESULT LockRect(D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags) override
    {
        return mTexture->LockRect(0, aLocked, aRect, aFlags);
    }
    HRESULT UnlockRect() override { return mTexture->UnlockRect(0); }

private:
    MemoryTexture* mTexture;
};

HRESULT MemoryTexture::GetSurfaceLevel(UINT aLevel, IDirect3DSurface9** aSurface)
{
    if (aLevel != 0 || !aSurface) {
        return D3DERR_INVALIDCALL;
    }
    *aSurface = new MemorySurface(this);
    return D3D_OK;
}

} // namespace

LMemoryTexture::LMemoryTexture()
{
    ++sLive;
}

LMemoryTexture::~LMemoryTexture()
{
    --sLive;
    if (mTexture) {
        mTexture->Release();
        mTexture = nullptr;
    }
}

LString LMemoryTexture::Dump() const
{
    return DumpHead("LMemoryTexture") + "]";
}

int LMemoryTexture::Create(LImage*)
{
    return 0;
}

int LMemoryTexture::Create(int aWidth, int aHeight, int aFormat)
{
    if (mTexture || aWidth < 1 || aHeight < 1 || aWidth > 4096 || aHeight > 4096 || (aFormat != 1 && aFormat != 2)) {
        return 0;
    }
    mTexture = new MemoryTexture(static_cast<UINT>(aWidth), static_cast<UINT>(aHeight),
                                 aFormat == 1 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8);
    mWidth = aWidth;
    mHeight = aHeight;
    return 1;
}

int LMemoryTexture::SetPriority(float aPriority)
{
    mPriority = aPriority;
    return 1;
}

uint32_t LMemoryTexture::At(int aX, int aY) const
{
    return mTexture ? static_cast<MemoryTexture*>(mTexture)->At(aX, aY) : 0;
}

int LMemoryTexture::LockCount() const
{
    return mTexture ? static_cast<MemoryTexture*>(mTexture)->LockCount() : 0;
}

int LMemoryTexture::LiveCount()
{
    return sLive;
}
