// Inside compat only: the window record behind an HWND and the SDL event pump that the
// message queue, the Direct3D stand-in and the DirectInput stand-in share. Includes no
// SDL header; SDL types are only named.
#pragma once
#include "WinUser.h"

#include <string>

struct SDL_Window;
union SDL_Event;

struct HWND__
{
    SDL_Window* mSdl = nullptr;
    WNDPROC mProc = nullptr;
    std::string mClassName;
    int mWidth = 0;
    int mHeight = 0;
    // The size of the picture drawn into the window (the device's back buffer); input
    // deltas are scaled from window pixels to these units.
    int mPictureWidth = 0;
    int mPictureHeight = 0;
    bool mDestroyed = false;
    bool mShown = false;
    // References held by drawing devices; the SDL window lives while any remain.
    int mDeviceRefs = 0;
};

// Starts SDL's video and event subsystems once per process; false with the reason in
// WinLastSdlError() when that fails.
bool WinSdlInit();
const char* WinLastSdlError();

// Drains SDL's event queue: window events become messages of the queue, and every event
// goes to the registered sinks in arrival order. Called by PeekMessageW and by the input
// devices before they read.
void WinPumpEvents();

using WinEventSink = void (*)(const SDL_Event& aEvent, void* aContext);
void WinAddEventSink(WinEventSink aSink, void* aContext);
void WinRemoveEventSink(WinEventSink aSink, void* aContext);

// Whether our window has the input focus (set when it is shown, then by focus events).
bool WinHasFocus();
// The most recently created window that is not destroyed, or null.
HWND WinMainWindow();

void WinRetainWindow(HWND aWindow);
void WinReleaseWindow(HWND aWindow);

// Window pixels per picture unit: the factor by which the picture is scaled to fill the
// window with its aspect kept (1 in a window of the picture's size).
float WinPictureScale(HWND aWindow);
