// What a walk's owner (a hotspot) implements to hear that the player has arrived. The
// player navigation sends one event per walk and then forgets the listener.
#pragma once

class LString;

class GMINavigationListener
{
public:
    virtual ~GMINavigationListener();

    // The player has arrived; the text is always empty.
    virtual void OnNavigationEvent(const LString& aEvent) = 0;
};
