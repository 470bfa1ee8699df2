#include "Gdi/LIDisplayObject.h"

#include "Gdi/LDisplayGroup.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {
constexpr float kDegreesToRadians = 0.0174532924f;

const float* Elements(const LMatrix4& aMatrix)
{
    return reinterpret_cast<const float*>(&aMatrix);
}

// A copy of aSource with every y negated.
LPolygon* FlippedCopy(const LPolygon& aSource)
{
    LPolygon* copy = L_NEW LPolygon(aSource);
    if (copy == nullptr) {
        return nullptr;
    }
    const int count = copy->GetNumPoints();
    LVector2* points = nullptr;
    if (count > 0 && copy->GetPointsCopy(&points) && points != nullptr) {
        for (int i = 0; i < count; ++i) {
            points[i].y = -points[i].y;
        }
        copy->SetPoints(points, count, aSource.IsClosed());
        delete[] points;
    }
    return copy;
}
} // namespace

LIDisplayObject::LIDisplayObject()
    : mScale(1.0f, 1.0f), mWorldScale(1.0f, 1.0f), mPosition(0.0f, 0.0f), mCenter(0.0f, 0.0f)
{
    LMatrix4::Identity(&mWorldMatrix);
    LMatrix4::Identity(&mLocalMatrix);
}

LIDisplayObject::~LIDisplayObject()
{
    if (mParent != nullptr) {
        mParent->RemoveMember(this);
    }
    delete mBoundary;
    delete mWorldBoundary;
    delete mClip;
    delete mWorldClip;
}

bool LIDisplayObject::Read(LIStream*)
{
    L_ERROR("Read NYI.");
    return false;
}

bool LIDisplayObject::Write(LIStream*)
{
    L_ERROR("Write NYI.");
    return false;
}

void LIDisplayObject::ClearGroup()
{
    mParent = nullptr;
    InvalidateActive();
    InvalidateEnabled();
    InvalidateVisible();
    InvalidateBlend();
    InvalidateRotation();
    InvalidateScale();
    InvalidateTransform();
}

bool LIDisplayObject::SetId(const LString& aId)
{
    if (aId.IsEmpty()) {
        return false;
    }
    if (aId == mId) {
        return true;
    }
    // A member is filed under its id: it leaves its group under the old one and comes back
    // under the new one, or a later removal would miss it and leave the group holding it.
    LDisplayGroup* group = mParent;
    if (group != nullptr && !group->RemoveMember(this)) {
        return false;
    }
    mId = aId;
    if (group != nullptr && !group->AddMember(this, true)) {
        return false;
    }
    return true;
}

// Setters ------------------------------------------------------------------------------

bool LIDisplayObject::SetActive(bool aActive)
{
    if (aActive != mActive) {
        mActive = aActive;
        InvalidateActive();
    }
    return true;
}

bool LIDisplayObject::SetEnabled(bool aEnabled)
{
    if (aEnabled != mEnabled) {
        mEnabled = aEnabled;
        InvalidateEnabled();
    }
    return true;
}

bool LIDisplayObject::SetVisible(bool aVisible)
{
    mVisible = aVisible;
    InvalidateVisible();
    return true;
}

bool LIDisplayObject::SetBlend(float aBlend)
{
    if (aBlend > 1.0f) {
        aBlend = 1.0f;
    } else if (aBlend < 0.0f) {
        aBlend = 0.0f;
    }
    mBlend = aBlend;
    InvalidateBlend();
    return true;
}

bool LIDisplayObject::SetPosition(const LVector2& aPosition)
{
    return SetPosition(aPosition.x, aPosition.y);
}

bool LIDisplayObject::SetPosition(float aX, float aY)
{
    mPosition = LVector2(aX, aY);
    InvalidatePosition();
    return true;
}

bool LIDisplayObject::SetRotation(float aDegrees)
{
    mRotation = aDegrees;
    InvalidateRotation();
    return true;
}

bool LIDisplayObject::SetScale(const LVector2& aScale)
{
    return SetScale(aScale.x, aScale.y);
}

bool LIDisplayObject::SetScale(float aX, float aY)
{
    mScale = LVector2(aX, aY);
    InvalidateScale();
    return true;
}

bool LIDisplayObject::SetScale(float aScale)
{
    return SetScale(aScale, aScale);
}

bool LIDisplayObject::SetCenter(const LVector2& aCenter)
{
    return SetCenter(aCenter.x, aCenter.y);
}

bool LIDisplayObject::SetCenter(float aX, float aY)
{
    mCenter = LVector2(aX, aY);
    return true;
}

bool LIDisplayObject::SetRelativeZ(float aRelativeZ)
{
    mRelativeZ = aRelativeZ;
    return true;
}

bool LIDisplayObject::SetBoundary(const LIArea* aArea)
{
    if (aArea == nullptr) {
        L_ERROR("SetBoundary failure. NULL arg.");
        return false;
    }
    LPolygon* boundary = nullptr;
    if (aArea->GetAreaType() == 0) {
        boundary = L_NEW LPolygon(*static_cast<const LRectangle*>(aArea));
    } else {
        boundary = dynamic_cast<LPolygon*>(aArea->Clone());
    }
    if (boundary == nullptr) {
        L_ERROR("SetBoundary failure. Invalid arg.");
        return false;
    }
    delete mBoundary;
    mBoundary = boundary;
    // The world boundary must follow the new one.
    InvalidateBoundary();
    return true;
}

bool LIDisplayObject::SetClip(const LRectangle* aClip)
{
    if (aClip == nullptr) {
        L_ERROR("SetClip failure. NULL arg.");
        return false;
    }
    LRectangle* clip = L_NEW LRectangle(*aClip);
    if (clip == nullptr) {
        L_ERROR("SetClip failure. Out of memory.");
        return false;
    }
    delete mClip;
    mClip = clip;
    InvalidateClip();
    return true;
}

bool LIDisplayObject::SetGroup(LDisplayGroup* aGroup)
{
    if (aGroup == nullptr) {
        L_ERROR("Set group failure. apGroup == NULL.");
        return false;
    }
    if (mParent != nullptr) {
        L_ERROR("Set group failure. Group already assigned.");
        return false;
    }
    mParent = aGroup;
    InvalidatePosition();
    return true;
}

// Marks ----------------------------------------------------------------------------------

void LIDisplayObject::InvalidateActive()
{
    mActiveChanged = true;
}

void LIDisplayObject::InvalidateBlend()
{
    mBlendChanged = true;
}

void LIDisplayObject::InvalidateEnabled()
{
    mEnabledChanged = true;
}

void LIDisplayObject::InvalidateVisible()
{
    mVisibleChanged = true;
}

void LIDisplayObject::InvalidateBoundary()
{
    mBoundaryChanged = true;
}

void LIDisplayObject::InvalidateClip()
{
    mClipChanged = true;
}

void LIDisplayObject::InvalidateRotation()
{
    mRotationChanged = true;
    InvalidatePosition();
}

void LIDisplayObject::InvalidateScale()
{
    mScaleChanged = true;
    InvalidatePosition();
}

void LIDisplayObject::InvalidatePosition()
{
    mLocalMatrixChanged = true;
    InvalidateClip();
    InvalidateBoundary();
}

void LIDisplayObject::InvalidateTransform()
{
    mWorldMatrixChanged = true;
    InvalidateClip();
    InvalidateBoundary();
}

// Updates --------------------------------------------------------------------------------

void LIDisplayObject::UpdateActive()
{
    if (!mActiveChanged) {
        return;
    }
    mWorldActive = mActive && (mParent == nullptr || mParent->IsActive());
    mActiveChanged = false;
}

void LIDisplayObject::UpdateVisible()
{
    if (!mVisibleChanged) {
        return;
    }
    mWorldVisible = mVisible && (mParent == nullptr || mParent->IsVisible());
    mVisibleChanged = false;
}

void LIDisplayObject::UpdateEnabled()
{
    if (!mEnabledChanged) {
        return;
    }
    mWorldEnabled = mEnabled && (mParent == nullptr || mParent->IsEnabled());
    mEnabledChanged = false;
}

void LIDisplayObject::UpdateBlend()
{
    if (!mBlendChanged) {
        return;
    }
    mWorldBlend = mParent != nullptr ? mParent->GetWorldBlend() * mBlend : mBlend;
    mBlendChanged = false;
}

void LIDisplayObject::UpdateRotation()
{
    if (!mRotationChanged) {
        return;
    }
    mWorldRotation = mParent != nullptr ? mParent->GetWorldRotation() + mRotation : mRotation;
    mRotationChanged = false;
}

void LIDisplayObject::UpdateScale()
{
    if (!mScaleChanged) {
        return;
    }
    if (mParent != nullptr) {
        const LVector2 parent = mParent->GetWorldScale();
        mWorldScale = LVector2(parent.x * mScale.x, parent.y * mScale.y);
    } else {
        mWorldScale = mScale;
    }
    mScaleChanged = false;
}

void LIDisplayObject::UpdateTransform()
{
    if (mLocalMatrixChanged) {
        LMatrix4 center;
        LMatrix4 scale;
        LMatrix4 rotation;
        LMatrix4 position;
        LMatrix4::Translation(&center, -mCenter.x, mCenter.y, 0.0f);
        LMatrix4::Scaling(&scale, mScale.x, mScale.y, 1.0f);
        LMatrix4::RotationZ(&rotation, mRotation * kDegreesToRadians);
        LMatrix4::Translation(&position, mPosition.x, -mPosition.y, 0.0f);
        LMatrix4::Multiply(&mLocalMatrix, &center, &scale);
        LMatrix4::Multiply(&mLocalMatrix, &mLocalMatrix, &rotation);
        LMatrix4::Multiply(&mLocalMatrix, &mLocalMatrix, &position);
    }
    if (mLocalMatrixChanged || mWorldMatrixChanged) {
        if (mParent != nullptr) {
            LMatrix4::Multiply(&mWorldMatrix, &mLocalMatrix, mParent->GetWorldMatrix());
        } else {
            mWorldMatrix = mLocalMatrix;
        }
    }
    mLocalMatrixChanged = false;
    mWorldMatrixChanged = false;
}

void LIDisplayObject::UpdateBoundary()
{
    delete mWorldBoundary;
    mWorldBoundary = nullptr;
    if (mBoundary != nullptr) {
        mWorldBoundary = FlippedCopy(*mBoundary);
        if (mWorldBoundary != nullptr) {
            mWorldBoundary->Transform(*GetWorldMatrix());
        }
    }
    mBoundaryChanged = false;
}

void LIDisplayObject::UpdateClip()
{
    delete mWorldClip;
    mWorldClip = nullptr;
    if (mClip != nullptr) {
        const LVector2 origin = GetWorldPosition();
        float x = mClip->GetX() + origin.x;
        float y = mClip->GetY() + origin.y;
        float width = mClip->GetWidth();
        float height = mClip->GetHeight();
        // Cut at the screen's left and top edges.
        if (x < 0.0f) {
            width += x;
            x = 0.0f;
        }
        if (y < 0.0f) {
            height += y;
            y = 0.0f;
        }
        if (width >= 0.0f && height >= 0.0f) {
            mWorldClip = L_NEW LRectangle(x, y, width, height);
        }
    }
    mClipChanged = false;
}

void LIDisplayObject::UpdateAll()
{
    if (mActiveChanged) {
        UpdateActive();
    }
    if (mEnabledChanged) {
        UpdateEnabled();
    }
    if (mVisibleChanged) {
        UpdateVisible();
    }
    if (mBlendChanged) {
        UpdateBlend();
    }
    if (mRotationChanged) {
        UpdateRotation();
    }
    if (mScaleChanged) {
        UpdateScale();
    }
    if (mLocalMatrixChanged || mWorldMatrixChanged) {
        UpdateTransform();
    }
    if (mClipChanged) {
        UpdateClip();
    }
    if (mBoundaryChanged) {
        UpdateBoundary();
    }
}

void LIDisplayObject::UpdateForRender()
{
    if (mActiveChanged) {
        UpdateActive();
    }
    if (mEnabledChanged) {
        UpdateEnabled();
    }
    if (mVisibleChanged) {
        UpdateVisible();
    }
    if (mLocalMatrixChanged || mWorldMatrixChanged) {
        UpdateTransform();
    }
    if (mBlendChanged) {
        UpdateBlend();
    }
    if (mRotationChanged) {
        UpdateRotation();
    }
    if (mScaleChanged) {
        UpdateScale();
    }
    if (mClipChanged) {
        UpdateClip();
    }
    if (mBoundaryChanged) {
        UpdateBoundary();
    }
}

// Queries --------------------------------------------------------------------------------

bool LIDisplayObject::IsActive()
{
    UpdateActive();
    return mWorldActive;
}

bool LIDisplayObject::IsVisible()
{
    UpdateVisible();
    return mWorldVisible;
}

bool LIDisplayObject::IsEnabled()
{
    UpdateEnabled();
    return mWorldEnabled;
}

float LIDisplayObject::GetWorldBlend()
{
    if (mBlendChanged) {
        UpdateBlend();
        // Stays marked: the blend is taken from the chain of parents on every query
        // after a change, so a fading parent reaches its members at once.
        InvalidateBlend();
    }
    return mWorldBlend;
}

float LIDisplayObject::GetWorldRotation()
{
    UpdateRotation();
    return mWorldRotation;
}

LVector2 LIDisplayObject::GetWorldScale()
{
    UpdateScale();
    return mWorldScale;
}

LVector2 LIDisplayObject::GetPosition()
{
    UpdateTransform();
    const float* m = Elements(mLocalMatrix);
    return LVector2(m[12], -m[13]);
}

LVector2 LIDisplayObject::GetWorldPosition()
{
    const float* m = Elements(*GetWorldMatrix());
    return LVector2(m[12], -m[13]);
}

const LMatrix4* LIDisplayObject::GetWorldMatrix()
{
    if (mLocalMatrixChanged || mWorldMatrixChanged) {
        UpdateTransform();
    }
    return &mWorldMatrix;
}

bool LIDisplayObject::GetWorldBoundary(LPolygon* aOut)
{
    if (mBoundaryChanged) {
        UpdateBoundary();
    }
    if (mWorldBoundary == nullptr || aOut == nullptr) {
        return false;
    }
    LPolygon* screen = FlippedCopy(*mWorldBoundary);
    if (screen == nullptr) {
        return false;
    }
    *aOut = *screen;
    delete screen;
    return true;
}

bool LIDisplayObject::GetWorldClip(LRectangle* aOut)
{
    LRectangle* clip = GetWorldClipArea();
    if (clip == nullptr || aOut == nullptr) {
        return false;
    }
    *aOut = *clip;
    return true;
}

LRectangle* LIDisplayObject::GetWorldClipArea()
{
    if (mClipChanged) {
        UpdateClip();
    }
    return mWorldClip;
}

bool LIDisplayObject::HitTest(const LVector2& aPoint)
{
    if (!IsActive() || !IsEnabled()) {
        return false;
    }
    GetWorldMatrix();
    if (mBoundaryChanged) {
        UpdateBoundary();
    }
    if (mWorldBoundary == nullptr) {
        return false;
    }
    return mWorldBoundary->ContainsPoint(LVector2(aPoint.x, -aPoint.y));
}
