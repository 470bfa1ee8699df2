// One triangle of a shadow volume's welded mesh: its vertex indices in the mesh's winding
// order, its unit normal and whether it faces away from the light, both worked out by the
// volume's last update.
#pragma once
#include "LVector3.h"

#include <cstdint>

class LShadowFace
{
public:
    int mIndices[3] = {0, 0, 0};
    LVector3 mNormal;
    uint8_t mAway = 0;
};
