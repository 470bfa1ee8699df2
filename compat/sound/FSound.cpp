#include "FSound.h"

#include "SoundMixer.h"
#include "SoundOutput.h"
#include "SoundStream.h"
#include "SoundStreamFeeder.h"
#include "SoundSystem.h"
#include "media/MediaFormat.h"
#include "media/MediaLog.h"
#include "win32/WinTestHooks.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace {

// A sample longer than this (ten minutes at 48 kHz) is refused rather than held in memory.
constexpr int64_t kMaxSampleFrames = 48000LL * 600;

std::atomic<int> gError {FMOD_ERR_NONE};
int gOutputType = FSOUND_OUTPUT_SDL;
bool gInitialised = false;

// The feeder and the output run threads of their own: FSOUND_Close stops them, and so
// do their destructors at exit.
SoundStreamFeeder& Feeder()
{
    static SoundStreamFeeder feeder;
    return feeder;
}

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
// A stream: decoded ahead by the feeder (see SoundStream).

struct FSOUND_STREAM : public SoundStream
{
    // Under the mixer's lock.
    int mChannel = -1;
    FSOUND_STREAMCALLBACK mCallback = nullptr;
    void* mUser = nullptr;
};

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
            const int frames = std::min(aMinFrames, kMaxPeekFrames);
            int64_t position = mPosition;
            for (int i = 0; i < frames; ++i) {
                const float* frame = mSample->mData.data() + position * channels;
                std::copy(frame, frame + channels, mWrap + i * channels);
                position = (position + 1) % mSample->mFrames;
            }
            *aData = mWrap;
            return frames;
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
    float mWrap[2 * kMaxPeekFrames] = {};
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
    if (WinTestHooksActive()) {
        gOutputType = FSOUND_OUTPUT_NOSOUND_NONREALTIME; // the test clock mixes each step
    }
    SoundMixer& mixer = SoundSystemMixer();
    mixer.SetRate(aMixRate);
    SoundStreamFeeder& feeder = Feeder();
    if (gOutputType != FSOUND_OUTPUT_NOSOUND_NONREALTIME) {
        // Real time: streams are decoded ahead on the feeder's thread, never in the
        // audio callback.
        feeder.Start();
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
    Feeder().Stop();
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
    // Streams are topped up here, on the caller's thread, before each piece is mixed:
    // the same frames on every run.
    for (int done = 0; done < aFrames; done += SoundMixer::kChunkFrames) {
        Feeder().FillAll();
        SoundSystemMixer().Mix(aOut + 2 * done, std::min(aFrames - done, SoundMixer::kChunkFrames));
    }
    return aFrames;
}

// ---------------------------------------------------------------------------------------

FSOUND_STREAM* FSOUND_Stream_Open(const char* aNameOrData, unsigned int aMode, int aOffset, int aLength)
{
    MediaSourceSpec spec;
    if (!ReadInput(aNameOrData, aMode, aOffset, aLength, spec)) {
        return nullptr;
    }
    std::unique_ptr<FSOUND_STREAM> stream(new (std::nothrow) FSOUND_STREAM());
    if (!stream) {
        SetError(FMOD_ERR_MEMORY);
        return nullptr;
    }
    if (!stream->Open(std::move(spec), (aMode & FSOUND_LOOP_NORMAL) ? -1 : 0)) {
        SetError(FMOD_ERR_FILE_FORMAT);
        return nullptr;
    }
    // The first frames are there before it can play; the feeder keeps it topped up.
    stream->Fill();
    Feeder().Add(stream.get());
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
    Feeder().Remove(aStream);
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
    SoundMixer& mixer = SoundSystemMixer();
    {
        std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
        if (FSOUND_Stream_GetTime(aStream) == aMilliseconds && !aStream->Ended()) {
            return 1;
        }
    }
    // The first frame of that millisecond, so that GetTime gives the same time back.
    const int64_t target = (static_cast<int64_t>(aMilliseconds) * aStream->Rate() + 999) / 1000;
    // No seeking: decode again from the start up to the time, with the feeder and the
    // mixer kept off the stream (a voice playing it hears silence meanwhile).
    SoundStreamFeeder& feeder = Feeder();
    feeder.Acquire(aStream);
    {
        std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
        aStream->SetHeld(true);
    }
    const bool sought = aStream->Seek(target);
    {
        std::lock_guard<std::recursive_mutex> lock(mixer.Mutex());
        aStream->SetHeld(false);
    }
    feeder.Release(aStream);
    if (!sought) {
        SetError(FMOD_ERR_FILE_FORMAT);
        return 0;
    }
    return 1;
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    return static_cast<int>(std::min<int64_t>(aStream->PassPosition() * 1000 / aStream->Rate(), INT32_MAX));
}

int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* aStream)
{
    if (!aStream) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    return aStream->LengthMs();
}

signed char FSOUND_Stream_SetLoopCount(FSOUND_STREAM* aStream, int aCount)
{
    if (!aStream || aCount < -1) {
        SetError(FMOD_ERR_INVALID_PARAM);
        return 0;
    }
    aStream->SetLoopCount(aCount);
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
    if (const SoundStream* stream = dynamic_cast<const SoundStream*>(source)) {
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
