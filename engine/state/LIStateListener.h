// Told by the state manager of every state change made with notification.
#pragma once

class LIState;

class LIStateListener
{
public:
    LIStateListener();
    virtual ~LIStateListener();
    virtual void OnStateChanged(LIState* aState) = 0;
};
