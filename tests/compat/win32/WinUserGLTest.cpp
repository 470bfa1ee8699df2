// The window and its message queue over SDL's offscreen video driver.
#include "support/LSdlEvents.h"
#include "win32/WinUser.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Seen
{
    UINT mMessage;
    WPARAM mWParam;
};

std::vector<Seen> gSeen;

LRESULT RecordingProc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    gSeen.push_back(Seen{aMessage, aWParam});
    if (aMessage == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}

// Each test starts with no window focused and both queues empty, and leaves no window,
// class or message behind: a window's end posts WM_QUIT, which would end the next test's
// pump before its own messages.
class WinUserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        LSdlEvents::Focus(false);
        LSdlEvents::Drain();
        gSeen.clear();
    }

    void TearDown() override
    {
        for (HWND window : mWindows) {
            DestroyWindow(window);
        }
        LSdlEvents::Drain();
        UnregisterClassA("WinUserTest", nullptr);
        UnregisterClassA("Twice", nullptr);
    }

    HWND MakeWindow()
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &RecordingProc;
        windowClass.lpszClassName = "WinUserTest";
        RegisterClassExA(&windowClass);
        HWND window = CreateWindowExA(0, "WinUserTest", "WinUserTest", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                                      nullptr, nullptr);
        mWindows.push_back(window);
        return window;
    }

    // Those the test did not end (DestroyWindow refuses the ended ones).
    std::vector<HWND> mWindows;
};

class WinWindow : public WinUserTest
{
};
class WinMessages : public WinUserTest
{
};
class WinCursor : public WinUserTest
{
};

int Count(UINT aMessage)
{
    int count = 0;
    for (const Seen& seen : gSeen) {
        count += seen.mMessage == aMessage ? 1 : 0;
    }
    return count;
}

// Pumps and dispatches until the queue is empty; true when WM_QUIT came.
bool Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return false;
}

TEST_F(WinWindow, CreationSendsCreateMessagesAndShowingActivatesOnce)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    ASSERT_GE(gSeen.size(), 2u);
    EXPECT_EQ(WM_NCCREATE, gSeen[0].mMessage);
    EXPECT_EQ(WM_CREATE, gSeen[1].mMessage);
    EXPECT_EQ(0, Count(WM_ACTIVATE));
    ShowWindow(window, SW_SHOW);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(1, Count(WM_ACTIVATE));
    DestroyWindow(window);
}

TEST_F(WinWindow, ClassesAreRegisteredOnce)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &RecordingProc;
    windowClass.lpszClassName = "Twice";
    EXPECT_NE(0, RegisterClassExA(&windowClass));
    EXPECT_EQ(0, RegisterClassExA(&windowClass));
    EXPECT_EQ(nullptr, CreateWindowExA(0, "Unknown", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(WinMessages, SdlQuitClosesTheWindowAndEndsInWmQuit)
{
    HWND window = MakeWindow();
    ASSERT_NE(nullptr, window);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(Pump());
    EXPECT_EQ(1, Count(WM_CLOSE));
    EXPECT_EQ(1, Count(WM_DESTROY));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(Pump()); // WM_QUIT is given once
}

TEST_F(WinMessages, FocusEventsBecomeActivation)
{
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    gSeen.clear();
    LSdlEvents::Focus(false);
    LSdlEvents::Focus(true);
    EXPECT_FALSE(Pump());
    ASSERT_EQ(2, Count(WM_ACTIVATE));
    EXPECT_EQ(WPARAM(WA_INACTIVE), gSeen[0].mWParam);
    EXPECT_EQ(WPARAM(WA_ACTIVE), gSeen[1].mWParam);
    DestroyWindow(window);
}

TEST_F(WinMessages, KeysArriveAsVirtualKeys)
{
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOW);
    gSeen.clear();
    LSdlEvents::Key("Tab", true);
    LSdlEvents::Key("Left GUI", true);
    LSdlEvents::Key("A", false);
    EXPECT_FALSE(Pump());
    ASSERT_EQ(3u, gSeen.size());
    EXPECT_EQ(WM_KEYDOWN, gSeen[0].mMessage);
    EXPECT_EQ(WPARAM(VK_TAB), gSeen[0].mWParam);
    EXPECT_EQ(WPARAM(VK_LWIN), gSeen[1].mWParam);
    EXPECT_EQ(WM_KEYUP, gSeen[2].mMessage);
    EXPECT_EQ(WPARAM('A'), gSeen[2].mWParam);
    // Hot keys and synthetic presses are accepted and change nothing.
    EXPECT_TRUE(RegisterHotKey(window, 100, MOD_ALT, VK_TAB));
    keybd_event(VK_SHIFT, 0, 0, 0);
    EXPECT_FALSE(Pump());
    EXPECT_EQ(3u, gSeen.size());
    DestroyWindow(window);
}

TEST_F(WinMessages, PostedMessagesKeepTheirOrderAndDestroyedWindowsGetNone)
{
    HWND window = MakeWindow();
    gSeen.clear();
    PostMessageW(window, WM_ENTERSIZEMOVE, 0, 0);
    PostMessageW(window, WM_ENTERMENULOOP, 0, 0);
    EXPECT_FALSE(Pump());
    ASSERT_EQ(2u, gSeen.size());
    EXPECT_EQ(WM_ENTERSIZEMOVE, gSeen[0].mMessage);
    EXPECT_EQ(WM_ENTERMENULOOP, gSeen[1].mMessage);
    PostMessageW(window, WM_ENTERSIZEMOVE, 0, 0);
    DestroyWindow(window);
    gSeen.clear();
    EXPECT_TRUE(Pump()); // the quit posted by WM_DESTROY, nothing for the dead window
    EXPECT_TRUE(gSeen.empty());
}

TEST_F(WinCursor, ShowCursorKeepsTheCount)
{
    EXPECT_EQ(1, ShowCursor(TRUE));
    EXPECT_EQ(0, ShowCursor(FALSE));
    EXPECT_EQ(-1, ShowCursor(FALSE));
    EXPECT_EQ(0, ShowCursor(TRUE));
    EXPECT_EQ(0, GetSystemMetrics(SM_SWAPBUTTON));
}

} // namespace
