// A path through the way-point web: the indices from the start way-point to the end
// way-point, both included, and the summed link lengths. A length of -1.0 (the value a
// new record has) means there is no path.
#pragma once
#include "container/LVectorInt.h"

class LWebPath
{
public:
    LWebPath();

    bool Exists() const { return mLength != kNoPath; }
    // Back to no path.
    void Clear();

    static constexpr float kNoPath = -1.0f;

    float mLength = kNoPath;
    LVectorInt mWayPoints;
};
