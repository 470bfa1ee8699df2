#include "SoundStream.h"

#include "media/MediaLog.h"

#include <algorithm>
#include <climits>
#include <utility>

static_assert(SoundRing::kGuardFrames >= SoundSource::kMaxPeekFrames, "the mixer reads across the wrap");

bool SoundStream::Open(MediaSourceSpec aSpec, int aLoopCount)
{
    mSpec = std::move(aSpec);
    mDecoder.reset(AudioFileDecoder::Open(mSpec));
    if (!mDecoder) {
        return false;
    }
    mRate = mDecoder->Rate();
    mChannels = mDecoder->Channels();
    if (!mRing.Reserve(std::max(kMinBufferFrames, mRate / 2), mChannels)) {
        MEDIA_ERROR("Out of memory for the sound of %s", mSpec.Describe());
        mDecoder.reset();
        return false;
    }
    const int64_t stated = mDecoder->StatedFrames();
    SetLengthFrom(stated > 0 ? stated : 0);
    mLoopCount.store(aLoopCount);
    return true;
}

void SoundStream::SetLengthFrom(int64_t aFrames)
{
    mLengthMs.store(static_cast<int>(std::min<int64_t>(aFrames * 1000 / mRate, INT_MAX)));
}

// ---------------------------------------------------------------------------------------
// Producer

void SoundStream::Fill()
{
    for (;;) {
        const int64_t pending = static_cast<int64_t>(mScratch.size() / mChannels) - static_cast<int64_t>(mScratchFrom);
        if (pending > 0) {
            const int count = static_cast<int>(std::min<int64_t>(pending, INT_MAX));
            const int written = mRing.Write(mScratch.data() + mScratchFrom * mChannels, count);
            mScratchFrom += static_cast<std::size_t>(written);
            if (written < count) {
                return;
            }
        }
        // Emptied, not freed: the scratch keeps its size from block to block.
        mScratch.clear();
        mScratchFrom = 0;
        if (mRing.Space() == 0 || !DecodeMore()) {
            return;
        }
    }
}

bool SoundStream::DecodeMore()
{
    if (mFinished.load()) {
        return false;
    }
    if (!mAtPassEnd) {
        const int count = mDecoder ? mDecoder->Decode(mScratch) : 0;
        if (count > 0) {
            mDecoded += count;
            return true;
        }
        // The end of one pass: its length is now known exactly.
        const int64_t passFrames = mDecoded - mDecodePassStart;
        SetLengthFrom(passFrames);
        const bool broken = !mDecoder || mDecoder->GivenUp();
        mDecoder.reset();
        // A pass that gave nothing would loop for ever without a sound: stop instead.
        if (broken || passFrames <= 0) {
            mFinished.store(true);
            return false;
        }
        mAtPassEnd = true;
    }
    return NextPass();
}

int SoundStream::PendingMarks() const
{
    return static_cast<int>(mMarksWritten.load() - mMarksRead.load());
}

bool SoundStream::NextPass()
{
    // The loop count before the marks: the consumer takes a mark before it lowers the
    // count, so this never sees fewer passes wanted than there are.
    const int loops = mLoopCount.load();
    const int pending = PendingMarks();
    if (loops == 0 || (loops > 0 && loops <= pending)) {
        // Enough passes for now; another comes if the count is raised before the
        // consumer gets here.
        mEndMark.store(mDecoded);
        return false;
    }
    if (pending >= kMaxMarks) {
        return false;
    }
    mDecoder.reset(AudioFileDecoder::Open(mSpec));
    if (!mDecoder || mDecoder->Rate() != mRate || mDecoder->Channels() != mChannels) {
        mDecoder.reset();
        mFinished.store(true);
        return false;
    }
    const uint32_t written = mMarksWritten.load(std::memory_order_relaxed);
    mMarks[written % kMaxMarks] = mDecoded;
    mMarksWritten.store(written + 1);
    mEndMark.store(-1);
    mDecodePassStart = mDecoded;
    mAtPassEnd = false;
    return true;
}

bool SoundStream::Restart()
{
    mDecoder.reset(AudioFileDecoder::Open(mSpec));
    if (mDecoder && (mDecoder->Rate() != mRate || mDecoder->Channels() != mChannels)) {
        MEDIA_ERROR("Sound %s changed its format while open", mSpec.Describe());
        mDecoder.reset();
    }
    mRing.Clear();
    mMarksWritten.store(0);
    mMarksRead.store(0);
    mScratch.clear();
    mScratchFrom = 0;
    mDecoded = 0;
    mDecodePassStart = 0;
    mAtPassEnd = false;
    mFinished.store(!mDecoder);
    mEndMark.store(-1);
    mConsumed = 0;
    mPassStart = 0;
    mEndedAtMark = false;
    mPassPosition.store(0);
    return mDecoder != nullptr;
}

bool SoundStream::Seek(int64_t aFrames)
{
    if (!Restart()) {
        return false;
    }
    int64_t left = aFrames;
    while (left > 0) {
        const float* data = nullptr;
        int count = TakeableFrames(&data);
        if (count <= 0) {
            Fill();
            count = TakeableFrames(&data);
            if (count <= 0) {
                break;
            }
        }
        const int take = static_cast<int>(std::min<int64_t>(left, count));
        Take(take);
        left -= take;
    }
    Fill();
    return true;
}

// ---------------------------------------------------------------------------------------
// Consumer

void SoundStream::Settle()
{
    while (!mEndedAtMark) {
        const uint32_t read = mMarksRead.load(std::memory_order_relaxed);
        if (read == mMarksWritten.load()) {
            break;
        }
        const int64_t mark = mMarks[read % kMaxMarks];
        if (mark > mConsumed) {
            break;
        }
        if (mark == mConsumed && mLoopCount.load() == 0) {
            // The pass decoded ahead is not wanted after all.
            mEndedAtMark = true;
            break;
        }
        mPassStart = mark;
        mMarksRead.store(read + 1);
        int loops = mLoopCount.load();
        while (loops > 0 && !mLoopCount.compare_exchange_weak(loops, loops - 1)) {
        }
    }
    if (!mEndedAtMark && mEndMark.load() == mConsumed && mLoopCount.load() == 0) {
        mEndedAtMark = true;
    }
    mPassPosition.store(mConsumed - mPassStart, std::memory_order_release);
}

int SoundStream::TakeableFrames(const float** aData)
{
    *aData = nullptr;
    Settle();
    if (mEndedAtMark) {
        return 0;
    }
    int count = mRing.Peek(aData);
    const uint32_t read = mMarksRead.load(std::memory_order_relaxed);
    if (count > 0 && read != mMarksWritten.load() && mLoopCount.load() == 0) {
        // Nothing past the next mark while no further pass is wanted.
        count = static_cast<int>(std::min<int64_t>(count, mMarks[read % kMaxMarks] - mConsumed));
    }
    return count;
}

void SoundStream::Take(int aFrames)
{
    const int count = std::clamp(aFrames, 0, mRing.Available());
    mRing.Consume(count);
    mConsumed += count;
    Settle();
}

int SoundStream::Peek(int, const float** aData)
{
    if (mHeld) {
        *aData = nullptr;
        return 0;
    }
    return TakeableFrames(aData);
}

void SoundStream::Consume(int aFrames)
{
    if (!mHeld) {
        Take(aFrames);
    }
}

bool SoundStream::Ended() const
{
    if (mHeld) {
        return false;
    }
    if (mEndedAtMark) {
        return true;
    }
    // Finished first: then the ring holds everything the producer will ever write.
    return mFinished.load() && mRing.Available() == 0;
}
