// What walkable areas and obstacles share: the entry's name, a closed polygon in the
// navigation's ground plane with its winding, and the name of the ground frame of the
// scene's depth mesh it lies on.
#pragma once
#include "LPolygon.h"
#include "container/LString.h"

class LPropertyList;

class LBounds
{
public:
    // The winding before it is known.
    static constexpr int kWindingUnknown = 2;

    LBounds();
    LBounds(const LBounds&) = delete;
    LBounds& operator=(const LBounds&) = delete;
    virtual ~LBounds();

    // Takes "ground" and "coords" (x0|y0|x1|y1|...) of aEntry; a missing one is logged and
    // left empty. False when something was missing.
    bool ReadShape(const LString& aName, const LPropertyList& aEntry);
    // 1 when the area winds positively, else 0; worked out when still unknown.
    int GetWinding();

    LString mName;
    LPolygon mArea;
    int mWinding = kWindingUnknown;
    LString mGround;
};
