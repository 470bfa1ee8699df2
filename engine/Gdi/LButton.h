// A push button: a display group holding one display object (a look) per button state,
// of which only the shown one is active. It follows the mouse once registered with it
// (SetMouseOrder) and tells one listener what happened.
//
// The shown state: a disabled button shows its disabled look, or the hilighted look when
// it is hilighted (hilight beats disabled). An enabled button shows the down look while
// pressed with the mouse over it (pressed beats hilight), else the hilighted-over or over
// look with the mouse over it, else the hilighted or normal look. A state without a look
// falls back: hilighted-over to hilighted, then every state to normal. A button needs at
// least a normal look.
//
// Only a button that is active, enabled and visible (with every group above it) answers
// the mouse: a hidden button, or one in a hidden, inactive or disabled group, takes no
// enter, press or click. Enter and leave follow the pointer over the shown look only. A
// press that ends outside gives XBTNEVENT_RELEASED_OUTSIDE, never XBTNEVENT_CLICKED.
//
// A button that stops answering, by whatever route (itself or a group above it hidden,
// made inactive or disabled), forgets its press and the mouse over it at once, without an
// event (as ResetState): a release after it is shown again is no click, and the mouse
// over it then enters anew, at the next move or, for a mouse at rest, at the next press.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Input/LIMouseListener.h"

class LIButtonListener;
class LTableUInt;

// The button states, and the letter by which a layout file names each look.
enum LButtonState
{
    XBTNSTATE_DISABLED = 0,        // "x"
    XBTNSTATE_DOWN = 1,            // "d"
    XBTNSTATE_HILIGHTED = 2,       // "h"
    XBTNSTATE_HILIGHTED_OVER = 3,  // "ho"
    XBTNSTATE_NORMAL = 4,          // "n"
    XBTNSTATE_OVER = 5,            // "o"
};

// The events a button sends to its listener.
enum LButtonEvent
{
    XBTNEVENT_PRESSED = 0,          // button 1 went down over the button
    XBTNEVENT_ENTER = 1,            // the mouse entered the shown look
    XBTNEVENT_LEAVE = 2,            // the mouse left the shown look
    XBTNEVENT_RELEASED_OUTSIDE = 3, // button 1 came up after a press, outside
    XBTNEVENT_CLICKED = 4,          // button 1 came up after a press, over the button
    XBTNEVENT_ENABLED = 5,
    XBTNEVENT_DISABLED = 6,
};

class LButton : public LDisplayGroup, public LIMouseListener
{
public:
    LButton();
    ~LButton() override;

    LString Dump() const override;
    // Switches the looks when the state changed, draws the members (of the looks only the
    // shown one is active), then draws the shown look once more on top.
    bool Render(LRenderer* aRenderer) override;
    // Enabling sends XBTNEVENT_ENABLED; disabling forgets pressed and over (as any route
    // that silences the button does), then sends XBTNEVENT_DISABLED. No event when the
    // value does not change.
    bool SetEnabled(bool aEnabled) override;
    // The marks of a change here or in a group above: a button that no longer answers
    // forgets pressed and over.
    void InvalidateActive() override;
    void InvalidateEnabled() override;
    void InvalidateVisible() override;

    // The button takes the look as a member (and so owns it). One look per state.
    int AddButtonStateObject(int aState, LIDisplayObject* aObject);
    // Hands a look back through aOut (non-null, pointing at null); it stays a member.
    int RemoveButtonStateObject(int aState, LIDisplayObject** aOut);

    int GetState();
    // The look of the shown state, with the fall-backs; null without a normal look.
    LIDisplayObject* GetObject();
    // The look registered for exactly this state, or null.
    LIDisplayObject* GetStateObject(unsigned int aState) const;
    void SetStateDirty();
    // Switches the looks when the state changed and brings the button's world values up
    // to date.
    void UpdateStateObjects();

    // A listener already set must be removed first.
    int SetListener(LIButtonListener* aListener);
    int RemoveListener();
    LIButtonListener* GetListener() const { return mListener; }
    // Sets the listener (when given) and registers the button with the mouse at aOrder.
    bool SetMouseOrder(LIButtonListener* aListener, float aOrder);
    bool ChangeMouseOrder(float aOrder);

    int SetHilighted(bool aHilighted);
    bool IsHilighted() const { return mHilighted; }
    // The button's own enabled setting (not its parents').
    bool IsEnabled() const { return mButtonEnabled; }
    bool IsPressed() const { return mPressed; }
    bool IsOver() const { return mOver; }
    // Forgets pressed and over without an event; the look follows.
    void ResetState();
    // The position last set (SetPosition), where GetPosition gives the origin: the two
    // differ by the scaled and rotated center.
    const LVector2& GetPlacement() const { return mPosition; }
    // True when the screen point hits the shown look.
    bool HitTestStateObject(const LVector2& aPoint);

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

private:
    // Resolves the shown look and makes it the only active one, when the state changed
    // since the looks were last switched.
    void ApplyLooks();
    // Whether the button answers the mouse; one that does not forgets pressed and over.
    bool Responds();
    // A change that may have silenced a pressed or hovered button.
    void CheckResponds();
    void Send(int aEvent);

    LIButtonListener* mListener = nullptr;
    bool mPressed = false;
    bool mButtonEnabled = true;
    bool mHilighted = false;
    bool mOver = false;
    // Over was forgotten when the button stopped answering, and no move has come since.
    bool mOverForgotten = false;
    int mState = XBTNSTATE_NORMAL;
    // The state must be recomputed.
    bool mDirty = true;
    // The looks must be switched. Kept apart from mDirty: working out the state (a hit
    // test between two frames does) must not keep the looks from being switched.
    bool mLooksDirty = true;
    bool mInMouse = false;
    LTableUInt* mStateObjects = nullptr;
    LIDisplayObject* mShown = nullptr;
};
