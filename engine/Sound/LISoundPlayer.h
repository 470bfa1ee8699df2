// One sound: a stream (decoded while it plays; voices, music, ambience) or a sample
// (decoded whole when loaded; short effects), with the id its creator gave it.
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LISoundListener;

class LISoundPlayer : public LObject
{
public:
    LISoundPlayer() = default;
    ~LISoundPlayer() override;

    // aFileName is a symbolic path.
    virtual bool OpenStream(const LString& aFileName) = 0;
    virtual bool LoadSample(const LString& aFileName) = 0;
    virtual void Unload() = 0;
    virtual void Pause() = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual LString GetId() const = 0;
    // Seconds.
    virtual float GetLength() = 0;
    // The louder side's peak level, 0 to 1.
    virtual float GetCurrentLevels() = 0;
    // Seconds.
    virtual float GetPosition() = 0;
    virtual bool IsFinished() = 0;
    // Kept for its place among the operations; it does nothing.
    virtual void Reserved(int aValue) = 0;
    // Not owned.
    virtual void SetListener(LISoundListener* apListener) = 0;
    virtual void SetLoop(bool aLoop) = 0;
    virtual void SetPosition(float aSeconds) = 0;
    // 0.0 to 1.0.
    virtual void SetVolume(float aVolume) = 0;
};
