#include "support/LFakeSoundPlayer.h"

#include "Sound/LISoundListener.h"
#include "stdlib/LFrameManager.h"

#include <algorithm>

namespace {

std::vector<LFakeSoundPlayer*> sLive;

} // namespace

LFakeSoundPlayer::LFakeSoundPlayer(const LString& aId, const LString& aFileName) : mId(aId), mFileName(aFileName)
{
    sLive.push_back(this);
}

LFakeSoundPlayer::~LFakeSoundPlayer()
{
    LeaveFrames();
    sLive.erase(std::find(sLive.begin(), sLive.end(), this));
}

LString LFakeSoundPlayer::Dump() const
{
    return DumpHead("LFakeSoundPlayer") + "]";
}

bool LFakeSoundPlayer::OpenStream(const LString& aFileName)
{
    mFileName = aFileName;
    return true;
}

bool LFakeSoundPlayer::LoadSample(const LString& aFileName)
{
    mFileName = aFileName;
    return true;
}

void LFakeSoundPlayer::Play()
{
    mPlaying = true;
}

void LFakeSoundPlayer::MarkEnded()
{
    mEnded = true;
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
}

void LFakeSoundPlayer::Stop()
{
    mPlaying = false;
    mEnded = false;
    LeaveFrames();
}

void LFakeSoundPlayer::LeaveFrames()
{
    LFrameManager* frames = LFrameManager::Get();
    if (mInFrames && frames != nullptr) {
        frames->RemoveListener(this);
    }
    mInFrames = false;
}

void LFakeSoundPlayer::OnFrame()
{
    if (!mEnded) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    mEnded = false;
    mPlaying = false;
    LeaveFrames();
    LFrameManager* frames = LFrameManager::Get();
    if (LISoundListener* listener = mListener) {
        const LString id = mId;
        listener->OnSoundEnded(id);
    }
    if (frames != nullptr) {
        frames->Interrupt();
    }
}

void LFakeSoundPlayer::End()
{
    mPlaying = false;
    LeaveFrames();
    if (LISoundListener* listener = mListener) {
        const LString id = mId;
        listener->OnSoundEnded(id);
    }
}

const std::vector<LFakeSoundPlayer*>& LFakeSoundPlayer::Live()
{
    return sLive;
}

LFakeSoundPlayer* LFakeSoundPlayer::Find(const LString& aId)
{
    for (auto it = sLive.rbegin(); it != sLive.rend(); ++it) {
        if ((*it)->mId == aId) {
            return *it;
        }
    }
    return nullptr;
}
