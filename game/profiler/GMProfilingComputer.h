// The screen on which the player builds a case's profile. Not built yet: the accessor
// makes the object the application creates at start, which shows nothing.
#pragma once
#include "util/GMStandIn.h"

class GMProfilingComputer : public GMStandIn<GMProfilingComputer>
{
public:
    static constexpr const char* kClassName = "GMProfilingComputer";
};
