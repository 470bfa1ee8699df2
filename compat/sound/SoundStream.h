// A sound file played as it is decoded: a producer side decodes ahead into a fixed ring
// (reserved when the stream opens) and reopens the file for each further pass; a
// consumer side, the mixer, only reads what is already there. The two sides run on
// different threads and share only atomics and the ring.
//
// Each side has one user at a time: the producer side belongs to whoever holds the
// stream through SoundStreamFeeder (its thread, or a caller that fills or seeks), the
// consumer side to the mixer under its lock. Restart and Seek touch both sides: the
// caller holds the stream and has the mixer keep off it (Hold).
//
// Passes: at the end of a pass the producer reopens the file at once when more passes
// may be wanted and marks where the new one begins; whether it plays is decided by the
// consumer when it gets there, by the loop count of that moment, so that a loop count
// set while the stream plays takes effect at the end of the pass being heard.
#pragma once
#include "SoundMixer.h"
#include "SoundRing.h"
#include "media/MediaFormat.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class SoundStream : public SoundSource
{
public:
    // Decoded frames held ahead: half a second, and at least this many.
    static constexpr int kMinBufferFrames = 4096;
    // Passes decoded ahead of the one playing; more wait until the consumer gets there.
    static constexpr int kMaxMarks = 64;

    SoundStream() = default;
    ~SoundStream() override = default;
    SoundStream(const SoundStream&) = delete;
    SoundStream& operator=(const SoundStream&) = delete;

    // Opens the file and reserves the ring. False when it cannot be decoded (logged) or
    // memory is out. aLoopCount: 0 once, n more times, -1 for ever.
    bool Open(MediaSourceSpec aSpec, int aLoopCount);

    // SoundSource, the consumer's side.
    int Rate() const override { return mRate; }
    int Channels() const override { return mChannels; }
    int Peek(int aMinFrames, const float** aData) override;
    void Consume(int aFrames) override;
    bool Ended() const override;

    // The producer's side: decodes until the ring is full or nothing more can come now.
    void Fill();

    // With the stream held and the mixer kept off: a fresh decoder and empty buffers at
    // the start. False when the file no longer opens as it did.
    bool Restart();
    // Likewise: starts again and skips aFrames frames, across passes as playing would.
    bool Seek(int64_t aFrames);
    // While true the consumer sees no frames and no end (set under the mixer's lock).
    void SetHeld(bool aHeld) { mHeld = aHeld; }

    // Readable from any thread.
    int64_t PassPosition() const { return mPassPosition.load(std::memory_order_acquire); }
    int LengthMs() const { return mLengthMs.load(); }
    void SetLoopCount(int aCount) { mLoopCount.store(aCount); }

    // Kept by SoundStreamFeeder under its lock.
    SoundStream* mNextInFeeder = nullptr;
    bool mInFeeder = false;
    bool mFilling = false;

private:
    // One more block into the scratch; false when nothing more can come now.
    bool DecodeMore();
    // The end of a pass: reopen for another, wait for a decision, or finish.
    bool NextPass();
    int PendingMarks() const;
    // The consumer's side whoever runs it (the mixer, or Seek while the mixer keeps off):
    // settles the pass marks reached, then the frames that may be played from here.
    void Settle();
    int TakeableFrames(const float** aData);
    void Take(int aFrames);
    void SetLengthFrom(int64_t aFrames);

    MediaSourceSpec mSpec;
    int mRate = 0;
    int mChannels = 0;
    SoundRing mRing;

    // Where further passes begin, in frames from the start of the first (a ring of its
    // own: the producer writes, the consumer reads).
    int64_t mMarks[kMaxMarks] = {};
    std::atomic<uint32_t> mMarksWritten {0};
    std::atomic<uint32_t> mMarksRead {0};

    // Producer.
    std::unique_ptr<AudioFileDecoder> mDecoder;
    std::vector<float> mScratch;
    std::size_t mScratchFrom = 0;
    int64_t mDecoded = 0;
    int64_t mDecodePassStart = 0;
    bool mAtPassEnd = false;
    std::atomic<bool> mFinished {false};
    // Where the decoded frames stop while the producer waits for the loop count to ask
    // for another pass; -1 otherwise.
    std::atomic<int64_t> mEndMark {-1};

    // Consumer.
    int64_t mConsumed = 0;
    int64_t mPassStart = 0;
    bool mEndedAtMark = false;
    bool mHeld = false;

    std::atomic<int64_t> mPassPosition {0};
    std::atomic<int> mLengthMs {0};
    std::atomic<int> mLoopCount {0};
};
