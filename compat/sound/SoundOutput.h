// Drives a mixer in real time: through an SDL audio device of about 1024 frames, or,
// when there is no device (or no sound is wanted), through a thread that mixes into
// nothing at the same pace, so that sounds still end on time while nothing is heard.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class SoundMixer;

class SoundOutput
{
public:
    static constexpr int kDeviceFrames = 1024;

    // Called on the audio thread just before (aEntering true) and after each mix, with
    // the frames mixed: a test's view of that thread and of what it hears.
    typedef void (*MixHook)(bool aEntering, const int16_t* aOut, int aFrames);
    static void SetMixHook(MixHook aHook);

    SoundOutput() = default;
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // aDevice false: the silent clock without trying a device. True when output runs
    // (on a device or on the silent clock).
    bool Start(SoundMixer* aMixer, bool aDevice);
    void Stop();
    bool HasDevice() const { return mDevice != 0; }
    bool IsRunning() const { return mDevice != 0 || mThread.joinable(); }

private:
    static void DeviceCallback(void* aUser, unsigned char* aStream, int aLength);
    static void Mix(SoundMixer* aMixer, int16_t* aOut, int aFrames);
    void ClockLoop();

    SoundMixer* mMixer = nullptr;
    unsigned int mDevice = 0;
    bool mSubsystem = false;
    std::thread mThread;
    std::mutex mClockMutex;
    std::condition_variable mClockWake;
    bool mStopClock = false;
};
