// Window class, window, message queue and the few user-interface calls of the Windows
// user interface, over SDL2. A window is an SDL window made for OpenGL drawing (the
// Direct3D stand-in creates its context on it). The message queue is filled from
// SDL's event queue: quit and window close become WM_CLOSE, focus changes WM_ACTIVATE,
// key presses WM_KEYDOWN/WM_KEYUP. Hot keys and synthetic key presses have no meaning
// here and are accepted without effect; the system cursor is always hidden over our
// windows (the program draws its own).
#pragma once
#include "WinTypes.h"

#include <cstdint>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ATOM = WORD;

struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HBRUSH__;
struct HMENU__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HICON = HICON__*;
using HCURSOR = HICON;
using HBRUSH = HBRUSH__*;
using HMENU = HMENU__*;
using HGDIOBJ = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT
{
    LONG x;
    LONG y;
};

struct RECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSEXA
{
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
    HICON hIconSm;
};

// Messages
#define WM_NULL 0x0000u
#define WM_CREATE 0x0001u
#define WM_DESTROY 0x0002u
#define WM_SIZE 0x0005u
#define WM_ACTIVATE 0x0006u
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_GETMINMAXINFO 0x0024u
#define WM_NCCREATE 0x0081u
#define WM_NCDESTROY 0x0082u
#define WM_KEYDOWN 0x0100u
#define WM_KEYUP 0x0101u
#define WM_SYSKEYDOWN 0x0104u
#define WM_SYSKEYUP 0x0105u
#define WM_ENTERMENULOOP 0x0211u
#define WM_ENTERSIZEMOVE 0x0231u
#define WM_HOTKEY 0x0312u

// WM_ACTIVATE states
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// Class styles
#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u

// Window styles
#define WS_POPUP 0x80000000u
#define WS_VISIBLE 0x10000000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u

// Show commands
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10

// PeekMessage
#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

// Virtual keys (those the window procedure and the key mapping use)
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_NUMPAD0 0x60
#define VK_F1 0x70
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5

// Hot-key modifiers
#define MOD_ALT 0x0001u

// System metrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_SWAPBUTTON 23

// Stock objects and resources
#define BLACK_BRUSH 4
#define IDI_APPLICATION_ID 32512
#define MAKEINTRESOURCEW(aId) (reinterpret_cast<const char16_t*>(static_cast<uintptr_t>(aId)))

// Message boxes
#define MB_OK 0x00000000u
#define MB_ICONINFORMATION 0x00000040u
#define IDOK 1

ATOM RegisterClassExA(const WNDCLASSEXA* aClass);
BOOL UnregisterClassA(const char* aClassName, HINSTANCE aInstance);
// The window is made hidden unless aStyle holds WS_VISIBLE; its client area is
// aWidth x aHeight. WM_NCCREATE and WM_CREATE reach the procedure before it returns.
HWND CreateWindowExA(DWORD aExStyle, const char* aClassName, const char* aWindowName, DWORD aStyle,
                     int aX, int aY, int aWidth, int aHeight, HWND aParent, HMENU aMenu,
                     HINSTANCE aInstance, void* aParam);
// Sends WM_DESTROY and WM_NCDESTROY and hides the window; its SDL window is released
// when the drawing device on it is gone too.
BOOL DestroyWindow(HWND aWindow);
BOOL IsWindow(HWND aWindow);
// Showing a window activates it (WM_ACTIVATE is sent) when it was not active yet.
BOOL ShowWindow(HWND aWindow, int aShowCommand);
BOOL UpdateWindow(HWND aWindow);
BOOL GetClientRect(HWND aWindow, RECT* aRect);

BOOL PeekMessageW(MSG* aMessage, HWND aWindow, UINT aFilterMin, UINT aFilterMax, UINT aRemove);
BOOL TranslateMessage(const MSG* aMessage);
LRESULT DispatchMessageW(const MSG* aMessage);
LRESULT SendMessageW(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam);
BOOL PostMessageW(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam);
void PostQuitMessage(int aExitCode);
LRESULT DefWindowProcW(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam);

// Accepted and ignored: Alt+Tab has no meaning to intercept here.
BOOL RegisterHotKey(HWND aWindow, int aId, UINT aModifiers, UINT aKey);
BOOL UnregisterHotKey(HWND aWindow, int aId);
// Synthetic key presses are dropped.
void keybd_event(BYTE aKey, BYTE aScan, DWORD aFlags, uintptr_t aExtraInfo);

// Keeps the display counter and returns it; the system cursor stays hidden.
int ShowCursor(BOOL aShow);
int GetSystemMetrics(int aIndex);
HICON LoadIconW(HINSTANCE aInstance, const char16_t* aName);
HCURSOR LoadCursorW(HINSTANCE aInstance, const char16_t* aName);
HGDIOBJ GetStockObject(int aObject);
HMODULE GetModuleHandleW(const char16_t* aName);
// Writes the caption and text to the standard error stream; never waits for a user.
int MessageBoxW(HWND aOwner, const char16_t* aText, const char16_t* aCaption, UINT aType);
