#include "LPolygon.h"

#include "LGeometryConstants.h"
#include "LMatrix4.h"
#include "LRectangle.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <cstdlib>

namespace {

// Runs aVisit twice with a function that takes each found point: once to count, once to
// fill an array of exactly that many points, which goes to the caller.
template <typename Visit>
bool CollectPoints(const Visit& aVisit, int& aCount, LVector2*& aPoints)
{
    int count = 0;
    aVisit([&count](const LVector2&) { ++count; });
    aCount = 0;
    if (count == 0) {
        return false;
    }
    LVector2* points = L_NEW LVector2[count];
    if (!points) {
        L_ERROR("Out of memory.");
        return false;
    }
    int index = 0;
    aVisit([&](const LVector2& aPoint) {
        if (index < count) {
            points[index++] = aPoint;
        }
    });
    aCount = index;
    aPoints = points;
    return true;
}

} // namespace

LPolygon::LPolygon(const LVector2* aPoints, int aCount, bool aClosed)
{
    if (aCount < 0) {
        L_ERROR("Invalid arg. Negative number of points.");
        return;
    }
    if (!aPoints && aCount > 0) {
        L_ERROR("Arg mismatch. No points passed, aNumPoints > 0.");
        return;
    }
    if (Assign(aPoints, aCount, aClosed)) {
        return;
    }
    mClosed = false;
}

LPolygon::LPolygon(const LVectorFloat& aList, bool aClosed)
{
    AssignFlat(aList, aClosed);
}

LPolygon::LPolygon(const LRectangle& aRectangle)
{
    const float x = aRectangle.GetX();
    const float y = aRectangle.GetY();
    const LVector2 corners[4] = {
        LVector2(x, y),
        LVector2(x + aRectangle.GetWidth(), y),
        LVector2(x + aRectangle.GetWidth(), y + aRectangle.GetHeight()),
        LVector2(x, y + aRectangle.GetHeight()),
    };
    Assign(corners, 4, true);
}

LPolygon::LPolygon(const LPolygon& aOther) : LBase(aOther), LIArea(aOther)
{
    Assign(aOther.mPoints, aOther.mNumPoints, aOther.mClosed);
}

LPolygon& LPolygon::operator=(const LPolygon& aOther)
{
    if (this != &aOther) {
        Assign(aOther.mPoints, aOther.mNumPoints, aOther.mClosed);
    }
    return *this;
}

LPolygon::~LPolygon()
{
    delete[] mPoints;
}

bool LPolygon::Assign(const LVector2* aPoints, int aCount, bool aClosed)
{
    LVector2* points = nullptr;
    if (aPoints && aCount > 0) {
        points = L_NEW LVector2[aCount];
        if (!points) {
            L_ERROR("Out of memory.");
            return false;
        }
        for (int i = 0; i < aCount; ++i) {
            points[i] = aPoints[i];
        }
    }
    delete[] mPoints;
    mPoints = points;
    mNumPoints = points ? aCount : 0;
    // A polygon without points is never closed.
    mClosed = points ? aClosed : false;
    return true;
}

bool LPolygon::AssignFlat(const LVectorFloat& aList, bool aClosed)
{
    const int count = aList.GetCount() / 2;
    if (count <= 0) {
        Clear();
        return false;
    }
    LVector2* points = L_NEW LVector2[count];
    if (!points) {
        L_ERROR("Out of memory.");
        Clear();
        return false;
    }
    for (int i = 0; i < count; ++i) {
        points[i].Set(aList[2 * i], aList[2 * i + 1]);
    }
    delete[] mPoints;
    mPoints = points;
    mNumPoints = count;
    mClosed = aClosed;
    return true;
}

bool LPolygon::Append(const LVector2* aPoints, int aCount)
{
    if (aCount <= 0) {
        return true;
    }
    LVector2* points = L_NEW LVector2[mNumPoints + aCount];
    if (!points) {
        L_ERROR("Out of memory.");
        return false;
    }
    for (int i = 0; i < mNumPoints; ++i) {
        points[i] = mPoints[i];
    }
    for (int i = 0; i < aCount; ++i) {
        points[mNumPoints + i] = aPoints[i];
    }
    delete[] mPoints;
    mPoints = points;
    mNumPoints += aCount;
    return true;
}

bool LPolygon::AddPoint(const LVector2& aPoint)
{
    return Append(&aPoint, 1);
}

bool LPolygon::AddPoint(float aX, float aY)
{
    const LVector2 point(aX, aY);
    return Append(&point, 1);
}

bool LPolygon::AddPoints(const LVector2* aPoints, int aCount)
{
    if (!aPoints) {
        L_ERROR("Invalid arg. apPoints == NULL");
        return false;
    }
    if (aCount < 0) {
        L_ERROR("Invalid arg. Negative number of points.");
        return false;
    }
    return Append(aPoints, aCount);
}

bool LPolygon::SetPoints(const LVector2* aPoints, int aCount, bool aClosed)
{
    if (!aPoints) {
        L_ERROR("Invalid arg. apPoints == NULL.");
        return false;
    }
    if (aCount < 0) {
        L_ERROR("Invalid arg. Negative number of points.");
        return false;
    }
    return Assign(aPoints, aCount, aClosed);
}

bool LPolygon::SetPoints(const LVectorFloat& aList, bool aClosed)
{
    return AssignFlat(aList, aClosed);
}

void LPolygon::Clear()
{
    delete[] mPoints;
    mPoints = nullptr;
    mNumPoints = 0;
    mClosed = false;
}

LVector2 LPolygon::GetPoint(int aIndex) const
{
    if (aIndex < 0 || aIndex >= mNumPoints) {
        L_ERROR("Index out of bounds.");
        return LVector2();
    }
    return mPoints[aIndex];
}

bool LPolygon::GetPointsCopy(LVector2** aOut) const
{
    if (!aOut || *aOut) {
        L_ERROR("Invalid args.");
        return false;
    }
    // An empty polygon still hands out an (empty) array, which the caller frees.
    LVector2* points = L_NEW LVector2[mNumPoints > 0 ? mNumPoints : 0];
    if (!points) {
        L_ERROR("Out of memory.");
        return false;
    }
    for (int i = 0; i < mNumPoints; ++i) {
        points[i] = mPoints[i];
    }
    *aOut = points;
    return true;
}

LString LPolygon::Dump() const
{
    LString text = DumpHead("LPolygon");
    text += " numpoints:";
    text += mNumPoints;
    text += ", closed:";
    text += mClosed;
    text += ", points:";
    for (int i = 0; i < mNumPoints; ++i) {
        text += ",(";
        text += mPoints[i].x;
        text += ",";
        text += mPoints[i].y;
        text += ")";
    }
    text += "]";
    return text;
}

LIArea* LPolygon::Clone() const
{
    return L_NEW LPolygon(*this);
}

bool LPolygon::ContainsPoint(const LVector2& aPoint) const
{
    return Contains(aPoint, false, 0.0f);
}

void LPolygon::Transform(const LMatrix4& aMatrix)
{
    for (int i = 0; i < mNumPoints; ++i) {
        const LVector3 point(mPoints[i].x, mPoints[i].y, 0.0f);
        LVector3 moved;
        LMatrix4::TransformCoord(&moved, &aMatrix, &point);
        mPoints[i].Set(moved.x, moved.y);
    }
}

void LPolygon::Translate(const LVector2& aOffset)
{
    for (int i = 0; i < mNumPoints; ++i) {
        mPoints[i] += aOffset;
    }
}

LPolygon& LPolygon::operator+=(const LVector2& aOffset)
{
    Translate(aOffset);
    return *this;
}

LPolygon LPolygon::operator+(const LVector2& aOffset) const
{
    LPolygon moved(*this);
    moved.Translate(aOffset);
    return moved;
}

LLine2 LPolygon::GetEdge(int aIndex) const
{
    const LVector2& start = mPoints[aIndex];
    const int next = aIndex + 1 < mNumPoints ? aIndex + 1 : (mClosed ? 0 : aIndex);
    return LLine2(start, mPoints[next], L_LINE_SEGMENT);
}

bool LPolygon::Contains(const LVector2& aPoint, bool aExcludeEdge, float aTolerance) const
{
    if (mNumPoints < 3) {
        return false;
    }
    bool inside = false;
    for (int i = 0, j = mNumPoints - 1; i < mNumPoints; j = i++) {
        const LVector2& a = mPoints[j];
        const LVector2& b = mPoints[i];
        // Only edges that straddle the vertical through the point take part, so vertical
        // edges never do and the division below is safe.
        if (!((a.x <= aPoint.x && b.x > aPoint.x) || (b.x <= aPoint.x && a.x > aPoint.x))) {
            continue;
        }
        const float m = (b.y - a.y) / (b.x - a.x);
        const float intercept = b.y - m * b.x;
        const float height = (m * aPoint.x + intercept) - aPoint.y;
        const float band = m * aTolerance + aTolerance;
        if (std::fabs(height) <= band) {
            if (!aExcludeEdge) {
                inside = !inside;
            }
        } else if (height > 0.0f) {
            inside = !inside;
        }
    }
    return inside;
}

bool LPolygon::ContainsMultiPolys(const LVector2& aPoint, int aCount, const LPolygon* const* aPolygons,
                                  bool aExcludeEdge, float aTolerance)
{
    if (!aPolygons) {
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        // A degenerate polygon contains nothing; the ones after it are still asked.
        if (aPolygons[i] && aPolygons[i]->Contains(aPoint, aExcludeEdge, aTolerance)) {
            return true;
        }
    }
    return false;
}

bool LPolygon::Intersects(const LLine2& aLine, bool aExcludeEndpoints, float aTolerance) const
{
    LVector2 point;
    for (int i = 0; i < mNumPoints; ++i) {
        if (GetEdge(i).Intersect(aLine, point, aExcludeEndpoints, aTolerance)) {
            return true;
        }
    }
    return false;
}

bool LPolygon::IntersectsMultiPolys(const LLine2& aLine, int aCount, const LPolygon* const* aPolygons,
                                    bool aExcludeEndpoints, float aTolerance)
{
    if (!aPolygons) {
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        if (aPolygons[i] && aPolygons[i]->Intersects(aLine, aExcludeEndpoints, aTolerance)) {
            return true;
        }
    }
    return false;
}

bool LPolygon::Intersections(const LLine2& aLine, int& aCount, LVector2*& aPoints, bool aExcludeEndpoints) const
{
    aCount = 0;
    if (aPoints) {
        L_ASSERT_FAILURE("Intersections failure. NULL arg.");
        return false;
    }
    if (mNumPoints <= 0) {
        L_ASSERT_FAILURE("Intersections failure. Not enough points.");
        return false;
    }
    return CollectPoints(
        [&](auto aEmit) {
            LVector2 point;
            for (int i = 0; i < mNumPoints; ++i) {
                if (GetEdge(i).Intersect(aLine, point, aExcludeEndpoints, kGeometryEpsilon)) {
                    aEmit(point);
                }
            }
        },
        aCount, aPoints);
}

bool LPolygon::Intersections_MP(const LLine2& aLine, int aPolygonCount, const LPolygon* const* aPolygons,
                                int& aCount, LVector2*& aPoints, bool aExcludeEndpoints)
{
    aCount = 0;
    if (aPoints || (aPolygonCount > 0 && !aPolygons)) {
        L_ASSERT_FAILURE("Intersections_MP failure. NULL arg.");
        return false;
    }
    for (int p = 0; p < aPolygonCount; ++p) {
        if (!aPolygons[p] || aPolygons[p]->mNumPoints <= 0) {
            L_ASSERT_FAILURE("Intersections_MP failure. Not enough points.");
            return false;
        }
    }
    return CollectPoints(
        [&](auto aEmit) {
            LVector2 point;
            for (int p = 0; p < aPolygonCount; ++p) {
                const LPolygon& polygon = *aPolygons[p];
                for (int i = 0; i < polygon.mNumPoints; ++i) {
                    if (polygon.GetEdge(i).Intersect(aLine, point, aExcludeEndpoints, kGeometryEpsilon)) {
                        aEmit(point);
                    }
                }
            }
        },
        aCount, aPoints);
}

bool LPolygon::PointsInside(const LIArea& aArea, int& aCount, LVector2*& aPoints) const
{
    aCount = 0;
    if (aPoints) {
        L_ASSERT_FAILURE("PointsInside failure. NULL arg.");
        return false;
    }
    if (mNumPoints <= 0) {
        L_ASSERT_FAILURE("PointsInside failure. Insufficient points.");
        return false;
    }
    return CollectPoints(
        [&](auto aEmit) {
            for (int i = 0; i < mNumPoints; ++i) {
                if (aArea.ContainsPoint(mPoints[i])) {
                    aEmit(mPoints[i]);
                }
            }
        },
        aCount, aPoints);
}

bool LPolygon::PointsInsideMultiPolys(int aPolygonCount, const LPolygon* const* aPolygons, int& aCount,
                                      LVector2*& aPoints) const
{
    aCount = 0;
    if (aPoints || (aPolygonCount > 0 && !aPolygons)) {
        L_ASSERT_FAILURE("PointsInsideMultiPolys failure. NULL arg.");
        return false;
    }
    if (mNumPoints <= 0) {
        L_ASSERT_FAILURE("PointsInsideMultiPolys failure. Insufficient points.");
        return false;
    }
    return CollectPoints(
        [&](auto aEmit) {
            for (int p = 0; p < aPolygonCount; ++p) {
                const LPolygon* polygon = aPolygons[p];
                for (int i = 0; polygon && i < polygon->mNumPoints; ++i) {
                    if (ContainsPoint(polygon->mPoints[i])) {
                        aEmit(polygon->mPoints[i]);
                    }
                }
            }
        },
        aCount, aPoints);
}

int LPolygon::SideOfLine(const LLine2& aLine) const
{
    return SideOfLine(aLine.GetStart(), aLine.GetEnd());
}

int LPolygon::SideOfLine(const LVector2& aStart, const LVector2& aEnd) const
{
    if (mNumPoints <= 0) {
        L_ASSERT_FAILURE("SideOfLine failure. Insufficient points.");
        return 0;
    }
    int positive = 0;
    int negative = 0;
    for (int i = 0; i < mNumPoints; ++i) {
        const int side = mPoints[i].GetSideOfLine(aStart, aEnd);
        if (side == 0) {
            return 0;
        }
        if (side > 0) {
            ++positive;
        } else {
            ++negative;
        }
        if (positive > 0 && negative > 0) {
            return 0;
        }
    }
    return negative > positive ? -1 : 1;
}

bool LPolygon::IsPositiveWinding() const
{
    float sum = 0.0f;
    for (int i = 0; i < mNumPoints; ++i) {
        const LVector2& a = mPoints[i];
        const LVector2& b = mPoints[(i + 1) % mNumPoints];
        sum += a.x * b.y - a.y * b.x;
    }
    return sum >= 0.0f;
}

namespace {

// The filter of the visibility search: once a visible point is known, a candidate counts
// only on the same side of the line from aFrom to the target's start as aFrom lies of
// the target.
bool Skipped(bool aFound, const LLine2& aFromToStart, int aSide, const LVector2& aCandidate)
{
    return aFound && aFromToStart.GetSide(aCandidate) != aSide;
}

// The point where the ray from aFrom through aCorner meets the target's supporting line;
// false when the two are parallel.
bool CornerCandidate(const LVector2& aFrom, const LVector2& aCorner, const LLine2& aTarget, LVector2& aOut)
{
    const LLine2 ray(aFrom, aCorner, L_LINE_RAY);
    if (!aTarget.Crosses(ray)) {
        return false;
    }
    aTarget.Intersect(ray, aOut, false, kGeometryEpsilon);
    return true;
}

// The search of both forms over its candidates; aVisible(point, tolerance) tells whether
// the segment from aFrom to the point crosses no edge.
template <typename Visible>
bool SearchVisible(const LVector2& aFrom, const LLine2& aTarget, const Visible& aVisible, float aEndTolerance,
                   float aTolerance, int aCrossingCount, const LVector2* aCrossings, int aCornerCount,
                   const LVector2* aCorners, LVector2& aOut)
{
    const LVector2& start = aTarget.GetStart();
    bool found = false;
    LVector2 best;
    if (aVisible(start, aEndTolerance)) {
        found = true;
        best = start;
    }
    if (aCrossingCount == 0 && aCornerCount == 0 && !found) {
        return false;
    }
    const int side = aTarget.GetSide(aFrom);
    const LLine2 fromToStart(aFrom, start, L_LINE_SEGMENT);
    for (int i = 0; i < aCrossingCount; ++i) {
        if (Skipped(found, fromToStart, side, aCrossings[i])) {
            continue;
        }
        if (aVisible(aCrossings[i], aTolerance)) {
            found = true;
            best = aCrossings[i];
        }
    }
    for (int i = 0; i < aCornerCount; ++i) {
        if (Skipped(found, fromToStart, side, aCorners[i])) {
            continue;
        }
        LVector2 candidate;
        if (CornerCandidate(aFrom, aCorners[i], aTarget, candidate) && aVisible(candidate, aTolerance)) {
            found = true;
            best = candidate;
        }
    }
    if (found) {
        aOut = best;
    }
    return found;
}

} // namespace

bool LPolygon::FindVisiblePoint_MP(const LVector2& aFrom, const LLine2& aTarget, int aCount,
                                   const LPolygon* const* aPolygons, LVector2& aOut, float aTolerance)
{
    auto visible = [&](const LVector2& aPoint, float aVisibleTolerance) {
        const LLine2 sight(aFrom, aPoint, L_LINE_SEGMENT);
        return !IntersectsMultiPolys(sight, aCount, aPolygons, true, aVisibleTolerance);
    };
    if (visible(aTarget.GetEnd(), aTolerance)) {
        aOut = aTarget.GetEnd();
        return true;
    }
    int crossingCount = 0;
    LVector2* crossings = nullptr;
    Intersections_MP(aTarget, aCount, aPolygons, crossingCount, crossings, true);

    const LVector2 corners[3] = {aFrom, aTarget.GetStart(), aTarget.GetEnd()};
    const LPolygon triangle(corners, 3, false);
    int cornerCount = 0;
    LVector2* cornerPoints = nullptr;
    triangle.PointsInsideMultiPolys(aCount, aPolygons, cornerCount, cornerPoints);

    const bool found = SearchVisible(aFrom, aTarget, visible, aTolerance, aTolerance, crossingCount, crossings,
                                     cornerCount, cornerPoints, aOut);
    delete[] crossings;
    delete[] cornerPoints;
    return found;
}

bool LPolygon::FindVisiblePoint(const LVector2& aFrom, const LLine2& aTarget, LVector2& aOut,
                                float aTolerance) const
{
    auto visible = [&](const LVector2& aPoint, float aVisibleTolerance) {
        const LLine2 sight(aFrom, aPoint, L_LINE_SEGMENT);
        return !Intersects(sight, true, aVisibleTolerance);
    };
    if (visible(aTarget.GetEnd(), kGeometryEpsilon)) {
        aOut = aTarget.GetEnd();
        return true;
    }
    int crossingCount = 0;
    LVector2* crossings = nullptr;
    Intersections(aTarget, crossingCount, crossings, false);

    const LVector2 corners[3] = {aFrom, aTarget.GetStart(), aTarget.GetEnd()};
    const LPolygon triangle(corners, 3, false);
    int cornerCount = 0;
    LVector2* cornerPoints = nullptr;
    PointsInside(triangle, cornerCount, cornerPoints);

    const bool found = SearchVisible(aFrom, aTarget, visible, kGeometryEpsilon, aTolerance, crossingCount,
                                     crossings, cornerCount, cornerPoints, aOut);
    delete[] crossings;
    delete[] cornerPoints;
    return found;
}

void LPolygon::GetOffset(float aDistance, LPolygon& aOut) const
{
    aOut.Clear();
    if (mNumPoints < 3 || aDistance == 0.0f) {
        return;
    }
    const int direction = ((aDistance > 0.0f) == IsPositiveWinding()) ? 1 : -1;
    const float distance = std::fabs(aDistance);
    LVector2* points = L_NEW LVector2[mNumPoints];
    if (!points) {
        L_ERROR("Out of memory.");
        return;
    }
    for (int i = 0; i < mNumPoints; ++i) {
        const LVector2& previous = mPoints[(i + mNumPoints - 1) % mNumPoints];
        const LVector2& point = mPoints[i];
        const LVector2& next = mPoints[(i + 1) % mNumPoints];
        LLine2 before;
        LLine2(previous, point, L_LINE_SEGMENT).Offset(distance, direction, before);
        points[i] = before.GetEnd();
        if (point.GetSideOfLine(previous, next) != 0) {
            LLine2 after;
            LLine2(point, next, L_LINE_SEGMENT).Offset(distance, direction, after);
            // Taken as computed, whatever the extents say.
            before.Intersect(after, points[i], false, kGeometryEpsilon);
        }
    }
    aOut.Assign(points, mNumPoints, mClosed);
    delete[] points;
}

bool LPolygon::GetCornerBisector(int aIndex, LLine2& aOut) const
{
    if (aIndex < 0 || aIndex >= mNumPoints) {
        return false;
    }
    const LVector2& point = mPoints[aIndex];
    LVector2 toPrevious = mPoints[(aIndex + mNumPoints - 1) % mNumPoints] - point;
    LVector2 toNext = mPoints[(aIndex + 1) % mNumPoints] - point;
    const float previousLength = toPrevious.Length();
    const float nextLength = toNext.Length();
    // The longer edge is cut to the shorter's length (the longer one is never of zero
    // length, so the division is safe).
    if (previousLength > nextLength) {
        toPrevious *= nextLength / previousLength;
    } else if (nextLength > previousLength) {
        toNext *= previousLength / nextLength;
    }
    aOut.Set(point, point + (toPrevious + toNext) * 0.5f, aOut.GetType());
    return true;
}
