#include "SoundStreamFeeder.h"

#include "SoundStream.h"

#include <chrono>

namespace {

// Between passes of the thread: a device buffer lasts about 23 ms.
constexpr auto kPeriod = std::chrono::milliseconds(5);

} // namespace

SoundStreamFeeder::~SoundStreamFeeder()
{
    Stop();
}

void SoundStreamFeeder::Add(SoundStream* aStream)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (!aStream || aStream->mInFeeder) {
        return;
    }
    aStream->mNextInFeeder = mFirst;
    aStream->mInFeeder = true;
    mFirst = aStream;
}

void SoundStreamFeeder::Remove(SoundStream* aStream)
{
    std::unique_lock<std::mutex> lock(mMutex);
    if (!aStream || !aStream->mInFeeder) {
        return;
    }
    mIdle.wait(lock, [aStream] { return !aStream->mFilling; });
    for (SoundStream** link = &mFirst; *link; link = &(*link)->mNextInFeeder) {
        if (*link == aStream) {
            *link = aStream->mNextInFeeder;
            break;
        }
    }
    aStream->mNextInFeeder = nullptr;
    aStream->mInFeeder = false;
}

void SoundStreamFeeder::Acquire(SoundStream* aStream)
{
    std::unique_lock<std::mutex> lock(mMutex);
    mIdle.wait(lock, [aStream] { return !aStream->mFilling; });
    aStream->mFilling = true;
}

void SoundStreamFeeder::Release(SoundStream* aStream)
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        aStream->mFilling = false;
    }
    mIdle.notify_all();
}

void SoundStreamFeeder::FillPass(std::unique_lock<std::mutex>& aLock)
{
    // A stream being filled stays in the list (Remove waits for it), so its link is
    // still good once the lock is taken again.
    for (SoundStream* stream = mFirst; stream; stream = stream->mNextInFeeder) {
        if (stream->mFilling) {
            continue;
        }
        stream->mFilling = true;
        aLock.unlock();
        stream->Fill();
        aLock.lock();
        stream->mFilling = false;
        mIdle.notify_all();
    }
}

void SoundStreamFeeder::FillAll()
{
    std::unique_lock<std::mutex> lock(mMutex);
    FillPass(lock);
}

void SoundStreamFeeder::Start()
{
    if (mThread.joinable()) {
        return;
    }
    mStop = false;
    mThread = std::thread(&SoundStreamFeeder::Run, this);
}

void SoundStreamFeeder::Stop()
{
    if (!mThread.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mStop = true;
    }
    mWake.notify_all();
    mThread.join();
}

void SoundStreamFeeder::Run()
{
    std::unique_lock<std::mutex> lock(mMutex);
    while (!mStop) {
        FillPass(lock);
        mWake.wait_for(lock, kPeriod, [this] { return mStop; });
    }
}
