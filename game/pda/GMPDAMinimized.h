// The minimised PDA bar over scenes and close-ups. Nothing is drawn yet; the bar keeps
// whether it is shown.
#pragma once
#include "util/GMStandIn.h"

class GMPDAMinimized : public GMStandIn<GMPDAMinimized>
{
public:
    static constexpr const char* kClassName = "GMPDAMinimized";

    void Show() { mShown = true; }
    void Hide() { mShown = false; }
    bool IsShown() const { return mShown; }

private:
    bool mShown = false;
};
