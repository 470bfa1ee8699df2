// The DirectInput mouse, read as buffered records once per frame. Movement between two
// button changes reaches the application as one OnMove(u"mouse", running position); a
// button change is always preceded by the movement that came before it; the wheel
// arrives as OnMove(u"wheel", (0, running total)) in DirectInput units (120 a notch).
//
// The running position and wheel total are shared by every mouse of the process. The
// position is handed to the application by reference, so a change the application makes
// to it (clamping it to the screen) stays, and later movement adds to the changed value.
#pragma once
#include "LVector2.h"
#include "dinput/DInput.h"

class LApp;
class LInputDX9;

class LMouseDX9
{
public:
    // Runs Init (logged when it fails; the mouse then reports nothing) and reads whether
    // the system swaps the primary and secondary buttons. Only the buffered mode exists:
    // aBuffered false is an assertion failure and leaves a mouse whose Update fails.
    LMouseDX9(LInputDX9* aOwner, HWND aWindow, bool aExclusive, bool aForeground, bool aBuffered);
    LMouseDX9(const LMouseDX9&) = delete;
    LMouseDX9& operator=(const LMouseDX9&) = delete;
    ~LMouseDX9();

    bool Init(HWND aWindow);
    // Reports the records that arrived since the last update; true with nothing to do
    // when the mouse has no device.
    bool Update();
    // Gives up the device; the next read acquires it again.
    void Unacquire();

private:
    void ReportMove(LApp* aApp);
    void ReportWheel(LApp* aApp);

    LVector2 mPosition{0.0f, 0.0f};
    float mWheel = 0.0f;
    LInputDX9* mOwner;
    bool mButtonDown[3] = {};
    bool mSwapped = false;
    bool mExclusive;
    bool mForeground;
    bool mBuffered;
    IDirectInputDevice8W* mDevice = nullptr;
};
