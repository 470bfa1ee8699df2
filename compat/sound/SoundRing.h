// A fixed ring of interleaved float frames between one writer and one reader on
// different threads, with no lock: the writer only moves the written count, the reader
// only the read count. Its memory is reserved once, by Reserve; nothing else allocates.
//
// The first kGuardFrames frames are mirrored just past the end of the ring, so that the
// reader always sees at least that many frames in one piece across the wrap (the mixer
// interpolates between neighbours).
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

class SoundRing
{
public:
    static constexpr int kGuardFrames = 64;

    // Room for aFrames frames (at least kGuardFrames) of aChannels (1 or 2); the ring is
    // empty. False when memory is out. Neither side may be running.
    bool Reserve(int aFrames, int aChannels);
    int Capacity() const { return mCapacity; }
    int Channels() const { return mChannels; }

    // The writer's side: the frames that fit now, and appending (returns the count
    // taken, at most Space()).
    int Space() const;
    int Write(const float* aFrames, int aCount);

    // The reader's side: the frames waiting, the longest run of them in one piece from
    // the oldest (at least min(Available(), kGuardFrames)), and dropping the oldest.
    int Available() const;
    int Peek(const float** aData) const;
    void Consume(int aCount);

    // Empties the ring; neither side may be running.
    void Clear();

private:
    void CopyIn(int aPosition, const float* aFrames, int aCount);

    std::unique_ptr<float[]> mData;
    int mCapacity = 0;
    int mChannels = 1;
    std::atomic<uint64_t> mWritten {0};
    std::atomic<uint64_t> mRead {0};
};
