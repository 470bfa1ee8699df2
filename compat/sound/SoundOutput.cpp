#include "SoundOutput.h"

#include "SoundMixer.h"
#include "media/MediaLog.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace {

std::atomic<SoundOutput::MixHook> gMixHook {nullptr};

} // namespace

void SoundOutput::SetMixHook(MixHook aHook)
{
    gMixHook.store(aHook);
}

void SoundOutput::Mix(SoundMixer* aMixer, int16_t* aOut, int aFrames)
{
    const MixHook hook = gMixHook.load();
    if (hook) {
        hook(true, aOut, aFrames);
    }
    aMixer->Mix(aOut, aFrames);
    if (hook) {
        hook(false, aOut, aFrames);
    }
}

SoundOutput::~SoundOutput()
{
    Stop();
}

bool SoundOutput::Start(SoundMixer* aMixer, bool aDevice)
{
    Stop();
    if (!aMixer) {
        return false;
    }
    mMixer = aMixer;
    if (aDevice) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            mSubsystem = true;
            SDL_AudioSpec want {};
            want.freq = aMixer->Rate();
            want.format = AUDIO_S16SYS;
            want.channels = 2;
            want.samples = kDeviceFrames;
            want.callback = &DeviceCallback;
            want.userdata = this;
            SDL_AudioSpec have {};
            mDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
            if (mDevice != 0) {
                SDL_PauseAudioDevice(mDevice, 0);
                return true;
            }
            MEDIA_WARNING("No audio device (%s): sound is silent", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            mSubsystem = false;
        } else {
            MEDIA_WARNING("No audio (%s): sound is silent", SDL_GetError());
        }
    }
    mStopClock = false;
    mThread = std::thread(&SoundOutput::ClockLoop, this);
    return true;
}

void SoundOutput::Stop()
{
    if (mDevice != 0) {
        SDL_CloseAudioDevice(mDevice);
        mDevice = 0;
    }
    if (mSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mSubsystem = false;
    }
    if (mThread.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mClockMutex);
            mStopClock = true;
        }
        mClockWake.notify_all();
        mThread.join();
    }
    mMixer = nullptr;
}

void SoundOutput::DeviceCallback(void* aUser, unsigned char* aStream, int aLength)
{
    SoundOutput* self = static_cast<SoundOutput*>(aUser);
    Mix(self->mMixer, reinterpret_cast<int16_t*>(aStream), aLength / 4);
}

void SoundOutput::ClockLoop()
{
    std::vector<int16_t> scratch(2 * kDeviceFrames);
    const auto period = std::chrono::microseconds(static_cast<long long>(kDeviceFrames) * 1000000 / mMixer->Rate());
    auto next = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mClockMutex);
    while (!mStopClock) {
        lock.unlock();
        Mix(mMixer, scratch.data(), kDeviceFrames);
        lock.lock();
        next += period;
        mClockWake.wait_until(lock, next, [this] { return mStopClock; });
    }
}
