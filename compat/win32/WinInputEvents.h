// Input and window events pushed into SDL's event queue as if the user had made them:
// the test script player and the tests of the code above compat build them here. Needs
// SDL's event subsystem (WinSdlInit). Includes no SDL header.
#pragma once

// By SDL's key name ("A", "Left Shift", "Escape"); false for a name SDL does not know.
bool WinPushKeyNamed(const char* aName, bool aDown);
// By SDL scancode value.
void WinPushKey(int aSdlScancode, bool aDown);
// Relative movement in window pixels.
void WinPushMove(int aX, int aY);
// 1 left, 2 middle, 3 right, 4 and 5 the extra buttons (SDL's numbering).
void WinPushButton(int aSdlButton, bool aDown);
// Positive notches roll away from the user.
void WinPushWheel(int aNotches);
void WinPushFocus(bool aGained);
// The window's close button.
void WinPushClose();
