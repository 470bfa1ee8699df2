// A 2-D polygon: hotspot boundaries, walkable and obstacle areas, shapes. Besides the
// containment test it carries the geometry of walking: edge crossings of a line, points
// of one area inside another, the visibility search and grown or shrunk outlines.
//
// The edges are the pairs (point i, point i + 1) and, for the last point, (last, first)
// when the polygon is closed or (last, last), a segment of no length, when it is open;
// edge tests walk them in index order as segments.
//
// Operations that hand out points take an int& count and an LVector2*& array that must
// be null on entry; they allocate exactly count points (tracked allocator), which the
// caller frees with delete[], and give false with count 0 when there are none.
#pragma once
#include "LIArea.h"
#include "LLine2.h"
#include "object/LBase.h"

class LRectangle;
class LVectorFloat;

class LPolygon : public LBase, public LIArea
{
public:
    LPolygon() = default;
    // Copies aCount points; a negative count or a null array with points logs and gives
    // an empty, open polygon.
    LPolygon(const LVector2* aPoints, int aCount, bool aClosed);
    // Point i is (list[2i], list[2i + 1]); an odd last value is ignored.
    LPolygon(const LVectorFloat& aList, bool aClosed);
    // The closed polygon of the rectangle's corners.
    explicit LPolygon(const LRectangle& aRectangle);
    LPolygon(const LPolygon& aOther);
    LPolygon& operator=(const LPolygon& aOther);
    ~LPolygon() override;

    // Appends; false only when memory runs out.
    bool AddPoint(const LVector2& aPoint);
    bool AddPoint(float aX, float aY);
    bool AddPoints(const LVector2* aPoints, int aCount);
    // Replaces points and closed flag; a null array changes nothing and gives false.
    bool SetPoints(const LVector2* aPoints, int aCount, bool aClosed);
    // From a flat list as the constructor; fewer than two values leave the polygon empty
    // and give false.
    bool SetPoints(const LVectorFloat& aList, bool aClosed);
    void SetClosed(bool aClosed) { mClosed = aClosed; }
    bool IsClosed() const { return mClosed; }
    // No points, not closed.
    void Clear();

    int GetNumPoints() const { return mNumPoints; }
    // A copy; outside the points logs "Index out of bounds." and gives (0, 0).
    LVector2 GetPoint(int aIndex) const;
    // The points themselves (null when there are none).
    const LVector2* GetPoints() const { return mPoints; }
    // *aOut must be null; receives a new array of copies for the caller to free.
    bool GetPointsCopy(LVector2** aOut) const;

    LString Dump() const override;

    LIArea* Clone() const override;
    // Contains(point, false, 0).
    bool ContainsPoint(const LVector2& aPoint) const override;
    int GetAreaType() const override { return kPolygon; }
    // Every point goes through the matrix as (x, y, 0).
    void Transform(const LMatrix4& aMatrix) override;
    void Translate(const LVector2& aOffset) override;
    LPolygon& operator+=(const LVector2& aOffset);
    LPolygon operator+(const LVector2& aOffset) const;

    // Even-odd test over every edge, the closing one included whatever the closed flag.
    // A point within the band of aTolerance above an edge toggles only when aExcludeEdge
    // is false. Fewer than 3 points contain nothing.
    bool Contains(const LVector2& aPoint, bool aExcludeEdge, float aTolerance) const;
    // Whether any of the polygons contains the point.
    static bool ContainsMultiPolys(const LVector2& aPoint, int aCount, const LPolygon* const* aPolygons,
                                   bool aExcludeEdge, float aTolerance);

    // Whether some edge meets aLine (edge.Intersect(aLine, ...)).
    bool Intersects(const LLine2& aLine, bool aExcludeEndpoints, float aTolerance) const;
    static bool IntersectsMultiPolys(const LLine2& aLine, int aCount, const LPolygon* const* aPolygons,
                                     bool aExcludeEndpoints, float aTolerance);
    // The crossing of every edge that meets aLine, in edge order (tolerance: the epsilon).
    bool Intersections(const LLine2& aLine, int& aCount, LVector2*& aPoints, bool aExcludeEndpoints) const;
    static bool Intersections_MP(const LLine2& aLine, int aPolygonCount, const LPolygon* const* aPolygons,
                                 int& aCount, LVector2*& aPoints, bool aExcludeEndpoints);
    // This polygon's points that aArea contains.
    bool PointsInside(const LIArea& aArea, int& aCount, LVector2*& aPoints) const;
    // The points of the given polygons that this polygon contains.
    bool PointsInsideMultiPolys(int aPolygonCount, const LPolygon* const* aPolygons, int& aCount,
                                LVector2*& aPoints) const;

    // 1 or -1 when every point lies on that side of the line, else 0.
    int SideOfLine(const LLine2& aLine) const;
    int SideOfLine(const LVector2& aStart, const LVector2& aEnd) const;
    // The shoelace sum is >= 0.
    bool IsPositiveWinding() const;

    // Visibility search: a point of aTarget (from its start S to its end E) that can be
    // reached from aFrom in a straight line without crossing an edge of any polygon: E
    // when it is visible, else the last visible candidate of S, the crossings of the
    // target with the polygons and the polygon corners inside the triangle (aFrom, S, E).
    static bool FindVisiblePoint_MP(const LVector2& aFrom, const LLine2& aTarget, int aCount,
                                    const LPolygon* const* aPolygons, LVector2& aOut, float aTolerance);
    bool FindVisiblePoint(const LVector2& aFrom, const LLine2& aTarget, LVector2& aOut, float aTolerance) const;
    // The outline grown (positive distance, for a polygon of positive winding) or shrunk
    // by aDistance into aOut; empty for fewer than 3 points or a distance of 0.
    void GetOffset(float aDistance, LPolygon& aOut) const;
    // aOut runs from point aIndex along the bisector of its corner; aOut's type stays.
    bool GetCornerBisector(int aIndex, LLine2& aOut) const;

    // Edge aIndex as a segment.
    LLine2 GetEdge(int aIndex) const;

private:
    bool Assign(const LVector2* aPoints, int aCount, bool aClosed);
    bool Append(const LVector2* aPoints, int aCount);
    bool AssignFlat(const LVectorFloat& aList, bool aClosed);

    LVector2* mPoints = nullptr;
    int mNumPoints = 0;
    bool mClosed = false;
};
