#include "support/GMFrontScreenTestCase.h"

#include "GMScreenManager.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "event/LEventManager.h"
#include "object/LRegistry.h"
#include "object/LRestoreManager.h"
#include "object/LRuntimeSetup.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "util/GMCleaner.h"

#include <filesystem>

void GMFrontScreenTestCase::SetUp()
{
    ASSERT_TRUE(mRoots.Mounted());
    ASSERT_TRUE(GMSceneFlow::PrepareGame());
    // What the game writes goes to the fresh directory; what it reads besides is copied in.
    std::filesystem::create_directories(mRoots.Path() + "/data/game");
    ASSERT_TRUE(mRoots.CopySample("assets/tooltips.txt"));
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(mRoots.Path() + "/data")));
    LRegistry* registry = LRegistry::Get();
    if (registry->GetCreatorIndex(LString("eventmanager")) < 0) {
        ASSERT_EQ(1, LRuntimeSetup::RegisterCreators(registry));
    }
    if (LRestoreManager::Get()->GetRestorableCount() == 0) {
        ASSERT_EQ(1, LRuntimeSetup::RegisterRestorables());
    }
    LEventManager::Get()->RemoveAllEvents();
    LStateManager::Get()->RemoveAllStates();
    LGameClock::Get()->Reset();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    screens->Clear();
    ASSERT_TRUE(screens->PushScreen(&mMenu));
    mLog.Clear();
}

void GMFrontScreenTestCase::TearDown()
{
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->Clear();
    }
    delete GMCleaner::GetInstance();
}

void GMFrontScreenTestCase::Open(GMIScreen* aScreen)
{
    ASSERT_NE(nullptr, aScreen);
    ASSERT_TRUE(GMScreenManager::GetInstance()->PushFade(aScreen));
    ASSERT_TRUE(FinishFade());
    ASSERT_EQ(aScreen, Top());
}

void GMFrontScreenTestCase::Click(float aX, float aY)
{
    LFakeTimer::sNow += 1.0;
    GMSceneFlow::Click(LVector2(aX, aY));
}

void GMFrontScreenTestCase::Key(int aKey)
{
    LKeyboard::Get()->OnKeyDown(aKey);
    LKeyboard::Get()->OnKeyUp(aKey);
}

bool GMFrontScreenTestCase::FinishFade()
{
    return GMSceneFlow::FramesUntil([] { return !GMScreenManager::GetInstance()->IsBusy(); });
}

GMIScreen* GMFrontScreenTestCase::Top()
{
    return GMScreenManager::GetInstance()->GetTop();
}

std::string GMFrontScreenTestCase::GameFile(const std::string& aName) const
{
    return HasGameFile(aName) ? mRoots.Read("data/game/" + aName) : "<none>";
}

bool GMFrontScreenTestCase::HasGameFile(const std::string& aName) const
{
    return std::filesystem::exists(mRoots.Path() + "/data/game/" + aName);
}
