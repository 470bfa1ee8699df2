#include "Gdi/LButton.h"

#include "Gdi/LIButtonListener.h"
#include "Input/LMouse.h"
#include "container/LTableUInt.h"
#include "memory/LMemoryManager.h"
#include "object/LWatch.h"
#include "stdlib/LLog.h"

namespace {
constexpr unsigned int kStateCount = 6;
}

LButton::LButton() : mStateObjects(L_NEW LTableUInt())
{
    SetStateDirty();
}

LButton::~LButton()
{
    if (mInMouse) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
        mInMouse = false;
    }
    mListener = nullptr;
    mShown = nullptr;
    delete mStateObjects;
    mStateObjects = nullptr;
    // The group's destructor deletes the looks with the other members.
}

LString LButton::Dump() const
{
    return DumpHead("LButton") + "]";
}

int LButton::AddButtonStateObject(int aState, LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        L_ERROR("AddButtonStateObject failed. NULL arg.");
        return 0;
    }
    if (mStateObjects == nullptr) {
        return 0;
    }
    if (mStateObjects->ContainsKey(static_cast<unsigned int>(aState))) {
        L_ERROR(LString("AddButtonStateObject failed. aState already defined: ") + aState);
        return 0;
    }
    if (!mStateObjects->Add(static_cast<unsigned int>(aState), aObject)) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    if (!AddMember(aObject, true)) {
        // A look the group refuses (no id, or another member's id) would be neither drawn
        // nor deleted: it stays the caller's.
        void* taken = nullptr;
        mStateObjects->Remove(static_cast<unsigned int>(aState), &taken);
        L_ERROR(LString("AddButtonStateObject failed. Member refused for state: ") + aState);
        return 0;
    }
    // A new look is active until the looks are switched: switch them at the next frame so
    // it is not drawn beside the shown one.
    SetStateDirty();
    return 1;
}

int LButton::RemoveButtonStateObject(int aState, LIDisplayObject** aOut)
{
    if (aOut == nullptr || *aOut != nullptr) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    void* object = nullptr;
    if (mStateObjects == nullptr || !mStateObjects->Remove(static_cast<unsigned int>(aState), &object)) {
        L_ASSERT_FAILURE("");
        L_ERROR("RemoveButtonStateObject failure.");
        return 0;
    }
    *aOut = static_cast<LIDisplayObject*>(object);
    // The shown look may be another state's by fall-back: whenever the look handed out
    // is the shown one, it must not be drawn or hit through the old pointer.
    if (aState == mState || object == mShown) {
        if (object == mShown) {
            mShown = nullptr;
        }
        SetStateDirty();
    }
    return 1;
}

int LButton::GetState()
{
    if (!mDirty) {
        return mState;
    }
    if (!mButtonEnabled) {
        mState = mHilighted ? XBTNSTATE_HILIGHTED : XBTNSTATE_DISABLED;
    } else if (!mOver) {
        mState = mHilighted ? XBTNSTATE_HILIGHTED : XBTNSTATE_NORMAL;
    } else if (mPressed) {
        mState = XBTNSTATE_DOWN;
    } else {
        mState = mHilighted ? XBTNSTATE_HILIGHTED_OVER : XBTNSTATE_OVER;
    }
    mDirty = false;
    return mState;
}

LIDisplayObject* LButton::GetStateObject(unsigned int aState) const
{
    void* object = nullptr;
    if (mStateObjects == nullptr || !mStateObjects->Get(aState, &object)) {
        return nullptr;
    }
    return static_cast<LIDisplayObject*>(object);
}

LIDisplayObject* LButton::GetObject()
{
    mShown = nullptr;
    const int state = GetState();
    LIDisplayObject* object = GetStateObject(static_cast<unsigned int>(state));
    if (object == nullptr && state == XBTNSTATE_HILIGHTED_OVER) {
        object = GetStateObject(XBTNSTATE_HILIGHTED);
    }
    if (object == nullptr) {
        object = GetStateObject(XBTNSTATE_NORMAL);
    }
    if (object == nullptr) {
        L_ERROR("GetObject failure. XBTNSTATE_NORMAL object undefined.");
        return nullptr;
    }
    mShown = object;
    return object;
}

void LButton::SetStateDirty()
{
    mDirty = true;
    mLooksDirty = true;
}

void LButton::ApplyLooks()
{
    if (!mLooksDirty) {
        return;
    }
    mLooksDirty = false;
    LIDisplayObject* shown = GetObject();
    if (shown == nullptr) {
        L_ASSERT_FAILURE("");
        return;
    }
    shown->SetActive(true);
    for (unsigned int state = 0; state < kStateCount; ++state) {
        LIDisplayObject* object = GetStateObject(state);
        if (object != nullptr && object != shown) {
            object->SetActive(false);
        }
    }
}

void LButton::UpdateStateObjects()
{
    ApplyLooks();
    UpdateForRender();
}

int LButton::SetListener(LIButtonListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. apListener not defined.");
        return 0;
    }
    if (mListener != nullptr) {
        L_ERROR("SetListener failure. Listener already defined. Remove first.");
        return 0;
    }
    mListener = aListener;
    return 1;
}

int LButton::RemoveListener()
{
    mListener = nullptr;
    return 1;
}

bool LButton::SetMouseOrder(LIButtonListener* aListener, float aOrder)
{
    bool result = true;
    if (aListener != nullptr) {
        result = SetListener(aListener) != 0;
    }
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr || !mouse->AddMember(this, aOrder)) {
        return false;
    }
    mInMouse = true;
    return result;
}

bool LButton::ChangeMouseOrder(float aOrder)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return false;
    }
    mouse->RemoveListener(this);
    mInMouse = mouse->AddMember(this, aOrder);
    return mInMouse;
}

int LButton::SetHilighted(bool aHilighted)
{
    if (aHilighted != mHilighted) {
        mHilighted = aHilighted;
        SetStateDirty();
    }
    return 1;
}

void LButton::ResetState()
{
    if (mPressed || mOver) {
        mPressed = false;
        mOver = false;
        SetStateDirty();
    }
}

bool LButton::HitTestStateObject(const LVector2& aPoint)
{
    // The hit area is the shown look, which must be the active one to be hit.
    ApplyLooks();
    return mShown != nullptr && mShown->HitTest(aPoint);
}

bool LButton::SetEnabled(bool aEnabled)
{
    const bool result = LIDisplayObject::SetEnabled(aEnabled);
    if (!aEnabled && mButtonEnabled) {
        mButtonEnabled = false;
        SetStateDirty();
        Send(XBTNEVENT_DISABLED);
    } else if (aEnabled && !mButtonEnabled) {
        // Pressed and over were forgotten when the button stopped answering.
        mButtonEnabled = true;
        SetStateDirty();
        Send(XBTNEVENT_ENABLED);
    }
    return result;
}

bool LButton::Render(LRenderer* aRenderer)
{
    UpdateStateObjects();
    const bool result = LDisplayGroup::Render(aRenderer);
    if (mShown == nullptr || !LIDisplayObject::IsActive() || !IsVisible()) {
        // Nothing more to draw is not a failure.
        return result;
    }
    return mShown->Render(aRenderer);
}

void LButton::InvalidateActive()
{
    LDisplayGroup::InvalidateActive();
    CheckResponds();
}

void LButton::InvalidateEnabled()
{
    LDisplayGroup::InvalidateEnabled();
    CheckResponds();
}

void LButton::InvalidateVisible()
{
    LDisplayGroup::InvalidateVisible();
    CheckResponds();
}

void LButton::CheckResponds()
{
    // Only a pressed or hovered button has anything to forget: the others leave their
    // world values to be worked out when next asked for.
    if (mPressed || mOver) {
        Responds();
    }
}

bool LButton::Responds()
{
    // A button that cannot be seen (hidden itself or by a group above it) follows no mouse
    // and takes no press: a press there is for whatever is shown below.
    const bool responds = LIDisplayObject::IsActive() && LIDisplayObject::IsEnabled() && LIDisplayObject::IsVisible();
    if (!responds) {
        // Kept, a press would make the first release after the button is shown again a
        // click, wherever the mouse went meanwhile.
        mOverForgotten = mOverForgotten || mOver;
        ResetState();
    }
    return responds;
}

void LButton::Send(int aEvent)
{
    // Last thing every handler does: the listener may delete the button.
    if (mListener != nullptr) {
        mListener->OnButton(mId, aEvent);
    }
}

void LButton::OnButtonDown(int aButton)
{
    if (!Responds() || aButton != 1 || mPressed) {
        return;
    }
    if (!mOver && mOverForgotten) {
        // Answering again under a mouse at rest, the button has heard no move since it
        // forgot the mouse over it: it looks where the mouse is (an enter first).
        LMouse* mouse = LMouse::Get();
        if (mouse == nullptr) {
            return;
        }
        LVector2 at(0.0f, 0.0f);
        mouse->GetPosition(at);
        LWatch<LButton> self(this);
        OnMove(at);
        if (self.Get() == nullptr) {
            return;
        }
    }
    if (!mOver) {
        return;
    }
    mPressed = true;
    SetStateDirty();
    if (mButtonEnabled) {
        Send(XBTNEVENT_PRESSED);
    }
}

void LButton::OnMove(const LVector2& aPosition)
{
    if (!Responds()) {
        return;
    }
    mOverForgotten = false;
    GetWorldMatrix();
    const bool inside = HitTestStateObject(LVector2(aPosition.x, aPosition.y));
    if (inside && !mOver) {
        mOver = true;
        SetStateDirty();
        Send(XBTNEVENT_ENTER);
    } else if (!inside && mOver) {
        mOver = false;
        SetStateDirty();
        Send(XBTNEVENT_LEAVE);
    }
}

void LButton::OnButtonUp(int aButton)
{
    if (!Responds() || aButton != 1 || !mPressed) {
        return;
    }
    mPressed = false;
    SetStateDirty();
    if (mOver) {
        if (mButtonEnabled) {
            Send(XBTNEVENT_CLICKED);
        }
    } else {
        Send(XBTNEVENT_RELEASED_OUTSIDE);
    }
}
