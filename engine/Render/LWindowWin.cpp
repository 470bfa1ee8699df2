#include "Render/LWindowWin.h"

#include "Render/LIPlatform.h"
#include "stdlib/LLog.h"
#include "stdlib/LNativeText.h"
#include "win32/WinFile.h"

namespace {

const int kAltTabHotKey = 100;

bool sDisturbed = false;

} // namespace

LWindowWin::LWindowWin(HINSTANCE aInstance, const LString& aTitle, int aWidth, int aHeight)
    : mWidth(aWidth), mHeight(aHeight), mInstance(aInstance), mTitle(aTitle)
{
    sDisturbed = false;
}

LWindowWin::~LWindowWin()
{
    if (mWindow) {
        UnregisterHotKey(mWindow, kAltTabHotKey);
    }
    if (mOwnsWindow && mWindow && IsWindow(mWindow)) {
        // Its end posts a quit message, which would end the next loop at once: taken back.
        DestroyWindow(mWindow);
        MSG message;
        while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    if (mRegistered) {
        if (char* name = NewNativeText(mTitle)) {
            UnregisterClassA(name, mInstance);
            delete[] name;
        }
    }
}

ATOM LWindowWin::Register(HINSTANCE aInstance)
{
    char* name = NewNativeText(mTitle);
    if (!name) {
        return 0;
    }
    HINSTANCE own = GetModuleHandleW(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &LWindowWin::WindowProc;
    windowClass.hInstance = aInstance;
    windowClass.hIcon = LoadIconW(own, MAKEINTRESOURCEW(IDI_APPLICATION_ID));
    windowClass.hCursor = LoadCursorW(own, MAKEINTRESOURCEW(IDI_APPLICATION_ID));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = name;
    windowClass.hIconSm = windowClass.hIcon;
    ATOM atom = RegisterClassExA(&windowClass);
    delete[] name;
    if (atom != 0) {
        mRegistered = true;
        mInstance = aInstance;
    }
    return atom;
}

bool LWindowWin::Create(HINSTANCE aInstance, int)
{
    char* name = NewNativeText(mTitle);
    if (!name) {
        return false;
    }
    mWindow = CreateWindowExA(0, name, name, WS_POPUP | WS_VISIBLE, 0, 0, mWidth, mHeight, nullptr, nullptr,
                              aInstance, nullptr);
    delete[] name;
    if (!mWindow) {
        Log(LString("CreateWindow failed: ") + static_cast<int>(GetLastError()));
        return false;
    }
    mOwnsWindow = true;
    RegisterHotKey(mWindow, kAltTabHotKey, MOD_ALT, VK_TAB);
    return true;
}

void LWindowWin::Show(int aShowCommand)
{
    ShowWindow(mWindow, aShowCommand);
    UpdateWindow(mWindow);
}

bool LWindowWin::PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool LWindowWin::TakeDisturbed()
{
    bool disturbed = sDisturbed;
    sDisturbed = false;
    return disturbed;
}

LRESULT LWindowWin::WindowProc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    switch (aMessage) {
    case WM_CREATE:
    case WM_GETMINMAXINFO: return 0;
    case WM_NCCREATE: return 1; // no DefWindowProcW: the window keeps no title text
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_ACTIVATE:
        if (LIPlatform* platform = LIPlatform::Get()) {
            if (aWParam == WA_INACTIVE) {
                platform->OnDeactivate();
            } else {
                platform->OnActivate();
            }
        }
        sDisturbed = true;
        break;
    case WM_KEYDOWN:
        if (aWParam == VK_LWIN || aWParam == VK_RWIN || aWParam == VK_LMENU || aWParam == VK_RMENU) {
            keybd_event(VK_SHIFT, 0, 0, 0);
            return 1;
        }
        if (aWParam == VK_TAB) {
            keybd_event(VK_RETURN, 0, 0, 0);
            return 0;
        }
        break;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE: sDisturbed = true; break;
    case WM_HOTKEY: return 1; // Alt+Tab is swallowed
    default: break;
    }
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}
