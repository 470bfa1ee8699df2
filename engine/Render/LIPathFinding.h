// A web of way-points with shortest paths between them, in the navigation's ground plane.
// Mode 0 and 1 look paths up in the web's table; other modes answer no path.
#pragma once
#include "Render/LWebPath.h"

class LPropertyList;
class LString;
class LVector2;
class LWayPoint;

class LIPathFinding
{
public:
    LIPathFinding();
    LIPathFinding(const LIPathFinding&) = delete;
    LIPathFinding& operator=(const LIPathFinding&) = delete;
    virtual ~LIPathFinding();

    // The way-point nearest to aPoint, or -1 when there are none.
    virtual int FindNearestWayPoint(const LVector2& aPoint) = 0;
    // The table entry of the last lookup; null before the first and after a reset.
    virtual LWebPath* GetLastPath() = 0;
    // The path from one way-point index to another; length -1.0 and no way-points when
    // there is none.
    virtual LWebPath GetShortestPath(int aFrom, int aTo) = 0;
    virtual LWayPoint* GetWayPoint(const LString& aName) = 0;
    virtual LWayPoint* GetWayPoint(int aIndex) = 0;
    // aArray must be null on entry; it receives the web's own array (not a copy).
    virtual bool GetWayPoints(int& aCount, LWayPoint*& aArray) = 0;
    // Drops the path table; the next lookup computes it again.
    virtual bool ResetPaths() = 0;
    virtual void SetMode(int aMode);
    virtual bool Create(LPropertyList* aData) = 0;

    int GetMode() const { return mMode; }

protected:
    int mMode = 1;
};
