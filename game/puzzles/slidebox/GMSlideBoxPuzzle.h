// A puzzle screen not built yet: the accessor makes the object the application creates
// at start, which listens to nothing and shows nothing.
#pragma once
#include "util/GMStandIn.h"

class GMSlideBoxPuzzle : public GMStandIn<GMSlideBoxPuzzle>
{
public:
    static constexpr const char* kClassName = "GMSlideBoxPuzzle";
};
