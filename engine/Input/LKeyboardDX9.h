// The DirectInput keyboard: each update reads the 256-byte key state and reports every
// key whose state changed to the application, in ascending scan code order. The device
// is acquired by the first read that fails (and again after the window regained focus).
#pragma once
#include "dinput/DInput.h"

class LInputDX9;

class LKeyboardDX9
{
public:
    // Runs Init; a keyboard whose device could not be made stays without one.
    LKeyboardDX9(LInputDX9* aOwner, HWND aWindow);
    LKeyboardDX9(const LKeyboardDX9&) = delete;
    LKeyboardDX9& operator=(const LKeyboardDX9&) = delete;
    virtual ~LKeyboardDX9();

    bool Init(HWND aWindow);
    // False (logged unless another program has the keyboard) when the state cannot be
    // read or nobody takes the keys; false without a message when there is no device.
    bool Update();

private:
    IDirectInputDevice8W* mDevice = nullptr;
    unsigned char mKeys[256] = {};
    LInputDX9* mOwner;
};
