// A curve of cubic Bezier segments, drawn as one line strip of 100 pieces per segment.
// Joined segments share their end points (3n + 1 points); separate ones take four each.
#pragma once
#include "Gdi/LIShape.h"

class LSpline;
class LVector3;

class LSBezier : public LIShape
{
public:
    LSBezier();
    ~LSBezier() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;
    bool UpdateShape() override;

    bool Create(int aCount, const LVector2* aPoints, bool aJoined);
    bool Create(int aCount, const LVector3* aPoints, bool aJoined);
    LSpline* GetSpline(int aIndex) const;
    int GetSplineCount() const { return mCount; }
    // *aOut must be null: a new array of every segment's samples, y as given.
    bool GetPathPoints(LVector3** aOut, int* aCount) const;
    // *aOut must be null: the joined form of the control points (3n + 1).
    bool GetControlPoints(LVector3** aOut, int* aCount) const;

private:
    bool Build(int aCount, const LVector3* aPoints, bool aJoined);
    void Free();

    int mCount = 0;
    LSpline** mSplines = nullptr;
    // The four control points of every segment, as the splines were set.
    LVector3* mControl = nullptr;
    bool mCreated = false;
};
