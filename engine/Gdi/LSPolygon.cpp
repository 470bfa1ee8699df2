#include "Gdi/LSPolygon.h"

#include "LPolygon.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"

LSPolygon::LSPolygon() = default;

LSPolygon::~LSPolygon()
{
    delete mPolygon;
}

LString LSPolygon::Dump() const
{
    return DumpHead("LSPolygon") + "]";
}

int LSPolygon::SetPolygon(const LVector2* aPoints, int aCount, bool aClosed)
{
    return Take(L_NEW LPolygon(aPoints, aCount, aClosed));
}

int LSPolygon::SetPolygon(const LPolygon& aPolygon)
{
    return Take(L_NEW LPolygon(aPolygon));
}

int LSPolygon::Take(LPolygon* aPolygon)
{
    if (aPolygon == nullptr) {
        return 0;
    }
    delete mPolygon;
    mPolygon = aPolygon;
    mShapeDirty = true;
    return 1;
}

LPolygon* LSPolygon::GetPolygon() const
{
    return mPolygon;
}

bool LSPolygon::UpdateShape()
{
    if (!mShapeDirty) {
        return true;
    }
    if (mPolygon == nullptr) {
        return false;
    }
    int count = 0;
    float* positions = NewOutline(*mPolygon, &count);
    if (count < 1) {
        // No geometry: nothing to draw.
        delete mStrokeBuffer;
        mStrokeBuffer = nullptr;
        mShapeDirty = false;
        return true;
    }
    if (positions == nullptr) {
        return false;
    }
    const bool result = ReplaceBuffer(&mStrokeBuffer, positions, count);
    delete[] positions;
    if (!result) {
        return false;
    }
    mShapeDirty = false;
    return true;
}

bool LSPolygon::Render(LRenderer* aRenderer)
{
    return RenderShape(aRenderer);
}
