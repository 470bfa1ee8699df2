// Inside compat only: the classes behind the Direct3D 9 interfaces. No GL or SDL header
// is included here; GL object names are plain unsigned integers.
#pragma once
#include "D3D9.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class D3D9Device;

// Records the GL or SDL reason of the last failure, appended to the description text.
void D3D9SetErrorDetail(const std::string& aDetail);

// Bytes per pixel of a texture or surface format, 0 for formats without pixels here.
UINT D3D9BytesPerPixel(D3DFORMAT aFormat);

// Reference counting shared by every object: deleted when the count reaches 0.
template <class Interface>
class D3D9RefCounted : public Interface
{
public:
    ULONG AddRef() override { return ++mRefs; }
    ULONG Release() override
    {
        ULONG left = --mRefs;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    ULONG mRefs = 1;
};

class D3D9Object final : public D3D9RefCounted<IDirect3D9>
{
public:
    UINT GetAdapterCount() override;
    UINT GetAdapterModeCount(UINT aAdapter, D3DFORMAT aFormat) override;
    HRESULT EnumAdapterModes(UINT aAdapter, D3DFORMAT aFormat, UINT aMode, D3DDISPLAYMODE* aOut) override;
    HRESULT GetAdapterDisplayMode(UINT aAdapter, D3DDISPLAYMODE* aOut) override;
    HRESULT CheckDepthStencilMatch(UINT aAdapter, D3DDEVTYPE aType, D3DFORMAT aAdapterFormat,
                                   D3DFORMAT aTargetFormat, D3DFORMAT aDepthFormat) override;
    HRESULT GetDeviceCaps(UINT aAdapter, D3DDEVTYPE aType, D3DCAPS9* aCaps) override;
    HRESULT CreateDevice(UINT aAdapter, D3DDEVTYPE aType, HWND aFocusWindow, DWORD aFlags,
                         D3DPRESENT_PARAMETERS* aParameters, IDirect3DDevice9** aDevice) override;

    // Capabilities read from the GL context current now.
    static void ReadCaps(D3DCAPS9* aCaps);

private:
    ~D3D9Object() override = default;
    std::vector<D3DDISPLAYMODE> Modes(D3DFORMAT aFormat) const;

    bool mHaveCaps = false;
    D3DCAPS9 mCaps{};
};

// Resources keep their device alive (as on Direct3D), so the GL context outlives them.
template <class Interface>
class D3D9Resource : public D3D9RefCounted<Interface>
{
public:
    // aHoldDevice false only for the device's own back buffer (no reference cycle).
    explicit D3D9Resource(D3D9Device* aDevice, bool aHoldDevice = true);
    HRESULT GetDevice(IDirect3DDevice9** aDevice) override;
    DWORD SetPriority(DWORD aPriority) override
    {
        DWORD old = mPriority;
        mPriority = aPriority;
        return old;
    }
    DWORD GetPriority() override { return mPriority; }

protected:
    ~D3D9Resource() override;
    D3D9Device* mDevice;
    bool mHoldDevice;
    DWORD mPriority = 0;
};

class D3D9Texture;

// A texture level, or the device's back buffer.
class D3D9Surface final : public D3D9Resource<IDirect3DSurface9>
{
public:
    D3D9Surface(D3D9Device* aDevice, D3D9Texture* aTexture, UINT aLevel);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
    HRESULT GetDesc(D3DSURFACE_DESC* aDesc) override;
    HRESULT LockRect(D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags) override;
    HRESULT UnlockRect() override;

    D3D9Texture* Texture() const { return mTexture; }
    UINT Level() const { return mLevel; }

private:
    ~D3D9Surface() override;
    D3D9Texture* mTexture; // null for the back buffer
    UINT mLevel;
    bool mLocked = false;
    bool mReadOnly = false;
    std::vector<uint8_t> mPixels; // back buffer while locked
};

class D3D9Texture final : public D3D9Resource<IDirect3DTexture9>
{
public:
    D3D9Texture(D3D9Device* aDevice, UINT aWidth, UINT aHeight, UINT aLevels, D3DFORMAT aFormat, D3DPOOL aPool);
    // Makes the GL texture; false with the reason recorded.
    bool Create();

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return static_cast<DWORD>(mLevels.size()); }
    HRESULT GetLevelDesc(UINT aLevel, D3DSURFACE_DESC* aDesc) override;
    HRESULT GetSurfaceLevel(UINT aLevel, IDirect3DSurface9** aSurface) override;
    HRESULT LockRect(UINT aLevel, D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags) override;
    HRESULT UnlockRect(UINT aLevel) override;

    unsigned int GLName() const { return mName; }
    D3DFORMAT Format() const { return mFormat; }
    UINT Width(UINT aLevel) const { return aLevel < mLevels.size() ? mLevels[aLevel].mWidth : 0; }
    UINT Height(UINT aLevel) const { return aLevel < mLevels.size() ? mLevels[aLevel].mHeight : 0; }
    // The level's pixels as Direct3D lays them out (rows top down, pitch = width x bytes).
    uint8_t* LevelBits(UINT aLevel) { return mLevels[aLevel].mBits.data(); }
    UINT LevelPitch(UINT aLevel) const { return mLevels[aLevel].mWidth * D3D9BytesPerPixel(mFormat); }
    // Sends a level's pixels to GL.
    void Upload(UINT aLevel);
    // Sends the levels no lock has sent yet (their zeroes): done before the texture is drawn.
    void SendUnsentLevels();

private:
    ~D3D9Texture() override;

    struct Level
    {
        UINT mWidth;
        UINT mHeight;
        std::vector<uint8_t> mBits;
        bool mLocked = false;
        // Whether GL holds this level's pixels (its storage is made without them).
        bool mSent = false;
    };

    D3DFORMAT mFormat;
    D3DPOOL mPool;
    std::vector<Level> mLevels;
    unsigned int mName = 0;
};

// A vertex or index buffer kept in memory, where draws read it: one lock at a time, of a
// range inside the buffer (size 0: to the end).
template <typename Interface>
class D3D9MemoryBuffer : public D3D9Resource<Interface>
{
public:
    D3D9MemoryBuffer(D3D9Device* aDevice, UINT aLength) : D3D9Resource<Interface>(aDevice), mData(aLength, 0) {}

    HRESULT Lock(UINT aOffset, UINT aSize, void** aData, DWORD) override
    {
        const bool fits = aOffset <= Size() && (aSize == 0 || aSize <= Size() - aOffset);
        if (!aData || mLocked || !fits) {
            if (aData) {
                *aData = nullptr;
            }
            return D3DERR_INVALIDCALL;
        }
        mLocked = true;
        *aData = mData.data() + aOffset;
        return D3D_OK;
    }
    HRESULT Unlock() override
    {
        if (!mLocked) {
            return D3DERR_INVALIDCALL;
        }
        mLocked = false;
        return D3D_OK;
    }

    const uint8_t* Data() const { return mData.data(); }
    UINT Size() const { return static_cast<UINT>(mData.size()); }

protected:
    ~D3D9MemoryBuffer() override = default;

private:
    std::vector<uint8_t> mData;
    bool mLocked = false;
};

class D3D9VertexBuffer final : public D3D9MemoryBuffer<IDirect3DVertexBuffer9>
{
public:
    D3D9VertexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* aDesc) override;

private:
    ~D3D9VertexBuffer() override = default;
    DWORD mUsage;
    DWORD mFVF;
    D3DPOOL mPool;
};

class D3D9IndexBuffer final : public D3D9MemoryBuffer<IDirect3DIndexBuffer9>
{
public:
    D3D9IndexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool);
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* aDesc) override;

    D3DFORMAT Format() const { return mFormat; }

private:
    ~D3D9IndexBuffer() override = default;
    DWORD mUsage;
    D3DFORMAT mFormat;
    D3DPOOL mPool;
};

// Where each attribute lies in a vertex; -1 when the vertex has none.
struct D3D9VertexLayout
{
    bool mValid = false;
    bool mTransformed = false; // XYZRHW: screen position and 1/w
    int mPosition = -1;
    int mNormal = -1;
    int mColor = -1;
    bool mColorIsFloat4 = false; // else a D3DCOLOR word (BGRA bytes)
    int mTexCoord = -1;
    int mTexCoordSize = 2;
    UINT mSize = 0; // packed size (for FVF layouts)

    static D3D9VertexLayout FromFVF(DWORD aFVF);
    static D3D9VertexLayout FromElements(const D3DVERTEXELEMENT9* aElements);
};

class D3D9VertexDeclaration final : public D3D9RefCounted<IDirect3DVertexDeclaration9>
{
public:
    explicit D3D9VertexDeclaration(const D3D9VertexLayout& aLayout) : mLayout(aLayout) {}
    const D3D9VertexLayout& Layout() const { return mLayout; }

private:
    ~D3D9VertexDeclaration() override = default;
    D3D9VertexLayout mLayout;
};

class D3D9Device final : public D3D9RefCounted<IDirect3DDevice9>
{
public:
    D3D9Device(D3D9Object* aDirect3D, HWND aWindow, const D3DPRESENT_PARAMETERS& aParameters);
    // Makes the GL context and the off-screen picture; false with the reason recorded.
    bool Create();

    HRESULT GetDirect3D(IDirect3D9** aDirect3D) override;
    HRESULT GetDeviceCaps(D3DCAPS9* aCaps) override;
    HRESULT TestCooperativeLevel() override { return D3D_OK; }
    HRESULT GetBackBuffer(UINT aSwapChain, UINT aIndex, D3DBACKBUFFER_TYPE aType,
                          IDirect3DSurface9** aSurface) override;
    HRESULT Present(const RECT* aSource, const RECT* aDest, HWND aOverride, const void* aDirty) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD aCount, const RECT* aRects, DWORD aFlags, D3DCOLOR aColor, float aZ,
                  DWORD aStencil) override;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE aState, const D3DMATRIX* aMatrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE aState, D3DMATRIX* aMatrix) override;
    HRESULT SetViewport(const D3DVIEWPORT9* aViewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* aViewport) override;
    HRESULT SetMaterial(const D3DMATERIAL9* aMaterial) override;
    HRESULT GetMaterial(D3DMATERIAL9* aMaterial) override;
    HRESULT SetLight(DWORD aIndex, const D3DLIGHT9* aLight) override;
    HRESULT GetLight(DWORD aIndex, D3DLIGHT9* aLight) override;
    HRESULT LightEnable(DWORD aIndex, BOOL aEnable) override;
    HRESULT GetLightEnable(DWORD aIndex, BOOL* aEnable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE aState, DWORD aValue) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE aState, DWORD* aValue) override;
    HRESULT SetTexture(DWORD aStage, IDirect3DBaseTexture9* aTexture) override;
    HRESULT GetTexture(DWORD aStage, IDirect3DBaseTexture9** aTexture) override;
    HRESULT SetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD aValue) override;
    HRESULT GetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD* aValue) override;
    HRESULT SetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD aValue) override;
    HRESULT GetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD* aValue) override;
    HRESULT SetScissorRect(const RECT* aRect) override;

    HRESULT CreateTexture(UINT aWidth, UINT aHeight, UINT aLevels, DWORD aUsage, D3DFORMAT aFormat,
                          D3DPOOL aPool, IDirect3DTexture9** aTexture, HANDLE* aShared) override;
    HRESULT CreateVertexBuffer(UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool,
                               IDirect3DVertexBuffer9** aBuffer, HANDLE* aShared) override;
    HRESULT CreateIndexBuffer(UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool,
                              IDirect3DIndexBuffer9** aBuffer, HANDLE* aShared) override;
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* aElements,
                                    IDirect3DVertexDeclaration9** aDeclaration) override;

    HRESULT SetStreamSource(UINT aStream, IDirect3DVertexBuffer9* aBuffer, UINT aOffset, UINT aStride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* aBuffer) override;
    HRESULT SetFVF(DWORD aFVF) override;
    HRESULT GetFVF(DWORD* aFVF) override;
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* aDeclaration) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE aType, UINT aStartVertex, UINT aPrimitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE aType, INT aBaseVertex, UINT aMinIndex, UINT aVertexCount,
                                 UINT aStartIndex, UINT aPrimitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE aType, UINT aPrimitiveCount, const void* aData, UINT aStride) override;

    // For the back-buffer surface.
    UINT Width() const { return mWidth; }
    UINT Height() const { return mHeight; }
    D3DFORMAT BackBufferFormat() const { return mParameters.BackBufferFormat; }
    void ReadPicture(uint8_t* aBgra);
    void WritePicture(const uint8_t* aBgra);
    // Makes the device's context current (another window's context may have been).
    void MakeCurrent();
    // A resource that ends is no longer bound. The bound texture, vertex and index buffer
    // are not referenced by their bindings: each of them holds the device, and a counted
    // binding would keep both alive for ever.
    void Forget(const void* aResource);

private:
    ~D3D9Device() override;

    void SetDefaults();
    void ApplyState(const D3D9VertexLayout& aLayout);
    void ApplyRaster();
    void ApplyBlend();
    void ApplyDepthStencil();
    void ApplyTextureStage();
    void ApplySampler();
    void ApplyLighting(bool aColorFromVertex);
    void ApplyTransforms(bool aTransformed);
    void ApplyViewport(bool aTransformed);
    HRESULT Draw(D3DPRIMITIVETYPE aType, const uint8_t* aVertices, UINT aStride, UINT aVertexCount,
                 const void* aIndices, bool aIndices32, UINT aIndexCount, UINT aPrimitiveCount);
    const D3D9VertexLayout& CurrentLayout() const;

    enum Dirty : uint32_t {
        kRaster = 1u << 0,
        kBlend = 1u << 1,
        kDepthStencil = 1u << 2,
        kStage = 1u << 3,
        kSampler = 1u << 4,
        kLighting = 1u << 5,
        kLights = 1u << 6,
        kTransforms = 1u << 7,
        kViewport = 1u << 8,
        kAll = 0xFFFFFFFFu,
    };

    struct LightSlot
    {
        D3DLIGHT9 mLight{};
        bool mEnabled = false;
    };

    D3D9Object* mDirect3D;
    HWND mWindow;
    D3DPRESENT_PARAMETERS mParameters;
    void* mContext = nullptr;
    unsigned int mFramebuffer = 0;
    unsigned int mColorBuffer = 0;
    unsigned int mDepthBuffer = 0;
    unsigned int mSamplerObject = 0;
    UINT mWidth = 0;
    UINT mHeight = 0;
    bool mInScene = false;
    D3D9Surface* mBackBuffer = nullptr;
    D3DCAPS9 mCaps{};

    DWORD mRenderStates[D3D9_RENDER_STATE_COUNT] = {};
    DWORD mStageStates[D3D9_STAGE_STATE_COUNT] = {};
    DWORD mSamplerStates[D3D9_SAMPLER_STATE_COUNT] = {};
    D3DMATRIX mWorld{};
    D3DMATRIX mView{};
    D3DMATRIX mProjection{};
    D3DVIEWPORT9 mViewport{};
    RECT mScissor{};
    D3DMATERIAL9 mMaterial{};
    std::map<DWORD, LightSlot> mLights;
    uint32_t mDirty = kAll;
    bool mLastTransformed = false;
    bool mLastColorMaterial = false;

    // Bound, not referenced (see Forget).
    D3D9Texture* mTexture = nullptr;
    D3D9VertexBuffer* mStream = nullptr;
    UINT mStreamOffset = 0;
    UINT mStreamStride = 0;
    D3D9IndexBuffer* mIndices = nullptr;
    DWORD mFVF = 0;
    D3D9VertexLayout mFVFLayout;
    D3D9VertexDeclaration* mDeclaration = nullptr;
    std::vector<float> mScratch;
};

template <class Interface>
D3D9Resource<Interface>::D3D9Resource(D3D9Device* aDevice, bool aHoldDevice)
    : mDevice(aDevice), mHoldDevice(aHoldDevice)
{
    if (mHoldDevice) {
        mDevice->AddRef();
    }
}

template <class Interface>
D3D9Resource<Interface>::~D3D9Resource()
{
    if (mHoldDevice) {
        mDevice->Forget(this);
        mDevice->Release();
    }
}

template <class Interface>
HRESULT D3D9Resource<Interface>::GetDevice(IDirect3DDevice9** aDevice)
{
    if (!aDevice) {
        return D3DERR_INVALIDCALL;
    }
    mDevice->AddRef();
    *aDevice = mDevice;
    return D3D_OK;
}
