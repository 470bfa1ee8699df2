// One cubic Bezier segment, sampled by forward differencing into numSteps + 1 points.
#pragma once
#include "LVector3.h"

class LSpline
{
public:
    LSpline() = default;
    LSpline(const LSpline& aOther);
    LSpline& operator=(const LSpline& aOther);
    ~LSpline();

    // New control points p0 .. p3; 100 steps. Always 1.
    int Set(const LVector3& aP0, const LVector3& aP1, const LVector3& aP2, const LVector3& aP3);
    // *aOut must be null; receives a new array of GetNumSteps() + 1 points from p0 to p3,
    // which the caller frees with delete[]. 0 for a bad argument and for a spline that
    // was never set.
    int GetPoints(LVector3** aOut);
    int GetNumSteps() const { return mNumSteps; }
    // Frees the control points.
    void Clear();

private:
    void Prepare();

    int mNumSteps = 0;
    LVector3* mControlPoints = nullptr;
    LVector3 mD1;
    LVector3 mD2;
    LVector3 mD3;
    bool mPrepared = false;
};
