#include "FSound.h"

#include "SoundMixer.h"
#include "SoundOutput.h"
#include "SoundSystem.h"
#include "media/MediaFormat.h"
#include "media/MediaLog.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <vector>

namespace {

// A sample longer than this (ten minutes at 48 kHz) is refused rather than held in memory.
constexpr int64_t kMaxSampleFrames = 48000LL * 600;

std::atomic<int> gError {FMOD_ERR_NONE};
int gOutputType = FSOUND_OUTPUT_SDL;
bool gInitialised = false;

SoundOutput& Output()
{
    static SoundOutput output;
    return output;
}

void SetError(int aError)
{
    gError.store(aError);
}

// Whether playing may start: something to play and an initialised system (the error set
// otherwise). Called with the mixer locked.
bool CanPlay(const void* aSound)
{
    if (!aSound || !gInitialised) {
        SetError(aSound ? FMOD_ERR_UNINITIALIZED : FMOD_ERR_INVALID_PARAM);
        return false;
    }
    return true;
}

bool ReadInput(const char* aNameOrData, unsigned int aMode, int aOffset, int aLength, MediaSourceSpec& aSpec)
{
    if (!aNameOrData || aOffset != 0 || aLength < 0) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return false;
    }
    MediaInput input;
    if (aMode & FSOUND_LOADMEMORY) {
        input.mData = aNameOrData;
        input.mSize = static_cast<std::size_t>(aLength);
    } else {
        input.mName = aNameOrData;
    }
    if (!aSpec.Set(input)) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return false;
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------
// A stream: decoded block by block into a queue that the mixer reads.

struct FSOUND_STREAM : public SoundSource
{
    int Rate() const override { return mRate; }
    int Channels() const override { return mChannels; }
    int Peek(int aMinFrames, const float** aData) override;
    void Consume(int aFrames) override;
    bool Ended() const override { return mFinished && mCount == 0; }

    // Fresh decoder and empty queue at the start. False when the file cannot be opened.
    bool Restart();
    // One more block into the queue; false when there is no more.
    bool DecodeMore();
    int64_t PassPosition() const { return mConsumed - mPassStart; }

    MediaSourceSpec mSpec;
    std::unique_ptr<AudioFileDecoder> mDecoder;
    int mRate = 0;
    int mChannels = 0;
    std::vector<float> mQueue;
    std::size_t mStart = 0;
    int mCount = 0;
    // Frame counts from the start of the first pass.
    int64_t mConsumed = 0;
    int64_t mDecoded = 0;
    int64_t mPassStart = 0;
    int64_t mDecodePassStart = 0;
    std::deque<int64_t> mPendingPassStarts;
    int mLengthMs = 0;
    int mLoopCount = 0;
    bool mFinished = false;
    int mChannel = -1;
    FSOUND_STREAMCALLBACK mCallback = nullptr;
    void* mUser = nullptr;
};

bool FSOUND_STREAM::Restart()
{
    mDecoder.reset(AudioFileDecoder::Open(mSpec));
    mQueue.clear();
    mStart = 0;
    mCount = 0;
    mConsumed = mDecoded = mPassStart = mDecodePassStart = 0;
    mPendingPassStarts.clear();
    mFinished = !mDecoder;
    return mDecoder != nullptr;
}

bool FSOUND_STREAM::DecodeMore()
{
    if (mFinished) {
        return false;
    }
    if (mStart > 0) {
        const std::size_t values = static_cast<std::size_t>(mCount) * mChannels;
        std::memmove(mQueue.data(), mQueue.data() + mStart * mChannels, values * sizeof(float));
        mQueue.resize(values);
        mStart = 0;
    }
    const int count = mDecoder ? mDecoder->Decode(mQueue) : 0;
    if (count > 0) {
        mCount += count;
        mDecoded += count;
        return true;
    }
    // The end of one pass: its length is now known exactly.
    const int64_t passFrames = mDecoded - mDecodePassStart;
    mLengthMs = static_cast<int>(std::min<int64_t>(passFrames * 1000 / mRate, INT32_MAX));
    const bool broken = !mDecoder || mDecoder->GivenUp();
    mDecoder.reset();
    // A pass that gave nothing would loop for ever without a sound: stop instead.
    if (mLoopCount != 0 && passFrames > 0 && !broken) {
        mDecoder.reset(AudioFileDecoder::Open(mSpec));
        if (mDecoder && mDecoder->Rate() == mRate && mDecoder->Channels() == mChannels) {
            if (mLoopCount > 0) {
                --mLoopCount;
            }
            mPendingPassStarts.push_back(mDecoded);
            mDecodePassStart = mDecoded;
            return true;
        }
        mDecoder.reset();
    }
    mFinished = true;
    return false;
}

int FSOUND_STREAM::Peek(int aMinFrames, const float** aData)
{
    while (mCount < aMinFrames && DecodeMore()) {
    }
    *aData = mQueue.data() + mStart * mChannels;
    return mCount;
}

void FSOUND_STREAM::Consume(int aFrames)
{
    aFrames = std::clamp(aFrames, 0, mCount);
    mStart += static_cast<std::size_t>(aFrames);
    mCount -= aFrames;
    mConsumed += aFrames;
    while (!mPendingPassStarts.empty() && mPendingPassStarts.front() <= mConsumed) {
        mPassStart = mPendingPassStarts.front();
        mPendingPassStarts.pop_front();
    }
}

// ---------------------------------------------------------------------------------------
// A sample: decoded whole; each channel that plays it reads through its own cursor.

struct FSOUND_SAMPLE
{
    std::vector<float> mData;
    int64_t mFrames = 0;
    int mRate = 0;
    int mChannels = 0;
    bool mLoop = false;
};

namespace {

class SampleCursor : public SoundSource
{
public:
    int Rate() const override { return mSample->mRate; }
    int Channels() const override { return mSample->mChannels; }
    int Peek(int aMinFrames, const float** aData) override
    {
        const int channels = mSample->mChannels;
        const int64_t left = mSample->mFrames - mPosition;
        const int count = static_cast<int>(std::min<int64_t>(left, INT32_MAX / 4));
        if (mSample->mLoop && count < aMinFrames && mSample->mFrames > 0) {
            // Across the loop point: the tail and the head side by side.
            mWrap.clear();
            int64_t position = mPosition;
            for (int i = 0; i < aMinFrames; ++i) {
                const float* frame = mSample->mData.data() + position * channels;
                mWrap.insert(mWrap.end(), frame, frame + channels);
                position = (position + 1) % mSample->mFrames;
            }
            *aData = mWrap.data();
            return aMinFrames;
        }
        *aData = mSample->mData.data() + mPosition * channels;
        return count;
    }
    void Consume(int aFrames) override
    {
        mPosition += aFrames;
        if (mSample->mLoop && mSample->mFrames > 0) {
            mPosition %= mSample->mFrames;
        }
        mPosition = std::min(mPosition, mSample->mFrames);
    }
    bool Ended() const override { return !mSample->mLoop && mPosition >= mSample->mFrames; }

    FSOUND_SAMPLE* mSample = nullptr;
    int64_t mPosition = 0;

private:
    std::vector<float> mWrap;
};

SampleCursor gCursors[SoundMixer::kVoices];

void OnStreamEnd(void* aUser, int aHandle)
{
    FSOUND_STREAM* stream = static_cast<FSOUND_STREAM*>(aUser);
    if (stream->mChannel == aHandle) {
        stream->mChannel = -1;
    }
    if (stream->mCallback) {
        stream->mCallback(stream, nullptr, 0, stream->mUser);
    }
}

} // namespace

SoundMixer& SoundSystemMixer()
{
    static SoundMixer mixer(44100);
    return mixer;
}

bool SoundSystemActive()
{
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    return gInitialised;
}

// ---------------------------------------------------------------------------------------

signed char FSOUND_SetOutput(int aOutputType)
{
    if (gInitialised || aOutputType < FSOUND_OUTPUT_SDL || aOutputType > FSOUND_OUTPUT_NOSOUND_NONREALTIME) {
        SetError(gInitialised ? FMOD_ERR_INIT : FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    gOutputType = aOutputType;
    return 1;
}

signed char FSOUND_Init(int aMixRate, int aMaxChannels, unsigned int)
{
    if (gInitialised) {
        SetError(FMOD_ERR_INIT);
        return 0;
    }
    if (aMixRate < 8000 || aMixRate > 96000 || aMaxChannels < 1 || aMaxChannels > SoundMixer::kVoices) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    SoundMixer& mixer = SoundSystemMixer();
    mixer.SetRate(aMixRate);
    if (gOutputType != FSOUND_OUTPUT_NOSOUND_NONREALTIME) {
        Output().Start(&mixer, gOutputType == FSOUND_OUTPUT_SDL);
    }
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    gInitialised = true;
    SetError(FMOD_ERR_NONE);
    return 1;
}

void FSOUND_Close()
{
    Output().Stop();
    SoundMixer& mixer = SoundSystemMixer();
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    for (int i = 0; i < SoundMixer::kVoices; ++i) {
        mixer.StopSource(&gCursors[i]);
        gCursors[i].mSample = nullptr;
    }
    gInitialised = false;
}

int FSOUND_GetError()
{
    return gError.load();
}

int FSOUND_GetOutputRate()
{
    return SoundSystemMixer().Rate();
}

void FSOUND_Update()
{
    int16_t scratch[2 * SoundOutput::kDeviceFrames];
    FSOUND_MixBuffer(scratch, SoundOutput::kDeviceFrames);
}

int FSOUND_MixBuffer(int16_t* aOut, int aFrames)
{
    if (!aOut || aFrames <= 0) {
        return 0;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
        if (!gInitialised || gOutputType != FSOUND_OUTPUT_NOSOUND_NONREALTIME) {
            return 0;
        }
    }
    SoundSystemMixer().Mix(aOut, aFrames);
    return aFrames;
}

// ---------------------------------------------------------------------------------------

FSOUND_STREAM* FSOUND_Stream_Open(const char* aNameOrData, unsigned int aMode, int aOffset, int aLength)
{
    std::unique_ptr<FSOUND_STREAM> stream(new (std::nothrow) FSOUND_STREAM());
    if (!stream) {
        SetError(FMOD_ERR_MEMORY);
        return nullptr;
    }
    if (!ReadInput(aNameOrData, aMode, aOffset, aLength, stream->mSpec)) {
        return nullptr;
    }
    if (!stream->Restart()) {
        SetError(FMOD_ERR_FILE_FORMAT);
        return nullptr;
    }
    stream->mRate = stream->mDecoder->Rate();
    stream->mChannels = stream->mDecoder->Channels();
    const int64_t stated = stream->mDecoder->StatedFrames();
    stream->mLengthMs = stated > 0 ? static_cast<int>(std::min<int64_t>(stated * 1000 / stream->mRate, INT32_MAX)) : 0;
    stream->mLoopCount = (aMode & FSOUND_LOOP_NORMAL) ? -1 : 0;
    SetError(FMOD_ERR_NONE);
    return stream.release();
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    SoundSystemMixer().StopSource(aStream);
    delete aStream;
    return 1;
}

int FSOUND_Stream_Play(int aChannel, FSOUND_STREAM* aStream)
{
    SoundMixer& mixer = SoundSystemMixer();
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    if (!CanPlay(aStream)) {
        return -1;
    }
    mixer.StopSource(aStream);
    aStream->mChannel = mixer.Play(aChannel, aStream, SoundMixer::kMaxVolume, &OnStreamEnd, aStream);
    if (aStream->mChannel < 0) {
        SetError(FMOD_ERR_CHANNEL_ALLOC);
    }
    return aStream->mChannel;
}

signed char FSOUND_Stream_Stop(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    SoundMixer& mixer = SoundSystemMixer();
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    mixer.StopSource(aStream);
    aStream->mChannel = -1;
    return 1;
}

signed char FSOUND_Stream_SetTime(FSOUND_STREAM* aStream, int aMilliseconds)
{
    if (!aStream || aMilliseconds < 0) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    if (FSOUND_Stream_GetTime(aStream) == aMilliseconds && !aStream->Ended()) {
        return 1;
    }
    // The first frame of that millisecond, so that GetTime gives the same time back.
    const int64_t target = (static_cast<int64_t>(aMilliseconds) * aStream->mRate + 999) / 1000;
    // No seeking: decode again from the start up to the time.
    if (!aStream->Restart()) {
        SetError(FMOD_ERR_FILE_FORMAT);
        return 0;
    }
    int64_t left = target;
    while (left > 0) {
        const float* data = nullptr;
        const int count = aStream->Peek(1, &data);
        if (count <= 0) {
            break;
        }
        const int take = static_cast<int>(std::min<int64_t>(left, count));
        aStream->Consume(take);
        left -= take;
    }
    return 1;
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    return static_cast<int>(std::min<int64_t>(aStream->PassPosition() * 1000 / aStream->mRate, INT32_MAX));
}

int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    return aStream->mLengthMs;
}

signed char FSOUND_Stream_SetLoopCount(FSOUND_STREAM* aStream, int aCount)
{
    if (!aStream || aCount < -1) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    aStream->mLoopCount = aCount;
    return 1;
}

signed char FSOUND_Stream_SetEndCallback(FSOUND_STREAM* aStream, FSOUND_STREAMCALLBACK aCallback, void* aUser)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> lock(SoundSystemMixer().Mutex());
    aStream->mCallback = aCallback;
    aStream->mUser = aUser;
    return 1;
}

// ---------------------------------------------------------------------------------------

FSOUND_SAMPLE* FSOUND_Sample_Load(int aIndex, const char* aNameOrData, unsigned int aMode, int aOffset, int aLength)
{
    MediaSourceSpec spec;
    if (aIndex != FSOUND_FREE || !ReadInput(aNameOrData, aMode, aOffset, aLength, spec)) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return nullptr;
    }
    std::unique_ptr<AudioFileDecoder> decoder(AudioFileDecoder::Open(spec));
    if (!decoder) {
        SetError(FMOD_ERR_FILE_FORMAT);
        return nullptr;
    }
    std::unique_ptr<FSOUND_SAMPLE> sample(new (std::nothrow) FSOUND_SAMPLE());
    if (!sample) {
        SetError(FMOD_ERR_MEMORY);
        return nullptr;
    }
    sample->mRate = decoder->Rate();
    sample->mChannels = decoder->Channels();
    sample->mLoop = (aMode & FSOUND_LOOP_NORMAL) != 0;
    while (decoder->Decode(sample->mData) > 0) {
        if (static_cast<int64_t>(sample->mData.size()) / sample->mChannels > kMaxSampleFrames) {
            MEDIA_ERROR("Sound %s is too long for a sample", spec.Describe());
            SetError(FMOD_ERR_MEMORY);
            return nullptr;
        }
    }
    sample->mFrames = static_cast<int64_t>(sample->mData.size()) / sample->mChannels;
    SetError(FMOD_ERR_NONE);
    return sample.release();
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* aSample)
{
    if (!aSample) {
        return;
    }
    SoundMixer& mixer = SoundSystemMixer();
    {
        std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
        for (SampleCursor& cursor : gCursors) {
            if (cursor.mSample == aSample) {
                mixer.StopSource(&cursor);
                cursor.mSample = nullptr;
            }
        }
    }
    delete aSample;
}

unsigned int FSOUND_Sample_GetLength(FSOUND_SAMPLE* aSample)
{
    return aSample ? static_cast<unsigned int>(aSample->mFrames) : 0;
}

signed char FSOUND_Sample_GetDefaults(FSOUND_SAMPLE* aSample, int* aFrequency, int* aVolume, int* aPan,
                                      int* aPriority)
{
    if (!aSample) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    if (aFrequency) {
        *aFrequency = aSample->mRate;
    }
    if (aVolume) {
        *aVolume = SoundMixer::kMaxVolume;
    }
    if (aPan) {
        *aPan = 128;
    }
    if (aPriority) {
        *aPriority = 128;
    }
    return 1;
}

int FSOUND_PlaySound(int aChannel, FSOUND_SAMPLE* aSample)
{
    SoundMixer& mixer = SoundSystemMixer();
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    if (!CanPlay(aSample)) {
        return -1;
    }
    const int index = aChannel >= 0 ? (aChannel & 0xFF) : mixer.FindFreeVoice();
    if (index < 0 || index >= SoundMixer::kVoices) {
        SetError(FMOD_ERR_CHANNEL_ALLOC);
        return -1;
    }
    SampleCursor& cursor = gCursors[index];
    cursor.mSample = aSample;
    cursor.mPosition = 0;
    const int handle = mixer.Play(index, &cursor, SoundMixer::kMaxVolume, nullptr, nullptr);
    if (handle < 0) {
        cursor.mSample = nullptr;
        SetError(FMOD_ERR_PLAY);
    }
    return handle;
}

// ---------------------------------------------------------------------------------------

signed char FSOUND_StopSound(int aChannel)
{
    return SoundSystemMixer().Stop(aChannel) ? 1 : 0;
}

signed char FSOUND_SetVolume(int aChannel, int aVolume)
{
    return SoundSystemMixer().SetVolume(aChannel, aVolume) ? 1 : 0;
}

int FSOUND_GetVolume(int aChannel)
{
    const int volume = SoundSystemMixer().GetVolume(aChannel);
    return volume < 0 ? 0 : volume;
}

signed char FSOUND_SetPaused(int aChannel, signed char aPaused)
{
    return SoundSystemMixer().SetPaused(aChannel, aPaused != 0) ? 1 : 0;
}

signed char FSOUND_IsPlaying(int aChannel)
{
    return SoundSystemMixer().IsPlaying(aChannel) ? 1 : 0;
}

unsigned int FSOUND_GetCurrentPosition(int aChannel)
{
    SoundMixer& mixer = SoundSystemMixer();
    std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
    SoundSource* source = mixer.Source(aChannel);
    if (const SampleCursor* cursor = dynamic_cast<const SampleCursor*>(source)) {
        return static_cast<unsigned int>(cursor->mPosition);
    }
    if (const FSOUND_STREAM* stream = dynamic_cast<const FSOUND_STREAM*>(source)) {
        return static_cast<unsigned int>(stream->PassPosition());
    }
    return 0;
}

signed char FSOUND_GetCurrentLevels(int aChannel, float* aLeft, float* aRight)
{
    if (!SoundSystemMixer().GetLevels(aChannel, aLeft, aRight)) {
        if (aLeft) {
            *aLeft = 0.0f;
        }
        if (aRight) {
            *aRight = 0.0f;
        }
        return 0;
    }
    return 1;
}
