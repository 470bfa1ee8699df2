// A whole run of the game's application on the platform until the window closes: every
// game singleton, stand-ins included, is gone before the engine's cleaner deletes anything.
#include "GMApp.h"
#include "GMMain.h"

#include "stdlib/LCleaner.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"
#include "support/LSdlEvents.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

namespace {

// Deleted by the engine's cleaner before anything else there (it is registered last):
// records whether the game's singletons were all gone by then.
struct Probe : LBase
{
    ~Probe() override
    {
        // Every game singleton is registered with the game cleaner: none is left while
        // there is no game cleaner. (An accessor asked now would make its singleton
        // again, for a later game cleaner.)
        sGameGone = GMCleaner::Peek() == nullptr;
        sDeleted = true;
    }
    static bool sGameGone;
    static bool sDeleted;
};

bool Probe::sGameGone = false;
bool Probe::sDeleted = false;

// Plants the probe at the first frame and closes the window at the third.
struct Frames : LIFrameListener
{
    void OnFrame() override
    {
        if (++mFrame == 1) {
            LCleaner::Get()->AddInstance(new Probe());
        } else if (mFrame == 3) {
            LSdlEvents::Close();
        }
    }
    int mFrame = 0;
};

} // namespace

TEST(GMAppRun, TheGameSingletonsAreGoneBeforeTheEngineCleanerRuns)
{
    LLogCapture log;
    ASSERT_TRUE(GMMain::RegisterComponents());
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    Frames frames;
    ASSERT_TRUE(LFrameManager::Get()->AddListener(&frames, 0.0f));
    EXPECT_EQ(0, GMMain::RunApplication([]() -> LApp* { return GMApp::GetInstance(); }));
    EXPECT_EQ(3, frames.mFrame);
    EXPECT_TRUE(Probe::sDeleted);
    EXPECT_TRUE(Probe::sGameGone);
    EXPECT_TRUE(log.Contains("Device max texture width: "));
    EXPECT_TRUE(log.Contains("allocs"));
}
