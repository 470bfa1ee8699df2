#include "Video/LMoviePlayerBink.h"

#include "Render/LGraphicsDX9.h"
#include "Render/LIDeviceCapabilities.h"
#include "Render/LITexture.h"
#include "Render/LTextureManager.h"
#include "Video/LIMovieListener.h"
#include "movie/Bink.h"
#include "movie/BinkDX9.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LNativeText.h"

#include <algorithm>
#include <cstdint>

namespace {

// The smallest of 64, 128, 256, ... that is not less than aSide.
uint64_t PowerOfTwoSide(uint64_t aSide)
{
    uint64_t side = 64;
    while (side < aSide) {
        side *= 2;
    }
    return side;
}

HBINK OpenMovie(const LString& aNativePath, uint32_t aFlags)
{
    char* name = NewNativeText(aNativePath);
    if (!name) {
        return nullptr;
    }
    HBINK movie = BinkOpen(name, aFlags);
    delete[] name;
    return movie;
}

// Whole frames per second.
uint32_t WholeRate(const BINK* aMovie)
{
    return aMovie->FrameRateDiv > 0 ? aMovie->FrameRate / aMovie->FrameRateDiv : 0;
}

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

} // namespace

LMoviePlayerBink::LMoviePlayerBink() = default;

LMoviePlayerBink::~LMoviePlayerBink()
{
    LeaveFrameManager();
    if (mMovie) {
        BinkClose(mMovie);
        mMovie = nullptr;
    }
    ReleaseTexture();
}

LString LMoviePlayerBink::Dump() const
{
    return DumpHead("LMoviePlayerBink") + "]";
}

void LMoviePlayerBink::JoinFrameManager()
{
    if (mInFrameManager) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    mInFrameManager = frames && frames->AddListener(this, 0.0f);
}

void LMoviePlayerBink::LeaveFrameManager()
{
    if (!mInFrameManager) {
        return;
    }
    mInFrameManager = false;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
}

bool LMoviePlayerBink::Open(const LString& aNativePath, bool aFullScreen)
{
    // A player opened again lets go of its earlier movie and texture first.
    Close();
    ReleaseTexture();
    mFullScreen = aFullScreen;
    mMovie = OpenMovie(aNativePath, BINKALPHA);
    if (!mMovie) {
        return false;
    }
    mPath = aNativePath;
    mWidth = static_cast<int>(mMovie->Width);
    mHeight = static_cast<int>(mMovie->Height);
    mFrameRate = static_cast<int>(WholeRate(mMovie));
    if (!aFullScreen && (!FitsDevice(mWidth, mHeight) || !CreateMovieTexture())) {
        Close();
        return false;
    }
    mVolumeChanged = true;
    return true;
}

bool LMoviePlayerBink::FitsDevice(int aWidth, int aHeight) const
{
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    if (!caps) {
        // Nothing to test against; the texture's creation decides.
        return true;
    }
    uint64_t width = static_cast<uint64_t>(aWidth);
    uint64_t height = static_cast<uint64_t>(aHeight);
    if (caps->RequiresPow2Textures()) {
        width = PowerOfTwoSide(width);
        height = PowerOfTwoSide(height);
    }
    if (caps->RequiresSquareTextures()) {
        width = height = std::max(width, height);
    }
    return width <= caps->GetMaxTextureWidth() && height <= caps->GetMaxTextureHeight();
}

bool LMoviePlayerBink::CreateMovieTexture()
{
    LAPIObjectManager* api = LAPIObjectManager::Get();
    LObject* object = api ? api->CreateObject(LString("texture"), nullptr) : nullptr;
    LITexture* texture = dynamic_cast<LITexture*>(object);
    const int format = (mMovie->OpenFlags & BINKALPHA) ? 1 : 2;
    if (!texture || texture->Create(mWidth, mHeight, format) <= 0) {
        delete object;
        return false;
    }
    mTexture = texture;
    LTextureManager* manager = LTextureManager::Get();
    uint32_t handle = manager ? manager->CreateTexture(mPath, texture) : 0;
    if (handle) {
        LITexture* registered = manager->GetTexture(handle);
        if (registered != texture) {
            // Another player of the same movie registered the path first: both draw into
            // its texture (the manager did not take this one, which would be lost).
            if (registered) {
                delete texture;
                mTexture = registered;
            } else {
                handle = 0;
            }
        }
    }
    if (handle && manager->LockTexture(handle)) {
        mTextureHandle = handle;
    }
    return true;
}

void LMoviePlayerBink::ReleaseTexture()
{
    LITexture* texture = mTexture;
    mTexture = nullptr;
    if (mTextureHandle) {
        // The last unlock deletes the texture with its handle. A manager already deleted
        // at exit has deleted its textures itself.
        if (LTextureManager* manager = LTextureManager::Get()) {
            manager->UnlockTexture(mTextureHandle, true);
        }
        mTextureHandle = 0;
    } else {
        // Never registered: still this player's.
        delete texture;
    }
}

bool LMoviePlayerBink::Close()
{
    LeaveFrameManager();
    if (mMovie) {
        BinkClose(mMovie);
        mMovie = nullptr;
    }
    return true;
}

bool LMoviePlayerBink::Play()
{
    if (!mMovie) {
        return false;
    }
    BinkPause(mMovie, 0);
    if (!mFullScreen) {
        JoinFrameManager();
    }
    return true;
}

bool LMoviePlayerBink::Resume()
{
    return Play();
}

bool LMoviePlayerBink::Pause()
{
    if (!mMovie) {
        return false;
    }
    BinkPause(mMovie, 1);
    LeaveFrameManager();
    return true;
}

unsigned LMoviePlayerBink::GetCurrentFrame()
{
    return mMovie ? mMovie->FrameNum : 0;
}

unsigned LMoviePlayerBink::GetFrameCount()
{
    return mMovie ? mMovie->Frames : 0;
}

float LMoviePlayerBink::GetLength()
{
    if (!mMovie) {
        return 0.0f;
    }
    const uint32_t rate = WholeRate(mMovie);
    return rate > 0 ? static_cast<float>(mMovie->Frames / rate) : 0.0f;
}

bool LMoviePlayerBink::GotoFrame(unsigned aFrame)
{
    return mMovie && BinkGoto(mMovie, aFrame, 0) != 0;
}

bool LMoviePlayerBink::GotoPreviousKeyFrame(unsigned aFrame)
{
    return mMovie && BinkGoto(mMovie, BinkGetKeyFrame(mMovie, aFrame, BINKGETKEYPREVIOUS), 0) != 0;
}

void LMoviePlayerBink::SetFrameRate(unsigned aRate)
{
    if (mMovie) {
        BinkSetFrameRate(aRate, 1);
    }
}

void LMoviePlayerBink::SetVolume(float aVolume)
{
    mVolume = aVolume;
    mVolumeChanged = true;
}

bool LMoviePlayerBink::Render(LRenderer*)
{
    return Step(true);
}

void LMoviePlayerBink::OnFrame()
{
    Step(false);
}

bool LMoviePlayerBink::Step(bool aRender)
{
    if (mLocalMatrixChanged || mWorldMatrixChanged) {
        UpdateTransform();
    }
    if (!mMovie) {
        return false;
    }
    if (mVolumeChanged) {
        // 1.0 is 32768, the library's normal level; its range ends at 2.0 (NaN is 0).
        const float volume = mVolume > 0.0f ? std::min(mVolume, 2.0f) : 0.0f;
        const int32_t level = static_cast<int32_t>(volume * 32768.0f);
        for (uint32_t i = 0; i < mMovie->NumTracks; ++i) {
            BinkSetVolume(mMovie, BinkGetTrackID(mMovie, i), level);
        }
        mVolumeChanged = false;
    }
    bool decoded = false;
    if (BinkWait(mMovie) == 0) {
        BinkDoFrame(mMovie);
        decoded = true;
    }
    if (aRender) {
        CopyToBackBuffer();
    } else if (decoded) {
        CopyToTexture();
    }
    if (!decoded) {
        return true;
    }
    if (mMovie->FrameNum < mMovie->Frames) {
        BinkNextFrame(mMovie);
        return true;
    }
    // The last frame has been shown.
    BinkClose(mMovie);
    mMovie = nullptr;
    if (mLoop) {
        mMovie = OpenMovie(mPath, mFullScreen ? 0 : BINKALPHA);
        if (mMovie) {
            BinkPause(mMovie, 0);
            // The reopened movie's tracks are at their normal level again.
            mVolumeChanged = true;
            return true;
        }
        // It cannot loop any more: it ends here, like a movie played once.
        L_ERROR("Movie could not be opened again: " + mPath);
    }
    LeaveFrameManager();
    // The listener may delete this player: nothing of it is touched after the call.
    if (LIMovieListener* listener = mListener) {
        listener->OnMovieEnded(mName);
    }
    return true;
}

void LMoviePlayerBink::CopyToBackBuffer()
{
    LGraphicsDX9* graphics = LGraphicsDX9::Get();
    IDirect3DSurface9* backBuffer = graphics ? graphics->GetBackBuffer() : nullptr;
    if (!backBuffer) {
        // No device (yet): nothing to draw on.
        return;
    }
    D3DSURFACE_DESC description {};
    backBuffer->GetDesc(&description);
    D3DLOCKED_RECT locked {};
    const HRESULT result = backBuffer->LockRect(&locked, nullptr, 0);
    if (FAILED(result)) {
        L_ERROR("Render()" + DXError(result));
        return;
    }
    // A position left of or above the screen would wrap around as an unsigned offset.
    const float x = mPosition.x;
    const float y = mPosition.y;
    int skipped = 0;
    if (x >= 0.0f && y >= 0.0f && x < static_cast<float>(description.Width) &&
        y < static_cast<float>(description.Height)) {
        skipped = BinkCopyToBuffer(mMovie, locked.pBits, locked.Pitch, description.Height, static_cast<uint32_t>(x),
                                   static_cast<uint32_t>(y), BinkDX9SurfaceType(backBuffer) | BINKNOSKIP);
    }
    backBuffer->UnlockRect();
    if (skipped > 0) {
        Log(u"Frame was skipped");
    }
}

void LMoviePlayerBink::CopyToTexture()
{
    IDirect3DTexture9* texture = mTexture ? mTexture->GetTexture() : nullptr;
    IDirect3DSurface9* surface = nullptr;
    if (texture && FAILED(texture->GetSurfaceLevel(0, &surface))) {
        surface = nullptr;
    }
    D3DLOCKED_RECT locked {};
    if (!surface || FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
        if (surface) {
            surface->Release();
        }
        Log(u"Failed to lock texture surface");
        return;
    }
    const int skipped = BinkCopyToBuffer(mMovie, locked.pBits, locked.Pitch, static_cast<uint32_t>(mTexture->GetHeight()),
                                         0, 0, BinkDX9SurfaceType(surface));
    surface->Release();
    texture->UnlockRect(0);
    if (skipped > 0) {
        Log(u"Frame was skipped");
    }
}
