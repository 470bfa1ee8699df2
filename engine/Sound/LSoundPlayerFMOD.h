// A sound player over the sound library stand-in. While its stream plays it is a frame
// listener: the library's end callback (on the audio side) only sets the atomic ended
// flag, and the next frame pass tells the listener, on the main thread.
#pragma once
#include "Sound/LISoundPlayer.h"
#include "stdlib/LIFrameListener.h"

#include <atomic>

struct FSOUND_STREAM;
struct FSOUND_SAMPLE;

class LSoundPlayerFMOD : public LISoundPlayer, public LIFrameListener
{
public:
    explicit LSoundPlayerFMOD(const LString& aId);
    ~LSoundPlayerFMOD() override;

    LString Dump() const override;

    bool OpenStream(const LString& aFileName) override;
    bool LoadSample(const LString& aFileName) override;
    void Unload() override;
    void Pause() override;
    void Play() override;
    void Stop() override;
    LString GetId() const override;
    float GetLength() override;
    float GetCurrentLevels() override;
    float GetPosition() override;
    bool IsFinished() override;
    void Reserved(int aValue) override;
    void SetListener(LISoundListener* apListener) override;
    void SetLoop(bool aLoop) override;
    void SetPosition(float aSeconds) override;
    void SetVolume(float aVolume) override;

    void OnFrame() override;

    // The library volume (0 to 255) applied at Play and by SetVolume.
    int GetVolume() const { return mVolume; }
    int GetChannel() const { return mChannel; }

private:
    static signed char OnStreamEnded(FSOUND_STREAM* aStream, void* aBuffer, int aLength, void* aUser);
    // The native path of a symbolic one, as UTF-8 (empty when it does not resolve).
    static char* NativeName(const LString& aFileName);
    void LeaveFrameManager();

    LString mId;
    FSOUND_STREAM* mStream = nullptr;
    FSOUND_SAMPLE* mSample = nullptr;
    int mChannel = -1;
    int mVolume = 255;
    int mPausedTime = 0;
    // Written by the library's end callback on the audio side.
    std::atomic<unsigned char> mEnded {0};
    LISoundListener* mListener = nullptr;
    // Whether the player is in the frame pass (from Play until its end is told, a pause,
    // an unload or its deletion).
    bool mInFrames = false;
};
