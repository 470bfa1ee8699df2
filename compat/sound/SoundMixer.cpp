#include "SoundMixer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSerialShift = 8;
constexpr uint32_t kSerialMask = 0x7FFFFF;

} // namespace

SoundMixer::SoundMixer(int aRate)
    : mRate(aRate > 0 ? aRate : 44100)
{
}

void SoundMixer::SetRate(int aRate)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    if (aRate > 0) {
        mRate = aRate;
    }
}

int SoundMixer::FindFreeVoice()
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    for (int i = 0; i < kVoices; ++i) {
        if (!mVoices[i].mSource) {
            return i;
        }
    }
    return -1;
}

int SoundMixer::HandleOf(int aIndex) const
{
    return static_cast<int>((mVoices[aIndex].mSerial << kSerialShift) | static_cast<uint32_t>(aIndex));
}

SoundMixer::Voice* SoundMixer::Find(int aHandle)
{
    if (aHandle < 0) {
        return nullptr;
    }
    const int index = aHandle & ((1 << kSerialShift) - 1);
    const uint32_t serial = static_cast<uint32_t>(aHandle) >> kSerialShift;
    if (index >= kVoices || !mVoices[index].mSource || mVoices[index].mSerial != serial) {
        return nullptr;
    }
    return &mVoices[index];
}

int SoundMixer::Play(int aVoice, SoundSource* aSource, int aVolume, EndCallback aOnEnd, void* aUser, bool aPaused)
{
    if (!aSource || aSource->Rate() <= 0 || aSource->Channels() < 1 || aSource->Channels() > 2) {
        return -1;
    }
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    if (aSource->Rate() / kMaxRateRatio > mRate) {
        return -1;
    }
    int index = -1;
    if (aVoice >= 0) {
        index = aVoice & ((1 << kSerialShift) - 1);
        if (index >= kVoices) {
            return -1;
        }
    } else {
        index = FindFreeVoice();
        if (index < 0) {
            return -1;
        }
    }
    Voice& voice = mVoices[index];
    voice = Voice {};
    voice.mSource = aSource;
    voice.mOnEnd = aOnEnd;
    voice.mUser = aUser;
    voice.mVolume = std::clamp(aVolume, 0, kMaxVolume);
    voice.mPaused = aPaused;
    voice.mSerial = mNextSerial;
    mNextSerial = (mNextSerial % kSerialMask) + 1;
    return HandleOf(index);
}

bool SoundMixer::Stop(int aHandle)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    if (!voice) {
        return false;
    }
    voice->mSource = nullptr;
    return true;
}

void SoundMixer::StopSource(const SoundSource* aSource)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    for (Voice& voice : mVoices) {
        if (voice.mSource == aSource) {
            voice.mSource = nullptr;
        }
    }
}

bool SoundMixer::SetVolume(int aHandle, int aVolume)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    if (!voice) {
        return false;
    }
    voice->mVolume = std::clamp(aVolume, 0, kMaxVolume);
    return true;
}

int SoundMixer::GetVolume(int aHandle)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    return voice ? voice->mVolume : -1;
}

bool SoundMixer::SetGain(int aHandle, float aGain)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    if (!voice) {
        return false;
    }
    voice->mGain = std::isfinite(aGain) ? std::clamp(aGain, 0.0f, 4.0f) : 0.0f;
    return true;
}

bool SoundMixer::SetPaused(int aHandle, bool aPaused)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    if (!voice) {
        return false;
    }
    voice->mPaused = aPaused;
    if (aPaused) {
        voice->mLevelLeft = voice->mLevelRight = 0.0f;
    }
    return true;
}

bool SoundMixer::IsPlaying(int aHandle)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    return Find(aHandle) != nullptr;
}

bool SoundMixer::GetLevels(int aHandle, float* aLeft, float* aRight)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    if (!voice) {
        return false;
    }
    if (aLeft) {
        *aLeft = voice->mLevelLeft;
    }
    if (aRight) {
        *aRight = voice->mLevelRight;
    }
    return true;
}

SoundSource* SoundMixer::Source(int aHandle)
{
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    Voice* voice = Find(aHandle);
    return voice ? voice->mSource : nullptr;
}

void SoundMixer::Mix(int16_t* aOut, int aFrames)
{
    if (!aOut || aFrames <= 0) {
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(mMutex);
    for (Voice& voice : mVoices) {
        if (voice.mSource && !voice.mPaused) {
            voice.mLevelLeft = voice.mLevelRight = 0.0f;
        }
    }
    while (aFrames > 0) {
        const int frames = std::min(aFrames, kChunkFrames);
        std::fill(mAccumulator, mAccumulator + 2 * frames, 0.0f);
        for (int i = 0; i < kVoices; ++i) {
            Voice& voice = mVoices[i];
            if (!voice.mSource || voice.mPaused) {
                continue;
            }
            if (MixVoice(voice, frames)) {
                const int handle = HandleOf(i);
                EndCallback onEnd = voice.mOnEnd;
                void* user = voice.mUser;
                voice.mSource = nullptr;
                if (onEnd) {
                    onEnd(user, handle);
                }
            }
        }
        for (int i = 0; i < 2 * frames; ++i) {
            const float value = std::clamp(mAccumulator[i], -1.0f, 1.0f) * 32767.0f;
            aOut[i] = static_cast<int16_t>(std::lrint(value));
        }
        aOut += 2 * frames;
        aFrames -= frames;
    }
}

bool SoundMixer::MixVoice(Voice& aVoice, int aFrames)
{
    SoundSource& source = *aVoice.mSource;
    const int channels = source.Channels();
    const double step = static_cast<double>(source.Rate()) / mRate;
    const float gain = aVoice.mGain * static_cast<float>(aVoice.mVolume) / kMaxVolume;
    float peakLeft = 0.0f;
    float peakRight = 0.0f;
    float* out = mAccumulator;
    int done = 0;
    bool ended = false;
    while (done < aFrames) {
        const int need = aVoice.mSkip + 2;
        const float* data = nullptr;
        const int count = source.Peek(need, &data);
        const bool last = count < need;
        int index = aVoice.mSkip;
        double fraction = aVoice.mFraction;
        while (done < aFrames && index < count && (index + 1 < count || last)) {
            const float* frame = data + static_cast<std::size_t>(index) * channels;
            const float* next = index + 1 < count ? frame + channels : frame;
            const float f = static_cast<float>(fraction);
            const float left = frame[0] + (next[0] - frame[0]) * f;
            const float right = channels > 1 ? frame[1] + (next[1] - frame[1]) * f : left;
            const float outLeft = left * gain;
            const float outRight = right * gain;
            out[2 * done] += outLeft;
            out[2 * done + 1] += outRight;
            peakLeft = std::max(peakLeft, std::fabs(outLeft));
            peakRight = std::max(peakRight, std::fabs(outRight));
            ++done;
            fraction += step;
            const int advance = static_cast<int>(fraction);
            fraction -= advance;
            index += advance;
        }
        const int consumed = std::min(index, count > 0 ? count : 0);
        if (consumed > 0) {
            source.Consume(consumed);
        }
        aVoice.mSkip = index - consumed;
        aVoice.mFraction = fraction;
        if (last) {
            if (index >= count && source.Ended()) {
                ended = true;
            }
            // Ended, or starved until more frames arrive: the rest of the block is silent.
            break;
        }
    }
    aVoice.mLevelLeft = std::max(aVoice.mLevelLeft, std::min(peakLeft, 1.0f));
    aVoice.mLevelRight = std::max(aVoice.mLevelRight, std::min(peakRight, 1.0f));
    return ended;
}
