// What the owner of a walk implements to learn that the navigation was switched off:
// the walk has ended, or it was stopped.
#pragma once

class LINavigationListener
{
public:
    virtual ~LINavigationListener();

    virtual void OnNavigationStopped() = 0;
};
