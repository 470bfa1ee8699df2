// Hooks for the whole-program tests, inert unless L_TEST_SCRIPT names an input script
// (WinTestScript.h). While it does:
// - the pump plays the script: at the frames it names, WinPumpEvents pushes the mouse, key
//   and window events into SDL's queue, so they take the program's whole input path;
// - time is a fixed-step clock: timeGetTime, the message times and the movie clock start
//   at 0 and advance by exactly one step (1/30 s unless the script sets another) per
//   presented frame, and the sound stand-in mixes that step's frames (non-real-time
//   output), so every run sees the same times;
// - a full-screen device keeps a window of the picture's size, so that the script's
//   800 x 600 coordinates are window pixels whatever the display's size;
// - each Present writes the shots the script asks for in that frame, as 24-bit bitmaps
//   of the picture, into the directory L_TEST_OUTPUT names (the current one without it).
// - a "random <n>" line makes WinTestRandomPin give n, which the engine's random generator
//   then gives for every number of the run.
// A script that cannot be read or parsed is reported (MEDIA_ERROR) and the window closed.
#pragma once
#include <cstdint>
#include <functional>

#define WIN_TEST_SCRIPT_VARIABLE "L_TEST_SCRIPT"
#define WIN_TEST_OUTPUT_VARIABLE "L_TEST_OUTPUT"

// Reads the variables and the script again, clock and player back at frame 0. The first
// use of any hook does it by itself; tests call it after changing the variables.
void WinTestHooksLoad();
bool WinTestHooksActive();

// The fixed clock (0 while the hooks are inert).
uint32_t WinTestClockMilliseconds();
uint64_t WinTestClockMicroseconds();
// Frames presented since the hooks were loaded.
uint64_t WinTestFrame();
// The number the script pins the random generator on, or -1 (also while the hooks are
// inert).
int WinTestRandomPin();

// From WinPumpEvents: pushes the events due by the current frame.
void WinTestPlayDue();
// From Present, before the picture is shown: writes the shots due in this frame (aRead
// fills aWidth x aHeight BGRA pixels, top row first), then advances the clock one step
// and mixes the step's sound.
void WinTestFramePresented(int aWidth, int aHeight, const std::function<void(uint8_t* aBgra)>& aRead);
