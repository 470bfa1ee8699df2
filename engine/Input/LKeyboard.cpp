#include "Input/LKeyboard.h"

#include "Input/LIKeyboardListener.h"
#include "container/LVector.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LKeyboard> sKeyboard;

const int kLeftShift = 42;
const int kRightShift = 54;

// Characters of the keys 2..57, without and with Shift.
const char kPlain[] = "1234567890\0\0\b\0qwertyuiop\0\0\r\0asdfghjkl\0\0\0\0\0zxcvbnm\0\0\0\0\0\0 ";
const char kShifted[] = "1234567890\0\0\b\0QWERTYUIOP\0\0\r\0ASDFGHJKL\0\0\0\0\0ZXCVBNM\0\0\0\0\0\0 ";

} // namespace

// One dispatch's copy of the listener list, linked to the dispatch it runs inside.
struct LKeyboard::Snapshot
{
    LIKeyboardListener** mEntries;
    int mCount;
    Snapshot* mOuter;
};

LKeyboard* LKeyboard::Get()
{
    return sKeyboard.Get(L_FILE, __LINE__, "LKeyboard creation failure.");
}

LKeyboard::LKeyboard()
{
    mListeners = L_NEW LVector();
    mPriorities = L_NEW LVectorFloat();
}

LKeyboard::~LKeyboard()
{
    sKeyboard.Destroyed(this);
    delete mListeners;
    delete mPriorities;
}

bool LKeyboard::AddListener(LIKeyboardListener* aListener, float aPriority)
{
    if (!aListener) {
        L_ERROR("AddListener failure. apListener == NULL.");
        return false;
    }
    if (!mListeners || !mPriorities) {
        return false;
    }
    if (mListeners->Contains(aListener)) {
        L_ERROR("AddListener failure. Duplicate found.");
        return false;
    }
    int count = mListeners->GetCount();
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

bool LKeyboard::RemoveListener(LIKeyboardListener* aListener)
{
    int index = mListeners ? mListeners->Find(aListener) : -1;
    if (!aListener || index == -1 || !mListeners->RemoveAt(index, nullptr) ||
        !mPriorities->RemoveAt(index, nullptr)) {
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
    // The focus must not outlive its listener.
    if (mFocus == aListener) {
        mFocus = nullptr;
        mFocusLocked = false;
        mFocusLockOwner = nullptr;
    }
    return true;
}

bool LKeyboard::GetFocus(LIKeyboardListener* aListener)
{
    if (mFocusLocked) {
        return false;
    }
    if (!aListener) {
        L_ERROR("GetFocus failure. NULL arg.");
        return false;
    }
    if (!mListeners || !mListeners->Contains(aListener)) {
        L_ERROR("GetFocus failure. Listener not in current list.");
        return false;
    }
    mFocus = aListener;
    return true;
}

LIKeyboardListener* LKeyboard::GetFocusOwner() const
{
    return mFocus;
}

bool LKeyboard::LockFocus(void* aOwner)
{
    if (mFocusLocked || !mFocus) {
        return false;
    }
    mFocusLocked = true;
    mFocusLockOwner = aOwner;
    return true;
}

bool LKeyboard::UnlockFocus(void* aOwner)
{
    if (!mFocusLocked || aOwner != mFocusLockOwner) {
        return false;
    }
    mFocusLocked = false;
    mFocusLockOwner = nullptr;
    return true;
}

bool LKeyboard::Interrupt()
{
    mInterrupt = true;
    return true;
}

unsigned char LKeyboard::IsKeyDown(int aKey) const
{
    return (aKey >= 0 && aKey <= 255) ? mKeys[aKey] : 0;
}

bool LKeyboard::IsShiftDown() const
{
    return mKeys[kLeftShift] != 0 || mKeys[kRightShift] != 0;
}

char LKeyboard::KeyToChar(int aKey) const
{
    if (aKey < 2 || aKey > 57) {
        return 0;
    }
    return IsShiftDown() ? kShifted[aKey - 2] : kPlain[aKey - 2];
}

bool LKeyboard::OnKeyDown(int aKey)
{
    if (aKey < 0 || aKey > 255) {
        L_ERROR(LString("aKey out of range: ") + aKey);
        return false;
    }
    mKeys[aKey] = 1;
    return FireKeyboardEvent(1, aKey);
}

bool LKeyboard::OnKeyUp(int aKey)
{
    if (aKey < 0 || aKey > 255) {
        L_ERROR(LString("aKey out of range: ") + aKey);
        return false;
    }
    mKeys[aKey] = 0;
    return FireKeyboardEvent(2, aKey);
}

bool LKeyboard::FireKeyboardEvent(int aKind, int aKey)
{
    if (mInterrupt) {
        mInterrupt = false;
        return true;
    }
    if (mFocus) {
        if (aKind == 1) {
            mFocus->OnKeyDown(aKey);
        } else if (aKind == 2) {
            mFocus->OnKeyUp(aKey);
        }
        if (mInterrupt) {
            mInterrupt = false;
            return true;
        }
    }
    int count = mListeners ? mListeners->GetCount() : 0;
    if (count < 1) {
        return true;
    }
    LIKeyboardListener** entries = L_NEW LIKeyboardListener*[count];
    if (!entries) {
        L_ASSERT_FAILURE("");
        return true;
    }
    for (int i = 0; i < count; ++i) {
        entries[i] = static_cast<LIKeyboardListener*>(mListeners->GetAt(i));
    }
    Snapshot snapshot{entries, count, mSnapshots};
    mSnapshots = &snapshot;
    bool result = true;
    for (int i = 0; i < count; ++i) {
        LIKeyboardListener* listener = entries[i];
        if (listener && listener != mFocus) {
            if (aKind == 1) {
                listener->OnKeyDown(aKey);
            } else if (aKind == 2) {
                listener->OnKeyUp(aKey);
            } else {
                L_ERROR(LString("Invalid keyboard event: ") + aKind);
                result = false;
                break;
            }
        }
        if (mInterrupt) {
            break;
        }
    }
    mSnapshots = snapshot.mOuter;
    delete[] entries;
    if (result) {
        mInterrupt = false;
    }
    return result;
}
