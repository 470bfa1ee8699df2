// The software mixer behind the sound stand-in: 32 voices, each pulling interleaved
// float frames from a source at the source's own rate, resampled linearly to the output
// rate, scaled by the voice's volume and summed into 16-bit stereo. Plain code: the audio
// device's callback calls Mix, and so can a test, with no device at all.
//
// Mix runs on the audio thread under the mixer's lock, so everything done under that
// lock is short: reading and setting voice parameters, handing over frames already
// decoded. Nothing under it decodes, allocates, opens files or logs.
#pragma once
#include <cstdint>
#include <mutex>

// What a voice plays. Called with the mixer's lock held, on the audio thread: frames
// are decoded elsewhere beforehand.
class SoundSource
{
public:
    // The most frames Peek is ever asked for.
    static constexpr int kMaxPeekFrames = 64;

    virtual ~SoundSource() = default;
    virtual int Rate() const = 0;
    // 1 or 2.
    virtual int Channels() const = 0;
    // Points aData at the frames from the current position (interleaved) and returns
    // their count: at least aMinFrames unless the source has no more for now (it never
    // waits for more).
    virtual int Peek(int aMinFrames, const float** aData) = 0;
    // Moves the position on by aFrames (at most what Peek reported).
    virtual void Consume(int aFrames) = 0;
    // True once the source will never give more frames (false while merely starved).
    virtual bool Ended() const = 0;
};

class SoundMixer
{
public:
    static constexpr int kVoices = 32;
    static constexpr int kMaxVolume = 255;
    // A source's rate may be at most this many times the output rate.
    static constexpr int kMaxRateRatio = SoundSource::kMaxPeekFrames / 2 - 2;
    // Mix works through its output in pieces of this many frames.
    static constexpr int kChunkFrames = 1024;

    // Called from Mix, with the lock held, when a voice's source has ended.
    typedef void (*EndCallback)(void* aUser, int aHandle);

    explicit SoundMixer(int aRate);
    int Rate() const { return mRate; }
    // Changes the output rate (for the next Mix).
    void SetRate(int aRate);
    // The index of a voice that plays nothing, or -1.
    int FindFreeVoice();

    // Starts aSource (not owned; it must stay alive until the voice ends or is stopped)
    // on voice aVoice, or on a free one when aVoice is negative. Returns the voice's
    // handle (not negative; it goes stale when the voice ends or is reused), or -1 when
    // no voice is free or the source is unusable (its rate too high for the output's).
    int Play(int aVoice, SoundSource* aSource, int aVolume, EndCallback aOnEnd, void* aUser, bool aPaused = false);
    // Stops a voice without calling its end callback. False for a stale handle.
    bool Stop(int aHandle);
    // Volume 0 to 255, clamped.
    bool SetVolume(int aHandle, int aVolume);
    // -1 for a stale handle.
    int GetVolume(int aHandle);
    // A free gain factor (1.0 = unchanged, clamped to 0..4), independent of the volume.
    bool SetGain(int aHandle, float aGain);
    bool SetPaused(int aHandle, bool aPaused);
    // True while the handle's voice has a source that has not ended.
    bool IsPlaying(int aHandle);
    // The peak levels (0 to 1) of the voice's output in the last Mix.
    bool GetLevels(int aHandle, float* aLeft, float* aRight);
    // The handle's source, or null for a stale handle.
    SoundSource* Source(int aHandle);
    // Stops every voice playing aSource (without callbacks).
    void StopSource(const SoundSource* aSource);

    // Mixes aFrames frames of interleaved 16-bit stereo into aOut.
    void Mix(int16_t* aOut, int aFrames);

    // Held by Mix; the sound layer takes it too to change what the sources read.
    std::recursive_mutex& Mutex() { return mMutex; }

private:
    struct Voice
    {
        SoundSource* mSource = nullptr;
        EndCallback mOnEnd = nullptr;
        void* mUser = nullptr;
        uint32_t mSerial = 0;
        int mVolume = kMaxVolume;
        float mGain = 1.0f;
        double mFraction = 0.0;
        int mSkip = 0;
        bool mPaused = false;
        float mLevelLeft = 0.0f;
        float mLevelRight = 0.0f;
    };

    Voice* Find(int aHandle);
    int HandleOf(int aIndex) const;
    // Adds one voice's output to mAccumulator and raises its levels; true when its
    // source has ended.
    bool MixVoice(Voice& aVoice, int aFrames);

    std::recursive_mutex mMutex;
    int mRate;
    uint32_t mNextSerial = 1;
    Voice mVoices[kVoices];
    float mAccumulator[2 * kChunkFrames] = {};
};
