// What a button tells its owner. One listener may serve several buttons and tells them
// apart by the button's display-object id; the events are LButtonEvent codes.
#pragma once

class LString;

class LIButtonListener
{
public:
    virtual ~LIButtonListener();

    virtual void OnButton(const LString& aId, int aEvent) = 0;
};
