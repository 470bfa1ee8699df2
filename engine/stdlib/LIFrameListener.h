// A callback of the frame manager: OnFrame is called once per pass while the listener is
// registered (LFrameManager::AddListener).
#pragma once

class LIFrameListener
{
public:
    LIFrameListener();
    virtual ~LIFrameListener();

    virtual void OnFrame() = 0;
};
