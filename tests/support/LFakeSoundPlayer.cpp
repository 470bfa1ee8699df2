#include "support/LFakeSoundPlayer.h"

#include "Sound/LISoundListener.h"

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

void LFakeSoundPlayer::End()
{
    mPlaying = false;
    if (mListener) {
        mListener->OnSoundEnded(mId);
    }
}

const std::vector<LFakeSoundPlayer*>& LFakeSoundPlayer::Live()
{
    return sLive;
}
