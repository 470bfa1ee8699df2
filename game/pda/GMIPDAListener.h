// Told what the PDA and its bar do. The current scene listens: it gives up its input on
// EVENT_OPENED and takes it back on EVENT_MINIMIZED.
#pragma once

class GMIPDAListener
{
public:
    // An animated minimize starts (the bar).
    static constexpr int EVENT_MINIMIZE_STARTED = 0;
    // The PDA is minimized: at once, or when the closing zoom ends (the bar).
    static constexpr int EVENT_MINIMIZED = 1;
    // A maximize was asked for: at its start when animated, after the opening when not.
    static constexpr int EVENT_MAXIMIZE_REQUESTED = 2;
    // The opening zoom has ended (the bar).
    static constexpr int EVENT_MAXIMIZED = 3;
    // The PDA has opened: main menu built, the scene's input off.
    static constexpr int EVENT_OPENED = 4;
    // The PDA has closed.
    static constexpr int EVENT_CLOSED = 5;

    virtual ~GMIPDAListener();
    virtual void OnPDAEvent(int aCode) = 0;
};
