// Told by the game clock when a clock advances with notification.
#pragma once

class LIClockListener
{
public:
    virtual void OnClockAdvanced(int aClock, float aTime) = 0;

protected:
    ~LIClockListener() = default;
};
