#include "support/LFakeMoviePlayer.h"

#include "Video/LIMovieListener.h"
#include "stdlib/LFrameManager.h"

#include <algorithm>

namespace {

std::vector<LFakeMoviePlayer*> sLive;

} // namespace

LFakeMoviePlayer::LFakeMoviePlayer(const LString& aId, const LString& aFileName, bool aFullScreen)
    : mFileName(aFileName), mFullScreen(aFullScreen)
{
    SetId(aId);
    mName = aFileName;
    mFrameRate = 30;
    sLive.push_back(this);
}

LFakeMoviePlayer::~LFakeMoviePlayer()
{
    LeaveFrames();
    sLive.erase(std::find(sLive.begin(), sLive.end(), this));
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
    mEnded = false;
    LeaveFrames();
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
    mEnded = true;
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
}

void LFakeMoviePlayer::LeaveFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (mInFrames && frames != nullptr) {
        frames->RemoveListener(this);
    }
    mInFrames = false;
}

void LFakeMoviePlayer::OnFrame()
{
    if (!mEnded) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    mEnded = false;
    mPlaying = false;
    LeaveFrames();
    LFrameManager* frames = LFrameManager::Get();
    if (LIMovieListener* listener = mListener) {
        const LString name = mName;
        listener->OnMovieEnded(name);
    }
    if (frames != nullptr) {
        frames->Interrupt();
    }
}

void LFakeMoviePlayer::End()
{
    mPlaying = false;
    LeaveFrames();
    if (LIMovieListener* listener = mListener) {
        const LString name = mName;
        listener->OnMovieEnded(name);
    }
}

const std::vector<LFakeMoviePlayer*>& LFakeMoviePlayer::Live()
{
    return sLive;
}

LFakeMoviePlayer* LFakeMoviePlayer::Newest()
{
    return sLive.empty() ? nullptr : sLive.back();
}

LFakeMoviePlayer* LFakeMoviePlayer::Find(const LString& aName)
{
    for (auto it = sLive.rbegin(); it != sLive.rend(); ++it) {
        const LString& file = (*it)->mFileName;
        if (file.GetLength() >= aName.GetLength() &&
            file.Find(aName, file.GetLength() - aName.GetLength()) == file.GetLength() - aName.GetLength()) {
            return *it;
        }
    }
    return nullptr;
}
