#include "support/LFakeMoviePlayer.h"

#include "Video/LIMovieListener.h"

#include <algorithm>

namespace {

std::vector<LFakeMoviePlayer*> sLive;

} // namespace

LFakeMoviePlayer::LFakeMoviePlayer(const LString& aId, const LString& aFileName, bool aFullScreen)
    : mFileName(aFileName), mFullScreen(aFullScreen), mEnding(this)
{
    SetId(aId);
    mName = aFileName;
    mFrameRate = 30;
    sLive.push_back(this);
}

LFakeMoviePlayer::~LFakeMoviePlayer()
{
    mEnding.Leave();
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
