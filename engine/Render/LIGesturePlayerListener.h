// Told by a gesture player when the last of its keys has ended.
#pragma once

class LIGesturePlayerListener
{
public:
    // The player has left the frame manager; the listener may delete it.
    virtual void OnGestureDone() = 0;

protected:
    ~LIGesturePlayerListener() = default;
};
