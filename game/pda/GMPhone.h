// The phone's logic: which voice messages wait on the player's phone. No message is
// raised yet; Reset is what a new game asks of it.
#pragma once
#include "util/GMStandIn.h"

class GMPhone : public GMStandIn<GMPhone>
{
public:
    static constexpr const char* kClassName = "GMPhone";

    // Drops every pending message and the lab-message flags.
    void Reset();
    int GetPendingCount() const { return 0; }
};
