// Told when a sound player's stream has played to its end, on the main thread during a
// frame pass. The listener may delete the player from inside the call.
#pragma once

class LString;

class LISoundListener
{
public:
    virtual void OnSoundEnded(const LString& aId) = 0;

protected:
    ~LISoundListener() = default;
};
