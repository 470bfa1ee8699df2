#include "Input/LMouse.h"

#include "Input/LIMouseListener.h"
#include "container/LVector.h"
#include "container/LVectorFloat.h"
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

// One dispatch's copy of the listener list, linked to the dispatch it runs inside.
struct LMouse::Snapshot
{
    LIMouseListener** mEntries;
    int mCount;
    Snapshot* mOuter;
};

LMouse* LMouse::Get()
{
    return sMouse.Get(L_FILE, __LINE__, "LMouse creation failure.");
}

LMouse::LMouse()
{
    mListeners = L_NEW LVector();
    mPriorities = L_NEW LVectorFloat();
    mLocks = L_NEW LVector();
    mTimer = LITimer::Get();
}

LMouse::~LMouse()
{
    sMouse.Destroyed(this);
    mTimer = nullptr;
    delete mListeners;
    delete mPriorities;
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
    if (!mListeners || !mPriorities) {
        return false;
    }
    if (mListeners->Contains(aListener)) {
        return true;
    }
    const int count = mListeners->GetCount();
    int index = count;
    for (int i = 0; i < count; ++i) {
        if ((*mPriorities)[i] > aPriority) {
            index = i;
            break;
        }
    }
    if (!mListeners->InsertAt(index, aListener)) {
        return false;
    }
    if (!mPriorities->InsertAt(index, aPriority)) {
        mListeners->RemoveAt(index, nullptr);
        return false;
    }
    return true;
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
    const int index = mListeners ? mListeners->Find(aListener) : -1;
    if (index == -1) {
        return true;
    }
    if (!mListeners->RemoveAt(index, nullptr) || !mPriorities->RemoveAt(index, nullptr)) {
        L_ERROR("RemoveListener error.");
        return false;
    }
    for (Snapshot* snapshot = mSnapshots; snapshot; snapshot = snapshot->mOuter) {
        for (int i = 0; i < snapshot->mCount; ++i) {
            if (snapshot->mEntries[i] == aListener) {
                snapshot->mEntries[i] = nullptr;
            }
        }
    }
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
    mInterrupt = true;
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

bool LMouse::FireMouseEvent(int aKind, int aButton)
{
    if (mLocks && mLocks->GetCount() > 0) {
        // Read live: an owner may unlock, or add another owner, while it is called.
        for (int i = 0; i < mLocks->GetCount(); ++i) {
            Call(static_cast<LIMouseListener*>(mLocks->GetAt(i)), aKind, aButton);
        }
        return true;
    }
    if (mInterrupt) {
        mInterrupt = false;
        return true;
    }
    if (!mEnabled) {
        return true;
    }
    const int count = mListeners ? mListeners->GetCount() : 0;
    if (count < 1) {
        return true;
    }
    if (aKind < kButtonDown || aKind > kWheel) {
        L_ERROR(LString("Invalid mouse event: ") + aKind);
        return false;
    }
    LIMouseListener** entries = L_NEW LIMouseListener*[count];
    if (!entries) {
        L_ERROR("FireMouseEvent failure.");
        return false;
    }
    for (int i = 0; i < count; ++i) {
        entries[i] = static_cast<LIMouseListener*>(mListeners->GetAt(i));
    }
    Snapshot snapshot{entries, count, mSnapshots};
    mSnapshots = &snapshot;
    for (int i = 0; i < count; ++i) {
        if (entries[i]) {
            Call(entries[i], aKind, aButton);
        }
        if (mInterrupt || !mEnabled) {
            break;
        }
    }
    mSnapshots = snapshot.mOuter;
    delete[] entries;
    mInterrupt = false;
    return true;
}
