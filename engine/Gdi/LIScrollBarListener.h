// Told by a scroll bar how far its content is scrolled, in pixels from the start, whenever
// that changes.
#pragma once

class LIScrollBarListener
{
public:
    virtual ~LIScrollBarListener();

    virtual void OnScroll(int aContentPosition) = 0;
};
