#include "support/LSdlEvents.h"

#include "win32/WinInputEvents.h"
#include "win32/WinUser.h"

namespace LSdlEvents {

void Key(const char* aName, bool aDown)
{
    WinPushKeyNamed(aName, aDown);
}

void Move(int aX, int aY)
{
    WinPushMove(aX, aY);
}

void Button(int aSdlButton, bool aDown)
{
    WinPushButton(aSdlButton, aDown);
}

void Wheel(int aNotches)
{
    WinPushWheel(aNotches);
}

void Focus(bool aGained)
{
    WinPushFocus(aGained);
}

void Close()
{
    WinPushClose();
}

void Drain()
{
    // Each peek pumps SDL's queue into the message queue first.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

} // namespace LSdlEvents
