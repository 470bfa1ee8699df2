#include "Input/LMouse.h"

#include "Input/LIMouseListener.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"
#include "time/LITimer.h"

namespace {

LSingleton<LMouse> sMouse;

float Distance(float aA, float aB)
{
    return aA > aB ? aA - aB : aB - aA;
}

} // namespace

// One mouse event on its way to the listeners.
struct LMouse::Event
{
    LMouse* mMouse;
    int mKind;
    int mButton;
};

LMouse* LMouse::Get()
{
    return sMouse.Get(L_FILE, __LINE__, "LMouse creation failure.");
}

LMouse::LMouse()
{
    mLocks = L_NEW LVector();
    mTimer = LITimer::Get();
}

LMouse::~LMouse()
{
    sMouse.Destroyed(this);
    mTimer = nullptr;
    delete mLocks;
}

LString LMouse::Dump() const
{
    return DumpHead("LMouse") + "]";
}

bool LMouse::AddMember(LIMouseListener* aListener, float aPriority)
{
    if (!aListener) {
        L_ERROR("Add member failure. apListener == NULL.");
        return false;
    }
    return mListeners.Add(aListener, aPriority) != 0;
}

bool LMouse::RemoveListener(LIMouseListener* aListener)
{
    if (!aListener) {
        return true;
    }
    // A lock must not outlive its owner.
    if (mLocks && mLocks->GetCount() > 0) {
        if (mLocks->GetAt(0) == aListener) {
            mLocks->RemoveAll();
        } else {
            mLocks->RemoveAllOf(aListener);
        }
    }
    mListeners.Remove(aListener);
    return true;
}

bool LMouse::Lock(LIMouseListener* aOwner)
{
    if (!aOwner) {
        L_ERROR("Lock failure. NULL arg.");
        return false;
    }
    if (!mLocks) {
        return false;
    }
    mLocks->RemoveAll();
    return mLocks->Append(aOwner) != 0;
}

bool LMouse::AddLock(LIMouseListener* aOwner)
{
    if (!aOwner) {
        L_ERROR("AddLock failure. NULL arg.");
        return false;
    }
    return mLocks && mLocks->Append(aOwner) != 0;
}

void LMouse::Unlock(LIMouseListener* aOwner)
{
    if (!mLocks || mLocks->GetCount() == 0) {
        return;
    }
    if (!aOwner || mLocks->GetAt(0) == aOwner) {
        mLocks->RemoveAll();
    }
}

bool LMouse::IsLocked() const
{
    return mLocks && mLocks->GetCount() > 0;
}

bool LMouse::Interrupt()
{
    mListeners.Interrupt();
    return true;
}

void LMouse::SetEnabled(bool aEnabled)
{
    if (aEnabled == mEnabled) {
        return;
    }
    mEnabled = aEnabled;
    if (aEnabled) {
        FireMouseEvent(kMove, 0);
    }
}

bool LMouse::IsButton(int aButton)
{
    return aButton >= 1 && aButton <= 3;
}

unsigned char LMouse::IsButtonDown(int aButton) const
{
    return IsButton(aButton) ? mButtonDown[aButton - 1] : 0;
}

LVector2& LMouse::GetPosition(LVector2& aOut) const
{
    aOut = mPosition;
    return aOut;
}

bool LMouse::OnButtonDown(int aButton)
{
    if (!IsButton(aButton)) {
        L_ERROR(LString("Mouse button out of range: ") + aButton);
        return false;
    }
    const int index = aButton - 1;
    mButtonDown[index] = 1;
    if (!mDoubleClickEnabled) {
        return FireMouseEvent(kButtonDown, aButton);
    }
    const float now = mTimer ? static_cast<float>(mTimer->GetTime()) : 0.0f;
    const LVector2 position = mPosition;
    const bool doubleClick = now - mLastClickTime[index] < mDoubleClickTime &&
                             Distance(position.x, mLastClickPosition[index].x) <= mDoubleClickDistance &&
                             Distance(position.y, mLastClickPosition[index].y) <= mDoubleClickDistance;
    mLastClickTime[index] = now;
    mLastClickPosition[index] = position;
    return FireMouseEvent(doubleClick ? kDoubleClick : kButtonDown, aButton);
}

bool LMouse::OnButtonUp(int aButton)
{
    if (!IsButton(aButton)) {
        L_ERROR(LString("Mouse button out of range: ") + aButton);
        return false;
    }
    mButtonDown[aButton - 1] = 0;
    return FireMouseEvent(kButtonUp, aButton);
}

bool LMouse::OnMove(const LVector2& aPosition)
{
    mPosition = aPosition;
    return FireMouseEvent(kMove, 0);
}

bool LMouse::OnWheel(float aDelta)
{
    mWheel = aDelta;
    return FireMouseEvent(kWheel, 0);
}

void LMouse::Call(LIMouseListener* aListener, int aKind, int aButton)
{
    switch (aKind) {
    case kButtonDown: aListener->OnButtonDown(aButton); break;
    case kMove: aListener->OnMove(mPosition); break;
    case kButtonUp: aListener->OnButtonUp(aButton); break;
    case kDoubleClick: aListener->OnDoubleClick(aButton); break;
    case kWheel: aListener->OnWheel(mWheel); break;
    default: break;
    }
}

void LMouse::CallListener(void* aListener, void* aEvent)
{
    const Event* event = static_cast<const Event*>(aEvent);
    LMouse* mouse = event->mMouse;
    mouse->Call(static_cast<LIMouseListener*>(aListener), event->mKind, event->mButton);
    // A listener that disables the mouse ends the dispatch after itself.
    if (!mouse->mEnabled) {
        mouse->mListeners.Interrupt();
    }
}

bool LMouse::FireMouseEvent(int aKind, int aButton)
{
    if (mLocks && mLocks->GetCount() > 0) {
        // An interrupt pending from an outer dispatch stays for it; one asked for by a
        // lock owner here concerns an event nobody else hears, and is dropped, or it would
        // swallow the first event after the lock ends.
        const bool pending = mListeners.TakeInterrupt();
        // Read live: an owner may unlock, or add another owner, while it is called.
        for (int i = 0; i < mLocks->GetCount(); ++i) {
            Call(static_cast<LIMouseListener*>(mLocks->GetAt(i)), aKind, aButton);
        }
        mListeners.TakeInterrupt();
        if (pending) {
            mListeners.Interrupt();
        }
        return true;
    }
    if (mListeners.TakeInterrupt() || !mEnabled || mListeners.GetCount() < 1) {
        return true;
    }
    if (aKind < kButtonDown || aKind > kWheel) {
        L_ERROR(LString("Invalid mouse event: ") + aKind);
        return false;
    }
    Event event{this, aKind, aButton};
    mListeners.Notify(&CallListener, &event);
    return true;
}
