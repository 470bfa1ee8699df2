// A sound player without output: it keeps what it was told (file, loop, volume, playing)
// so tests can see it, and ends its sound when a test calls End. Every live player is
// listed, newest last.
#pragma once
#include "Sound/LISoundPlayer.h"

#include <vector>

class LFakeSoundPlayer : public LISoundPlayer
{
public:
    LFakeSoundPlayer(const LString& aId, const LString& aFileName);
    ~LFakeSoundPlayer() override;

    LString Dump() const override;

    bool OpenStream(const LString& aFileName) override;
    bool LoadSample(const LString& aFileName) override;
    void Unload() override {}
    void Pause() override { mPlaying = false; }
    void Play() override { mPlaying = true; }
    void Stop() override { mPlaying = false; }
    LString GetId() const override { return mId; }
    float GetLength() override { return 1.0f; }
    float GetCurrentLevels() override { return 0.0f; }
    float GetPosition() override { return 0.0f; }
    bool IsFinished() override { return !mPlaying; }
    void Reserved(int) override {}
    void SetListener(LISoundListener* apListener) override { mListener = apListener; }
    void SetLoop(bool aLoop) override { mLoop = aLoop; }
    void SetPosition(float) override {}
    void SetVolume(float aVolume) override { mVolume = aVolume; }

    // Stops the sound and tells the listener, as the end of a stream does; the listener
    // may delete the player.
    void End();

    // The live players, oldest first.
    static const std::vector<LFakeSoundPlayer*>& Live();

    LString mId;
    LString mFileName;
    LISoundListener* mListener = nullptr;
    bool mLoop = false;
    bool mPlaying = false;
    float mVolume = -1.0f;
};
