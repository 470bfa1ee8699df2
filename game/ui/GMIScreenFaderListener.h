// Told about the screen fader's fades, with the engine fader's event codes: 0 started,
// 1 stopped before its end, 2 finished (after a fade-out the picture is black, after a
// fade-in it is clear).
#pragma once

class GMIScreenFaderListener
{
public:
    virtual ~GMIScreenFaderListener();
    virtual void OnFade(int aEvent) = 0;
};
