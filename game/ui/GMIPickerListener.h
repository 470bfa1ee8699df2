// The ground a GMPicker picks on and what a hit on it does: the picking tree its ray is
// tested against, the overlay that marks the picked point, and the walk to a hit.
#pragma once
#include "object/LWatched.h"

class LMeshOctree;
class LNavigationTDODisplay;
class LVector2;

class GMIPickerListener : public LWatched
{
public:
    virtual ~GMIPickerListener();
    // The tree of the ground's meshes; null when there is none (every pick misses).
    virtual LMeshOctree* GetPickTree() const = 0;
    // The overlay told of each pick's ground point; may be null.
    virtual LNavigationTDODisplay* GetPickDisplay() const = 0;
    // A hit at ground point aGround (x, z): the player walks there, or runs for aRun; the
    // walk's result.
    virtual bool OnGroundPicked(const LVector2& aGround, bool aRun) = 0;
};
