// Keeps the open streams' buffers full. With real-time output its thread tops every
// stream up a few hundred times a second, so that the audio callback never decodes;
// without one (non-real-time output) FillAll does it on the caller's thread before each
// mix, the same way on every run.
//
// A stream's producer side has one user at a time: the thread while it fills the
// stream, or a caller between Acquire and Release (seeking, changing what it plays).
#pragma once
#include <condition_variable>
#include <mutex>
#include <thread>

class SoundStream;

class SoundStreamFeeder
{
public:
    SoundStreamFeeder() = default;
    ~SoundStreamFeeder();
    SoundStreamFeeder(const SoundStreamFeeder&) = delete;
    SoundStreamFeeder& operator=(const SoundStreamFeeder&) = delete;

    // A stream joins (filled from now on) and leaves (waits while it is being filled;
    // afterwards the feeder never touches it again).
    void Add(SoundStream* aStream);
    void Remove(SoundStream* aStream);

    // The caller alone fills or changes aStream until Release.
    void Acquire(SoundStream* aStream);
    void Release(SoundStream* aStream);

    // Tops up every stream on the caller's thread.
    void FillAll();

    // The thread that fills in the background.
    void Start();
    void Stop();
    bool IsRunning() const { return mThread.joinable(); }

private:
    void Run();
    // One pass over the streams; with mMutex held on entry and on return.
    void FillPass(std::unique_lock<std::mutex>& aLock);

    std::mutex mMutex;
    std::condition_variable mIdle;
    std::condition_variable mWake;
    SoundStream* mFirst = nullptr;
    std::thread mThread;
    bool mStop = false;
};
