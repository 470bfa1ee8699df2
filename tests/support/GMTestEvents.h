// Hears every event raised with notification while it lives, in order (listening at
// priority 10.0, after the game's own listeners).
#pragma once
#include "event/LIEventListener.h"

#include <string>
#include <vector>

class GMTestEvents : public LIEventListener
{
public:
    GMTestEvents();
    ~GMTestEvents() override;
    void OnEvent(LEvent* aEvent) override;
    // How often aId was heard.
    int Count(const std::string& aId) const;

    std::vector<std::string> mRaised;
};
