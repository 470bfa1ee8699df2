// Display objects drawn from geometry instead of an image: rectangles, polygons and
// Bezier curves. A shape keeps an outline (a line strip) and a fill (a triangle list) as
// vertex buffers in its own coordinates (y up), and one 1 x 1 texture of each colour.
// A concrete shape rebuilds the buffers from its geometry when it has changed.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Render/LColor.h"

class LITexture;
class LPolygon;
class LVertexBuffer;

class LIShape : public LDisplayGroup
{
public:
    LIShape();
    ~LIShape() override;

    bool Render(LRenderer* aRenderer) override = 0;

    virtual int GetTriangleCount() const;
    virtual int GetSegmentCount() const;
    virtual int SetAntialiased(bool aAntialiased);
    virtual int SetFillColor(const LColor& aColor);
    virtual int SetFilled(bool aFilled);
    virtual void InvalidateShape();
    virtual int SetStrokeColor(const LColor& aColor);
    virtual int SetStroked(bool aStroked);
    virtual bool UpdateShape() = 0;

    bool IsAntialiased() const { return mAntialiased; }
    bool IsFilled() const { return mFilled; }
    LITexture* GetFillTexture() const { return mFillTexture; }
    LVertexBuffer* GetFillVertexBuffer() const { return mFillBuffer; }
    const LColor& GetFillColor() const { return mFillColor; }
    bool IsStroked() const { return mStroked; }
    LITexture* GetStrokeTexture() const { return mStrokeTexture; }
    LVertexBuffer* GetStrokeVertexBuffer() const { return mStrokeBuffer; }
    const LColor& GetStrokeColor() const { return mStrokeColor; }
    bool IsShapeDirty() const { return mShapeDirty; }

    // A texture of one pixel of the colour, made by the "texture" creator; null (logged)
    // when none could be made.
    static LITexture* MakeColorTexture(const LColor& aColor);
    // The outline of aPolygon as *aCount positions (x, -y, 0), closed back to its first
    // point: a new array the caller deletes, null when the polygon has no points (*aCount
    // 0) or the array cannot be made.
    static float* NewOutline(const LPolygon& aPolygon, int* aCount);

protected:
    // Replaces a buffer with one of aCount positions (x, y, z floats); false when it
    // cannot be made, and the old buffer is kept.
    static bool ReplaceBuffer(LVertexBuffer** aBuffer, const float* aPositions, int aCount);
    // The common drawing of every shape.
    bool RenderShape(LRenderer* aRenderer);

    bool mAntialiased = false;
    bool mShapeDirty = true;
    bool mStroked = true;
    LColor mStrokeColor;
    LITexture* mStrokeTexture = nullptr;
    LVertexBuffer* mStrokeBuffer = nullptr;
    bool mFilled = false;
    LColor mFillColor;
    LITexture* mFillTexture = nullptr;
    LVertexBuffer* mFillBuffer = nullptr;
};
