// Counts the notices of one state (or of every state when the id is empty) while it
// lives, listening at priority 10.0.
#pragma once
#include "state/LIStateListener.h"

#include <string>

class GMTestStateNotices : public LIStateListener
{
public:
    explicit GMTestStateNotices(const char* aId = "");
    ~GMTestStateNotices() override;
    void OnStateChanged(LIState* aState) override;

    std::string mId;
    int mCount = 0;
};
