// The platform made through its creator, run headless: the order of the loop, quitting,
// closing the window, activation, and input from SDL's queue reaching the application and
// the keyboard and mouse listeners.
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LGraphicsDX9.h"
#include "Render/LIPlatform.h"
#include "Render/LPlatformPCDX9.h"
#include "Render/LPlatformPCDX9Creator.h"
#include "Render/LPlatformParams.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "support/LLogCapture.h"
#include "support/LSdlEvents.h"
#include "support/LTestApp.h"
#include "support/LTestPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class KeyListener : public LIKeyboardListener
{
public:
    explicit KeyListener(std::vector<std::string>* aCalls) : mCalls(aCalls) {}
    void OnKeyDown(int aKey) override { mCalls->push_back("key down " + std::to_string(aKey)); }
    void OnKeyUp(int aKey) override { mCalls->push_back("key up " + std::to_string(aKey)); }

private:
    std::vector<std::string>* mCalls;
};

class MouseListener : public LIMouseListener
{
public:
    explicit MouseListener(std::vector<std::string>* aCalls) : mCalls(aCalls) {}
    void OnButtonDown(int aButton) override { mCalls->push_back("down " + std::to_string(aButton)); }
    void OnButtonUp(int aButton) override { mCalls->push_back("up " + std::to_string(aButton)); }
    void OnMove(const LVector2& aPosition) override { mCalls->push_back("move " + LTestPoint(aPosition.x, aPosition.y)); }
    void OnWheel(float aDelta) override { mCalls->push_back("wheel " + std::to_string(static_cast<int>(aDelta))); }

private:
    std::vector<std::string>* mCalls;
};

class LPlatformTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(LRegistry::Get()->AddCreator(L_NEW LPlatformPCDX9Creator())); }

    // The platform with the start-up parameters (windowed when asked, so window pixels
    // are picture units) and a test application whose Update runs aOnUpdate.
    LIPlatform* Start(std::function<void(int)> aOnUpdate, bool aWindowed = true)
    {
        LIPlatform* platform = LIPlatform::Get();
        EXPECT_NE(nullptr, platform);
        if (!platform) {
            return nullptr;
        }
        mParams.mWindowed = aWindowed;
        EXPECT_EQ(1, platform->Init(mParams));
        EXPECT_NE(nullptr, mParams.mWindow);
        platform->SetApp(new LTestApp(&mRecord, std::move(aOnUpdate)));
        EXPECT_EQ(1, platform->Init(0));
        return platform;
    }

    LLogCapture mLog;
    LPlatformParams mParams;
    LTestAppRecord mRecord;
};

TEST_F(LPlatformTest, LoopRunsTheFrameInsideTheSceneAndQuitEndsItWithOneOnQuit)
{
    LIPlatform* platform = LIPlatform::Get();
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(platform, LIPlatform::Get());
    // Before an application is set, Init(0) starts nothing; before Init with the
    // parameters there is nothing to run.
    EXPECT_EQ(1, platform->Init(0));
    EXPECT_EQ(0, platform->Run());
    EXPECT_TRUE(mLog.Contains("Run failure. The platform is not initialised."));
    // An application set before is deleted when another replaces it.
    LTestAppRecord replaced;
    platform->SetApp(new LTestApp(&replaced));

    int insideScene = 0;
    int quitSeenInUpdate = -1;
    platform = Start(
        [&](int aFrame) {
            // A second BeginScene fails while the platform's scene is open.
            if (FAILED(LGraphicsDX9::Get()->GetDevice()->BeginScene())) {
                ++insideScene;
            }
            if (aFrame == 3) {
                LIPlatform::Get()->Quit();
                quitSeenInUpdate = mRecord.mQuit;
            }
        },
        false);
    ASSERT_NE(nullptr, platform);
    EXPECT_TRUE(replaced.mDeleted);
    EXPECT_EQ(0, replaced.mInit);
    EXPECT_EQ(1, mRecord.mInit);
    EXPECT_TRUE(mLog.Contains("BackBufferFormat = D3DFMT_A8R8G8B8"));
    EXPECT_TRUE(platform->IsActive());

    EXPECT_EQ(0, platform->Run());
    EXPECT_EQ(3, mRecord.mUpdate);
    EXPECT_EQ(3, insideScene);
    EXPECT_EQ(1, quitSeenInUpdate);
    // Each pass ended its scene: the next BeginScene never failed.
    EXPECT_FALSE(mLog.Contains("BeginScene failed"));

    delete platform;
    EXPECT_TRUE(mRecord.mDeleted);
    EXPECT_EQ(1, mRecord.mQuit);
    EXPECT_EQ(nullptr, LGraphicsDX9::Get());
    EXPECT_EQ(nullptr, LIPlatform::Get());
}

TEST_F(LPlatformTest, ClosingTheWindowEndsTheLoopBeforeTheFrame)
{
    LIPlatform* platform = Start([](int aFrame) {
        if (aFrame == 2) {
            LSdlEvents::Close();
        }
    });
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(0, platform->Run());
    EXPECT_EQ(2, mRecord.mUpdate);
    EXPECT_EQ(0, mRecord.mQuit);
    EXPECT_FALSE(IsWindow(mParams.mWindow));
    delete platform;
    EXPECT_EQ(1, mRecord.mQuit);
}

TEST_F(LPlatformTest, KeysAndMouseReachTheApplicationAndTheListenersInOrder)
{
    std::vector<std::string>& calls = mRecord.mCalls;
    KeyListener keys(&calls);
    MouseListener mouse(&calls);
    ASSERT_TRUE(LKeyboard::Get()->AddListener(&keys, 0.0f));
    ASSERT_TRUE(LMouse::Get()->AddMember(&mouse, 0.0f));

    LIPlatform* platform = Start([](int aFrame) {
        switch (aFrame) {
        case 1:
            LSdlEvents::Key("A", true);
            LSdlEvents::Key("Right", true);
            LSdlEvents::Move(10, 5);
            LSdlEvents::Move(3, 0);
            LSdlEvents::Button(1, true);
            LSdlEvents::Move(2, 2);
            LSdlEvents::Button(1, false);
            LSdlEvents::Wheel(1);
            break;
        case 2:
            // The key stays down; the wheel turns while a move is pending.
            LSdlEvents::Move(900, 0);
            LSdlEvents::Wheel(-1);
            LSdlEvents::Button(2, true); // the middle button
            LSdlEvents::Button(2, true); // repeats the state: nothing
            break;
        case 3:
            LSdlEvents::Key("A", false);
            LSdlEvents::Move(5, 0);
            break;
        case 4: LSdlEvents::Move(-5, -20); break;
        case 5: LIPlatform::Get()->Quit(); break;
        default: break;
        }
    });
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(0, platform->Run());
    const std::vector<std::string> expected = {
        "update 1",
        "app key down 30", "key down 30",
        "app key down 205", "key down 205",
        "app mouse 13,5", "move 13,5",
        "app button down 1", "down 1",
        "app mouse 15,7", "move 15,7",
        "app button up 1", "up 1",
        "app wheel 0,120", "wheel 120",
        "update 2",
        "app wheel 0,0", "wheel -120",
        "app mouse 915,7", "move 799,7",
        "app button down 3", "down 3",
        "update 3",
        "app key up 30", "key up 30",
        "app mouse 804,7", "move 799,7",
        "update 4",
        "app mouse 794,-13", "move 794,0",
        "update 5",
    };
    EXPECT_EQ(expected, calls);
    EXPECT_EQ(1, LKeyboard::Get()->IsKeyDown(205));
    EXPECT_EQ(1, LMouse::Get()->IsButtonDown(3));
    LKeyboard::Get()->RemoveListener(&keys);
    LMouse::Get()->RemoveListener(&mouse);
    delete platform;
}

TEST_F(LPlatformTest, ActivationResetsTheMouseOnceAndInactiveReadsAreLoggedWithoutAcquiring)
{
    LIPlatform* platform = Start([](int aFrame) {
        switch (aFrame) {
        case 1:
            LSdlEvents::Focus(true);
            LSdlEvents::Move(10, 0); // lost with the reset of the next pass
            break;
        case 2: LSdlEvents::Move(4, 0); break;
        case 3: LSdlEvents::Focus(false); break;
        case 4: LSdlEvents::Close(); break;
        default: break;
        }
    });
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(0, platform->Run());
    const std::vector<std::string> expected = {"update 1", "update 2", "app mouse 4,0", "update 3", "update 4"};
    EXPECT_EQ(expected, mRecord.mCalls);
    EXPECT_EQ(1, mRecord.mActivate);
    EXPECT_EQ(1, mRecord.mDeactivate);
    EXPECT_FALSE(platform->IsActive());
    EXPECT_EQ(1, mLog.Count("GetDeviceState failure: "));
    EXPECT_FALSE(mLog.Contains("Acquire fail"));
    delete platform;
}

TEST_F(LPlatformTest, AnExistingWindowIsShownAndGetsNoInput)
{
    HWND window = MakeTestWindow(800, 600);
    ASSERT_NE(nullptr, window);
    mParams.mWindow = window;
    LIPlatform* platform = Start([](int) { LIPlatform::Get()->Quit(); });
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(window, mParams.mWindow);
    EXPECT_EQ(nullptr, static_cast<LPlatformPCDX9*>(platform)->GetInput());
    EXPECT_EQ(0, platform->Run());
    EXPECT_EQ(1, mRecord.mUpdate);
    delete platform;
    // Not the platform's: it is left to its owner.
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
}

TEST_F(LPlatformTest, TheWindowThePlatformMadeGoesWithItAndLeavesNoQuitBehind)
{
    LIPlatform* platform = Start([](int) { LIPlatform::Get()->Quit(); });
    ASSERT_NE(nullptr, platform);
    const HWND window = mParams.mWindow;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(0, platform->Run());
    delete platform;
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// The window's class goes with the platform: a platform of the same title made afterwards
// registers it again and starts.
TEST_F(LPlatformTest, APlatformMadeAfterTheFirstEndedStartsWithTheSameTitle)
{
    LIPlatform* first = Start([](int) { LIPlatform::Get()->Quit(); });
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0, first->Run());
    delete first;
    LIPlatform* second = static_cast<LIPlatform*>(LPlatformPCDX9Creator().Create());
    ASSERT_NE(nullptr, second);
    LPlatformParams params = mParams;
    params.mWindow = nullptr;
    EXPECT_EQ(1, second->Init(params));
    EXPECT_NE(nullptr, params.mWindow);
    EXPECT_FALSE(mLog.Contains("Could not register window.")) << mLog.Bytes();
    delete second;
}

} // namespace
