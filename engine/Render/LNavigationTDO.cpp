#include "Render/LNavigationTDO.h"

#include "LLine2.h"
#include "LPolygon.h"
#include "Render/LDrawElement.h"
#include "Render/LINavigationListener.h"
#include "Render/LIPathFinding.h"
#include "Render/LNegBounds.h"
#include "Render/LPosBounds.h"
#include "Render/LWayPoint.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"

namespace {
constexpr int kBoundsHashShift = 7;

// The nearest of the candidates offered so far; the first one wins a tie.
class LNearest
{
public:
    void Offer(const LVector2& aPoint, float aCost, int aTag = 0)
    {
        if (!mFound || aCost < mCost) {
            mFound = true;
            mCost = aCost;
            mPoint = aPoint;
            mTag = aTag;
        }
    }

    bool mFound = false;
    float mCost = 0.0f;
    LVector2 mPoint;
    int mTag = -1;
};

// The point of the segment aStart→aEnd offered for aPoint: the foot of the perpendicular,
// or the end on whose side of the segment the foot lies beyond it.
void OfferSegment(const LVector2& aPoint, const LVector2& aStart, const LVector2& aEnd, LNearest& aNearest)
{
    LLine2 perpendicular;
    LLine2(aStart, aEnd, L_LINE_SEGMENT).GetPerpendicular(aPoint, perpendicular);
    const LVector2& foot = perpendicular.GetStart();
    const LVector2 toFoot = foot - aStart;
    const LVector2 toEnd = aEnd - aStart;
    if (!toFoot.IsSameQuadrant(toEnd)) {
        aNearest.Offer(aStart, aStart.DistanceSquared(aPoint));
    } else if (toFoot.Abs() >= toEnd.Abs()) {
        aNearest.Offer(aEnd, aEnd.DistanceSquared(aPoint));
    } else {
        aNearest.Offer(foot, perpendicular.LengthSquared());
    }
}

// Inserts aPoint before the first listed point that is at least as great in both
// coordinates, else at the end; aList has room for one more.
void InsertOrdered(LVector2* aList, int& aCount, const LVector2& aPoint)
{
    int at = aCount;
    for (int i = 0; i < aCount; ++i) {
        if (aList[i] >= aPoint) {
            at = i;
            break;
        }
    }
    for (int i = aCount; i > at; --i) {
        aList[i] = aList[i - 1];
    }
    aList[at] = aPoint;
    ++aCount;
}

// Offers the parts of aEdge that lie inside aArea: the edge is cut at its crossings with
// the area's boundary and the pieces are taken in turn, beginning with the first when the
// area holds the first point in order, else with the second.
void OfferEdgeInside(const LVector2& aPoint, const LLine2& aEdge, const LPolygon& aArea, LNearest& aNearest)
{
    int crossingCount = 0;
    LVector2* crossings = nullptr;
    aArea.Intersections(aEdge, crossingCount, crossings, true);
    if (crossingCount == 0) {
        if (aArea.ContainsPoint(aEdge.GetStart())) {
            OfferSegment(aPoint, aEdge.GetStart(), aEdge.GetEnd(), aNearest);
        }
        delete[] crossings;
        return;
    }
    LVector2* list = L_NEW LVector2[crossingCount + 2];
    if (list == nullptr) {
        L_ERROR("PushOutOfObstacles failure. Allocation failure.");
        delete[] crossings;
        return;
    }
    int count = 0;
    InsertOrdered(list, count, aEdge.GetStart());
    for (int i = 0; i < crossingCount; ++i) {
        InsertOrdered(list, count, crossings[i]);
    }
    InsertOrdered(list, count, aEdge.GetEnd());
    for (int i = aArea.ContainsPoint(list[0]) ? 0 : 1; i + 1 < count; i += 2) {
        OfferSegment(aPoint, list[i], list[i + 1], aNearest);
    }
    delete[] list;
    delete[] crossings;
}

// Moves aPoint by aStep along the normal of every edge of aArea whose perpendicular
// through the point is shorter than aDistance and meets the edge.
void NudgeFromEdges(const LPolygon& aArea, int aDirection, float aDistance, float aStep, LVector2& aPoint)
{
    LLine2 perpendicular;
    for (int i = 0; i < aArea.GetNumPoints(); ++i) {
        const LLine2 edge = aArea.GetEdge(i);
        if (edge.GetPerpendicular(aPoint, perpendicular) && perpendicular.LengthSquared() < aDistance * aDistance) {
            edge.Offset(aPoint, aStep, aDirection);
        }
    }
}

template <typename Bounds>
Bounds* BoundsAt(const LHashKeyList& aList, int aIndex)
{
    return static_cast<Bounds*>(aList.GetAt(aIndex));
}

LVector2 Flat(const LVector3& aPoint)
{
    return LVector2(aPoint.x, aPoint.y);
}
} // namespace

LNavigationTDO::LNavigationTDO()
    : mPosBounds(kBoundsHashShift, false), mNegBounds(kBoundsHashShift, false)
{
}

LNavigationTDO::~LNavigationTDO()
{
    if (mListening) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
    FreeCurrentAreas();
    FreeGroundFrames();
    for (int i = 0; i < mPosBounds.GetCount(); ++i) {
        delete BoundsAt<LPosBounds>(mPosBounds, i);
    }
    for (int i = 0; i < mNegBounds.GetCount(); ++i) {
        delete BoundsAt<LNegBounds>(mNegBounds, i);
    }
}

template <typename Bounds>
void LNavigationTDO::ReadBounds(const LPropertyList& aList, LHashKeyList& aInto)
{
    for (int i = 0; i < aList.GetCount(); ++i) {
        const LString key = aList.GetKeyAt(i);
        const LPropertyList* entry = aList.GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE(LString("Create failure. Not a list: ") + key);
            continue;
        }
        Bounds* bounds = L_NEW Bounds();
        if (bounds == nullptr) {
            L_ERROR("Create failure. Allocation failure.");
            return;
        }
        bounds->Read(key, *entry);
        const int before = aInto.GetCount();
        aInto.AddAt(key, bounds, true);
        if (aInto.GetCount() == before) {
            delete bounds; // a repeated name, logged by the list
        }
    }
}

bool LNavigationTDO::Create(LPropertyList* aData)
{
    const LPropertyList* positive = aData ? aData->GetList(LString("positive")) : nullptr;
    if (positive == nullptr) {
        L_ASSERT_FAILURE("Create failure. 'positive' not found.");
        return false;
    }
    ReadBounds<LPosBounds>(*positive, mPosBounds);
    const LPropertyList* negative = aData->GetList(LString("negative"));
    if (negative == nullptr) {
        L_ASSERT_FAILURE("Create failure. 'negative' not found.");
        return false;
    }
    ReadBounds<LNegBounds>(*negative, mNegBounds);
    return true;
}

bool LNavigationTDO::SetSceneRoot(LDrawElement* aRoot)
{
    if (aRoot == nullptr) {
        L_ASSERT_FAILURE("SetSceneRoot failure. NULL arg.");
        return false;
    }
    mSceneRoot = aRoot;
    // Frames found in an earlier depth mesh may be gone with it.
    for (int i = 0; i < mPosBounds.GetCount(); ++i) {
        BoundsAt<LPosBounds>(mPosBounds, i)->mGroundFrame = nullptr;
    }
    FreeGroundFrames();
    return true;
}

void LNavigationTDO::FreeCurrentAreas()
{
    delete[] mCurrentAreas;
    mCurrentAreas = nullptr;
    mCurrentAreaCount = 0;
}

void LNavigationTDO::FreeGroundFrames()
{
    delete[] mGroundFrames;
    mGroundFrames = nullptr;
    mGroundFrameCount = 0;
}

bool LNavigationTDO::SetCamera(const LString& aCamera)
{
    if (mSceneRoot == nullptr) {
        L_ASSERT_FAILURE("SetCamera failure. No scene root set.");
        return false;
    }
    if (mPathFinding == nullptr) {
        L_ASSERT_FAILURE("SetCamera failure. No pathfinding yet defined.");
        return false;
    }
    FreeCurrentAreas();
    if (!GetPosBoundsForCamera(aCamera, mCurrentAreaCount, mCurrentAreas)) {
        L_ASSERT_FAILURE("");
        mCurrentAreaCount = 0;
    }
    if (!ResolveGroundFrames()) {
        return false;
    }
    mCamera = aCamera;
    int count = 0;
    LWayPoint* wayPoints = nullptr;
    if (!mPathFinding->GetWayPoints(count, wayPoints) || count <= 0 || wayPoints == nullptr) {
        L_ASSERT_FAILURE("SetCamera failure. No waypoints found.");
        return false;
    }
    ActivateWayPoints(count, wayPoints);
    mPathFinding->ResetPaths();
    return true;
}

bool LNavigationTDO::ResolveGroundFrames()
{
    LFrame** frames = mCurrentAreaCount > 0 ? L_NEW LFrame*[mCurrentAreaCount] : nullptr;
    if (mCurrentAreaCount > 0 && frames == nullptr) {
        L_ERROR("SetCamera failure. Allocation failure.");
        return false;
    }
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        LPosBounds* area = mCurrentAreas[i];
        if (area->mGroundFrame == nullptr) {
            area->mGroundFrame = mSceneRoot->GetFrame(area->mGround, true);
        }
        if (area->mGroundFrame == nullptr) {
            L_ASSERT_FAILURE(LString("SetCamera failure. Could not find ground:") + area->mGround);
            delete[] frames;
            return false;
        }
        frames[i] = area->mGroundFrame;
    }
    if (mCurrentAreaCount == 0) {
        L_ASSERT_FAILURE("SetCamera failure. No ground found.");
        return false;
    }
    FreeGroundFrames();
    mGroundFrames = frames;
    mGroundFrameCount = mCurrentAreaCount;
    return true;
}

void LNavigationTDO::ActivateWayPoints(int aCount, LWayPoint* aWayPoints)
{
    constexpr uint8_t kRing = 2;
    for (int i = 0; i < aCount; ++i) {
        aWayPoints[i].mActive = CurrentAreasContain(aWayPoints[i].mPoint) ? 1 : 0;
    }
    // One ring outside: way-points with a link to one inside. Those marked here do not
    // pass the mark on.
    for (int i = 0; i < aCount; ++i) {
        LWayPoint& wayPoint = aWayPoints[i];
        for (int k = 0; wayPoint.mActive == 0 && k < wayPoint.mLinkCount; ++k) {
            const int to = wayPoint.mLinks[k];
            if (to >= 0 && to < aCount && aWayPoints[to].mActive == 1) {
                wayPoint.mActive = kRing;
            }
        }
    }
    for (int i = 0; i < aCount; ++i) {
        aWayPoints[i].mActive = aWayPoints[i].mActive ? 1 : 0;
    }
}

bool LNavigationTDO::CurrentAreasContain(const LVector2& aPoint) const
{
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        if (mCurrentAreas[i]->mArea.ContainsPoint(aPoint)) {
            return true;
        }
    }
    return false;
}

bool LNavigationTDO::SetEnabled(bool aEnabled)
{
    LINavigation::SetEnabled(aEnabled);
    mNavigating = aEnabled ? 1 : 0;
    LFrameManager* frames = LFrameManager::Get();
    if (aEnabled) {
        if (!mListening && frames) {
            mListening = frames->AddListener(this, kFramePriority) != 0;
        }
        return true;
    }
    if (mListening && frames) {
        frames->RemoveListener(this);
    }
    mListening = false;
    if (mListener) {
        mListener->OnNavigationStopped();
    }
    return true;
}

bool LNavigationTDO::Navigate()
{
    return true;
}

void LNavigationTDO::OnFrame()
{
    if (!mNavigating) {
        return;
    }
    LVector2 target = Flat(mTarget);
    ClampToBounds(kClampDistance, kClampStep, target);
    mTarget = LVector3(target);

    LPolygon route;
    bool ok = FindWayPointPath(route);
    const LVector2 position = Flat(mPosition);
    if (IsLineClear(position, target)) {
        mNextPoint = mTarget;
        return;
    }
    ok = FindVisibleRoutePoint(position, route, target) && ok;
    if (IsInOriginBox(target)) {
        target.Set(0.0f, 0.0f);
        FindVisibleRoutePoint(position, route, target);
    }
    mNextPoint = LVector3(target);
    if (!ok) {
        L_ASSERT_FAILURE("Navigation failure.");
    }
}

bool LNavigationTDO::IsInOriginBox(const LVector2& aPoint)
{
    return aPoint.x > kOriginBoxMinX && aPoint.x < kOriginBoxMaxX && aPoint.y > kOriginBoxMinY &&
           aPoint.y < kOriginBoxMaxY;
}

bool LNavigationTDO::ClampToBounds(float aDistance, float aStep, LVector2& aPoint)
{
    LVector2 point = aPoint;
    LVector2 valid;
    const bool found = FindValidPoint(point, valid);
    if (found) {
        point = valid;
    }
    // Into the walkable areas, out of the obstacles.
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        LPosBounds& area = *mCurrentAreas[i];
        NudgeFromEdges(area.mArea, area.GetWinding() == 1 ? -1 : 1, aDistance, aStep, point);
    }
    for (int i = 0; i < mNegBounds.GetCount(); ++i) {
        LNegBounds& obstacle = *BoundsAt<LNegBounds>(mNegBounds, i);
        NudgeFromEdges(obstacle.mArea, obstacle.GetWinding() == 1 ? 1 : -1, aDistance, aStep, point);
    }
    aPoint = point;
    return found;
}

bool LNavigationTDO::FindValidPoint(const LVector2& aIn, LVector2& aOut)
{
    LVector2 inside;
    int areaIndex = -1;
    if (!FindTargetPt(aIn, inside, areaIndex)) {
        return false;
    }
    return PushOutOfObstacles(inside, aOut, &mCurrentAreas[areaIndex]->mArea);
}

bool LNavigationTDO::FindTargetPt(const LVector2& aPoint, LVector2& aOut, int& aAreaIndex)
{
    if (mCurrentAreaCount <= 0 || mGroundFrameCount <= 0) {
        L_ASSERT_FAILURE("FindTargetPt failure. Pos bounds or ground data missing.");
        return false;
    }
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        if (mCurrentAreas[i]->mArea.ContainsPoint(aPoint)) {
            aOut = aPoint;
            aAreaIndex = i;
            return true;
        }
    }
    LNearest nearest;
    LLine2 perpendicular;
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        const LPolygon& area = mCurrentAreas[i]->mArea;
        for (int j = 0; j < area.GetNumPoints(); ++j) {
            if (area.GetEdge(j).GetPerpendicular(aPoint, perpendicular)) {
                nearest.Offer(perpendicular.GetStart(), perpendicular.LengthSquared(), i);
            }
        }
    }
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        const LPolygon& area = mCurrentAreas[i]->mArea;
        for (int j = 0; j < area.GetNumPoints(); ++j) {
            const LVector2& corner = area.GetPoints()[j];
            nearest.Offer(corner, corner.DistanceSquared(aPoint), i);
        }
    }
    if (!nearest.mFound) {
        return false;
    }
    aOut = nearest.mPoint;
    aAreaIndex = nearest.mTag;
    return true;
}

bool LNavigationTDO::PushOutOfObstacles(const LVector2& aPoint, LVector2& aOut, const LPolygon* aArea)
{
    bool inside = false;
    for (int i = 0; i < mNegBounds.GetCount() && !inside; ++i) {
        inside = BoundsAt<LNegBounds>(mNegBounds, i)->mArea.ContainsPoint(aPoint);
    }
    if (!inside) {
        aOut = aPoint;
        return true;
    }
    LNearest nearest;
    for (int i = 0; i < mNegBounds.GetCount(); ++i) {
        const LPolygon& obstacle = BoundsAt<LNegBounds>(mNegBounds, i)->mArea;
        for (int j = 0; j < obstacle.GetNumPoints(); ++j) {
            const LLine2 edge = obstacle.GetEdge(j);
            if (aArea) {
                OfferEdgeInside(aPoint, edge, *aArea, nearest);
            } else {
                OfferSegment(aPoint, edge.GetStart(), edge.GetEnd(), nearest);
            }
        }
    }
    if (!nearest.mFound) {
        return false;
    }
    aOut = nearest.mPoint;
    return true;
}

bool LNavigationTDO::IsLineClear(const LVector2& aFrom, const LVector2& aTo) const
{
    const LLine2 line(aFrom, aTo, L_LINE_SEGMENT);
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        if (mCurrentAreas[i]->mArea.Intersects(line, false, 0.0f)) {
            return false;
        }
    }
    for (int i = 0; i < mNegBounds.GetCount(); ++i) {
        if (BoundsAt<LNegBounds>(mNegBounds, i)->mArea.Intersects(line, false, 0.0f)) {
            return false;
        }
    }
    return true;
}

int LNavigationTDO::FindClosestWayPoint(const LVector2& aPoint)
{
    int count = 0;
    LWayPoint* wayPoints = nullptr;
    if (mPathFinding == nullptr || !mPathFinding->GetWayPoints(count, wayPoints) || count <= 0 ||
        wayPoints == nullptr) {
        L_ASSERT_FAILURE("Failure.");
        return -1;
    }
    int closest = -1;
    float best = 0.0f;
    for (int i = 0; i < count; ++i) {
        const LWayPoint& wayPoint = wayPoints[i];
        if (!wayPoint.mActive) {
            continue;
        }
        // The cheap test first; all three must hold.
        const float distance = wayPoint.mPoint.DistanceSquared(aPoint);
        if ((closest == -1 || distance < best) && CurrentAreasContain(wayPoint.mPoint) &&
            IsLineClear(aPoint, wayPoint.mPoint)) {
            closest = i;
            best = distance;
        }
    }
    return closest;
}

bool LNavigationTDO::FindWayPointPath(LPolygon& aRoute)
{
    const LVector2 position = Flat(mPosition);
    const LVector2 target = Flat(mTarget);
    const int from = FindClosestWayPoint(position);
    if (from == -1) {
        L_ASSERT_FAILURE("Navigation failure. No closest waypoint to position.");
        return false;
    }
    const int to = FindClosestWayPoint(target);
    if (to == -1) {
        L_ASSERT_FAILURE("Navigation failure. No closest waypoint to target.");
        return false;
    }
    const LWebPath path = mPathFinding->GetShortestPath(from, to);
    int count = 0;
    LWayPoint* wayPoints = nullptr;
    mPathFinding->GetWayPoints(count, wayPoints);
    LVector2* points = L_NEW LVector2[path.mWayPoints.GetCount() + 2];
    if (points == nullptr) {
        L_ERROR("FindWayPointPath failure. Allocation failure.");
        return false;
    }
    int used = 0;
    points[used++] = position;
    for (int i = 0; i < path.mWayPoints.GetCount(); ++i) {
        const int index = path.mWayPoints[i];
        if (index >= 0 && index < count) {
            points[used++] = wayPoints[index].mPoint;
        }
    }
    points[used++] = target;
    aRoute.SetPoints(points, used, false);
    delete[] points;
    return true;
}

const LPolygon** LNavigationTDO::GatherPolygons(int& aCount) const
{
    aCount = 0;
    const int total = mCurrentAreaCount + mNegBounds.GetCount();
    const LPolygon** polygons = total > 0 ? L_NEW const LPolygon*[total] : nullptr;
    if (polygons == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < mCurrentAreaCount; ++i) {
        polygons[aCount++] = &mCurrentAreas[i]->mArea;
    }
    for (int i = 0; i < mNegBounds.GetCount(); ++i) {
        polygons[aCount++] = &BoundsAt<LNegBounds>(mNegBounds, i)->mArea;
    }
    return polygons;
}

bool LNavigationTDO::FindVisibleRoutePoint(const LVector2& aFrom, const LPolygon& aRoute, LVector2& aOut) const
{
    int count = 0;
    const LPolygon** polygons = GatherPolygons(count);
    const LVector2* route = aRoute.GetPoints();
    bool found = false;
    for (int k = aRoute.GetNumPoints() - 2; k >= 0 && !found; --k) {
        const LLine2 segment(route[k], route[k + 1], L_LINE_SEGMENT);
        found = LPolygon::FindVisiblePoint_MP(aFrom, segment, count, polygons, aOut, kVisibleTolerance);
    }
    delete[] polygons;
    return found;
}

bool LNavigationTDO::GetGroundIDsForCamera(const LString& aCamera, LVectorString& aOut) const
{
    aOut.RemoveAll();
    for (int i = 0; i < mPosBounds.GetCount(); ++i) {
        const LPosBounds& area = *BoundsAt<LPosBounds>(mPosBounds, i);
        if (area.mCamera.Equals(aCamera, true)) {
            aOut.Add(area.mGround);
        }
    }
    if (aOut.GetCount() == 0) {
        L_ASSERT_FAILURE(LString("GetGroundIDsForCamera failure. Camera not found:") + aCamera);
        return false;
    }
    return true;
}

bool LNavigationTDO::GetPosBoundsForCamera(const LString& aCamera, int& aCount, LPosBounds**& aOut) const
{
    if (aOut != nullptr) {
        L_ASSERT_FAILURE("GetPosBoundsForCamera failure. NULL arg.");
        return false;
    }
    int count = 0;
    for (int i = 0; i < mPosBounds.GetCount(); ++i) {
        count += BoundsAt<LPosBounds>(mPosBounds, i)->mCamera.Equals(aCamera, true) ? 1 : 0;
    }
    if (count == 0) {
        L_ASSERT_FAILURE(LString("GetPosBoundsForCamera failure. ID not found:") + aCamera);
        return false;
    }
    LPosBounds** areas = L_NEW LPosBounds*[count];
    if (areas == nullptr) {
        L_ERROR("GetPosBoundsForCamera failure. Allocation failure.");
        return false;
    }
    int used = 0;
    for (int i = 0; i < mPosBounds.GetCount(); ++i) {
        LPosBounds* area = BoundsAt<LPosBounds>(mPosBounds, i);
        if (area->mCamera.Equals(aCamera, true)) {
            areas[used++] = area;
        }
    }
    aCount = count;
    aOut = areas;
    return true;
}

bool LNavigationTDO::GetPosBoundsCurrent(int& aCount, LPosBounds**& aOut) const
{
    if (aOut != nullptr) {
        L_ASSERT_FAILURE("GetPosBoundsCurrent failure. Invalid arg.");
        return false;
    }
    aCount = mCurrentAreaCount;
    aOut = mCurrentAreas;
    return true;
}

bool LNavigationTDO::AddBounds(LNegBounds* aBounds)
{
    if (aBounds == nullptr) {
        L_ASSERT_FAILURE("AddBounds failure. NULL arg.");
        return false;
    }
    if (mNegBounds.IndexOf(aBounds->mName) >= 0) {
        L_ASSERT_FAILURE("AddBounds failure. Duplicate id found.");
        return false;
    }
    const int before = mNegBounds.GetCount();
    mNegBounds.AddAt(aBounds->mName, aBounds, true);
    return mNegBounds.GetCount() > before;
}

bool LNavigationTDO::RemoveBounds(const LString& aKey, bool aDelete)
{
    void* removed = nullptr;
    if (!mNegBounds.RemoveAt(aKey, &removed)) {
        return false;
    }
    if (aDelete) {
        delete static_cast<LNegBounds*>(removed);
    }
    return true;
}
