// Input and window events pushed into SDL's queue for headless tests of the code above
// compat, and both queues emptied between tests. Keys are named as SDL names them ("A",
// "Left Shift", "Escape", "Right").
#pragma once

namespace LSdlEvents {

void Key(const char* aName, bool aDown);
// Relative movement in window pixels.
void Move(int aX, int aY);
// 1 left, 2 middle, 3 right, 4 and 5 the extra buttons (SDL's numbering).
void Button(int aSdlButton, bool aDown);
void Wheel(int aNotches);
void Focus(bool aGained);
// The window's close button.
void Close();
// Empties SDL's queue and the window message queue, a pending WM_QUIT included, and
// dispatches nothing: what one test left queued cannot reach the next.
void Drain();

} // namespace LSdlEvents
