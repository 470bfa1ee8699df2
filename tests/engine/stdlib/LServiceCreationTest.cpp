#include "object/LRegistry.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LFileSystemWin.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestCreator.h"
#include "support/LTestStrings.h"
#include "time/LITimer.h"
#include "time/LTimerWin.h"

#include <gtest/gtest.h>

namespace {

// Real services, made through a creator the test registered, counting its calls.
template <typename T>
class CountingCreator : public LIObjectCreator
{
public:
    explicit CountingCreator(const char* aId) : LIObjectCreator(LString(aId)) {}
    LObject* Create() override
    {
        ++mCalls;
        return new T();
    }
    int mCalls = 0;
};

class ServiceCreationTest : public testing::Test
{
protected:
    void TearDown() override { delete LCleaner::Get(); }
};

} // namespace

TEST_F(ServiceCreationTest, FileSystemAndTimerComeFromTheirCreators)
{
    LRegistry* registry = LRegistry::Get();
    auto* files = new CountingCreator<LFileSystemWin>("filesystem");
    auto* clock = new CountingCreator<LTimerWin>("timer");
    ASSERT_EQ(1, registry->AddCreator(files));
    ASSERT_EQ(1, registry->AddCreator(clock));
    LIFileSystem* fileSystem = LIFileSystem::Get();
    LITimer* timer = LITimer::Get();
    ASSERT_NE(nullptr, fileSystem);
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(fileSystem, LIFileSystem::Get());
    EXPECT_EQ(timer, LITimer::Get());
    EXPECT_EQ(1, files->mCalls);
    EXPECT_EQ(1, clock->mCalls);
    // Initialised by the object manager: the timer runs.
    EXPECT_GE(timer->GetTime(), 0.0);
    EXPECT_TRUE(timer->Reset());
    EXPECT_EQ(0, LAPIObjectManager::Get()->GetHandleCount());
}

TEST_F(ServiceCreationTest, DefaultCreatorsWhenTheProgramRegisteredNone)
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    ASSERT_NE(nullptr, fileSystem);
    LRegistry* registry = LRegistry::Get();
    EXPECT_EQ(0, registry->GetCreatorIndex(LString("filesystem")));
    EXPECT_EQ(0u, ToStd(registry->GetCreator(0)->Dump()).find("[LFileSystemWinCreator <"));
    ASSERT_NE(nullptr, LITimer::Get());
    EXPECT_EQ(1, registry->GetCreatorIndex(LString("timer")));
    EXPECT_EQ(0u, ToStd(registry->GetCreator(1)->Dump()).find("[LTimerWinCreator <"));
    EXPECT_EQ(0u, ToStd(LITimer::Get()->Dump()).find("[LTimerWin <"));
}

TEST_F(ServiceCreationTest, AProductOfTheWrongKindIsRefused)
{
    LLogCapture log;
    LTestObject stranger;
    LTestCreator* creator = new LTestCreator(LString("timer"));
    creator->mFixed = &stranger;
    LRegistry::Get()->AddCreator(creator);
    EXPECT_EQ(nullptr, LITimer::Get());
    EXPECT_TRUE(log.Contains("Creator made an object of another kind: timer"));
    EXPECT_TRUE(log.Contains("Timer creation failure."));
}

TEST(ServiceCreationLifetime, NothingIsMadeAfterExit)
{
    ASSERT_NE(nullptr, LIFileSystem::Get());
    delete LCleaner::Get();
    LLogCapture log;
    EXPECT_EQ(nullptr, LIFileSystem::Get());
    EXPECT_EQ(nullptr, LRegistry::Get());
    EXPECT_TRUE(log.Lines().empty());
    // Never made before exit: the registry is gone, so it cannot be made now.
    EXPECT_EQ(nullptr, LITimer::Get());
    EXPECT_EQ(1u, log.Lines().size());
    EXPECT_TRUE(log.Contains("Timer creation failure."));
    EXPECT_EQ(nullptr, LRegistry::Get());
}
