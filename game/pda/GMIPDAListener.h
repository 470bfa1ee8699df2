// Told what the PDA does: 1 it was minimised (the scene takes input again), 4 it opened
// (the scene stops taking input); the other codes are for the PDA's own panels.
#pragma once

class GMIPDAListener
{
public:
    static constexpr int EVENT_MINIMIZED = 1;
    static constexpr int EVENT_OPENED = 4;

    virtual ~GMIPDAListener();
    virtual void OnPDAEvent(int aCode) = 0;
};
