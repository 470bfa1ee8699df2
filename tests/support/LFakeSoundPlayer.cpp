#include "support/LFakeSoundPlayer.h"

#include "Sound/LISoundListener.h"

#include <algorithm>

namespace {

std::vector<LFakeSoundPlayer*> sLive;

} // namespace

LFakeSoundPlayer::LFakeSoundPlayer(const LString& aId, const LString& aFileName)
    : mId(aId), mFileName(aFileName), mEnding(this)
{
    sLive.push_back(this);
}

LFakeSoundPlayer::~LFakeSoundPlayer()
{
    mEnding.Leave();
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
    mEnding.Mark();
}

void LFakeSoundPlayer::Stop()
{
    mPlaying = false;
    mEnding.Leave();
}

void LFakeSoundPlayer::OnFrame()
{
    if (!mEnding.Take()) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    mPlaying = false;
    if (LISoundListener* listener = mListener) {
        const LString id = mId;
        listener->OnSoundEnded(id);
    }
    LFakeEnding::InterruptPass();
}

void LFakeSoundPlayer::End()
{
    mPlaying = false;
    mEnding.Leave();
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
