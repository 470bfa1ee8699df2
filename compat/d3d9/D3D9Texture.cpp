// Textures keep each level's pixels in memory as Direct3D lays them out (the managed
// copy) and send a level to GL when it is unlocked. Surfaces are texture levels or the
// device's back buffer.
#include "D3D9GL.h"
#include "D3D9Impl.h"

#include <algorithm>
#include <cstring>

namespace {

struct GLFormat
{
    GLint mInternal;
    GLenum mFormat;
    GLenum mType;
};

// Memory order of each format: A8R8G8B8 and X8R8G8B8 are the bytes B, G, R, A (X);
// R8G8B8 is B, G, R; A8 is the alpha alone and samples as (0, 0, 0, a).
GLFormat FormatOf(D3DFORMAT aFormat)
{
    switch (aFormat) {
    case D3DFMT_A8R8G8B8: return GLFormat{GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE};
    case D3DFMT_X8R8G8B8: return GLFormat{GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE};
    case D3DFMT_R8G8B8: return GLFormat{GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE};
    case D3DFMT_R5G6B5: return GLFormat{GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
    case D3DFMT_A8: return GLFormat{GL_R8, GL_RED, GL_UNSIGNED_BYTE};
    default: return GLFormat{0, 0, 0};
    }
}

bool ValidRect(const RECT* aRect, UINT aWidth, UINT aHeight)
{
    return !aRect || (aRect->left >= 0 && aRect->top >= 0 && aRect->right > aRect->left &&
                      aRect->bottom > aRect->top && static_cast<UINT>(aRect->right) <= aWidth &&
                      static_cast<UINT>(aRect->bottom) <= aHeight);
}

} // namespace

D3D9Texture::D3D9Texture(D3D9Device* aDevice, UINT aWidth, UINT aHeight, UINT aLevels, D3DFORMAT aFormat,
                         D3DPOOL aPool)
    : D3D9Resource(aDevice), mFormat(aFormat), mPool(aPool)
{
    UINT width = aWidth;
    UINT height = aHeight;
    for (UINT i = 0; i < aLevels; ++i) {
        Level level;
        level.mWidth = width;
        level.mHeight = height;
        mLevels.push_back(std::move(level));
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
}

bool D3D9Texture::Create()
{
    GLFormat format = FormatOf(mFormat);
    UINT bytes = D3D9BytesPerPixel(mFormat);
    if (format.mInternal == 0 || bytes == 0) {
        D3D9SetErrorDetail("texture format not available");
        return false;
    }
    for (Level& level : mLevels) {
        level.mBits.assign(size_t{level.mWidth} * level.mHeight * bytes, 0);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenTextures(1, &mName);
    glBindTexture(GL_TEXTURE_2D, mName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(mLevels.size()) - 1);
    if (mFormat == D3DFMT_A8) {
        const GLint swizzle[4] = {GL_ZERO, GL_ZERO, GL_ZERO, GL_RED};
        glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    }
    // Storage only: a level's zeroed pixels are sent when it is first drawn with, unless a
    // lock has sent its own pixels by then (most textures are filled at once, and sending the
    // zeros as well doubled the cost of making one on a software renderer).
    for (UINT i = 0; i < mLevels.size(); ++i) {
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), format.mInternal, static_cast<GLsizei>(mLevels[i].mWidth),
                     static_cast<GLsizei>(mLevels[i].mHeight), 0, format.mFormat, format.mType, nullptr);
        mLevels[i].mSent = false;
    }
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        D3D9SetErrorDetail(error == GL_OUT_OF_MEMORY ? "GL_OUT_OF_MEMORY" : "GL error " + std::to_string(error));
        return false;
    }
    return true;
}

D3D9Texture::~D3D9Texture()
{
    if (mName) {
        mDevice->MakeCurrent();
        glDeleteTextures(1, &mName);
    }
}

void D3D9Texture::Upload(UINT aLevel)
{
    if (aLevel >= mLevels.size() || !mName) {
        return;
    }
    GLFormat format = FormatOf(mFormat);
    mDevice->MakeCurrent();
    glBindTexture(GL_TEXTURE_2D, mName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(aLevel), 0, 0, static_cast<GLsizei>(mLevels[aLevel].mWidth),
                    static_cast<GLsizei>(mLevels[aLevel].mHeight), format.mFormat, format.mType,
                    mLevels[aLevel].mBits.data());
    mLevels[aLevel].mSent = true;
}

void D3D9Texture::SendUnsentLevels()
{
    for (UINT i = 0; i < mLevels.size(); ++i) {
        if (!mLevels[i].mSent) {
            Upload(i);
        }
    }
}

HRESULT D3D9Texture::GetLevelDesc(UINT aLevel, D3DSURFACE_DESC* aDesc)
{
    if (!aDesc || aLevel >= mLevels.size()) {
        return D3DERR_INVALIDCALL;
    }
    *aDesc = D3DSURFACE_DESC{mFormat, D3DRTYPE_SURFACE, 0, mPool, D3DMULTISAMPLE_NONE, 0,
                             mLevels[aLevel].mWidth, mLevels[aLevel].mHeight};
    return D3D_OK;
}

HRESULT D3D9Texture::GetSurfaceLevel(UINT aLevel, IDirect3DSurface9** aSurface)
{
    if (!aSurface || aLevel >= mLevels.size()) {
        return D3DERR_INVALIDCALL;
    }
    *aSurface = new D3D9Surface(mDevice, this, aLevel);
    return D3D_OK;
}

HRESULT D3D9Texture::LockRect(UINT aLevel, D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD)
{
    if (!aLocked || aLevel >= mLevels.size() || mLevels[aLevel].mLocked ||
        !ValidRect(aRect, mLevels[aLevel].mWidth, mLevels[aLevel].mHeight)) {
        return D3DERR_INVALIDCALL;
    }
    Level& level = mLevels[aLevel];
    UINT bytes = D3D9BytesPerPixel(mFormat);
    UINT pitch = level.mWidth * bytes;
    size_t offset = aRect ? size_t(aRect->top) * pitch + size_t(aRect->left) * bytes : 0;
    level.mLocked = true;
    aLocked->Pitch = static_cast<INT>(pitch);
    aLocked->pBits = level.mBits.data() + offset;
    return D3D_OK;
}

HRESULT D3D9Texture::UnlockRect(UINT aLevel)
{
    if (aLevel >= mLevels.size() || !mLevels[aLevel].mLocked) {
        return D3DERR_INVALIDCALL;
    }
    mLevels[aLevel].mLocked = false;
    Upload(aLevel);
    return D3D_OK;
}

D3D9Surface::D3D9Surface(D3D9Device* aDevice, D3D9Texture* aTexture, UINT aLevel)
    : D3D9Resource(aDevice, aTexture != nullptr), mTexture(aTexture), mLevel(aLevel)
{
    if (mTexture) {
        mTexture->AddRef();
    }
}

D3D9Surface::~D3D9Surface()
{
    if (mTexture) {
        if (mLocked) {
            mTexture->UnlockRect(mLevel);
        }
        mTexture->Release();
    }
}

HRESULT D3D9Surface::GetDesc(D3DSURFACE_DESC* aDesc)
{
    if (!aDesc) {
        return D3DERR_INVALIDCALL;
    }
    if (mTexture) {
        return mTexture->GetLevelDesc(mLevel, aDesc);
    }
    *aDesc = D3DSURFACE_DESC{mDevice->BackBufferFormat(), D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
                             D3DMULTISAMPLE_NONE, 0, mDevice->Width(), mDevice->Height()};
    return D3D_OK;
}

HRESULT D3D9Surface::LockRect(D3DLOCKED_RECT* aLocked, const RECT* aRect, DWORD aFlags)
{
    if (mTexture) {
        HRESULT result = mTexture->LockRect(mLevel, aLocked, aRect, aFlags);
        mLocked = SUCCEEDED(result);
        return result;
    }
    // The back buffer: its pixels are read from GL, and written back on unlock.
    if (!aLocked || mLocked || !ValidRect(aRect, mDevice->Width(), mDevice->Height())) {
        return D3DERR_INVALIDCALL;
    }
    UINT pitch = mDevice->Width() * 4;
    mPixels.resize(size_t{pitch} * mDevice->Height());
    mDevice->ReadPicture(mPixels.data());
    size_t offset = aRect ? size_t(aRect->top) * pitch + size_t(aRect->left) * 4 : 0;
    mLocked = true;
    mReadOnly = (aFlags & D3DLOCK_READONLY) != 0;
    aLocked->Pitch = static_cast<INT>(pitch);
    aLocked->pBits = mPixels.data() + offset;
    return D3D_OK;
}

HRESULT D3D9Surface::UnlockRect()
{
    if (!mLocked) {
        return D3DERR_INVALIDCALL;
    }
    mLocked = false;
    if (mTexture) {
        return mTexture->UnlockRect(mLevel);
    }
    if (!mReadOnly) {
        mDevice->WritePicture(mPixels.data());
    }
    return D3D_OK;
}
