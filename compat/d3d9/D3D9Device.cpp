// The device: GL context, the off-screen picture, presentation and the stored state.
// Drawing and the translation of the state to GL are in D3D9DeviceDraw.cpp.
//
// The picture lives in a framebuffer object whose row 0 is the picture's top row, so
// that GL window coordinates equal Direct3D's screen coordinates (plus the half-pixel
// shift of the pixel centres); Present flips it upright into the window.
#include "D3D9GL.h"
#include "D3D9Impl.h"
#include "win32/WinTestHooks.h"
#include "win32/WinWindow.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace {

D3DMATRIX Identity()
{
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

std::string GLErrorText(GLenum aError)
{
    switch (aError) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return "GL_INVALID_FRAMEBUFFER_OPERATION";
    default: return "GL error " + std::to_string(aError);
    }
}

} // namespace

UINT D3D9BytesPerPixel(D3DFORMAT aFormat)
{
    switch (aFormat) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: return 4;
    case D3DFMT_R8G8B8: return 3;
    case D3DFMT_R5G6B5: return 2;
    case D3DFMT_A8: return 1;
    default: return 0;
    }
}

D3D9Device::D3D9Device(D3D9Object* aDirect3D, HWND aWindow, const D3DPRESENT_PARAMETERS& aParameters)
    : mDirect3D(aDirect3D), mWindow(aWindow), mParameters(aParameters)
{
    mDirect3D->AddRef();
    WinRetainWindow(mWindow);
    mWidth = mParameters.BackBufferWidth;
    mHeight = mParameters.BackBufferHeight;
}

D3D9Device::~D3D9Device()
{
    if (mBackBuffer) {
        mBackBuffer->Release();
    }
    if (mDeclaration) {
        mDeclaration->Release();
    }
    if (mContext) {
        MakeCurrent();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &mFramebuffer);
        glDeleteRenderbuffers(1, &mColorBuffer);
        glDeleteRenderbuffers(1, &mDepthBuffer);
        glDeleteSamplers(1, &mSamplerObject);
        SDL_GL_MakeCurrent(mWindow->mSdl, nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(mContext));
    }
    WinReleaseWindow(mWindow);
    mDirect3D->Release();
}

void D3D9Device::Forget(const void* aResource)
{
    if (aResource == nullptr) {
        return;
    }
    if (static_cast<const void*>(mTexture) == aResource) {
        mTexture = nullptr;
        mDirty |= kStage;
    }
    if (static_cast<const void*>(mStream) == aResource) {
        mStream = nullptr;
    }
    if (static_cast<const void*>(mIndices) == aResource) {
        mIndices = nullptr;
    }
}

void D3D9Device::MakeCurrent()
{
    if (mContext && SDL_GL_GetCurrentContext() != mContext) {
        SDL_GL_MakeCurrent(mWindow->mSdl, static_cast<SDL_GLContext>(mContext));
    }
}

bool D3D9Device::Create()
{
    SDL_Window* window = mWindow->mSdl;
    // The picture is scaled to the display by Present. Under the whole-program test hooks
    // it keeps a window of its own size, so that script coordinates are window pixels
    // whatever the size of the (offscreen) display.
    if (!mParameters.Windowed && !WinTestHooksActive()) {
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            D3D9SetErrorDetail(SDL_GetError());
            return false;
        }
    }
    mContext = SDL_GL_CreateContext(window);
    if (!mContext) {
        D3D9SetErrorDetail(SDL_GetError());
        return false;
    }
    if (SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(mContext)) != 0) {
        D3D9SetErrorDetail(SDL_GetError());
        return false;
    }
    SDL_GL_SetSwapInterval(mParameters.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
    mWindow->mPictureWidth = static_cast<int>(mWidth);
    mWindow->mPictureHeight = static_cast<int>(mHeight);

    while (glGetError() != GL_NO_ERROR) {
    }
    glGenFramebuffers(1, &mFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    glGenRenderbuffers(1, &mColorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, mColorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(mWidth), static_cast<GLsizei>(mHeight));
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColorBuffer);
    if (mParameters.EnableAutoDepthStencil) {
        glGenRenderbuffers(1, &mDepthBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, mDepthBuffer);
        bool stencil = mParameters.AutoDepthStencilFormat == D3DFMT_D24S8;
        bool depth16 = mParameters.AutoDepthStencilFormat == D3DFMT_D16;
        glRenderbufferStorage(GL_RENDERBUFFER,
                              stencil ? GL_DEPTH24_STENCIL8 : (depth16 ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24),
                              static_cast<GLsizei>(mWidth), static_cast<GLsizei>(mHeight));
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                                  GL_RENDERBUFFER, mDepthBuffer);
    }
    GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    GLenum error = glGetError();
    if (status != GL_FRAMEBUFFER_COMPLETE || error != GL_NO_ERROR) {
        D3D9SetErrorDetail(error != GL_NO_ERROR ? GLErrorText(error) : std::string("framebuffer incomplete"));
        return false;
    }
    glGenSamplers(1, &mSamplerObject);
    glBindSampler(0, mSamplerObject);

    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glFrontFace(GL_CCW); // Direct3D's clockwise, seen through the top-down picture
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glDisable(GL_DITHER);

    D3D9Object::ReadCaps(&mCaps);
    mBackBuffer = new D3D9Surface(this, nullptr, 0);
    SetDefaults();
    return true;
}

void D3D9Device::SetDefaults()
{
    std::fill(std::begin(mRenderStates), std::end(mRenderStates), 0u);
    mRenderStates[D3DRS_ZENABLE] = mParameters.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    mRenderStates[D3DRS_FILLMODE] = D3DFILL_SOLID;
    mRenderStates[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    mRenderStates[D3DRS_ZWRITEENABLE] = TRUE;
    mRenderStates[D3DRS_LASTPIXEL] = TRUE;
    mRenderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    mRenderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    mRenderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
    mRenderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    mRenderStates[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    mRenderStates[D3DRS_STENCILFAIL] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    mRenderStates[D3DRS_STENCILMASK] = 0xFFFFFFFFu;
    mRenderStates[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
    mRenderStates[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
    mRenderStates[D3DRS_LIGHTING] = TRUE;
    mRenderStates[D3DRS_COLORVERTEX] = TRUE;
    mRenderStates[D3DRS_LOCALVIEWER] = TRUE;
    mRenderStates[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    mRenderStates[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    mRenderStates[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    mRenderStates[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    mRenderStates[D3DRS_COLORWRITEENABLE] = 0xF;
    mRenderStates[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    mRenderStates[D3DRS_CCW_STENCILFAIL] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_CCW_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_CCW_STENCILPASS] = D3DSTENCILOP_KEEP;
    mRenderStates[D3DRS_CCW_STENCILFUNC] = D3DCMP_ALWAYS;
    mRenderStates[D3DRS_BLENDFACTOR] = 0xFFFFFFFFu;

    std::fill(std::begin(mStageStates), std::end(mStageStates), 0u);
    mStageStates[D3DTSS_COLOROP] = D3DTOP_MODULATE;
    mStageStates[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    mStageStates[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    mStageStates[D3DTSS_ALPHAOP] = D3DTOP_SELECTARG1;
    mStageStates[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    mStageStates[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;

    std::fill(std::begin(mSamplerStates), std::end(mSamplerStates), 0u);
    mSamplerStates[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
    mSamplerStates[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
    mSamplerStates[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
    mSamplerStates[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
    mSamplerStates[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
    mSamplerStates[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;

    mWorld = mView = mProjection = Identity();
    mViewport = D3DVIEWPORT9{0, 0, mWidth, mHeight, 0.0f, 1.0f};
    mScissor = RECT{0, 0, static_cast<LONG>(mWidth), static_cast<LONG>(mHeight)};
    mMaterial = D3DMATERIAL9{};
    mLights.clear();
    mDirty = kAll;
}

HRESULT D3D9Device::GetDirect3D(IDirect3D9** aDirect3D)
{
    if (!aDirect3D) {
        return D3DERR_INVALIDCALL;
    }
    mDirect3D->AddRef();
    *aDirect3D = mDirect3D;
    return D3D_OK;
}

HRESULT D3D9Device::GetDeviceCaps(D3DCAPS9* aCaps)
{
    if (!aCaps) {
        return D3DERR_INVALIDCALL;
    }
    *aCaps = mCaps;
    return D3D_OK;
}

HRESULT D3D9Device::GetBackBuffer(UINT aSwapChain, UINT aIndex, D3DBACKBUFFER_TYPE aType,
                                  IDirect3DSurface9** aSurface)
{
    if (!aSurface || aSwapChain != 0 || aIndex != 0 || aType != D3DBACKBUFFER_TYPE_MONO) {
        return D3DERR_INVALIDCALL;
    }
    mBackBuffer->AddRef();
    *aSurface = mBackBuffer;
    return D3D_OK;
}

HRESULT D3D9Device::BeginScene()
{
    if (mInScene) {
        return D3DERR_INVALIDCALL;
    }
    mInScene = true;
    return D3D_OK;
}

HRESULT D3D9Device::EndScene()
{
    if (!mInScene) {
        return D3DERR_INVALIDCALL;
    }
    mInScene = false;
    glFlush();
    return D3D_OK;
}

HRESULT D3D9Device::Present(const RECT*, const RECT*, HWND, const void*)
{
    if (mInScene) {
        return D3DERR_INVALIDCALL;
    }
    MakeCurrent();
    WinTestFramePresented(static_cast<int>(mWidth), static_cast<int>(mHeight),
                          [this](uint8_t* aBgra) { ReadPicture(aBgra); });
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GL_GetDrawableSize(mWindow->mSdl, &windowWidth, &windowHeight);
    if (windowWidth <= 0 || windowHeight <= 0) {
        windowWidth = static_cast<int>(mWidth);
        windowHeight = static_cast<int>(mHeight);
    }
    // Scale with the aspect kept, centred, black around.
    double scale = std::min(static_cast<double>(windowWidth) / mWidth, static_cast<double>(windowHeight) / mHeight);
    int width = static_cast<int>(mWidth * scale + 0.5);
    int height = static_cast<int>(mHeight * scale + 0.5);
    int x = (windowWidth - width) / 2;
    int y = (windowHeight - height) / 2;

    glBindFramebuffer(GL_READ_FRAMEBUFFER, mFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // The picture's top row is row 0 of the framebuffer object: flip it upright.
    glBlitFramebuffer(0, 0, static_cast<GLint>(mWidth), static_cast<GLint>(mHeight), x, y + height, x + width, y,
                      GL_COLOR_BUFFER_BIT,
                      (width == static_cast<int>(mWidth) && height == static_cast<int>(mHeight)) ? GL_NEAREST
                                                                                              : GL_LINEAR);
    SDL_GL_SwapWindow(mWindow->mSdl);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    mDirty |= kRaster;
    return D3D_OK;
}

HRESULT D3D9Device::Clear(DWORD aCount, const RECT* aRects, DWORD aFlags, D3DCOLOR aColor, float aZ, DWORD aStencil)
{
    if ((aCount > 0 && !aRects) || (aFlags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) ||
        aFlags == 0) {
        return D3DERR_INVALIDCALL;
    }
    if ((aFlags & D3DCLEAR_ZBUFFER) && !mDepthBuffer) {
        return D3DERR_INVALIDCALL;
    }
    if ((aFlags & D3DCLEAR_STENCIL) && mParameters.AutoDepthStencilFormat != D3DFMT_D24S8) {
        return D3DERR_INVALIDCALL;
    }
    MakeCurrent();
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    // Clears ignore the write masks and are limited to the viewport.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFFu);
    glClearColor(((aColor >> 16) & 0xFF) / 255.0f, ((aColor >> 8) & 0xFF) / 255.0f, (aColor & 0xFF) / 255.0f,
                 ((aColor >> 24) & 0xFF) / 255.0f);
    glClearDepth(std::clamp(aZ, 0.0f, 1.0f));
    glClearStencil(static_cast<GLint>(aStencil & 0xFF));
    GLbitfield mask = 0;
    mask |= (aFlags & D3DCLEAR_TARGET) ? GL_COLOR_BUFFER_BIT : 0;
    mask |= (aFlags & D3DCLEAR_ZBUFFER) ? GL_DEPTH_BUFFER_BIT : 0;
    mask |= (aFlags & D3DCLEAR_STENCIL) ? GL_STENCIL_BUFFER_BIT : 0;

    LONG left = static_cast<LONG>(mViewport.X);
    LONG top = static_cast<LONG>(mViewport.Y);
    LONG right = static_cast<LONG>(mViewport.X + mViewport.Width);
    LONG bottom = static_cast<LONG>(mViewport.Y + mViewport.Height);
    glEnable(GL_SCISSOR_TEST);
    auto clearRect = [&](LONG aLeft, LONG aTop, LONG aRight, LONG aBottom) {
        aLeft = std::max(aLeft, left);
        aTop = std::max(aTop, top);
        aRight = std::min(aRight, right);
        aBottom = std::min(aBottom, bottom);
        if (aRight > aLeft && aBottom > aTop) {
            glScissor(aLeft, aTop, aRight - aLeft, aBottom - aTop);
            glClear(mask);
        }
    };
    if (aCount == 0) {
        clearRect(left, top, right, bottom);
    } else {
        for (DWORD i = 0; i < aCount; ++i) {
            clearRect(aRects[i].left, aRects[i].top, aRects[i].right, aRects[i].bottom);
        }
    }
    mDirty |= kRaster | kDepthStencil;
    return D3D_OK;
}

void D3D9Device::ReadPicture(uint8_t* aBgra)
{
    MakeCurrent();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, mFramebuffer);
    glReadPixels(0, 0, static_cast<GLsizei>(mWidth), static_cast<GLsizei>(mHeight), GL_BGRA, GL_UNSIGNED_BYTE,
                 aBgra);
}

void D3D9Device::WritePicture(const uint8_t* aBgra)
{
    MakeCurrent();
    GLuint texture = 0;
    GLuint framebuffer = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(mWidth), static_cast<GLsizei>(mHeight), 0,
                 GL_BGRA, GL_UNSIGNED_BYTE, aBgra);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, mFramebuffer);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlitFramebuffer(0, 0, static_cast<GLint>(mWidth), static_cast<GLint>(mHeight), 0, 0,
                      static_cast<GLint>(mWidth), static_cast<GLint>(mHeight), GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    mDirty |= kRaster | kStage;
}

HRESULT D3D9Device::SetTransform(D3DTRANSFORMSTATETYPE aState, const D3DMATRIX* aMatrix)
{
    if (!aMatrix) {
        return D3DERR_INVALIDCALL;
    }
    switch (aState) {
    case D3DTS_WORLD: mWorld = *aMatrix; break;
    case D3DTS_VIEW:
        mView = *aMatrix;
        mDirty |= kLights; // lights are given in world space
        break;
    case D3DTS_PROJECTION: mProjection = *aMatrix; break;
    default: return D3D_OK; // texture transforms are not used
    }
    mDirty |= kTransforms;
    return D3D_OK;
}

HRESULT D3D9Device::GetTransform(D3DTRANSFORMSTATETYPE aState, D3DMATRIX* aMatrix)
{
    if (!aMatrix) {
        return D3DERR_INVALIDCALL;
    }
    switch (aState) {
    case D3DTS_WORLD: *aMatrix = mWorld; break;
    case D3DTS_VIEW: *aMatrix = mView; break;
    case D3DTS_PROJECTION: *aMatrix = mProjection; break;
    default: *aMatrix = Identity(); break;
    }
    return D3D_OK;
}

HRESULT D3D9Device::SetViewport(const D3DVIEWPORT9* aViewport)
{
    if (!aViewport || aViewport->Width == 0 || aViewport->Height == 0 || aViewport->X > mWidth ||
        aViewport->Y > mHeight || aViewport->Width > mWidth - aViewport->X ||
        aViewport->Height > mHeight - aViewport->Y || !(aViewport->MinZ >= 0.0f && aViewport->MaxZ <= 1.0f)) {
        return D3DERR_INVALIDCALL;
    }
    mViewport = *aViewport;
    mDirty |= kViewport | kTransforms;
    return D3D_OK;
}

HRESULT D3D9Device::GetViewport(D3DVIEWPORT9* aViewport)
{
    if (!aViewport) {
        return D3DERR_INVALIDCALL;
    }
    *aViewport = mViewport;
    return D3D_OK;
}

HRESULT D3D9Device::SetMaterial(const D3DMATERIAL9* aMaterial)
{
    if (!aMaterial) {
        return D3DERR_INVALIDCALL;
    }
    mMaterial = *aMaterial;
    mDirty |= kLighting;
    return D3D_OK;
}

HRESULT D3D9Device::GetMaterial(D3DMATERIAL9* aMaterial)
{
    if (!aMaterial) {
        return D3DERR_INVALIDCALL;
    }
    *aMaterial = mMaterial;
    return D3D_OK;
}

HRESULT D3D9Device::SetLight(DWORD aIndex, const D3DLIGHT9* aLight)
{
    if (!aLight || aLight->Type < D3DLIGHT_POINT || aLight->Type > D3DLIGHT_DIRECTIONAL || aLight->Range < 0.0f) {
        return D3DERR_INVALIDCALL;
    }
    if (aLight->Type != D3DLIGHT_POINT && aLight->Direction.x == 0.0f && aLight->Direction.y == 0.0f &&
        aLight->Direction.z == 0.0f) {
        return D3DERR_INVALIDCALL;
    }
    mLights[aIndex].mLight = *aLight;
    mDirty |= kLights;
    return D3D_OK;
}

HRESULT D3D9Device::GetLight(DWORD aIndex, D3DLIGHT9* aLight)
{
    auto it = mLights.find(aIndex);
    if (!aLight || it == mLights.end()) {
        return D3DERR_INVALIDCALL;
    }
    *aLight = it->second.mLight;
    return D3D_OK;
}

HRESULT D3D9Device::LightEnable(DWORD aIndex, BOOL aEnable)
{
    auto it = mLights.find(aIndex);
    if (it == mLights.end()) {
        // Enabling a light never set gives Direct3D's default: white, directional, along +z.
        LightSlot slot;
        slot.mLight.Type = D3DLIGHT_DIRECTIONAL;
        slot.mLight.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f};
        slot.mLight.Direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
        it = mLights.emplace(aIndex, slot).first;
    }
    it->second.mEnabled = aEnable != FALSE;
    mDirty |= kLights;
    return D3D_OK;
}

HRESULT D3D9Device::GetLightEnable(DWORD aIndex, BOOL* aEnable)
{
    auto it = mLights.find(aIndex);
    if (!aEnable || it == mLights.end()) {
        return D3DERR_INVALIDCALL;
    }
    *aEnable = it->second.mEnabled ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT D3D9Device::SetRenderState(D3DRENDERSTATETYPE aState, DWORD aValue)
{
    if (aState >= D3D9_RENDER_STATE_COUNT) {
        return D3DERR_INVALIDCALL;
    }
    mRenderStates[aState] = aValue;
    switch (aState) {
    case D3DRS_ZENABLE:
    case D3DRS_ZWRITEENABLE:
    case D3DRS_ZFUNC:
    case D3DRS_STENCILENABLE:
    case D3DRS_STENCILFAIL:
    case D3DRS_STENCILZFAIL:
    case D3DRS_STENCILPASS:
    case D3DRS_STENCILFUNC:
    case D3DRS_STENCILREF:
    case D3DRS_STENCILMASK:
    case D3DRS_STENCILWRITEMASK:
    case D3DRS_TWOSIDEDSTENCILMODE:
    case D3DRS_CCW_STENCILFAIL:
    case D3DRS_CCW_STENCILZFAIL:
    case D3DRS_CCW_STENCILPASS:
    case D3DRS_CCW_STENCILFUNC: mDirty |= kDepthStencil; break;
    case D3DRS_ALPHABLENDENABLE:
    case D3DRS_SRCBLEND:
    case D3DRS_DESTBLEND:
    case D3DRS_BLENDOP:
    case D3DRS_BLENDFACTOR: mDirty |= kBlend; break;
    case D3DRS_TEXTUREFACTOR: mDirty |= kStage; break;
    case D3DRS_LIGHTING:
    case D3DRS_AMBIENT:
    case D3DRS_SPECULARENABLE:
    case D3DRS_COLORVERTEX:
    case D3DRS_LOCALVIEWER:
    case D3DRS_NORMALIZENORMALS:
    case D3DRS_DIFFUSEMATERIALSOURCE:
    case D3DRS_SPECULARMATERIALSOURCE:
    case D3DRS_AMBIENTMATERIALSOURCE:
    case D3DRS_EMISSIVEMATERIALSOURCE: mDirty |= kLighting | kLights; break;
    default: mDirty |= kRaster; break;
    }
    return D3D_OK;
}

HRESULT D3D9Device::GetRenderState(D3DRENDERSTATETYPE aState, DWORD* aValue)
{
    if (aState >= D3D9_RENDER_STATE_COUNT || !aValue) {
        return D3DERR_INVALIDCALL;
    }
    *aValue = mRenderStates[aState];
    return D3D_OK;
}

HRESULT D3D9Device::SetTexture(DWORD aStage, IDirect3DBaseTexture9* aTexture)
{
    if (aStage >= 8) {
        return D3DERR_INVALIDCALL;
    }
    if (aStage != 0) {
        return D3D_OK; // one stage is used
    }
    D3D9Texture* texture = static_cast<D3D9Texture*>(static_cast<IDirect3DTexture9*>(aTexture));
    if (aTexture && aTexture->GetType() != D3DRTYPE_TEXTURE) {
        return D3DERR_INVALIDCALL;
    }
    mTexture = texture;
    mDirty |= kStage;
    return D3D_OK;
}

HRESULT D3D9Device::GetTexture(DWORD aStage, IDirect3DBaseTexture9** aTexture)
{
    if (!aTexture || aStage >= 8) {
        return D3DERR_INVALIDCALL;
    }
    *aTexture = aStage == 0 ? mTexture : nullptr;
    if (*aTexture) {
        (*aTexture)->AddRef();
    }
    return D3D_OK;
}

HRESULT D3D9Device::SetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD aValue)
{
    if (aStage >= 8 || aType >= D3D9_STAGE_STATE_COUNT) {
        return D3DERR_INVALIDCALL;
    }
    if (aStage == 0) {
        mStageStates[aType] = aValue;
        mDirty |= kStage;
    }
    return D3D_OK;
}

HRESULT D3D9Device::GetTextureStageState(DWORD aStage, D3DTEXTURESTAGESTATETYPE aType, DWORD* aValue)
{
    if (aStage >= 8 || aType >= D3D9_STAGE_STATE_COUNT || !aValue) {
        return D3DERR_INVALIDCALL;
    }
    *aValue = aStage == 0 ? mStageStates[aType] : (aType == D3DTSS_COLOROP || aType == D3DTSS_ALPHAOP ? D3DTOP_DISABLE : 0u);
    return D3D_OK;
}

HRESULT D3D9Device::SetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD aValue)
{
    if (aSampler >= 16 || aType >= D3D9_SAMPLER_STATE_COUNT) {
        return D3DERR_INVALIDCALL;
    }
    if (aSampler == 0) {
        mSamplerStates[aType] = aValue;
        mDirty |= kSampler;
    }
    return D3D_OK;
}

HRESULT D3D9Device::GetSamplerState(DWORD aSampler, D3DSAMPLERSTATETYPE aType, DWORD* aValue)
{
    if (aSampler >= 16 || aType >= D3D9_SAMPLER_STATE_COUNT || !aValue) {
        return D3DERR_INVALIDCALL;
    }
    *aValue = aSampler == 0 ? mSamplerStates[aType] : 0u;
    return D3D_OK;
}

HRESULT D3D9Device::SetScissorRect(const RECT* aRect)
{
    if (!aRect || aRect->right < aRect->left || aRect->bottom < aRect->top) {
        return D3DERR_INVALIDCALL;
    }
    mScissor = *aRect;
    mDirty |= kRaster;
    return D3D_OK;
}

HRESULT D3D9Device::CreateTexture(UINT aWidth, UINT aHeight, UINT aLevels, DWORD aUsage, D3DFORMAT aFormat,
                                  D3DPOOL aPool, IDirect3DTexture9** aTexture, HANDLE*)
{
    if (!aTexture) {
        return D3DERR_INVALIDCALL;
    }
    *aTexture = nullptr;
    if (aWidth == 0 || aHeight == 0 || aWidth > mCaps.MaxTextureWidth || aHeight > mCaps.MaxTextureHeight ||
        (aUsage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL))) {
        return D3DERR_INVALIDCALL;
    }
    if (D3D9BytesPerPixel(aFormat) == 0) {
        D3D9SetErrorDetail("texture format not available");
        return D3DERR_INVALIDCALL;
    }
    UINT fullChain = 1;
    for (UINT size = std::max(aWidth, aHeight); size > 1; size >>= 1) {
        ++fullChain;
    }
    UINT levels = (aLevels == 0 || aLevels > fullChain) ? fullChain : aLevels;
    MakeCurrent();
    D3D9Texture* texture = new D3D9Texture(this, aWidth, aHeight, levels, aFormat, aPool);
    if (!texture->Create()) {
        texture->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    mDirty |= kStage; // creation changed the texture binding
    *aTexture = texture;
    return D3D_OK;
}

HRESULT D3D9Device::CreateVertexBuffer(UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool,
                                       IDirect3DVertexBuffer9** aBuffer, HANDLE*)
{
    if (!aBuffer) {
        return D3DERR_INVALIDCALL;
    }
    *aBuffer = nullptr;
    if (aLength == 0 || aLength > (1u << 30)) {
        return D3DERR_INVALIDCALL;
    }
    *aBuffer = new D3D9VertexBuffer(this, aLength, aUsage, aFVF, aPool);
    return D3D_OK;
}

HRESULT D3D9Device::CreateIndexBuffer(UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool,
                                      IDirect3DIndexBuffer9** aBuffer, HANDLE*)
{
    if (!aBuffer) {
        return D3DERR_INVALIDCALL;
    }
    *aBuffer = nullptr;
    if (aLength == 0 || aLength > (1u << 30) || (aFormat != D3DFMT_INDEX16 && aFormat != D3DFMT_INDEX32)) {
        return D3DERR_INVALIDCALL;
    }
    *aBuffer = new D3D9IndexBuffer(this, aLength, aUsage, aFormat, aPool);
    return D3D_OK;
}

HRESULT D3D9Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9* aElements,
                                            IDirect3DVertexDeclaration9** aDeclaration)
{
    if (!aElements || !aDeclaration) {
        return D3DERR_INVALIDCALL;
    }
    *aDeclaration = nullptr;
    D3D9VertexLayout layout = D3D9VertexLayout::FromElements(aElements);
    if (!layout.mValid) {
        return D3DERR_INVALIDCALL;
    }
    *aDeclaration = new D3D9VertexDeclaration(layout);
    return D3D_OK;
}

HRESULT D3D9Device::SetStreamSource(UINT aStream, IDirect3DVertexBuffer9* aBuffer, UINT aOffset, UINT aStride)
{
    if (aStream != 0) {
        return aStream < 16 ? D3D_OK : D3DERR_INVALIDCALL;
    }
    if (aBuffer && (aStride == 0 || aStride > 255)) {
        return D3DERR_INVALIDCALL;
    }
    mStream = static_cast<D3D9VertexBuffer*>(aBuffer);
    mStreamOffset = aOffset;
    mStreamStride = aStride;
    return D3D_OK;
}

HRESULT D3D9Device::SetIndices(IDirect3DIndexBuffer9* aBuffer)
{
    mIndices = static_cast<D3D9IndexBuffer*>(aBuffer);
    return D3D_OK;
}

HRESULT D3D9Device::SetFVF(DWORD aFVF)
{
    D3D9VertexLayout layout = D3D9VertexLayout::FromFVF(aFVF);
    if (!layout.mValid) {
        return D3DERR_INVALIDCALL;
    }
    mFVF = aFVF;
    mFVFLayout = layout;
    if (mDeclaration) {
        mDeclaration->Release();
        mDeclaration = nullptr;
    }
    return D3D_OK;
}

HRESULT D3D9Device::GetFVF(DWORD* aFVF)
{
    if (!aFVF) {
        return D3DERR_INVALIDCALL;
    }
    *aFVF = mDeclaration ? 0 : mFVF;
    return D3D_OK;
}

HRESULT D3D9Device::SetVertexDeclaration(IDirect3DVertexDeclaration9* aDeclaration)
{
    D3D9VertexDeclaration* declaration = static_cast<D3D9VertexDeclaration*>(aDeclaration);
    if (declaration) {
        declaration->AddRef();
    }
    if (mDeclaration) {
        mDeclaration->Release();
    }
    mDeclaration = declaration;
    if (declaration) {
        mFVF = 0;
    }
    return D3D_OK;
}

const D3D9VertexLayout& D3D9Device::CurrentLayout() const
{
    return mDeclaration ? mDeclaration->Layout() : mFVFLayout;
}
