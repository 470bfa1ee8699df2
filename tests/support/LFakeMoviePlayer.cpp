#include "support/LFakeMoviePlayer.h"

#include "Render/LColor.h"
#include "Render/LITexture.h"
#include "Render/LTextureManager.h"
#include "Video/LIMovieListener.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Full-screen players (cut scenes, the intro) and texture players (a location's ambient
// movies), each oldest first.
std::vector<LFakeMoviePlayer*> sLive;
std::vector<LFakeMoviePlayer*> sLiveTextures;

std::vector<LFakeMoviePlayer*>& ListOf(bool aFullScreen)
{
    return aFullScreen ? sLive : sLiveTextures;
}

} // namespace

LFakeMoviePlayer::LFakeMoviePlayer(const LString& aId, const LString& aFileName, bool aFullScreen)
    : mFileName(aFileName), mFullScreen(aFullScreen), mEnding(this), mListedFullScreen(aFullScreen)
{
    SetId(aId);
    mName = aFileName;
    mFrameRate = 30;
    ListOf(aFullScreen).push_back(this);
    if (!aFullScreen) {
        MakeTexture();
    }
}

LFakeMoviePlayer::~LFakeMoviePlayer()
{
    mEnding.Leave();
    ReleaseTexture();
    std::vector<LFakeMoviePlayer*>& list = ListOf(mListedFullScreen);
    list.erase(std::find(list.begin(), list.end(), this));
}

void LFakeMoviePlayer::MakeTexture()
{
    LITexture* texture = LITexture::CreateSolid(LColor(1.0f, 0.5f, 0.5f, 0.5f));
    LTextureManager* manager = LTextureManager::Get();
    const uint32_t handle = texture != nullptr && manager != nullptr ? manager->CreateTexture(mFileName, texture) : 0;
    if (handle == 0 || manager->GetTexture(handle) != texture) {
        // Another live player of the same movie registered it: share its texture.
        delete texture;
        mTexture = handle != 0 ? manager->GetTexture(handle) : nullptr;
    } else {
        mTexture = texture;
    }
    if (handle != 0 && manager->LockTexture(handle)) {
        mTextureHandle = handle;
    }
}

void LFakeMoviePlayer::ReleaseTexture()
{
    mTexture = nullptr;
    if (mTextureHandle != 0) {
        if (LTextureManager* manager = LTextureManager::Get()) {
            manager->UnlockTexture(mTextureHandle, true);
        }
        mTextureHandle = 0;
    }
}

LString LFakeMoviePlayer::Dump() const
{
    return DumpHead("LFakeMoviePlayer") + "]";
}

bool LFakeMoviePlayer::Render(LRenderer*)
{
    ++mRenders;
    return true;
}

bool LFakeMoviePlayer::Open(const LString& aNativePath, bool aFullScreen)
{
    mFileName = aNativePath;
    mFullScreen = aFullScreen;
    mClosed = false;
    return true;
}

bool LFakeMoviePlayer::Close()
{
    mClosed = true;
    mPlaying = false;
    mEnding.Leave();
    return true;
}

bool LFakeMoviePlayer::Play()
{
    ++mPlays;
    mPlaying = true;
    return true;
}

bool LFakeMoviePlayer::Pause()
{
    ++mPauses;
    mPlaying = false;
    return true;
}

bool LFakeMoviePlayer::Resume()
{
    mPlaying = true;
    return true;
}

bool LFakeMoviePlayer::GotoFrame(unsigned aFrame)
{
    if (aFrame < 1 || aFrame > mFrameCount) {
        return false;
    }
    mCurrentFrame = aFrame;
    return true;
}

void LFakeMoviePlayer::SetSize(int aWidth, int aHeight)
{
    mWidth = aWidth;
    mHeight = aHeight;
}

void LFakeMoviePlayer::MarkEnded()
{
    mEnding.Mark();
}

void LFakeMoviePlayer::OnFrame()
{
    if (!mEnding.Take()) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    mPlaying = false;
    if (LIMovieListener* listener = mListener) {
        const LString name = mName;
        listener->OnMovieEnded(name);
    }
    LFakeEnding::InterruptPass();
}

void LFakeMoviePlayer::End()
{
    mPlaying = false;
    mEnding.Leave();
    if (LIMovieListener* listener = mListener) {
        const LString name = mName;
        listener->OnMovieEnded(name);
    }
}

const std::vector<LFakeMoviePlayer*>& LFakeMoviePlayer::Live()
{
    return sLive;
}

const std::vector<LFakeMoviePlayer*>& LFakeMoviePlayer::LiveTextures()
{
    return sLiveTextures;
}

LFakeMoviePlayer* LFakeMoviePlayer::Newest()
{
    return sLive.empty() ? nullptr : sLive.back();
}

LFakeMoviePlayer* LFakeMoviePlayer::Find(const LString& aName)
{
    for (const std::vector<LFakeMoviePlayer*>* list : {&sLive, &sLiveTextures}) {
        for (auto it = list->rbegin(); it != list->rend(); ++it) {
            const LString& file = (*it)->mFileName;
            if (file.GetLength() >= aName.GetLength() &&
                file.Find(aName, file.GetLength() - aName.GetLength()) == file.GetLength() - aName.GetLength()) {
                return *it;
            }
        }
    }
    return nullptr;
}
