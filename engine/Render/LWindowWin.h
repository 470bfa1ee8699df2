// The platform's window: its class, the window, the message pump and the window
// procedure. Beside it stands one process-wide flag, "disturbed", which the procedure
// sets when the window is activated or deactivated, starts a move or a size, or enters a
// menu loop, and which the main loop takes once per pass to reset the mouse.
#pragma once
#include "container/LString.h"
#include "win32/WinUser.h"

class LWindowWin
{
public:
    // Clears the disturbed flag.
    LWindowWin(HINSTANCE aInstance, const LString& aTitle, int aWidth, int aHeight);
    LWindowWin(const LWindowWin&) = delete;
    LWindowWin& operator=(const LWindowWin&) = delete;
    // Gives up the Alt+Tab hot key, destroys the window Create made and unregisters the
    // class Register registered, so that another window of the title can be made later.
    virtual ~LWindowWin();

    // Registers the window class named after the title; nonzero on success.
    ATOM Register(HINSTANCE aInstance);
    // Makes the visible pop-up window of the title and size and takes the Alt+Tab hot key.
    virtual bool Create(HINSTANCE aInstance, int aShowCommand);
    void SetHandle(HWND aWindow)
    {
        mWindow = aWindow;
        mOwnsWindow = false;
    }
    HWND GetHandle() const { return mWindow; }
    void Show(int aShowCommand);
    // Dispatches every pending message; false once the quit message was seen.
    bool PumpMessages();
    // The disturbed flag, cleared.
    static bool TakeDisturbed();

    static LRESULT WindowProc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam);

private:
    int mWidth;
    int mHeight;
    HWND mWindow = nullptr;
    // The window Create made, destroyed with this object; one given by SetHandle is not.
    bool mOwnsWindow = false;
    // Register registered the class, which this object unregisters when it ends.
    bool mRegistered = false;
    HINSTANCE mInstance;
    LString mTitle;
};
