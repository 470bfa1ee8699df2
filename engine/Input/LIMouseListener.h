// What wants the mouse implements this beside its other bases and registers with LMouse.
// Buttons are 1 primary, 2 secondary, 3 middle; positions are screen pixels.
#pragma once

class LVector2;

class LIMouseListener
{
public:
    virtual ~LIMouseListener();

    virtual void OnDoubleClick(int aButton);
    virtual void OnButtonDown(int aButton) = 0;
    virtual void OnMove(const LVector2& aPosition) = 0;
    virtual void OnButtonUp(int aButton) = 0;
    // The wheel turned by aDelta (DirectInput units, 120 a notch).
    virtual void OnWheel(float aDelta);
};
