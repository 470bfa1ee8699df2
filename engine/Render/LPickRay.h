// A ray through a camera: made from a screen point in the camera's view space, moved
// into world space, and tested against the triangles of a draw element's meshes. The
// mesh octree picks against whole scenes with the world form of the ray.
#pragma once
#include "LVector3.h"

class LCamera;
class LDrawElement;

class LPickRay
{
public:
    enum Space { kViewSpace = 0, kWorldSpace = 1 };

    // A null camera is logged ("LPickRay(): NULL arg.") and kept all the same: such a ray
    // cannot be calculated or transformed.
    explicit LPickRay(LCamera* aCamera);
    // The same, then CalculateRay(aX, aY).
    LPickRay(LCamera* aCamera, int aX, int aY);
    LPickRay(const LPickRay&) = default;
    LPickRay& operator=(const LPickRay&) = default;

    // The view-space ray through pixel (aX, aY) of the rasterizer's viewport, counted
    // from the viewport's corner: origin 0, direction (dx, dy, 1), not normalised. False
    // without a camera (the ray unchanged), and with "CalculateRay failure." when there
    // is no rasterizer, no viewport or an empty one.
    bool CalculateRay(int aX, int aY);
    // aOut receives this ray in world space, with a unit direction; a world-space ray is
    // copied as it is. False without a camera, and with "Transform failure. Singular
    // view matrix." when the view cannot be inverted (aOut unchanged in both cases).
    bool Transform(LPickRay& aOut) const;
    // The nearest point where the ray (bounded at its origin) meets a triangle of the
    // element's frames' meshes, in the ray's own space; among equally near hits the
    // first in frame, subset and triangle order. A null element logs "Pick failure.
    // NULL arg."; false without a hit (aHit unchanged).
    bool Pick(const LDrawElement* aElement, LVector3& aHit) const;

    const LVector3& GetOrigin() const { return mOrigin; }
    const LVector3& GetDirection() const { return mDirection; }
    int GetSpace() const { return mSpace; }
    LCamera* GetCamera() const { return mCamera; }

private:
    LVector3 mOrigin {0.0f, 0.0f, 0.0f};
    LVector3 mDirection {0.0f, 0.0f, 0.0f};
    int mSpace = kViewSpace;
    LCamera* mCamera = nullptr;
};
