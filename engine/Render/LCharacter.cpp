#include "Render/LCharacter.h"

#include "LMatrix4.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LISteering.h"
#include "Render/LLipSyncPlayer.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

namespace {

bool EndsInOne(const LString& aPath)
{
    return aPath.GetLength() > 0 && aPath.At(aPath.GetLength() - 1) == u'1';
}

} // namespace

LCharacter::LCharacter() = default;

LCharacter::~LCharacter()
{
    mSteering = nullptr;
    ClearLipSync();
    delete mIdleAnimation;
    FreeMoves();
    FreeShadows();
}

LString LCharacter::Dump() const
{
    return DumpHead("LCharacter") + " " + GetName() + "]";
}

void LCharacter::FreeMoves()
{
    for (int i = 0; i < mMoveCount; ++i) {
        delete mMoves[i].mAnimation;
    }
    delete[] mMoves;
    mMoves = nullptr;
    mMoveCount = 0;
}

LDrawElement* LCharacter::GetDrawElement() const
{
    return GetElementCount() > 0 ? static_cast<LDrawElement*>(GetElements().GetAt(0)) : nullptr;
}

LAnimationCtrl* LCharacter::GetAnimationCtrl() const
{
    const LDrawElement* element = GetDrawElement();
    LAnimationCtrl* ctrl = element != nullptr ? element->GetAnimationCtrl() : nullptr;
    if (ctrl == nullptr) {
        L_ERROR("GetAnimationCtrl failure. No animation controller.");
    }
    return ctrl;
}

LAnimationTrack* LCharacter::GetTrack(int aIndex) const
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr ? ctrl->GetTrack(aIndex) : nullptr;
}

bool LCharacter::LoadModel(const LString& aFile)
{
    auto* element = L_NEW LDrawElement();
    if (element == nullptr || !AddElement(element)) {
        delete element;
        return false;
    }
    mIsPlayer = 0;
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!stream.CreateFromFile(aFile, true)) {
        L_ASSERT_FAILURE(LString("Load failure. Model not found: ") + aFile);
        return false;
    }
    const bool read = EndsInOne(aFile) ? element->Read(&stream) : element->LoadModel(&stream, LDrawElement::kHierarchical);
    if (!read) {
        L_ASSERT_FAILURE(LString("Load failure. Model not read: ") + aFile);
        return false;
    }
    element->SetAnimationCtrl(L_NEW LAnimationCtrl());
    return true;
}

int LCharacter::Load(const LPropertyList* aData, const LString* aShadowPath)
{
    if (aData == nullptr) {
        L_ASSERT_FAILURE("Load failure. NULL arg.");
        return 0;
    }
    bool found = false;
    const LString mesh = aData->GetString(LString("mesh"), found);
    if (!found) {
        L_ASSERT_FAILURE("'mesh' not found.");
    }
    if (!LoadModel(LString("//meshes/") + mesh)) {
        return 0;
    }
    if (aShadowPath != nullptr) {
        LoadShadows(*aShadowPath);
    }
    const LString type = aData->GetString(LString("type"), found);
    if (!found) {
        L_ASSERT_FAILURE("'type' not found.");
    }
    mIsPlayer = type.EqualsNoCase(u"player") ? 1 : 0;
    const LString gender = aData->GetString(LString("gender"), found);
    mFemale = found && gender.EqualsNoCase(u"f") ? 1 : 0;
    const LString head = aData->GetString(LString("headtype"), found);
    mHeadType = found ? head : LString("ma");
    return LoadAnimations(aData->GetList(LString("animations")));
}

LAnimation* LCharacter::ReadAnimation(const LString& aFile)
{
    auto* animation = L_NEW LAnimation();
    if (animation == nullptr) {
        return nullptr;
    }
    const LString path = LString("//animations/") + aFile;
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!stream.CreateFromFile(path, true)) {
        L_ASSERT_FAILURE(LString("Animation not found: ") + path);
        return animation;
    }
    if (EndsInOne(path)) {
        animation->Read(&stream);
    } else {
        animation->ReadLia(&stream, path);
    }
    return animation;
}

int LCharacter::LoadAnimations(const LPropertyList* aAnimations)
{
    const LPropertyList* idle = aAnimations != nullptr ? aAnimations->GetList(LString("idle")) : nullptr;
    const LPropertyList* move = aAnimations != nullptr ? aAnimations->GetList(LString("move")) : nullptr;
    if (idle == nullptr || idle->GetCount() != 1) {
        L_ASSERT_FAILURE("Support for >1 idle anim NYI.");
    }
    bool found = false;
    for (int i = 0; idle != nullptr && i < idle->GetCount(); ++i) {
        const LPropertyList* entry = idle->GetListAt(i);
        const LString file = entry != nullptr ? entry->GetString(LString("file"), found) : LString();
        if (entry == nullptr || !found) {
            L_ASSERT_FAILURE("'file' not found.");
        }
        SetIdleAnimation(ReadAnimation(file));
    }
    const int count = move != nullptr ? move->GetCount() : 0;
    FreeMoves();
    if (count > 0) {
        mMoves = L_NEW MoveRecord[count];
        if (mMoves == nullptr) {
            return 0;
        }
        mMoveCount = count;
    }
    for (int i = 0; i < count; ++i) {
        const LPropertyList* entry = move->GetListAt(i);
        const LString file = entry != nullptr ? entry->GetString(LString("file"), found) : LString();
        if (entry == nullptr || !found) {
            L_ASSERT_FAILURE("'file' not found.");
        }
        mMoves[i].mAnimation = ReadAnimation(file);
        const float speed = entry != nullptr ? entry->GetFloat(LString("movespeed"), found) : 0.0f;
        if (entry == nullptr || !found) {
            L_ASSERT_FAILURE("'movespeed' not found.");
        }
        mMoves[i].mSpeed = speed;
    }
    return 1;
}

int LCharacter::Render()
{
    return mVisible ? LAnimatedNode::Render() : 1;
}

int LCharacter::SetVisible(bool aVisible)
{
    mVisible = aVisible ? 1 : 0;
    return 1;
}

int LCharacter::Update(const LMatrix4* aWorld)
{
    return mVisible ? LAnimatedNode::Update(aWorld) : 1;
}

int LCharacter::UpdateSkins()
{
    return mVisible ? LAnimatedNode::UpdateSkins() : 1;
}

int LCharacter::UpdateTransform()
{
    if (!mVisible) {
        return 1;
    }
    if (mDirection.x == 0.0f && mDirection.y == 0.0f && mDirection.z == 0.0f) {
        mDirection = LVector3(0.0f, 0.0f, 1.0f);
    }
    LMatrix4 translation;
    LMatrix4::Translation(&translation, mPosition.x, mPosition.y, mPosition.z);
    const LVector3 eye(0.0f, 0.0f, 0.0f);
    const LVector3 at(mDirection.x, mDirection.y, -mDirection.z);
    const LVector3 up(0.0f, 1.0f, 0.0f);
    LMatrix4 rotation;
    LMatrix4::LookAt(&rotation, &eye, &at, &up);
    LMatrix4 world;
    LMatrix4::Multiply(&world, &rotation, &translation);
    return LAnimatedNode::Update(&world) ? 1 : 0;
}

int LCharacter::UpdateSteering()
{
    if (!mVisible) {
        return 1;
    }
    if (!mIdleStarted) {
        mIdleStarted = 1;
        SetBaseAnimation(mIdleAnimation, 0.0f);
    }
    // Characters that stand where the scene put them have no steering.
    if (mSteering == nullptr) {
        return 1;
    }
    LVector3 position;
    if (mSteering->GetPosition(position)) {
        mPosition = LVector3(position.x, position.z, position.y);
    }
    if (const LVector3* direction = mSteering->GetDirection()) {
        mDirection = LVector3(direction->x, direction->z, direction->y);
    }
    return 1;
}

int LCharacter::SetSteering(LISteering* aSteering)
{
    if (aSteering == nullptr) {
        L_ASSERT_FAILURE("SetSteering failure. NULL arg.");
        return 0;
    }
    mSteering = aSteering;
    return 1;
}

int LCharacter::SetIdleAnimation(LAnimation* aAnimation)
{
    if (aAnimation != mIdleAnimation) {
        delete mIdleAnimation;
        mIdleAnimation = aAnimation;
    }
    return 1;
}

int LCharacter::SetMoveAnimations(int aCount, LAnimation* aAnimations[], const float aSpeeds[])
{
    FreeMoves();
    if (aCount <= 0 || aAnimations == nullptr || aSpeeds == nullptr) {
        return 1;
    }
    mMoves = L_NEW MoveRecord[aCount];
    if (mMoves == nullptr) {
        return 0;
    }
    mMoveCount = aCount;
    for (int i = 0; i < aCount; ++i) {
        mMoves[i].mAnimation = aAnimations[i];
        mMoves[i].mSpeed = aSpeeds[i];
    }
    return 1;
}

const LCharacter::MoveRecord* LCharacter::GetMove(int aIndex) const
{
    return aIndex >= 1 && aIndex <= mMoveCount ? &mMoves[aIndex - 1] : nullptr;
}

int LCharacter::SetBaseAnimation(LAnimation* aAnimation, float aWeight)
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr && ctrl->SetAnimation(aAnimation, false, aWeight, kFadeRate, kIdleFlags, 1.0f);
}

int LCharacter::PlayAnimation(LAnimation* aAnimation)
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr && ctrl->SetAnimation(aAnimation, false, 0.0f, kFadeRate, kPlayFlags, 1.0f);
}

int LCharacter::PlayGestureAnimation(LAnimation* aAnimation)
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr && ctrl->SetAnimation(aAnimation, true, 0.0f, kFadeRate, kGestureFlags, 1.0f);
}

int LCharacter::SetAnimationTime(LAnimation* aAnimation, float aTime)
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    LAnimationTrack* track = ctrl != nullptr ? ctrl->FindTrack(aAnimation) : nullptr;
    if (track == nullptr) {
        return 0;
    }
    track->SetTime(aTime, false);
    return 1;
}

int LCharacter::EndAnimation(LAnimation* aAnimation)
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    LAnimationTrack* track = ctrl != nullptr ? ctrl->FindTrack(aAnimation) : nullptr;
    if (track == nullptr) {
        return 0;
    }
    track->mEnded = true;
    return 1;
}

int LCharacter::StopBlendTracks()
{
    LAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl == nullptr) {
        return 0;
    }
    for (int i = 1; i < LAnimationCtrl::kTrackCount; ++i) {
        LAnimationTrack* track = ctrl->GetTrack(i);
        if (track != nullptr && track->mAnimation != nullptr) {
            track->Clear();
        }
    }
    return 1;
}

void LCharacter::ClearLipSync()
{
    delete mLipSyncPlayer;
    mLipSyncPlayer = nullptr;
    if (LDrawElement* element = GetDrawElement()) {
        element->ClearLipSyncPlayer();
    }
}

int LCharacter::StartLipSync(const LString& aDataName, const LString& aAnimationName)
{
    ClearLipSync();
    LDrawElement* element = GetDrawElement();
    auto* player = L_NEW LLipSyncPlayer();
    if (element == nullptr || player == nullptr || !player->LoadData(false, aDataName, true)) {
        delete player;
        return 0;
    }
    player->LoadAnimation(aAnimationName, true);
    player->SetDrawElement(element);
    element->SetLipSyncPlayer(player);
    mLipSyncPlayer = player;
    return 1;
}

int LCharacter::PlayLipSync()
{
    return mLipSyncPlayer != nullptr ? mLipSyncPlayer->Play() : 0;
}

int LCharacter::StopLipSync()
{
    if (mLipSyncPlayer == nullptr) {
        return 0;
    }
    mLipSyncPlayer->Stop();
    ClearLipSync();
    return 1;
}

bool LCharacter::InTriangleBounds(const LVector3& aPoint, const LVector3& aA, const LVector3& aB, const LVector3& aC)
{
    const auto lo = [](float a, float b, float c) { return a < b ? (a < c ? a : c) : (b < c ? b : c); };
    const auto hi = [](float a, float b, float c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); };
    return aPoint.x >= lo(aA.x, aB.x, aC.x) && aPoint.x <= hi(aA.x, aB.x, aC.x) && aPoint.z >= lo(aA.z, aB.z, aC.z) &&
           aPoint.z <= hi(aA.z, aB.z, aC.z);
}

bool LCharacter::InTriangle(const LVector3& aPoint, const LVector3& aA, const LVector3& aB, const LVector3& aC)
{
    const auto cross = [&aPoint](const LVector3& aFrom, const LVector3& aTo) {
        return (aTo.x - aFrom.x) * (aPoint.z - aFrom.z) - (aTo.z - aFrom.z) * (aPoint.x - aFrom.x);
    };
    const float c1 = cross(aA, aB);
    const float c2 = cross(aB, aC);
    const float c3 = cross(aC, aA);
    return (c1 >= 0.0f && c2 >= 0.0f && c3 >= 0.0f) || (c1 <= 0.0f && c2 <= 0.0f && c3 <= 0.0f);
}
