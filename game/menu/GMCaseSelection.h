// The desk on which the player picks a case. Not built yet: the accessor makes the object
// the application creates at start; it listens to nothing and shows nothing.
#pragma once
#include "util/GMStandIn.h"

class GMCaseSelection : public GMStandIn<GMCaseSelection>
{
public:
    static constexpr const char* kClassName = "GMCaseSelection";
};
