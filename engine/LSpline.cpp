#include "LSpline.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

constexpr int kDefaultSteps = 100;

} // namespace

LSpline::LSpline(const LSpline& aOther)
{
    *this = aOther;
}

LSpline& LSpline::operator=(const LSpline& aOther)
{
    if (this == &aOther) {
        return *this;
    }
    LVector3* points = nullptr;
    if (aOther.mControlPoints) {
        points = L_NEW LVector3[4];
        if (!points) {
            L_ERROR("Out of memory.");
            return *this;
        }
        for (int i = 0; i < 4; ++i) {
            points[i] = aOther.mControlPoints[i];
        }
    }
    delete[] mControlPoints;
    mControlPoints = points;
    mNumSteps = aOther.mNumSteps;
    mD1 = aOther.mD1;
    mD2 = aOther.mD2;
    mD3 = aOther.mD3;
    mPrepared = aOther.mPrepared;
    return *this;
}

LSpline::~LSpline()
{
    delete[] mControlPoints;
}

int LSpline::Set(const LVector3& aP0, const LVector3& aP1, const LVector3& aP2, const LVector3& aP3)
{
    LVector3* points = L_NEW LVector3[4];
    if (!points) {
        L_ERROR("Out of memory.");
        return 0;
    }
    points[0] = aP0;
    points[1] = aP1;
    points[2] = aP2;
    points[3] = aP3;
    delete[] mControlPoints;
    mControlPoints = points;
    mNumSteps = kDefaultSteps;
    mPrepared = false;
    return 1;
}

void LSpline::Clear()
{
    delete[] mControlPoints;
    mControlPoints = nullptr;
    mPrepared = false;
}

void LSpline::Prepare()
{
    const LVector3& p0 = mControlPoints[0];
    const LVector3& p1 = mControlPoints[1];
    const LVector3& p2 = mControlPoints[2];
    const LVector3& p3 = mControlPoints[3];
    const float h = 1.0f / static_cast<float>(mNumSteps);
    const float h2 = h * h;
    const float h3 = h2 * h;
    const LVector3 a = p0 * -1.0f + p1 * 3.0f - p2 * 3.0f + p3;
    const LVector3 b = p0 * 3.0f - p1 * 6.0f + p2 * 3.0f;
    const LVector3 c = p0 * -3.0f + p1 * 3.0f;
    mD1 = a * h3 + b * h2 + c * h;
    mD2 = a * (6.0f * h3) + b * (2.0f * h2);
    mD3 = a * (6.0f * h3);
    mPrepared = true;
}

int LSpline::GetPoints(LVector3** aOut)
{
    if (!aOut || *aOut) {
        L_ASSERT_FAILURE("GetPoints failure. Invalid arg.");
        return 0;
    }
    if (!mControlPoints || mNumSteps <= 0) {
        L_ASSERT_FAILURE("GetPoints failure. No control points.");
        return 0;
    }
    if (!mPrepared) {
        Prepare();
    }
    LVector3* points = L_NEW LVector3[mNumSteps + 1];
    if (!points) {
        L_ERROR("Out of memory.");
        return 0;
    }
    LVector3 p = mControlPoints[0];
    LVector3 d1 = mD1;
    LVector3 d2 = mD2;
    const LVector3 d3 = mD3;
    for (int k = 0; k <= mNumSteps; ++k) {
        points[k] = p;
        p += d1;
        d1 += d2;
        d2 += d3;
    }
    *aOut = points;
    return 1;
}
