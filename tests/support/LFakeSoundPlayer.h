// A sound player without output: it keeps what it was told (file, loop, volume, playing)
// so tests can see it. Every live player is listed, newest last.
//
// Its sound ends in one of two ways: End tells the listener at once; MarkEnded ends it as
// a real stream ends, seen by the frame loop: the mark makes the player a frame listener
// (priority 0.0, after those already there), and in the next pass it leaves the frame
// manager, tells its listener and interrupts the rest of that pass.
#pragma once
#include "Sound/LISoundPlayer.h"
#include "stdlib/LIFrameListener.h"
#include "support/LFakeEnding.h"

#include <vector>

class LFakeSoundPlayer : public LISoundPlayer, public LIFrameListener
{
public:
    LFakeSoundPlayer(const LString& aId, const LString& aFileName);
    ~LFakeSoundPlayer() override;

    LString Dump() const override;

    bool OpenStream(const LString& aFileName) override;
    bool LoadSample(const LString& aFileName) override;
    void Unload() override {}
    void Pause() override { mPlaying = false; }
    void Play() override;
    void Stop() override;
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
    void OnFrame() override;

    // Stops the sound and tells the listener at once; the listener may delete the player.
    void End();
    // The sound has run out: the next frame pass ends it (see above).
    void MarkEnded();

    // The live players, oldest first.
    static const std::vector<LFakeSoundPlayer*>& Live();
    // The newest live player made with the name aId, or null.
    static LFakeSoundPlayer* Find(const LString& aId);

    LString mId;
    LString mFileName;
    LISoundListener* mListener = nullptr;
    bool mLoop = false;
    bool mPlaying = false;
    float mVolume = -1.0f;

private:
    LFakeEnding mEnding;
};
