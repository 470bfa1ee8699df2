#include "Gdi/LSBezier.h"

#include "LSpline.h"
#include "Render/LVertexBuffer.h"
#include "LVector3.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LSBezier::LSBezier() = default;

LSBezier::~LSBezier()
{
    Free();
}

LString LSBezier::Dump() const
{
    return DumpHead("LSBezier") + "]";
}

void LSBezier::Free()
{
    for (int i = 0; i < mCount; ++i) {
        delete mSplines[i];
    }
    delete[] mSplines;
    mSplines = nullptr;
    delete[] mControl;
    mControl = nullptr;
    mCount = 0;
}

bool LSBezier::Create(int aCount, const LVector2* aPoints, bool aJoined)
{
    if (aCount < 0 || (aCount > 0 && aPoints == nullptr)) {
        L_ASSERT_FAILURE("Create failure. Bad point count.");
        return false;
    }
    LVector3* points = aCount > 0 ? L_NEW LVector3[aCount] : nullptr;
    if (aCount > 0 && points == nullptr) {
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        points[i] = LVector3(aPoints[i].x, aPoints[i].y, 0.0f);
    }
    const bool result = Build(aCount, points, aJoined);
    delete[] points;
    return result;
}

bool LSBezier::Create(int aCount, const LVector3* aPoints, bool aJoined)
{
    if (aCount < 0 || (aCount > 0 && aPoints == nullptr)) {
        L_ASSERT_FAILURE("Create failure. Bad point count.");
        return false;
    }
    return Build(aCount, aPoints, aJoined);
}

bool LSBezier::Build(int aCount, const LVector3* aPoints, bool aJoined)
{
    int segments = 0;
    int stride = 0;
    if (aJoined && aCount % 3 == 1) {
        segments = aCount / 3;
        stride = 3;
    } else if (!aJoined && aCount % 4 == 0) {
        segments = aCount / 4;
        stride = 4;
    } else {
        L_ASSERT_FAILURE("Create failure. Bad point count.");
        return false;
    }
    LSpline** splines = segments > 0 ? L_NEW LSpline*[segments] : nullptr;
    LVector3* control = segments > 0 ? L_NEW LVector3[segments * 4] : nullptr;
    if (segments > 0 && (splines == nullptr || control == nullptr)) {
        delete[] splines;
        delete[] control;
        return false;
    }
    for (int i = 0; i < segments; ++i) {
        splines[i] = L_NEW LSpline();
        if (splines[i] == nullptr) {
            for (int j = 0; j < i; ++j) {
                delete splines[j];
            }
            delete[] splines;
            delete[] control;
            return false;
        }
        const LVector3* p = aPoints + i * stride;
        // The second control point goes in with z 0, in both forms.
        control[i * 4 + 0] = p[0];
        control[i * 4 + 1] = LVector3(p[1].x, p[1].y, 0.0f);
        control[i * 4 + 2] = p[2];
        control[i * 4 + 3] = p[3];
        splines[i]->Set(control[i * 4 + 0], control[i * 4 + 1], control[i * 4 + 2], control[i * 4 + 3]);
    }
    Free();
    mSplines = splines;
    mControl = control;
    mCount = segments;
    mCreated = true;
    return true;
}

LSpline* LSBezier::GetSpline(int aIndex) const
{
    if (aIndex < 0 || aIndex >= mCount) {
        return nullptr;
    }
    return mSplines[aIndex];
}

bool LSBezier::UpdateShape()
{
    if (!mCreated || !mShapeDirty) {
        return false;
    }
    if (mCount == 0) {
        // A curve of no segments has no outline to draw.
        delete mStrokeBuffer;
        mStrokeBuffer = nullptr;
        mShapeDirty = false;
        return true;
    }
    int total = 1;
    for (int i = 0; i < mCount; ++i) {
        total += mSplines[i]->GetNumSteps();
    }
    float* positions = L_NEW float[static_cast<size_t>(total) * 3];
    if (positions == nullptr) {
        return false;
    }
    int at = 0;
    bool result = true;
    for (int i = 0; i < mCount && result; ++i) {
        LVector3* samples = nullptr;
        if (!mSplines[i]->GetPoints(&samples) || samples == nullptr) {
            result = false;
            break;
        }
        const int count = mSplines[i]->GetNumSteps() + 1;
        for (int k = i == 0 ? 0 : 1; k < count && at < total; ++k) {
            positions[at * 3 + 0] = samples[k].x;
            positions[at * 3 + 1] = -samples[k].y;
            positions[at * 3 + 2] = samples[k].z;
            ++at;
        }
        delete[] samples;
    }
    if (result) {
        result = ReplaceBuffer(&mStrokeBuffer, positions, at);
    }
    delete[] positions;
    if (!result) {
        return false;
    }
    mShapeDirty = false;
    return true;
}

bool LSBezier::GetPathPoints(LVector3** aOut, int* aCount) const
{
    if (aOut == nullptr || *aOut != nullptr || aCount == nullptr) {
        L_ERROR("GetPathPoints failure. NULL arg.");
        return false;
    }
    int total = 0;
    for (int i = 0; i < mCount; ++i) {
        total += mSplines[i]->GetNumSteps() + 1;
    }
    LVector3* points = L_NEW LVector3[total > 0 ? total : 1];
    if (points == nullptr) {
        return false;
    }
    int at = 0;
    for (int i = 0; i < mCount; ++i) {
        LVector3* samples = nullptr;
        if (mSplines[i]->GetPoints(&samples) && samples != nullptr) {
            for (int k = 0; k <= mSplines[i]->GetNumSteps(); ++k) {
                points[at++] = samples[k];
            }
            delete[] samples;
        }
    }
    *aOut = points;
    *aCount = at;
    return true;
}

bool LSBezier::GetControlPoints(LVector3** aOut, int* aCount) const
{
    if (aOut == nullptr || *aOut != nullptr || aCount == nullptr) {
        L_ASSERT_FAILURE("GetControlPoints failure. Invalid arg.");
        return false;
    }
    if (mCount == 0) {
        *aCount = 0;
        return true;
    }
    LVector3* points = L_NEW LVector3[3 * mCount + 1];
    if (points == nullptr) {
        return false;
    }
    int at = 0;
    points[at++] = mControl[0];
    for (int i = 0; i < mCount; ++i) {
        points[at++] = mControl[i * 4 + 1];
        points[at++] = mControl[i * 4 + 2];
        points[at++] = mControl[i * 4 + 3];
    }
    *aOut = points;
    *aCount = at;
    return true;
}

bool LSBezier::Render(LRenderer* aRenderer)
{
    return RenderShape(aRenderer);
}
