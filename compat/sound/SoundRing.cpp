#include "SoundRing.h"

#include <algorithm>
#include <cstring>
#include <new>

bool SoundRing::Reserve(int aFrames, int aChannels)
{
    mChannels = std::clamp(aChannels, 1, 2);
    mCapacity = std::max(aFrames, kGuardFrames);
    const std::size_t values = static_cast<std::size_t>(mCapacity + kGuardFrames) * mChannels;
    mData.reset(new (std::nothrow) float[values]);
    if (!mData) {
        mCapacity = 0;
        return false;
    }
    std::fill(mData.get(), mData.get() + values, 0.0f);
    Clear();
    return true;
}

int SoundRing::Space() const
{
    const uint64_t written = mWritten.load(std::memory_order_relaxed);
    const uint64_t read = mRead.load(std::memory_order_acquire);
    return mCapacity - static_cast<int>(written - read);
}

void SoundRing::CopyIn(int aPosition, const float* aFrames, int aCount)
{
    std::memcpy(mData.get() + static_cast<std::size_t>(aPosition) * mChannels, aFrames,
                static_cast<std::size_t>(aCount) * mChannels * sizeof(float));
    if (aPosition < kGuardFrames) {
        const int mirrored = std::min(aCount, kGuardFrames - aPosition);
        std::memcpy(mData.get() + static_cast<std::size_t>(mCapacity + aPosition) * mChannels, aFrames,
                    static_cast<std::size_t>(mirrored) * mChannels * sizeof(float));
    }
}

int SoundRing::Write(const float* aFrames, int aCount)
{
    if (!mData || !aFrames || aCount <= 0) {
        return 0;
    }
    const uint64_t written = mWritten.load(std::memory_order_relaxed);
    const int count = std::min(aCount, Space());
    if (count <= 0) {
        return 0;
    }
    const int position = static_cast<int>(written % static_cast<uint64_t>(mCapacity));
    const int first = std::min(count, mCapacity - position);
    CopyIn(position, aFrames, first);
    if (count > first) {
        CopyIn(0, aFrames + static_cast<std::size_t>(first) * mChannels, count - first);
    }
    mWritten.store(written + static_cast<uint64_t>(count), std::memory_order_release);
    return count;
}

int SoundRing::Available() const
{
    const uint64_t read = mRead.load(std::memory_order_relaxed);
    return static_cast<int>(mWritten.load(std::memory_order_acquire) - read);
}

int SoundRing::Peek(const float** aData) const
{
    const uint64_t read = mRead.load(std::memory_order_relaxed);
    const int available = static_cast<int>(mWritten.load(std::memory_order_acquire) - read);
    if (!mData || available <= 0) {
        *aData = mData.get();
        return 0;
    }
    const int position = static_cast<int>(read % static_cast<uint64_t>(mCapacity));
    *aData = mData.get() + static_cast<std::size_t>(position) * mChannels;
    return std::min(available, mCapacity - position + kGuardFrames);
}

void SoundRing::Consume(int aCount)
{
    const uint64_t read = mRead.load(std::memory_order_relaxed);
    const int count = std::clamp(aCount, 0, Available());
    mRead.store(read + static_cast<uint64_t>(count), std::memory_order_release);
}

void SoundRing::Clear()
{
    mWritten.store(0, std::memory_order_relaxed);
    mRead.store(0, std::memory_order_relaxed);
}
