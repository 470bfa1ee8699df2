// The first screen of the program, which the application pushes at start. The logo movie
// is not played yet: the screen shows nothing, so the picture stays black with the cursor.
#pragma once
#include "GMIScreen.h"
#include "util/GMStandIn.h"

class GMIntro : public GMStandIn<GMIntro>, public GMIScreen
{
public:
    static constexpr const char* kClassName = "GMIntro";

    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;
};
