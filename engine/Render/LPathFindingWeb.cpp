#include "Render/LPathFindingWeb.h"

#include "Render/LWayPoint.h"
#include "container/LInt.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {
constexpr int kIndexHashShift = 7;

int ClassOf(const LString& aText)
{
    const LString lower = aText.ToLower();
    if (lower == LString("topstair")) {
        return LWayPoint::kTopStair;
    }
    if (lower == LString("bottomstair")) {
        return LWayPoint::kBottomStair;
    }
    return LWayPoint::kOrdinary;
}
} // namespace

LPathFindingWeb::LPathFindingWeb()
    : mIndex(kIndexHashShift, false)
{
}

LPathFindingWeb::~LPathFindingWeb()
{
    Clear();
}

void LPathFindingWeb::Clear()
{
    FreePaths();
    for (int i = 0; i < mIndex.GetCount(); ++i) {
        delete static_cast<LInt*>(mIndex.GetAt(i));
    }
    mIndex.RemoveAll();
    delete[] mWayPoints;
    mWayPoints = nullptr;
    mCount = 0;
}

void LPathFindingWeb::FreePaths()
{
    if (mRows) {
        for (int i = 0; i < mCount; ++i) {
            delete[] mRows[i].mLengths;
            delete[] mRows[i].mPrevious;
        }
        delete[] mRows;
        mRows = nullptr;
    }
    // The last path belongs to the table.
    mLastPath.Clear();
    mHasLastPath = false;
}

int LPathFindingWeb::IndexOf(const LString& aName) const
{
    const LInt* index = static_cast<const LInt*>(mIndex.Get(aName.ToLower()));
    return index ? index->mValue : -1;
}

int LPathFindingWeb::FindNearestWayPoint(const LVector2& aPoint)
{
    int nearest = -1;
    float best = 0.0f;
    for (int i = 0; i < mCount; ++i) {
        const float distance = mWayPoints[i].mPoint.DistanceSquared(aPoint);
        if (nearest == -1 || distance < best) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

LWebPath* LPathFindingWeb::GetLastPath()
{
    return mHasLastPath ? &mLastPath : nullptr;
}

LWebPath LPathFindingWeb::GetShortestPath(int aFrom, int aTo)
{
    if (mMode != 0 && mMode != 1) {
        L_ASSERT_FAILURE("GetShortestPath failure.");
        return LWebPath();
    }
    return LookUpShortestPath(aFrom, aTo);
}

LWayPoint* LPathFindingWeb::GetWayPoint(const LString& aName)
{
    if (mCount == 0) {
        L_ASSERT_FAILURE("GetWayPoint failure. WayPoints undefined.");
        return nullptr;
    }
    const int index = IndexOf(aName);
    return index < 0 ? nullptr : &mWayPoints[index];
}

LWayPoint* LPathFindingWeb::GetWayPoint(int aIndex)
{
    if (mCount == 0) {
        L_ASSERT_FAILURE("GetWayPoint failure. WayPoints undefined.");
        return nullptr;
    }
    if (aIndex < 0 || aIndex >= mCount) {
        L_ASSERT_FAILURE("GetWayPoint failure. Invalid index.");
        return nullptr;
    }
    return &mWayPoints[aIndex];
}

bool LPathFindingWeb::GetWayPoints(int& aCount, LWayPoint*& aArray)
{
    if (aArray != nullptr) {
        L_ASSERT_FAILURE("GetWayPoints failure. NULL arg.");
        return false;
    }
    aCount = mCount;
    if (mCount > 0) {
        aArray = mWayPoints;
    }
    return true;
}

bool LPathFindingWeb::ResetPaths()
{
    FreePaths();
    return true;
}

bool LPathFindingWeb::Create(LPropertyList* aData)
{
    if (aData == nullptr) {
        L_ASSERT_FAILURE("Create failure. NULL arg.");
        return false;
    }
    Clear();
    const int count = aData->GetCount();
    if (count > kMaxWayPoints) {
        L_ERROR(LString("Create failure. Too many way-points: ") + count);
        return false;
    }
    if (count == 0) {
        return true;
    }
    mWayPoints = L_NEW LWayPoint[count];
    if (!mWayPoints) {
        L_ERROR("Create failure. Allocation failure.");
        return false;
    }
    mCount = count;
    bool sound = true;
    for (int i = 0; i < count; ++i) {
        sound = ReadWayPoint(i, aData->GetKeyAt(i), aData->GetListAt(i)) && sound;
    }
    for (int i = 0; i < count; ++i) {
        sound = ReadLinks(i, aData->GetListAt(i)) && sound;
    }
    return sound;
}

bool LPathFindingWeb::ReadWayPoint(int aIndex, const LString& aName, const LPropertyList* aEntry)
{
    LWayPoint& wayPoint = mWayPoints[aIndex];
    wayPoint.mName = aName;
    bool sound = true;
    LInt* index = L_NEW LInt(aIndex);
    const int before = mIndex.GetCount();
    if (index) {
        mIndex.AddAt(aName.ToLower(), index, true);
    }
    if (mIndex.GetCount() == before) {
        // A name that differs from an earlier one only in case finds that one.
        delete index;
        L_ASSERT_FAILURE(LString("Create failure. Duplicate way-point: ") + aName);
        sound = false;
    }
    if (aEntry == nullptr) {
        L_ASSERT_FAILURE("");
        return false;
    }
    bool found = false;
    const LVectorFloat coords = aEntry->GetVectorFloat(LString("coords"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
        return false;
    }
    if (coords.GetCount() < 2) {
        L_ASSERT_FAILURE(LString("Create failure. Invalid coords: ") + aName);
        return false;
    }
    // Only a way-point with a place may lie on a path.
    wayPoint.mPoint.Set(coords[0], coords[1]);
    wayPoint.mActive = 1;
    const LString type = aEntry->GetString(LString("class"), found);
    wayPoint.mClass = found ? ClassOf(type) : LWayPoint::kOrdinary;
    return sound;
}

bool LPathFindingWeb::ReadLinks(int aIndex, const LPropertyList* aEntry)
{
    if (aEntry == nullptr) {
        return false; // logged when the way-point was read
    }
    bool found = false;
    const LVectorString names = aEntry->GetVectorString(LString("links"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
        return false;
    }
    LWayPoint& wayPoint = mWayPoints[aIndex];
    int known = 0;
    for (int k = 0; k < names.GetCount(); ++k) {
        known += IndexOf(names[k]) >= 0 ? 1 : 0;
    }
    if (!wayPoint.SetLinkCount(known)) {
        return false;
    }
    bool sound = known == names.GetCount();
    int link = 0;
    for (int k = 0; k < names.GetCount(); ++k) {
        const int target = IndexOf(names[k]);
        if (target < 0) {
            L_ASSERT_FAILURE(LString("Create failure. Unknown way-point: ") + names[k]);
            continue;
        }
        wayPoint.mLinks[link] = target;
        wayPoint.mLinkFlags[link] = 1;
        wayPoint.mLinkLengths[link] = wayPoint.mPoint.Distance(mWayPoints[target].mPoint);
        ++link;
    }
    return sound;
}

LWebPath LPathFindingWeb::LookUpShortestPath(int aFrom, int aTo)
{
    if (aFrom < 0 || aFrom >= mCount || aTo < 0 || aTo >= mCount) {
        L_ASSERT_FAILURE("LookUpShortestPath failure. Invalid index.");
        return LWebPath();
    }
    if (mRows == nullptr) {
        mRows = L_NEW Row[mCount];
        if (!mRows) {
            L_ERROR("ComputePaths failure. Allocation failure.");
            return LWebPath();
        }
    }
    if (mRows[aFrom].mLengths == nullptr && !ComputePathsFrom(aFrom)) {
        return LWebPath();
    }
    BuildPath(aFrom, aTo, mLastPath);
    mHasLastPath = true;
    return mLastPath;
}

void LPathFindingWeb::BuildPath(int aFrom, int aTo, LWebPath& aPath) const
{
    const Row& row = mRows[aFrom];
    aPath.Clear();
    if (row.mLengths[aTo] == LWebPath::kNoPath) {
        return;
    }
    // Predecessors never form a loop; the bound keeps a damaged row from hanging.
    int steps = 1;
    for (int at = aTo; at != aFrom && row.mPrevious[at] != kNoWayPoint && steps <= mCount; at = row.mPrevious[at]) {
        ++steps;
    }
    for (int i = 0; i < steps; ++i) {
        aPath.mWayPoints.Add(0);
    }
    int at = aTo;
    for (int i = steps - 1; i >= 0; --i) {
        aPath.mWayPoints.SetAt(i, at, nullptr);
        at = row.mPrevious[at];
    }
    aPath.mLength = row.mLengths[aTo];
}

// Searches outward from the source in waves along the links. A way-point joins the next
// wave while it has not been taken from a wave yet, and again whenever its path got
// shorter, so that the shorter length reaches the way-points behind it too. Ties keep
// the path found first.
bool LPathFindingWeb::ComputePathsFrom(int aSource)
{
    Row& row = mRows[aSource];
    row.mLengths = L_NEW float[mCount];
    row.mPrevious = L_NEW uint16_t[mCount];
    // Per way-point: taken from a wave yet, waiting in the next wave; and the two waves.
    uint8_t* settled = L_NEW uint8_t[mCount];
    uint8_t* queued = L_NEW uint8_t[mCount];
    int* wave = L_NEW int[mCount];
    int* next = L_NEW int[mCount];
    const bool made = row.mLengths && row.mPrevious && settled && queued && wave && next;
    if (!made) {
        L_ERROR("ComputePaths failure. Allocation failure.");
        delete[] row.mLengths;
        delete[] row.mPrevious;
        row = Row();
    } else {
        for (int i = 0; i < mCount; ++i) {
            row.mLengths[i] = LWebPath::kNoPath;
            row.mPrevious[i] = kNoWayPoint;
            settled[i] = 0;
            queued[i] = 0;
        }
    }
    int nextCount = 0;
    if (made && mWayPoints[aSource].mActive) {
        row.mLengths[aSource] = 0.0f;
        next[nextCount++] = aSource;
    }
    // With lengths that are never negative every shortest path is found within N waves;
    // the bound only guards against rounding.
    for (int round = 0; nextCount > 0 && round <= mCount; ++round) {
        int* taken = wave;
        wave = next;
        next = taken;
        const int waveCount = nextCount;
        nextCount = 0;
        for (int w = 0; w < waveCount; ++w) {
            queued[wave[w]] = 0;
        }
        for (int w = 0; w < waveCount; ++w) {
            const int from = wave[w];
            settled[from] = 1;
            const LWayPoint& wayPoint = mWayPoints[from];
            for (int k = 0; k < wayPoint.mLinkCount; ++k) {
                const int to = wayPoint.mLinks[k];
                if (!mWayPoints[to].mActive) {
                    continue;
                }
                const float length = row.mLengths[from] + wayPoint.mLinkLengths[k];
                bool shorter = false;
                if (row.mLengths[to] == LWebPath::kNoPath || length < row.mLengths[to]) {
                    row.mLengths[to] = length;
                    row.mPrevious[to] = static_cast<uint16_t>(from);
                    shorter = true;
                }
                if ((!settled[to] || shorter) && !queued[to]) {
                    queued[to] = 1;
                    next[nextCount++] = to;
                }
            }
        }
    }
    delete[] settled;
    delete[] queued;
    delete[] wave;
    delete[] next;
    return made;
}
