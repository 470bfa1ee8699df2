// The DirectInput object and the two devices the platform reads each frame: the keyboard
// and the mouse. The devices turn what DirectInput reports into calls on the platform's
// application.
#pragma once
#include "dinput/DInput.h"

class LIPlatform;
class LKeyboardDX9;
class LMouseDX9;

class LInputDX9
{
public:
    explicit LInputDX9(LIPlatform* aPlatform);
    LInputDX9(const LInputDX9&) = delete;
    LInputDX9& operator=(const LInputDX9&) = delete;
    ~LInputDX9();

    // Makes the DirectInput object and the wanted devices for aWindow; false (logged)
    // when the object or a device cannot be made. aUnused is not read.
    bool Init(HINSTANCE aInstance, HWND aWindow, bool aUnused, bool aKeyboard, bool aMouse);
    // Updates the keyboard, then the mouse (both even when the first fails); true when
    // every device present succeeded.
    bool Update();

    IDirectInput8W* GetDirectInput() const { return mDirectInput; }
    LKeyboardDX9* GetKeyboard() const { return mKeyboard; }
    LMouseDX9* GetMouse() const { return mMouse; }
    LIPlatform* GetPlatform() const { return mPlatform; }

private:
    IDirectInput8W* mDirectInput = nullptr;
    LKeyboardDX9* mKeyboard = nullptr;
    LMouseDX9* mMouse = nullptr;
    LIPlatform* mPlatform;
};
