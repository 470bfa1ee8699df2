// The device-independent mouse: the cursor position, the button states and the last
// wheel movement, double-click detection, and the listeners that receive every mouse
// event in ascending priority (equal priorities in the order they registered). The
// application forwards the device's records with the position clamped to the screen and
// the wheel as a difference from the previous total.
//
// A listener that must see the mouse alone for a while takes the lock: while the lock
// list is not empty, every event goes to the lock owners only, whatever the enabled and
// interrupt flags say. A listener may interrupt an unlocked dispatch after itself, and a
// disabled mouse drops unlocked events.
//
// Every dispatch works over its own copy of the listener list, so listeners may add and
// remove listeners, or dispatch again, from inside a callback: a removed listener is not
// called again in any dispatch in progress, an added one first hears the next event.
#pragma once
#include "LVector2.h"
#include "event/LPrioritizedListeners.h"
#include "object/LBase.h"

class LIMouseListener;
class LITimer;
class LVector;

class LMouse : public LBase
{
public:
    // Event kinds of FireMouseEvent.
    enum
    {
        kButtonDown = 1,
        kMove = 2,
        kButtonUp = 3,
        kDoubleClick = 4,
        kWheel = 5,
    };

    // The mouse, made on first use (it takes the timer then) and deleted by the cleaner at
    // exit.
    static LMouse* Get();

    LMouse();
    LMouse(const LMouse&) = delete;
    LMouse& operator=(const LMouse&) = delete;
    ~LMouse() override;

    LString Dump() const override;

    // A listener already registered keeps its place (true).
    bool AddMember(LIMouseListener* aListener, float aPriority);
    // True also for a listener that is not registered. A removed listener also stops
    // holding the lock: when it was the first lock owner the lock ends, otherwise it
    // leaves the lock list.
    bool RemoveListener(LIMouseListener* aListener);
    // Makes aOwner the only lock owner.
    bool Lock(LIMouseListener* aOwner);
    // Adds aOwner to the lock owners.
    bool AddLock(LIMouseListener* aOwner);
    // Ends the lock when aOwner is null or the first lock owner.
    void Unlock(LIMouseListener* aOwner);
    bool IsLocked() const;
    // Whether aListener is registered.
    bool Contains(LIMouseListener* aListener) const { return mListeners.Contains(aListener); }
    int GetListenerCount() const { return mListeners.GetCount(); }
    bool Interrupt();
    // A change to enabled sends a move so the listeners learn the position.
    void SetEnabled(bool aEnabled);
    void SetDoubleClickEnabled(bool aEnabled) { mDoubleClickEnabled = aEnabled; }
    void SetDoubleClickDistance(int aPixels) { mDoubleClickDistance = aPixels; }
    void SetDoubleClickTime(float aSeconds) { mDoubleClickTime = aSeconds; }

    // 1 while the button (1..3) is down; 0 otherwise and for other numbers.
    unsigned char IsButtonDown(int aButton) const;
    LVector2& GetPosition(LVector2& aOut) const;

    // Buttons outside 1..3 are ignored (logged, false).
    bool OnButtonDown(int aButton);
    bool OnButtonUp(int aButton);
    bool OnMove(const LVector2& aPosition);
    bool OnWheel(float aDelta);
    bool FireMouseEvent(int aKind, int aButton);

private:
    struct Event;

    static bool IsButton(int aButton);
    static void CallListener(void* aListener, void* aEvent);
    void Call(LIMouseListener* aListener, int aKind, int aButton);

    LPrioritizedListeners mListeners{true};
    unsigned char mButtonDown[3] = {};
    LVector2 mPosition{0.0f, 0.0f};
    float mWheel = 0.0f;
    bool mEnabled = true;
    float mLastClickTime[3] = {};
    LVector2 mLastClickPosition[3] = {LVector2(0, 0), LVector2(0, 0), LVector2(0, 0)};
    bool mDoubleClickEnabled = false;
    static constexpr int kDoubleClickDistance = 3;
    static constexpr float kDoubleClickTime = 0.25f;
    int mDoubleClickDistance = kDoubleClickDistance;
    float mDoubleClickTime = kDoubleClickTime;
    LITimer* mTimer = nullptr;
    LVector* mLocks = nullptr;
};
