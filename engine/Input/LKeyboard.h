// The device-independent keyboard: the up/down state of every key code and the listeners
// that receive each press and release, in ascending priority (equal priorities in the
// order they registered). A focus listener is served before all others; a listener may
// interrupt the dispatch after itself. The application forwards the device's key
// transitions to OnKeyDown and OnKeyUp.
//
// Every dispatch works over its own copy of the listener list, so listeners may add and
// remove listeners, or dispatch again, from inside a callback: a removed listener is not
// called again in any dispatch in progress, an added one first hears the next event.
#pragma once
#include "event/LPrioritizedListeners.h"
#include "object/LBase.h"

class LIKeyboardListener;

class LKeyboard : public LBase
{
public:
    // The keyboard, made on first use and deleted by the cleaner at exit.
    static LKeyboard* Get();

    LKeyboard();
    ~LKeyboard() override;

    bool AddListener(LIKeyboardListener* aListener, float aPriority);
    // Also clears the focus and its lock when they belong to aListener.
    bool RemoveListener(LIKeyboardListener* aListener);
    // Whether aListener is registered.
    bool Contains(LIKeyboardListener* aListener) const { return mListeners.Contains(aListener); }
    int GetListenerCount() const { return mListeners.GetCount(); }
    bool GetFocus(LIKeyboardListener* aListener);
    LIKeyboardListener* GetFocusOwner() const;
    bool LockFocus(void* aOwner);
    bool UnlockFocus(void* aOwner);
    bool Interrupt();

    // 1 while the key is down, 0 while up and for codes outside 0..255.
    unsigned char IsKeyDown(int aKey) const;
    bool IsShiftDown() const;
    // The character that the key types (digits, letters, space, backspace, return), 0
    // for keys without one.
    char KeyToChar(int aKey) const;

    bool OnKeyDown(int aKey);
    bool OnKeyUp(int aKey);
    // Kind 1 key down, 2 key up.
    bool FireKeyboardEvent(int aKind, int aKey);

private:
    struct Event;
    static void CallListener(void* aListener, void* aEvent);

    unsigned char mKeys[256] = {};
    LPrioritizedListeners mListeners{true};
    LIKeyboardListener* mFocus = nullptr;
    void* mFocusLockOwner = nullptr;
    bool mFocusLocked = false;
};
