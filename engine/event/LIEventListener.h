// Told by the event manager of every event raised with notification.
#pragma once

class LEvent;

class LIEventListener
{
public:
    LIEventListener();
    virtual ~LIEventListener();
    virtual void OnEvent(LEvent* aEvent) = 0;
};
