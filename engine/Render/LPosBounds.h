// A walkable area: a closed polygon in the ground plane where the walker may stand, seen
// from one camera and lying on one ground frame of the scene's depth mesh. The frame is
// looked up when a camera that shows the area is set, and forgotten when the depth mesh
// is replaced.
#pragma once
#include "Render/LBounds.h"

class LFrame;

class LPosBounds : public LBounds
{
public:
    LPosBounds();
    ~LPosBounds() override;

    // Takes "camera", "ground" and "coords" of aEntry; a missing one is logged and left
    // empty. False when something was missing.
    bool Read(const LString& aName, const LPropertyList& aEntry);

    LString mCamera;
    // A frame of the navigation's scene root, not owned; null until resolved.
    LFrame* mGroundFrame = nullptr;
};
