// The navigation of pre-rendered scenes. The scene's navigation data give walkable areas
// (closed polygons of the ground plane, each seen from one camera and lying on one ground
// frame of the scene's depth mesh) and obstacles (polygons where nobody may stand, for
// every camera). The navigation switches to the areas of one camera at a time, moves
// points into the walkable space, lets the walker go straight to its target when the line
// is clear and otherwise routes it over the way-point web.
//
// The data, as Create reads them: a list "positive" with one entry per walkable area (its
// key the name, its value a list with "camera", "ground" and "coords" x0|y0|x1|y1|...) and
// a list "negative" with one entry per obstacle ("ground" and "coords").
//
// While enabled it is a frame listener at kFramePriority, before the steering, and sets
// the next point every frame. Searches for the nearest candidate keep the first one in
// list and point order on ties.
#pragma once
#include "LVector2.h"
#include "Render/LINavigation.h"
#include "container/LHashKeyList.h"
#include "container/LString.h"
#include "stdlib/LIFrameListener.h"

class LDrawElement;
class LFrame;
class LNegBounds;
class LPolygon;
class LPosBounds;
class LPropertyList;
class LVectorString;
class LWayPoint;

class LNavigationTDO : public LINavigation, public LIFrameListener
{
public:
    // The routing step runs before the steering (-95.0) in every frame.
    static constexpr float kFramePriority = -100.0f;
    // What the routing step moves a target into the walkable space by.
    static constexpr float kClampDistance = 0.1f;
    static constexpr float kClampStep = 0.05f;
    // The tolerance of the visible-point search along the route.
    static constexpr float kVisibleTolerance = 0.01f;

    LNavigationTDO();
    // Leaves the frame manager and deletes the areas; the path finding, the listener and
    // the scene root are not deleted.
    ~LNavigationTDO() override;

    // Adds a record per entry of "positive" and of "negative" (see above). An entry that
    // is not a list is logged and skipped; a missing "camera", "ground" or "coords" is
    // logged and left empty, and the record is still added. False without either list.
    bool Create(LPropertyList* aData);
    // The depth mesh whose frames are the grounds. The ground frames found so far are
    // forgotten: the next SetCamera looks them up in this one.
    bool SetSceneRoot(LDrawElement* aRoot);
    // Makes the walkable areas of aCamera (without regard to case) current, looks up their
    // ground frames, activates the way-points inside them and those linking to them, and
    // resets the paths. False (logged) when a step fails; the current areas may have been
    // replaced by then.
    bool SetCamera(const LString& aCamera);
    // True joins the frame manager; false leaves it and tells the listener, also when the
    // navigation was not running.
    bool SetEnabled(bool aEnabled) override;
    // Routing happens in OnFrame.
    bool Navigate() override;
    // The routing step: clamps the target, and sets the next point to the target when the
    // line to it is clear, else to a point of the way-point route that can be seen.
    void OnFrame() override;

    // Moves aPoint into the walkable space (FindValidPoint, kept as it was when that
    // fails), then by aStep away from every edge closer than aDistance: into the walkable
    // areas, out of the obstacles, each edge in turn seeing the point moved so far. False
    // when no valid point was found.
    bool ClampToBounds(float aDistance, float aStep, LVector2& aPoint);
    // FindTargetPt, then PushOutOfObstacles within the area found.
    bool FindValidPoint(const LVector2& aIn, LVector2& aOut);
    // The point itself when a current area holds it, else the nearest point on the edges
    // or corners of the current areas; aAreaIndex tells which area.
    bool FindTargetPt(const LVector2& aPoint, LVector2& aOut, int& aAreaIndex);
    // The point itself when no obstacle holds it, else the nearest point of the obstacles'
    // edges (only their parts inside aArea, when given).
    bool PushOutOfObstacles(const LVector2& aPoint, LVector2& aOut, const LPolygon* aArea);
    // Whether the segment touches no edge of a current area or obstacle.
    bool IsLineClear(const LVector2& aFrom, const LVector2& aTo) const;
    // The nearest active way-point inside the current areas that can be walked to in a
    // straight line, or -1.
    int FindClosestWayPoint(const LVector2& aPoint);
    // The position, the way-points of the shortest path between the way-points closest to
    // the position and to the target, and the target, as an open polygon.
    bool FindWayPointPath(LPolygon& aRoute);
    // The visible point of the last route segment that has one (searched from the end).
    bool FindVisibleRoutePoint(const LVector2& aFrom, const LPolygon& aRoute, LVector2& aOut) const;

    // The grounds of aCamera's walkable areas in list order, repeats kept.
    bool GetGroundIDsForCamera(const LString& aCamera, LVectorString& aOut) const;
    // aOut must be null; receives a new array (delete[]) of aCamera's walkable areas.
    bool GetPosBoundsForCamera(const LString& aCamera, int& aCount, LPosBounds**& aOut) const;
    // aOut must be null; receives the navigation's own array of current areas.
    bool GetPosBoundsCurrent(int& aCount, LPosBounds**& aOut) const;
    // Takes the obstacle under its name; refused when the name is in use.
    bool AddBounds(LNegBounds* aBounds);
    // Removes the obstacle under aKey and deletes it, or with aDelete false hands it back
    // to whoever added it. False when there is none.
    bool RemoveBounds(const LString& aKey, bool aDelete);

    LDrawElement* GetSceneRoot() const { return mSceneRoot; }
    const LString& GetCamera() const { return mCamera; }
    // Entries keyed by name in data order: LPosBounds and LNegBounds records.
    const LHashKeyList& GetWalkableAreas() const { return mPosBounds; }
    const LHashKeyList& GetObstacles() const { return mNegBounds; }
    // One per current area, in the same order (a frame may repeat), as found by the last
    // SetCamera that found them all; none after SetSceneRoot.
    int GetGroundFrameCount() const { return mGroundFrameCount; }
    LFrame* const* GetGroundFrames() const { return mGroundFrames; }
    bool IsNavigating() const { return mNavigating != 0; }

    // A target strictly inside this rectangle that no route point can be seen from is
    // replaced by (0, 0). Scene data made for the game rely on it, so it stays.
    static constexpr float kOriginBoxMinX = -260.0f;
    static constexpr float kOriginBoxMaxX = -240.0f;
    static constexpr float kOriginBoxMinY = -210.0f;
    static constexpr float kOriginBoxMaxY = -200.0f;

private:
    // One record of type Bounds per nested list of aList, added to aInto by its key.
    template <typename Bounds>
    static void ReadBounds(const LPropertyList& aList, LHashKeyList& aInto);
    void FreeCurrentAreas();
    void FreeGroundFrames();
    bool ResolveGroundFrames();
    void ActivateWayPoints(int aCount, LWayPoint* aWayPoints);
    bool CurrentAreasContain(const LVector2& aPoint) const;
    // Current areas, then obstacles: aCount polygons in a new array (delete[]).
    const LPolygon** GatherPolygons(int& aCount) const;
    static bool IsInOriginBox(const LVector2& aPoint);

    LDrawElement* mSceneRoot = nullptr;
    // Owned LPosBounds and LNegBounds records by name.
    LHashKeyList mPosBounds;
    LHashKeyList mNegBounds;
    LString mCamera;
    int mCurrentAreaCount = 0;
    LPosBounds** mCurrentAreas = nullptr;
    int mGroundFrameCount = 0;
    LFrame** mGroundFrames = nullptr;
    uint8_t mNavigating = 0;
    // Whether the frame manager holds this navigation.
    bool mListening = false;
};
