// Turns display objects into draw calls on the rasterizer. It sets the fixed 2-D render
// states and an orthographic projection of the 800 x 600 screen, keeps the clip area in
// force as a viewport with a matching projection, and draws sprites, shapes and, for
// debugging, area outlines.
//
// A screen point (x, y), y downwards, is (x, -y) in world space. The renderer adds the
// origin offset (-(width / 2 + 0.5), height / 2 + 0.5) and projects width x height
// centred on the origin, so that pixel centres fall on texel centres.
#pragma once
#include "LMatrix4.h"
#include "LRectangle.h"
#include "LVector2.h"
#include "container/LString.h"
#include "object/LBase.h"

class LColor;
class LIArea;
class LIRasterizer;
class LIShape;
class LPolygon;
class LSprite;

class LRenderer : public LBase
{
public:
    // The renderer, created on first use; null when it or the rasterizer cannot be had,
    // and after the cleaner deleted it.
    static LRenderer* Get();

    LRenderer();
    ~LRenderer() override;

    LString Dump() const override;

    // The 2-D pass bracket: Begin sets the render states, End does nothing.
    virtual bool Begin();
    virtual bool End();
    virtual bool RenderSprite(LSprite* aSprite);
    virtual bool SetOrigin(float aX, float aY);
    // Replaces the default projection until the next ResetProjection.
    virtual bool SetProjection(const LMatrix4& aProjection);

    bool RenderShape(LIShape* aShape);

    // Makes a clip area (screen pixels) the one in force, or with null the full screen.
    // The area is borrowed: the caller keeps it alive while it is in force. A new clip
    // replaces the one in force; clips do not intersect.
    bool SetClip(LRectangle* aClip);
    LRectangle* GetClip() const { return mClip; }
    void ResetProjection();
    LVector2 GetOrigin() const { return mOrigin; }
    LRectangle GetScreenRect() const { return mScreenRect; }
    // Debugging aid: drawing the sprite of this id (compared without case) logs a line.
    void SetBreakId(const LString& aId) { mBreakId = aId; }

    // Debugging outlines in screen pixels.
    bool RenderBoundary(const LIArea* aArea, const LColor& aColor);
    bool RenderRectangle(const LRectangle* aRectangle, const LColor& aColor);
    bool RenderPolygon(LPolygon* aPolygon, const LColor& aColor);

    LIRasterizer* GetRasterizer() const { return mRasterizer; }

private:
    // The translation that places world coordinates for the area in force.
    LVector2 CurrentOrigin() const;

    LRectangle mScreenRect;
    LVector2 mOrigin;
    LIRasterizer* mRasterizer = nullptr;
    LMatrix4* mDefaultProjection = nullptr;
    LString mBreakId;
    LRectangle* mClip = nullptr;
    LMatrix4* mClipProjection = nullptr;
    LVector2 mClipOrigin;
    LRectangle mClipRect;
};
