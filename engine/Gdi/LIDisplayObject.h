// Base of every element of the 2-D display tree drawn over the 3-D picture: groups,
// sprites, text, shapes, buttons and the game's panels.
//
// Coordinates are screen pixels, x to the right and y downwards, relative to the parent
// group. Inside the matrices y points up: every y that enters a matrix is negated and
// every y handed out is turned back. Rotations are degrees, counter-clockwise on the
// screen, about the object's center; scale is about the center too, and the center
// lands on the position.
//
// World values (flags, blend, rotation, scale, matrix, boundary, clip) are cached: each
// setter marks what it changes through a virtual Invalidate operation (groups pass the
// mark on to their members) and the matching Update recomputes it when it is next asked
// for or when the object is drawn.
//
// Holders that do not own a display object (a scroll bar's content and buttons) watch it
// and find it null once it has been deleted.
#pragma once
#include "LMatrix4.h"
#include "LVector2.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LISerializable.h"
#include "object/LWatched.h"

class LDisplayGroup;
class LIArea;
class LPolygon;
class LRectangle;
class LRenderer;

class LIDisplayObject : public LBase, public LISerializable, public LWatched
{
public:
    LIDisplayObject();
    LIDisplayObject(const LIDisplayObject&) = delete;
    LIDisplayObject& operator=(const LIDisplayObject&) = delete;
    // Leaves the parent group first.
    ~LIDisplayObject() override;

    // True when the object is active and enabled and its boundary holds the screen point.
    virtual bool HitTest(const LVector2& aPoint);
    virtual bool Render(LRenderer* aRenderer) = 0;

    virtual bool SetActive(bool aActive);
    virtual void InvalidateActive();
    // Clamped to 0..1.
    virtual bool SetBlend(float aBlend);
    virtual void InvalidateBlend();
    // A copy of the area becomes the hit boundary (a rectangle as its closed polygon);
    // null is refused.
    virtual bool SetBoundary(const LIArea* aArea);
    virtual void InvalidateBoundary();
    // Takes effect when the local matrix is next rebuilt (after a position, rotation or
    // scale change, or on joining a group).
    virtual bool SetCenter(const LVector2& aCenter);
    virtual bool SetCenter(float aX, float aY);
    // Drawing of the object (a group: its members) is cut to this rectangle, placed
    // relative to the object's world position; null is refused.
    virtual bool SetClip(const LRectangle* aClip);
    virtual void InvalidateClip();
    virtual bool SetEnabled(bool aEnabled);
    virtual void InvalidateEnabled();
    virtual bool SetPosition(const LVector2& aPosition);
    virtual bool SetPosition(float aX, float aY);
    virtual bool SetRelativeZ(float aRelativeZ);
    virtual bool SetRotation(float aDegrees);
    virtual void InvalidateRotation();
    virtual bool SetScale(const LVector2& aScale);
    virtual bool SetScale(float aX, float aY);
    virtual bool SetScale(float aScale);
    virtual void InvalidateScale();
    // The local matrix changed.
    virtual void InvalidatePosition();
    // The parent's transform changed.
    virtual void InvalidateTransform();
    virtual bool SetVisible(bool aVisible);
    virtual void InvalidateVisible();
    virtual void UpdateAll();
    virtual void UpdateActive();
    virtual void UpdateBlend();
    virtual void UpdateBoundary();
    virtual void UpdateClip();
    virtual void UpdateEnabled();
    virtual void UpdateRotation();
    virtual void UpdateScale();
    virtual void UpdateTransform();
    virtual void UpdateVisible();
    // Called by a group taking the object as a member.
    virtual bool SetGroup(LDisplayGroup* aGroup);

    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    const LString& GetId() const { return mId; }
    // An empty id is refused.
    bool SetId(const LString& aId);
    float GetRelativeZ() const { return mRelativeZ; }
    LDisplayGroup* GetGroup() const { return mParent; }

    bool GetActive() const { return mActive; }
    bool GetVisible() const { return mVisible; }
    bool GetEnabled() const { return mEnabled; }
    bool IsActive();
    bool IsVisible();
    bool IsEnabled();
    float GetBlend() const { return mBlend; }
    float GetWorldBlend();
    float GetRotation() const { return mRotation; }
    float GetWorldRotation();
    const LVector2& GetScale() const { return mScale; }
    LVector2 GetWorldScale();
    const LVector2& GetCenter() const { return mCenter; }
    // Where the object's own origin lies in its parent (the position less the scaled and
    // rotated center), and in screen pixels.
    LVector2 GetPosition();
    // The position as it was set: where the center lands in the parent.
    const LVector2& GetLocalPosition() const { return mPosition; }
    LVector2 GetWorldPosition();
    const LMatrix4* GetWorldMatrix();
    LPolygon* GetBoundary() const { return mBoundary; }
    bool GetWorldBoundary(LPolygon* aOut);
    LRectangle* GetClip() const { return mClip; }
    bool GetWorldClip(LRectangle* aOut);
    // The world clip in force for drawing, or null.
    LRectangle* GetWorldClipArea();

    void SetUnscaled(bool aUnscaled) { mUnscaled = aUnscaled; }
    bool IsUnscaled() const { return mUnscaled; }
    void SetPixelAligned(bool aAligned) { mPixelAligned = aAligned; }
    bool IsPixelAligned() const { return mPixelAligned; }

    // Forgets the parent without telling it (leaving a group, or a tile group whose
    // parent link only borrows its sprite's), and marks every world value changed.
    virtual void ClearGroup();

protected:
    // Brings the world values up to date in the order drawing needs them.
    void UpdateForRender();
    void StoreRelativeZ(float aRelativeZ) { mRelativeZ = aRelativeZ; }

    friend class LDisplayGroup;

    LString mId;
    float mRelativeZ = 0.0f;
    bool mActive = true;
    bool mWorldActive = true;
    bool mActiveChanged = true;
    bool mVisible = true;
    bool mWorldVisible = true;
    bool mVisibleChanged = true;
    bool mEnabled = true;
    bool mWorldEnabled = true;
    bool mEnabledChanged = true;
    float mWorldBlend = 1.0f;
    float mBlend = 1.0f;
    bool mBlendChanged = true;
    float mRotation = 0.0f;
    float mWorldRotation = 0.0f;
    bool mRotationChanged = true;
    LVector2 mScale;
    LVector2 mWorldScale;
    bool mScaleChanged = true;
    bool mUnscaled = false;
    LVector2 mPosition;
    bool mPixelAligned = false;
    LMatrix4 mWorldMatrix;
    LMatrix4 mLocalMatrix;
    bool mWorldMatrixChanged = true;
    bool mLocalMatrixChanged = true;
    LVector2 mCenter;
    LDisplayGroup* mParent = nullptr;
    LPolygon* mBoundary = nullptr;
    LPolygon* mWorldBoundary = nullptr;
    bool mBoundaryChanged = true;
    LRectangle* mClip = nullptr;
    LRectangle* mWorldClip = nullptr;
    bool mClipChanged = true;
};
