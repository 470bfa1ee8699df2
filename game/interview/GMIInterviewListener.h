// Told when an interview takes over the screen and when it gives control back.
#pragma once

class GMIInterviewListener
{
public:
    static constexpr int EVENT_TAKEN_OVER = 0;
    static constexpr int EVENT_RETURNED = 1;

    virtual ~GMIInterviewListener();
    virtual void OnInterviewEvent(int aCode) = 0;
};
