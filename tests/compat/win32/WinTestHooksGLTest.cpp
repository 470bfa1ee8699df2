// The whole-program test hooks: inert without their variables; with a script, they play
// its input through SDL's queue, run the clocks and the sound by fixed steps and write shots.
#include "../d3d9/D3D9TestDevice.h"
#include "dinput/DInput.h"
#include "movie/Bink.h"
#include "sound/FSound.h"
#include "support/LMediaFixtures.h"
#include "support/LMediaLogCapture.h"
#include "support/LSdlEvents.h"
#include "support/LTestDirectory.h"
#include "win32/WinTestHooks.h"
#include "win32/WinTimer.h"
#include "win32/WinWindow.h"
#include "writers/LBinkBytes.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

void Sleep(int aMilliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(aMilliseconds));
}

class WinTestHooks : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, mDevice.Get());
        WinAddEventSink(&Record, &mSeen);
        Drain();
    }

    // The hooks off, the queues empty, and the sound closed with its output back to the
    // default (the hooks' clock chose mixing on request for it).
    void TearDown() override
    {
        WinRemoveEventSink(&Record, &mSeen);
        ::unsetenv(WIN_TEST_SCRIPT_VARIABLE);
        ::unsetenv(WIN_TEST_OUTPUT_VARIABLE);
        WinTestHooksLoad();
        Drain();
        FSOUND_Close();
        EXPECT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_SDL));
    }

    void Load(const char* aScript, const std::string& aScriptPath = "")
    {
        const std::string path = aScriptPath.empty() ? mDirectory.File("script.txt") : aScriptPath;
        if (aScript) {
            mDirectory.Write("script.txt", aScript);
        }
        ::setenv(WIN_TEST_SCRIPT_VARIABLE, path.c_str(), 1);
        ::setenv(WIN_TEST_OUTPUT_VARIABLE, mDirectory.Path().c_str(), 1);
        WinTestHooksLoad();
    }

    static void Record(const SDL_Event& aEvent, void* aContext)
    {
        static_cast<std::vector<SDL_Event>*>(aContext)->push_back(aEvent);
    }

    void Drain()
    {
        LSdlEvents::Drain();
        mSeen.clear();
    }

    // Clears the picture to aColor (its top aTopRows rows to aTopColor) and presents it.
    void Present(D3DCOLOR aColor = 0xFF000000u, D3DCOLOR aTopColor = 0xFF000000u, LONG aTopRows = 0)
    {
        ASSERT_EQ(D3D_OK, mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, aColor, 1.0f, 0));
        if (aTopRows > 0) {
            const RECT top{0, 0, static_cast<LONG>(D3D9TestDevice::kWidth), aTopRows};
            ASSERT_EQ(D3D_OK, mDevice->Clear(1, &top, D3DCLEAR_TARGET, aTopColor, 1.0f, 0));
        }
        ASSERT_EQ(D3D_OK, mDevice->Present(nullptr, nullptr, nullptr, nullptr));
    }

    D3D9TestDevice mDevice;
    LTestDirectory mDirectory;
    std::vector<SDL_Event> mSeen;
};

TEST_F(WinTestHooks, WithoutTheScriptVariablePumpClockAndSwapAreUntouched)
{
    ::setenv(WIN_TEST_OUTPUT_VARIABLE, mDirectory.Path().c_str(), 1);
    WinTestHooksLoad();
    EXPECT_FALSE(WinTestHooksActive());
    EXPECT_EQ(-1, WinTestRandomPin());

    const DWORD start = timeGetTime();
    Sleep(30);
    EXPECT_GE(timeGetTime() - start, 25u);

    for (int i = 0; i < 3; ++i) {
        WinPumpEvents();
        Present();
    }
    WinPumpEvents();
    EXPECT_TRUE(mSeen.empty());
    EXPECT_EQ(0u, WinTestFrame());
    EXPECT_TRUE(std::filesystem::is_empty(mDirectory.Path()));

    // Messages carry SDL's tick count.
    PostMessageW(mDevice.Window(), WM_NULL + 0x400u, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_LE(SDL_GetTicks() - message.time, 1000u);

    // The sound keeps its real-time output: nothing mixes on request.
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    int16_t buffer[64];
    EXPECT_EQ(0, FSOUND_MixBuffer(buffer, 32));
    FSOUND_Close();
}

// Whether a full-screen device made on a new window puts the window in full-screen mode.
bool FillsTheDisplay(IDirect3D9* aDirect3D)
{
    HWND window = MakeTestWindow(320, 240);
    D3DPRESENT_PARAMETERS parameters = TestPresentParameters(window, 320, 240);
    parameters.Windowed = FALSE;
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(D3D_OK, aDirect3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                              D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device));
    const Uint32 flags = SDL_GetWindowFlags(window->mSdl);
    if (device) {
        device->Release();
    }
    DestroyWindow(window);
    return (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

TEST_F(WinTestHooks, AFullScreenPictureFillsTheDisplayUnlessTheHooksRun)
{
    WinTestHooksLoad();
    EXPECT_TRUE(FillsTheDisplay(mDevice.Direct3D()));
    Load("quit\n");
    EXPECT_FALSE(FillsTheDisplay(mDevice.Direct3D()));
}

TEST_F(WinTestHooks, ScriptEventsArriveAtTheirFramesAndShotsAreUprightBitmaps)
{
    Load("move 10 20\nshot first\nwait 1\nkey 0x1E down\nwheel 1\nshot second\nquit\n");
    ASSERT_TRUE(WinTestHooksActive());

    // Frame 0: nothing; frame 1: the homing move only, once however often the queue is pumped.
    WinPumpEvents();
    EXPECT_TRUE(mSeen.empty());
    Present();
    WinPumpEvents();
    WinPumpEvents();
    ASSERT_EQ(1u, mSeen.size());
    EXPECT_EQ(SDL_MOUSEMOTION, mSeen[0].type);
    EXPECT_EQ(-100000, mSeen[0].motion.xrel);
    EXPECT_EQ(-100000, mSeen[0].motion.yrel);
    Present();
    EXPECT_EQ(2u, WinTestFrame());

    mSeen.clear();
    WinPumpEvents();
    ASSERT_EQ(1u, mSeen.size());
    EXPECT_EQ(10, mSeen[0].motion.xrel);
    EXPECT_EQ(20, mSeen[0].motion.yrel);
    // Blue picture, its top 4 rows red: the file holds the bottom row first.
    Present(0xFF0000FFu, 0xFFFF0000u, 4);
    const std::string shot = mDirectory.Read("first.bmp");
    const size_t rowBytes = D3D9TestDevice::kWidth * 3;
    ASSERT_EQ(54 + rowBytes * D3D9TestDevice::kHeight, shot.size());
    EXPECT_EQ("BM", shot.substr(0, 2));
    EXPECT_EQ(24, shot[28]);
    EXPECT_EQ(std::string("\xFF\x00\x00", 3), shot.substr(54, 3));
    EXPECT_EQ(std::string("\x00\x00\xFF", 3), shot.substr(shot.size() - 3, 3));
    EXPECT_EQ(std::string("\xFF\x00\x00", 3), shot.substr(shot.size() - 4 * rowBytes - 3, 3));
    EXPECT_FALSE(std::filesystem::exists(mDirectory.File("second.bmp")));

    // Frame 3: the key and the wheel, then the shot at its Present, then the quit.
    mSeen.clear();
    WinPumpEvents();
    ASSERT_EQ(2u, mSeen.size());
    EXPECT_EQ(SDL_KEYDOWN, mSeen[0].type);
    EXPECT_EQ(SDL_SCANCODE_A, mSeen[0].key.keysym.scancode);
    EXPECT_EQ(SDL_MOUSEWHEEL, mSeen[1].type);
    EXPECT_EQ(1, mSeen[1].wheel.y);
    Present();
    EXPECT_TRUE(std::filesystem::exists(mDirectory.File("second.bmp")));
    EXPECT_FALSE(std::filesystem::exists(mDirectory.File("second.bmp.part")));

    // The quit closes the window: a WM_CLOSE reaches the queue.
    mSeen.clear();
    MSG message{};
    bool closed = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        closed = closed || message.message == WM_CLOSE;
    }
    EXPECT_TRUE(closed);
}

// The program reads the keyboard's state once a frame, between its pumps and its Present.
TEST_F(WinTestHooks, AKeyPressedInAShotsFrameIsHeldForAFrame)
{
    Load("shot before\npress 0x1E\nshot held\nkey 1 down\nwait 1\nkey 1 up\n");
    void* object = nullptr;
    ASSERT_EQ(DI_OK, DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8W, &object, nullptr));
    IDirectInput8W* input = static_cast<IDirectInput8W*>(object);
    IDirectInputDevice8W* keyboard = nullptr;
    ASSERT_EQ(DI_OK, input->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
    EXPECT_EQ(DI_OK, keyboard->SetCooperativeLevel(mDevice.Window(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND));
    EXPECT_EQ(DI_OK, keyboard->SetDataFormat(&c_dfDIKeyboard));
    EXPECT_EQ(DI_OK, keyboard->Acquire());
    // Per frame, the A key (0x1E) and Escape (1) as read.
    std::string held;
    for (int frame = 0; frame < 7; ++frame) {
        uint8_t state[256] = {};
        EXPECT_EQ(DI_OK, keyboard->GetDeviceState(sizeof(state), state));
        held += state[0x1E] ? (state[1] ? "AE " : "A ") : (state[1] ? "E " : "- ");
        Present();
    }
    keyboard->Release();
    input->Release();
    EXPECT_EQ("- - - A - - E ", held);
    EXPECT_TRUE(std::filesystem::exists(mDirectory.File("before.bmp")));
    EXPECT_TRUE(std::filesystem::exists(mDirectory.File("held.bmp")));
}

TEST_F(WinTestHooks, ClocksAdvanceOneStepPerPresentedFrame)
{
    Load("step 10\nwait 2\nstep 1000\n");
    const DWORD start = timeGetTime();
    EXPECT_EQ(0u, WinTestClockMilliseconds());
    Sleep(20);
    EXPECT_EQ(start, timeGetTime());

    // Steps of 10 ms from frame 0 on, of a second from frame 4 on.
    const DWORD expected[] = {10, 20, 30, 40, 1040};
    for (DWORD milliseconds : expected) {
        WinPumpEvents();
        Present();
        EXPECT_EQ(milliseconds, timeGetTime() - start);
        EXPECT_EQ(milliseconds * 1000ull, WinTestClockMicroseconds());
    }
    PostMessageW(mDevice.Window(), WM_NULL + 0x400u, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(timeGetTime(), message.time);
}

TEST_F(WinTestHooks, TheDefaultStepIsAThirtiethOfASecond)
{
    Load("quit\n");
    const DWORD expected[] = {33, 66, 100};
    for (DWORD milliseconds : expected) {
        Present();
        EXPECT_EQ(milliseconds, WinTestClockMilliseconds());
    }
}

TEST_F(WinTestHooks, SoundAndMoviesFollowTheFixedClock)
{
    Load("quit\n");
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    // Two steps' worth of sound at 44100 Hz (1470 frames a step) ends at the second Present.
    const std::string wav = LMediaFixtures::MakeFlatWav(44100, 2, 2940, 1000);
    FSOUND_SAMPLE* sample =
        FSOUND_Sample_Load(FSOUND_FREE, wav.data(), FSOUND_LOADMEMORY, 0, static_cast<int>(wav.size()));
    ASSERT_NE(nullptr, sample);
    const int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    ASSERT_GE(channel, 0);
    Sleep(50);
    EXPECT_TRUE(FSOUND_IsPlaying(channel));
    EXPECT_EQ(0u, FSOUND_GetCurrentPosition(channel));
    Present();
    EXPECT_EQ(1470u, FSOUND_GetCurrentPosition(channel));
    Present();
    EXPECT_FALSE(FSOUND_IsPlaying(channel));

    // A movie of 30 frames a second: its second frame is due one step later, not sooner.
    LBinkBytes::MovieSpec spec;
    spec.mFrames.resize(3);
    const std::string movie = LBinkBytes::Make(spec);
    HBINK bink = BinkOpenMemory(movie.data(), movie.size(), 0);
    ASSERT_NE(nullptr, bink);
    EXPECT_EQ(0, BinkWait(bink));
    BinkDoFrame(bink);
    BinkNextFrame(bink);
    Sleep(60);
    EXPECT_EQ(1, BinkWait(bink));
    Present();
    EXPECT_EQ(0, BinkWait(bink));
    BinkClose(bink);
    FSOUND_Sample_Free(sample);
    FSOUND_Close();
}

TEST_F(WinTestHooks, AnUnreadableScriptIsReportedAndClosesTheWindow)
{
    LMediaLogCapture log;
    Load(nullptr, mDirectory.File("missing.txt"));
    EXPECT_TRUE(log.HasError("Test script failure"));
    EXPECT_TRUE(WinTestHooksActive());
    for (int frame = 0; frame < 2; ++frame) {
        WinPumpEvents();
        Present();
    }
    mSeen.clear();
    WinPumpEvents();
    ASSERT_EQ(1u, mSeen.size());
    EXPECT_EQ(SDL_WINDOWEVENT, mSeen[0].type);
    EXPECT_EQ(SDL_WINDOWEVENT_CLOSE, mSeen[0].window.event);
}

} // namespace
