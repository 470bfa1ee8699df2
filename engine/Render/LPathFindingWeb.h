// The way-point web of one scene, read from its way-point list ("waypoints.txt"): one
// top-level entry per way-point, keyed by its name, with "coords" (x|y in the ground
// plane), an optional "class" ("topstair" or "bottomstair") and "links" (the names of the
// way-points that can be walked to from it, one way).
//
// The shortest paths from one active way-point to all others are computed on the first
// lookup from it after a reset and kept until the next reset. The table keeps for every
// pair only the length and the way-point before the end; a lookup builds the path from
// those. Only active way-points take part; the navigation rewrites the flags for each
// camera and resets the table.
#pragma once
#include "Render/LIPathFinding.h"
#include "container/LHashKeyList.h"

#include <cstdint>

class LPathFindingWeb : public LIPathFinding
{
public:
    LPathFindingWeb();
    ~LPathFindingWeb() override;

    int FindNearestWayPoint(const LVector2& aPoint) override;
    LWebPath* GetLastPath() override;
    LWebPath GetShortestPath(int aFrom, int aTo) override;
    // Matched without regard to ASCII case; null when no way-point has the name.
    LWayPoint* GetWayPoint(const LString& aName) override;
    LWayPoint* GetWayPoint(int aIndex) override;
    bool GetWayPoints(int& aCount, LWayPoint*& aArray) override;
    bool ResetPaths() override;
    // Replaces the web by the way-points of aData, in its order. A damaged entry (not a
    // list, no two coordinates, a name used before, a link to an unknown name) is logged
    // and read as far as it goes; an entry without a place stays inactive, a repeated
    // name is found as its first way-point, an unknown link is dropped. False when
    // anything was damaged, or when there are more way-points than kMaxWayPoints (the web
    // is then empty).
    bool Create(LPropertyList* aData) override;

    // The path [aFrom][aTo], computing the row of aFrom first when there is none.
    LWebPath LookUpShortestPath(int aFrom, int aTo);
    int GetWayPointCount() const { return mCount; }

    // The table holds up to N rows of N lengths and N predecessors.
    static constexpr int kMaxWayPoints = 1024;
    // The predecessor of a way-point without a path, and of the source.
    static constexpr uint16_t kNoWayPoint = 0xffff;

private:
    void Clear();
    void FreePaths();
    int IndexOf(const LString& aName) const;
    bool ReadWayPoint(int aIndex, const LString& aName, const LPropertyList* aEntry);
    bool ReadLinks(int aIndex, const LPropertyList* aEntry);
    bool ComputePathsFrom(int aSource);
    void BuildPath(int aFrom, int aTo, LWebPath& aPath) const;

    // One row of the table: the paths from one source to every way-point.
    struct Row
    {
        float* mLengths = nullptr;
        uint16_t* mPrevious = nullptr;
    };

    int mCount = 0;
    LWayPoint* mWayPoints = nullptr;
    // Lower-cased name to an owned LInt with the index.
    LHashKeyList mIndex;
    // mCount rows, each allocated on the first lookup from its source.
    Row* mRows = nullptr;
    LWebPath mLastPath;
    bool mHasLastPath = false;
};
