// One way-point of a web: its name, its place in the ground plane, whether it takes part
// in paths for the current camera, and its one-way links to other way-points by index,
// with the length of each link.
#pragma once
#include "LVector2.h"
#include "container/LString.h"

#include <cstdint>

class LWayPoint
{
public:
    enum Class : int { kOrdinary = 0, kTopStair = 1, kBottomStair = 2 };

    LWayPoint();
    LWayPoint(const LWayPoint&) = delete;
    LWayPoint& operator=(const LWayPoint&) = delete;
    ~LWayPoint();

    // Replaces the links by aCount empty ones (index -1, length 0, flag 0); false (and no
    // links) when aCount is negative or the arrays cannot be made.
    bool SetLinkCount(int aCount);

    LString mName;
    LVector2 mPoint;
    uint8_t mActive = 0;
    int mLinkCount = 0;
    int* mLinks = nullptr;
    float* mLinkLengths = nullptr;
    uint8_t* mLinkFlags = nullptr;
    int mClass = kOrdinary;

private:
    void FreeLinks();
};
