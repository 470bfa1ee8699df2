#include "Input/LKeyboard.h"

#include "Input/LIKeyboardListener.h"
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

// One key event on its way to the listeners.
struct LKeyboard::Event
{
    LKeyboard* mKeyboard;
    int mKind;
    int mKey;
};

LKeyboard* LKeyboard::Get()
{
    return sKeyboard.Get(L_FILE, __LINE__, "LKeyboard creation failure.");
}

LKeyboard::LKeyboard() = default;

LKeyboard::~LKeyboard()
{
    sKeyboard.Destroyed(this);
}

bool LKeyboard::AddListener(LIKeyboardListener* aListener, float aPriority)
{
    if (!aListener) {
        L_ERROR("AddListener failure. apListener == NULL.");
        return false;
    }
    if (mListeners.Contains(aListener)) {
        L_ERROR("AddListener failure. Duplicate found.");
        return false;
    }
    return mListeners.Add(aListener, aPriority) == 1;
}

bool LKeyboard::RemoveListener(LIKeyboardListener* aListener)
{
    if (!aListener || !mListeners.Remove(aListener)) {
        L_ERROR("RemoveListener error.");
        return false;
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
    if (!mListeners.Contains(aListener)) {
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
    mListeners.Interrupt();
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

void LKeyboard::CallListener(void* aListener, void* aEvent)
{
    const Event* event = static_cast<const Event*>(aEvent);
    LIKeyboardListener* listener = static_cast<LIKeyboardListener*>(aListener);
    // The focus listener has heard the event already.
    if (listener == event->mKeyboard->mFocus) {
        return;
    }
    if (event->mKind == 1) {
        listener->OnKeyDown(event->mKey);
    } else {
        listener->OnKeyUp(event->mKey);
    }
}

bool LKeyboard::FireKeyboardEvent(int aKind, int aKey)
{
    if (mListeners.TakeInterrupt()) {
        return true;
    }
    if (mFocus) {
        if (aKind == 1) {
            mFocus->OnKeyDown(aKey);
        } else if (aKind == 2) {
            mFocus->OnKeyUp(aKey);
        }
        if (mListeners.TakeInterrupt()) {
            return true;
        }
    }
    // The focus listener is one of the listeners and has been served.
    if (mListeners.GetCount() <= (mFocus ? 1 : 0)) {
        return true;
    }
    if (aKind != 1 && aKind != 2) {
        L_ERROR(LString("Invalid keyboard event: ") + aKind);
        return false;
    }
    Event event{this, aKind, aKey};
    mListeners.Notify(&CallListener, &event);
    return true;
}
