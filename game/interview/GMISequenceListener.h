// Told by an interview sequence when it has ended (its done event is already raised).
// The listener may delete the sequence from inside the call.
#pragma once

class GMISequenceListener
{
public:
    virtual ~GMISequenceListener();
    virtual void OnSequenceDone() = 0;
};
