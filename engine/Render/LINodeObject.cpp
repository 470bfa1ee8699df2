#include "Render/LINodeObject.h"

#include "Render/LNodeGroup.h"
#include "stdlib/LLog.h"

namespace {
constexpr float kRadiansPerDegree = 0.01745329f;
}

LINodeObject::LINodeObject() = default;

LINodeObject::~LINodeObject()
{
    while (mFollowers.GetCount() > 0) {
        static_cast<LINodeObject*>(mFollowers.GetAt(mFollowers.GetCount() - 1))->ClearGroup();
    }
    // A group keeps its members by pointer: a member that goes away leaves it.
    if (auto* group = dynamic_cast<LNodeGroup*>(mGroup); group != nullptr && group->GetMember(mId) == this) {
        LINodeObject* removed = nullptr;
        group->RemoveMember(mId, &removed);
    }
    ClearGroup();
}

void LINodeObject::ClearGroup()
{
    if (mGroup != nullptr) {
        mGroup->mFollowers.Remove(this);
        mGroup = nullptr;
    }
}

LString LINodeObject::Dump() const
{
    return DumpHead("LINodeObject") + "]";
}

int LINodeObject::Init(int)
{
    return 1;
}

int LINodeObject::OnLoad(LIStream*, float)
{
    return 0;
}

int LINodeObject::OnSave(LIStream*)
{
    return 0;
}

int LINodeObject::Set(Flag& aFlag, bool aValue)
{
    if (aValue != (aFlag.mOwn != 0)) {
        aFlag.mDirty = 1;
    }
    aFlag.mOwn = aValue ? 1 : 0;
    return 1;
}

int LINodeObject::Update(Flag& aFlag, bool (LINodeObject::*aGroupValue)())
{
    aFlag.mEffective = aFlag.mOwn != 0 && (mGroup == nullptr || (mGroup->*aGroupValue)()) ? 1 : 0;
    aFlag.mDirty = 0;
    return 1;
}

int LINodeObject::SetVisible(bool aVisible)
{
    return Set(mVisible, aVisible);
}

int LINodeObject::InvalidateVisible()
{
    mVisible.mDirty = 1;
    return 1;
}

int LINodeObject::SetName(const LString& aName)
{
    mId = aName;
    return 1;
}

int LINodeObject::InvalidateTransform()
{
    mTransformDirty = 1;
    return 1;
}

int LINodeObject::SetEnabled(bool aEnabled)
{
    return Set(mEnabled, aEnabled);
}

int LINodeObject::InvalidateEnabled()
{
    mEnabled.mDirty = 1;
    return 1;
}

int LINodeObject::UpdateVisible()
{
    return Update(mVisible, &LINodeObject::IsVisible);
}

int LINodeObject::UpdateWorldMatrix()
{
    if (mGroup != nullptr) {
        const LMatrix4 groupWorld = mGroup->GetWorldMatrix();
        LMatrix4::Multiply(&mWorld, &groupWorld, &mLocal);
    } else {
        mWorld = mLocal;
    }
    mTransformDirty = 0;
    return 1;
}

int LINodeObject::UpdateEnabled()
{
    return Update(mEnabled, &LINodeObject::IsEnabled);
}

bool LINodeObject::IsVisible()
{
    if (mVisible.mDirty != 0) {
        UpdateVisible();
    }
    return mVisible.mEffective != 0;
}

bool LINodeObject::IsEnabled()
{
    if (mEnabled.mDirty != 0) {
        UpdateEnabled();
    }
    return mEnabled.mEffective != 0;
}

int LINodeObject::GetWorldMatrix(LMatrix4* aOut)
{
    if (mTransformDirty != 0) {
        UpdateWorldMatrix();
    }
    if (aOut != nullptr) {
        *aOut = mWorld;
    }
    return 1;
}

LMatrix4 LINodeObject::GetWorldMatrix()
{
    LMatrix4 world;
    GetWorldMatrix(&world);
    return world;
}

int LINodeObject::GetLocalMatrix(LMatrix4* aOut) const
{
    if (aOut != nullptr) {
        *aOut = mLocal;
    }
    return 1;
}

int LINodeObject::SetLocalMatrix(const LMatrix4* aMatrix)
{
    if (aMatrix != nullptr) {
        mLocal = *aMatrix;
    }
    return 1;
}

int LINodeObject::SetLocal(LMatrix4* (*aMake)(LMatrix4*, float), float aValue)
{
    aMake(&mLocal, aValue);
    return 1;
}

int LINodeObject::SetRotationX(float aRadians)
{
    return SetLocal(&LMatrix4::RotationX, aRadians);
}

int LINodeObject::SetRotationY(float aRadians)
{
    return SetLocal(&LMatrix4::RotationY, aRadians);
}

int LINodeObject::SetRotationZ(float aRadians)
{
    return SetLocal(&LMatrix4::RotationZ, aRadians);
}

int LINodeObject::SetRotationXDegrees(float aDegrees)
{
    return SetRotationX(aDegrees * kRadiansPerDegree);
}

int LINodeObject::SetRotationYDegrees(float aDegrees)
{
    return SetRotationY(aDegrees * kRadiansPerDegree);
}

int LINodeObject::SetRotationZDegrees(float aDegrees)
{
    return SetRotationZ(aDegrees * kRadiansPerDegree);
}

int LINodeObject::SetScaling(float aX, float aY, float aZ)
{
    LMatrix4::Scaling(&mLocal, aX, aY, aZ);
    return 1;
}

int LINodeObject::SetScaling(const LVector3& aScale)
{
    return SetScaling(aScale.x, aScale.y, aScale.z);
}

int LINodeObject::SetTranslation(float aX, float aY, float aZ)
{
    LMatrix4::Translation(&mLocal, aX, aY, aZ);
    return 1;
}

int LINodeObject::SetTranslation(const LVector3& aTranslation)
{
    return SetTranslation(aTranslation.x, aTranslation.y, aTranslation.z);
}

LVector3 LINodeObject::NotProvided(const char* aMessage, bool aAbsolute)
{
    if (aAbsolute) {
        GetWorldMatrix(nullptr);
    }
    L_ERROR(aMessage);
    return LVector3(0.0f, 0.0f, 0.0f);
}

LVector3 LINodeObject::GetRotationAbs()
{
    return NotProvided("GetRotationAbs NYI.", true);
}

LVector3 LINodeObject::GetRotationRel()
{
    return NotProvided("GetRotationRel NYI.", false);
}

LVector3 LINodeObject::GetScaleAbs()
{
    return NotProvided("GetScaleAbs NYI.", true);
}

LVector3 LINodeObject::GetScaleRel()
{
    return NotProvided("GetScaleRel NYI.", false);
}

LVector3 LINodeObject::GetTranslationAbs()
{
    return NotProvided("GetTranslationAbs NYI.", true);
}

LVector3 LINodeObject::GetTranslationRel()
{
    return NotProvided("GetTranslationRel NYI.", false);
}

int LINodeObject::SetGroup(LINodeObject* aGroup)
{
    if (aGroup == nullptr) {
        L_ERROR("SetGroup failure. Null arg.");
        return 0;
    }
    // Flags and matrices are pulled up the group links: a loop would never end.
    for (const LINodeObject* node = aGroup; node != nullptr; node = node->mGroup) {
        if (node == this) {
            L_ERROR("SetGroup failure. The group follows this node: " + mId);
            return 0;
        }
    }
    ClearGroup();
    mGroup = aGroup;
    aGroup->mFollowers.Add(this);
    return 1;
}
