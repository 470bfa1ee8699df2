#include "Render/LGestureCurve.h"

#include "Gdi/LSBezier.h"
#include "LSpline.h"
#include "LVector3.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LGestureCurve::~LGestureCurve()
{
    Free();
}

void LGestureCurve::Free()
{
    delete[] mSamples;
    mSamples = nullptr;
    mSampleCount = 0;
    mCursor = 0;
}

bool LGestureCurve::Build(const LVector2* aPoints, int aCount)
{
    Free();
    LSBezier bezier;
    if (aCount < 4 || !bezier.Create(aCount, aPoints, true)) {
        L_ASSERT_FAILURE("Build failure. Bad point count.");
        return false;
    }
    const int segments = bezier.GetSplineCount();
    LVector2* samples = L_NEW LVector2[static_cast<size_t>(segments) * kSamplesPerSegment];
    if (samples == nullptr) {
        return false;
    }
    int count = 0;
    for (int i = 0; i < segments; ++i) {
        LVector3* points = nullptr;
        LSpline* spline = bezier.GetSpline(i);
        if (spline == nullptr || !spline->GetPoints(&points) || points == nullptr) {
            delete[] samples;
            return false;
        }
        const int n = spline->GetNumSteps() + 1;
        for (int j = 0; j < n && j < kSamplesPerSegment; ++j) {
            samples[count++] = LVector2(points[j].x, points[j].y);
        }
        delete[] points;
    }
    mSamples = samples;
    mSampleCount = count;
    return true;
}

bool LGestureCurve::Sample(float aTime, float* aPosition)
{
    for (int i = mCursor < 0 ? 0 : mCursor; i < mSampleCount; ++i) {
        if (mSamples[i].x >= aTime) {
            mCursor = i;
            if (aPosition != nullptr) {
                *aPosition = Snap(mSamples[i].y);
            }
            return true;
        }
    }
    return false;
}

const LVector2* LGestureCurve::GetSample(int aIndex) const
{
    return aIndex >= 0 && aIndex < mSampleCount ? &mSamples[aIndex] : nullptr;
}

float LGestureCurve::Snap(float aPosition)
{
    if (aPosition < 0.001f) {
        return 0.0f;
    }
    return aPosition > 0.999f ? 1.0f : aPosition;
}
