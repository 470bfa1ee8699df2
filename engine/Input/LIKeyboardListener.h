// What wants keys implements this beside its other bases and registers with LKeyboard.
// Key codes are DirectInput scan codes 0..255.
#pragma once

class LIKeyboardListener
{
public:
    virtual void OnKeyDown(int aKey) = 0;
    virtual void OnKeyUp(int aKey) = 0;

protected:
    ~LIKeyboardListener() = default;
};
