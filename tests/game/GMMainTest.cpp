// Start-up wiring: the creators in their order, the current directory and the roots; the
// exit status of a run that cannot start.
#include "GMMain.h"

#include "Render/LIPlatform.h"
#include "Render/LPlatformParams.h"
#include "object/LIObjectCreator.h"
#include "object/LRegistry.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestCreator.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

TEST(GMMain, RegistersTheCreatorsInStartupOrderAndMountsTheRootsUnderTheCurrentDirectory)
{
    LLogCapture log;
    EXPECT_TRUE(GMMain::RegisterComponents());
    LRegistry* registry = LRegistry::Get();
    std::vector<std::string> ids;
    for (int i = 0; i < registry->GetCreatorCount(); ++i) {
        LString id;
        registry->GetCreatorId(i, id);
        ids.push_back(ToStd(id));
    }
    // The registered ids keep the start-up table's order (the table may hold ids whose
    // creators have not arrived yet).
    std::vector<std::string> table;
    for (const char* id : LRegistry::kStartupCreatorIds) {
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
            table.push_back(id);
        }
    }
    EXPECT_EQ(table, ids);
    for (const char* id : {"filesystem", "timer", "rasterizer", "texture", "devicecaps", "matrixutil", "soundmanager", "moviemanager",
                           "platform", "eventmanager", "statemanager", "gameclock"}) {
        EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), id)) << id;
    }
    // A second registration is refused.
    EXPECT_FALSE(GMMain::RegisterComponents());

    GMMain::MountRoots();
    LString directory;
    ASSERT_TRUE(LIFileSystem::Get()->GetCurrentDirectory(directory));
    EXPECT_TRUE(log.Contains("CURRENT DIR:" + ToStd(directory)));
    LString native;
    ASSERT_TRUE(LIFileSystem::Get()->GetNativePath(LString("//gameroot/x"), native));
    EXPECT_EQ(ToStd(directory) + "/x", ToStd(native));
    ASSERT_TRUE(LIFileSystem::Get()->GetNativePath(LString("//gestures/g.txt"), native));
    EXPECT_EQ(ToStd(directory) + "/data/gestures/g.txt", ToStd(native));
}

namespace {

// A platform without a window whose start a test decides; its loop ends at once.
class ScriptedPlatform : public LIPlatform
{
public:
    static bool sOpens;
    static int sDeleted;

    ~ScriptedPlatform() override
    {
        ++sDeleted;
        NotifyQuit();
    }

    int Init(int) override
    {
        if (mApp != nullptr) {
            mApp->Init();
        }
        return 1;
    }
    int Init(LPlatformParams&) override { return sOpens ? 1 : 0; }
    void Quit() override { NotifyQuit(); }
    void Frame() override {}
    int Run() override { return 0; }
};

bool ScriptedPlatform::sOpens = true;
int ScriptedPlatform::sDeleted = 0;

// Makes a ScriptedPlatform, or nothing when aMakes is false.
class ScriptedPlatformCreator : public LIObjectCreator
{
public:
    explicit ScriptedPlatformCreator(bool aMakes) : LIObjectCreator(LString("platform")), mMakes(aMakes) {}
    LObject* Create() override { return mMakes ? new ScriptedPlatform() : nullptr; }

private:
    bool mMakes;
};

struct ExitCase
{
    const char* mName;
    bool mPlatformMade;
    bool mPlatformOpens;
    bool mAppMade;
    int mResult;
    int mAppsAsked;
    const char* mLogged;
};

void PrintTo(const ExitCase& aCase, std::ostream* aOut)
{
    *aOut << aCase.mName;
}

// The platform is made once per run, and the run deletes it whether it started or not.
class GMMainExit : public ::testing::TestWithParam<ExitCase>
{
};

} // namespace

TEST_P(GMMainExit, FailureToStartIsAFailureStatusAndANormalRunIsZero)
{
    const ExitCase& c = GetParam();
    LLogCapture log;
    RegisterOnce(new ScriptedPlatformCreator(c.mPlatformMade));
    ScriptedPlatform::sOpens = c.mPlatformOpens;
    ScriptedPlatform::sDeleted = 0;
    LTestAppRecord record;
    int asked = 0;
    EXPECT_EQ(c.mResult, GMMain::RunApplication([&record, &asked, &c]() -> LApp* {
        ++asked;
        return c.mAppMade ? new LTestApp(&record) : nullptr;
    }));
    EXPECT_EQ(c.mAppsAsked, asked); // the application only once the platform is open
    EXPECT_TRUE(log.Contains(c.mLogged));
    // Only a run that started is torn down and reported.
    EXPECT_EQ(c.mResult == 0, log.Contains("allocs"));
    EXPECT_EQ(c.mResult == 0 ? 1 : 0, record.mQuit);
    EXPECT_EQ(c.mResult == 0 ? 1 : 0, record.mInit);
    EXPECT_EQ(c.mPlatformMade ? 1 : 0, ScriptedPlatform::sDeleted);
    // The exit tables are for the whole-program tests' script only.
    EXPECT_FALSE(log.Contains("EVENTS"));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, GMMainExit,
    ::testing::Values(ExitCase {"NoPlatform", false, true, true, 1, 0, "RunApplication failure. No platform."},
                      ExitCase {"PlatformCannotOpen", true, false, true, 1, 0, "RunApplication failure. The platform could not start."},
                      ExitCase {"NoApplication", true, true, false, 1, 1, "RunApplication failure. No application."},
                      ExitCase {"NormalRun", true, true, true, 0, 1, "allocs"}),
    [](const ::testing::TestParamInfo<ExitCase>& aInfo) { return std::string(aInfo.param.mName); });
