#include "WinWindow.h"
#include "WinFile.h"
#include "WinTestHooks.h"
#include "WinTimer.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace {

struct WindowClass
{
    std::string mName;
    WNDPROC mProc = nullptr;
    HINSTANCE mInstance = nullptr;
};

struct Sink
{
    WinEventSink mSink;
    void* mContext;
};

std::vector<WindowClass> gClasses;
std::vector<HWND> gWindows;
std::deque<MSG> gQueue;
std::vector<Sink> gSinks;
bool gSdlStarted = false;
bool gFocus = false;
int gCursorCount = 0;
std::string gSdlError;

bool Alive(HWND aWindow)
{
    return aWindow && std::find(gWindows.begin(), gWindows.end(), aWindow) != gWindows.end() &&
           !aWindow->mDestroyed;
}

void FreeIfUnused(HWND aWindow)
{
    if (!aWindow->mDestroyed || aWindow->mDeviceRefs > 0) {
        return;
    }
    gWindows.erase(std::remove(gWindows.begin(), gWindows.end(), aWindow), gWindows.end());
    if (aWindow->mSdl) {
        SDL_DestroyWindow(aWindow->mSdl);
    }
    delete aWindow;
}

void Post(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    MSG message{};
    message.hwnd = aWindow;
    message.message = aMessage;
    message.wParam = aWParam;
    message.lParam = aLParam;
    message.time = WinTestHooksActive() ? timeGetTime() : SDL_GetTicks();
    gQueue.push_back(message);
}

HWND WindowOf(uint32_t aSdlId)
{
    for (HWND window : gWindows) {
        if (!window->mDestroyed && window->mSdl && SDL_GetWindowID(window->mSdl) == aSdlId) {
            return window;
        }
    }
    return WinMainWindow();
}

// Virtual-key code of a key by its position; 0 for keys the window procedure never needs.
WPARAM VirtualKey(SDL_Scancode aCode)
{
    if (aCode >= SDL_SCANCODE_A && aCode <= SDL_SCANCODE_Z) {
        return 'A' + (aCode - SDL_SCANCODE_A);
    }
    if (aCode >= SDL_SCANCODE_1 && aCode <= SDL_SCANCODE_9) {
        return '1' + (aCode - SDL_SCANCODE_1);
    }
    if (aCode >= SDL_SCANCODE_F1 && aCode <= SDL_SCANCODE_F12) {
        return VK_F1 + (aCode - SDL_SCANCODE_F1);
    }
    switch (aCode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_LSHIFT: return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return VK_RSHIFT;
    case SDL_SCANCODE_LCTRL: return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL: return VK_RCONTROL;
    case SDL_SCANCODE_LALT: return VK_LMENU;
    case SDL_SCANCODE_RALT: return VK_RMENU;
    case SDL_SCANCODE_LGUI: return VK_LWIN;
    case SDL_SCANCODE_RGUI: return VK_RWIN;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    default: return 0;
    }
}

void Translate(const SDL_Event& aEvent)
{
    switch (aEvent.type) {
    case SDL_QUIT:
        if (HWND window = WinMainWindow()) {
            Post(window, WM_CLOSE, 0, 0);
        } else {
            PostQuitMessage(0);
        }
        break;
    case SDL_WINDOWEVENT: {
        HWND window = WindowOf(aEvent.window.windowID);
        switch (aEvent.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            gFocus = true;
            Post(window, WM_ACTIVATE, WA_ACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            gFocus = false;
            Post(window, WM_ACTIVATE, WA_INACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            Post(window, WM_CLOSE, 0, 0);
            break;
        default: break;
        }
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        WPARAM key = VirtualKey(aEvent.key.keysym.scancode);
        if (key != 0) {
            HWND window = WindowOf(aEvent.key.windowID);
            LPARAM repeat = aEvent.key.repeat ? (1 << 30) : 0;
            Post(window, aEvent.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, key, repeat | 1);
        }
        break;
    }
    default: break;
    }
}

} // namespace

bool WinSdlInit()
{
    if (gSdlStarted) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        gSdlError = SDL_GetError();
        return false;
    }
    gSdlStarted = true;
    return true;
}

const char* WinLastSdlError()
{
    return gSdlError.c_str();
}

void WinPumpEvents()
{
    if (!gSdlStarted) {
        return;
    }
    WinTestPlayDue();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        Translate(event);
        // A sink may remove itself: walk a copy.
        std::vector<Sink> sinks = gSinks;
        for (const Sink& sink : sinks) {
            sink.mSink(event, sink.mContext);
        }
    }
}

void WinAddEventSink(WinEventSink aSink, void* aContext)
{
    gSinks.push_back(Sink{aSink, aContext});
}

void WinRemoveEventSink(WinEventSink aSink, void* aContext)
{
    gSinks.erase(std::remove_if(gSinks.begin(), gSinks.end(),
                                [&](const Sink& aEntry) {
                                    return aEntry.mSink == aSink && aEntry.mContext == aContext;
                                }),
                 gSinks.end());
}

bool WinHasFocus()
{
    return gFocus;
}

HWND WinMainWindow()
{
    for (auto it = gWindows.rbegin(); it != gWindows.rend(); ++it) {
        if (!(*it)->mDestroyed) {
            return *it;
        }
    }
    return nullptr;
}

void WinRetainWindow(HWND aWindow)
{
    if (aWindow) {
        ++aWindow->mDeviceRefs;
    }
}

void WinReleaseWindow(HWND aWindow)
{
    if (aWindow && aWindow->mDeviceRefs > 0) {
        --aWindow->mDeviceRefs;
        FreeIfUnused(aWindow);
    }
}

float WinPictureScale(HWND aWindow)
{
    if (!aWindow || !aWindow->mSdl || aWindow->mPictureWidth <= 0 || aWindow->mPictureHeight <= 0) {
        return 1.0f;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(aWindow->mSdl, &width, &height);
    if (width <= 0 || height <= 0) {
        return 1.0f;
    }
    float scale = std::min(static_cast<float>(width) / aWindow->mPictureWidth,
                           static_cast<float>(height) / aWindow->mPictureHeight);
    return scale > 0.0f ? scale : 1.0f;
}

ATOM RegisterClassExA(const WNDCLASSEXA* aClass)
{
    if (!aClass || !aClass->lpszClassName || !aClass->lpfnWndProc ||
        aClass->cbSize != sizeof(WNDCLASSEXA)) {
        return 0;
    }
    for (const WindowClass& entry : gClasses) {
        if (entry.mName == aClass->lpszClassName) {
            return 0; // already registered
        }
    }
    gClasses.push_back(WindowClass{aClass->lpszClassName, aClass->lpfnWndProc, aClass->hInstance});
    return static_cast<ATOM>(gClasses.size());
}

BOOL UnregisterClassA(const char* aClassName, HINSTANCE)
{
    if (!aClassName) {
        return FALSE;
    }
    auto it = std::find_if(gClasses.begin(), gClasses.end(),
                           [&](const WindowClass& aEntry) { return aEntry.mName == aClassName; });
    if (it == gClasses.end()) {
        return FALSE;
    }
    gClasses.erase(it);
    return TRUE;
}

HWND CreateWindowExA(DWORD, const char* aClassName, const char* aWindowName, DWORD aStyle, int aX,
                     int aY, int aWidth, int aHeight, HWND, HMENU, HINSTANCE, void*)
{
    if (!aClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto it = std::find_if(gClasses.begin(), gClasses.end(),
                           [&](const WindowClass& aEntry) { return aEntry.mName == aClassName; });
    if (it == gClasses.end()) {
        SetLastError(1407); // no such class
        return nullptr;
    }
    if (!WinSdlInit()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int width = aWidth > 0 ? aWidth : 800;
    int height = aHeight > 0 ? aHeight : 600;

    // The Direct3D stand-in draws with OpenGL into this window.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* sdl = SDL_CreateWindow(aWindowName ? aWindowName : "", aX <= 0 ? SDL_WINDOWPOS_CENTERED : aX,
                                       aY <= 0 ? SDL_WINDOWPOS_CENTERED : aY, width, height,
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!sdl) {
        gSdlError = SDL_GetError();
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    SDL_ShowCursor(SDL_DISABLE);

    HWND window = new HWND__;
    window->mSdl = sdl;
    window->mProc = it->mProc;
    window->mClassName = aClassName;
    window->mWidth = width;
    window->mHeight = height;
    window->mPictureWidth = width;
    window->mPictureHeight = height;
    gWindows.push_back(window);

    if (window->mProc(window, WM_NCCREATE, 0, 0) == 0 || window->mProc(window, WM_CREATE, 0, 0) == -1) {
        window->mDestroyed = true;
        FreeIfUnused(window);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (aStyle & WS_VISIBLE) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

BOOL DestroyWindow(HWND aWindow)
{
    if (!Alive(aWindow)) {
        return FALSE;
    }
    aWindow->mProc(aWindow, WM_DESTROY, 0, 0);
    aWindow->mProc(aWindow, WM_NCDESTROY, 0, 0);
    aWindow->mDestroyed = true;
    if (aWindow->mSdl) {
        SDL_HideWindow(aWindow->mSdl);
    }
    // Messages still queued for the window go nowhere.
    for (MSG& message : gQueue) {
        if (message.hwnd == aWindow && message.message != WM_QUIT) {
            message.message = WM_NULL;
            message.hwnd = nullptr;
        }
    }
    FreeIfUnused(aWindow);
    return TRUE;
}

BOOL IsWindow(HWND aWindow)
{
    return Alive(aWindow) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND aWindow, int aShowCommand)
{
    if (!Alive(aWindow)) {
        return FALSE;
    }
    BOOL wasShown = aWindow->mShown ? TRUE : FALSE;
    if (aShowCommand == SW_HIDE) {
        SDL_HideWindow(aWindow->mSdl);
        aWindow->mShown = false;
        return wasShown;
    }
    SDL_ShowWindow(aWindow->mSdl);
    aWindow->mShown = true;
    if (!gFocus) {
        // A window that is shown becomes the active one.
        gFocus = true;
        aWindow->mProc(aWindow, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return wasShown;
}

BOOL UpdateWindow(HWND aWindow)
{
    return Alive(aWindow) ? TRUE : FALSE;
}

BOOL GetClientRect(HWND aWindow, RECT* aRect)
{
    if (!Alive(aWindow) || !aRect) {
        return FALSE;
    }
    int width = aWindow->mWidth;
    int height = aWindow->mHeight;
    if (aWindow->mSdl) {
        SDL_GetWindowSize(aWindow->mSdl, &width, &height);
    }
    *aRect = RECT{0, 0, width, height};
    return TRUE;
}

BOOL PeekMessageW(MSG* aMessage, HWND aWindow, UINT aFilterMin, UINT aFilterMax, UINT aRemove)
{
    if (!aMessage) {
        return FALSE;
    }
    WinPumpEvents();
    for (auto it = gQueue.begin(); it != gQueue.end(); ++it) {
        if (it->message == WM_NULL && !it->hwnd) {
            continue; // addressed to a window destroyed since
        }
        bool windowMatch = !aWindow || it->hwnd == aWindow || it->message == WM_QUIT;
        bool rangeMatch = (aFilterMin == 0 && aFilterMax == 0) ||
                          (it->message >= aFilterMin && it->message <= aFilterMax);
        if (windowMatch && rangeMatch) {
            *aMessage = *it;
            if (aRemove & PM_REMOVE) {
                gQueue.erase(it);
            }
            return TRUE;
        }
    }
    // Drop the dead entries so the queue does not grow.
    gQueue.erase(std::remove_if(gQueue.begin(), gQueue.end(),
                                [](const MSG& aEntry) { return aEntry.message == WM_NULL && !aEntry.hwnd; }),
                 gQueue.end());
    return FALSE;
}

BOOL TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* aMessage)
{
    if (!aMessage || !Alive(aMessage->hwnd)) {
        return 0;
    }
    return aMessage->hwnd->mProc(aMessage->hwnd, aMessage->message, aMessage->wParam, aMessage->lParam);
}

LRESULT SendMessageW(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    if (!Alive(aWindow)) {
        return 0;
    }
    return aWindow->mProc(aWindow, aMessage, aWParam, aLParam);
}

BOOL PostMessageW(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    if (aWindow && !Alive(aWindow)) {
        return FALSE;
    }
    Post(aWindow, aMessage, aWParam, aLParam);
    return TRUE;
}

void PostQuitMessage(int aExitCode)
{
    Post(nullptr, WM_QUIT, static_cast<WPARAM>(aExitCode), 0);
}

LRESULT DefWindowProcW(HWND aWindow, UINT aMessage, WPARAM, LPARAM)
{
    switch (aMessage) {
    case WM_CLOSE: DestroyWindow(aWindow); return 0;
    case WM_NCCREATE: return 1;
    default: return 0;
    }
}

BOOL RegisterHotKey(HWND, int, UINT, UINT)
{
    return TRUE;
}

BOOL UnregisterHotKey(HWND, int)
{
    return TRUE;
}

void keybd_event(BYTE, BYTE, DWORD, uintptr_t)
{
}

int ShowCursor(BOOL aShow)
{
    gCursorCount += aShow ? 1 : -1;
    return gCursorCount;
}

int GetSystemMetrics(int aIndex)
{
    switch (aIndex) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        SDL_DisplayMode mode;
        if (!WinSdlInit() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            return 0;
        }
        return aIndex == SM_CXSCREEN ? mode.w : mode.h;
    }
    case SM_SWAPBUTTON: return 0; // SDL reports buttons by their logical meaning already
    default: return 0;
    }
}

HICON LoadIconW(HINSTANCE, const char16_t*)
{
    return nullptr;
}

HCURSOR LoadCursorW(HINSTANCE, const char16_t*)
{
    return nullptr;
}

HGDIOBJ GetStockObject(int)
{
    return nullptr;
}

HMODULE GetModuleHandleW(const char16_t*)
{
    static int sModule = 0;
    return reinterpret_cast<HMODULE>(&sModule);
}

int MessageBoxW(HWND, const char16_t* aText, const char16_t* aCaption, UINT)
{
    auto narrow = [](const char16_t* aWide) {
        std::string text;
        for (const char16_t* c = aWide; c && *c; ++c) {
            text.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
        }
        return text;
    };
    std::fprintf(stderr, "%s: %s\n", narrow(aCaption).c_str(), narrow(aText).c_str());
    return IDOK;
}
