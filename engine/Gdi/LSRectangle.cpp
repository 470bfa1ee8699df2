#include "Gdi/LSRectangle.h"

#include "LRectangle.h"
#include "memory/LMemoryManager.h"

LSRectangle::LSRectangle() = default;

LSRectangle::~LSRectangle()
{
    delete mRect;
}

LString LSRectangle::Dump() const
{
    return DumpHead("LSRectangle") + "]";
}

int LSRectangle::SetRect(const LRectangle& aRect)
{
    LRectangle* rect = L_NEW LRectangle(aRect);
    if (rect == nullptr) {
        return 0;
    }
    delete mRect;
    mRect = rect;
    mShapeDirty = true;
    return 1;
}

bool LSRectangle::UpdateShape()
{
    if (!mShapeDirty || mRect == nullptr) {
        return false;
    }
    const float x = mRect->GetX();
    const float y = mRect->GetY();
    const float w = mRect->GetWidth();
    const float h = mRect->GetHeight();
    if (mStroked) {
        const float stroke[15] = {x, -y, 0.0f, x + w, -y, 0.0f, x + w, -(y + h), 0.0f,
                                  x, -(y + h), 0.0f, x, -y, 0.0f};
        if (!ReplaceBuffer(&mStrokeBuffer, stroke, 5)) {
            return false;
        }
    }
    if (mFilled) {
        const float fill[18] = {x, -(y + h), 0.0f, x, -y, 0.0f, x + w, -(y + h), 0.0f,
                                x + w, -(y + h), 0.0f, x, -y, 0.0f, x + w, -y, 0.0f};
        if (!ReplaceBuffer(&mFillBuffer, fill, 6)) {
            return false;
        }
    }
    mShapeDirty = false;
    return true;
}

bool LSRectangle::Render(LRenderer* aRenderer)
{
    return RenderShape(aRenderer);
}
