// Closes a case when the event that ends it is raised. Not built yet: the accessor makes
// the object the application creates at start; it listens to nothing.
#pragma once
#include "util/GMStandIn.h"

class GMCaseControl : public GMStandIn<GMCaseControl>
{
public:
    static constexpr const char* kClassName = "GMCaseControl";
};
