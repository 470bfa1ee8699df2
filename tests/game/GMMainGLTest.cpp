// The program's run: the platform with the start-up parameters, the application started
// once, the loop until the window closes, and the teardown.
#include "GMMain.h"

#include "support/LLogCapture.h"
#include "support/LSdlEvents.h"
#include "support/LTestApp.h"

#include <gtest/gtest.h>

TEST(GMMain, RunsTheApplicationUntilTheWindowClosesAndTearsDown)
{
    LLogCapture log;
    ASSERT_TRUE(GMMain::RegisterComponents());
    LTestAppRecord record;
    EXPECT_EQ(0, GMMain::RunApplication([&record]() -> LApp* {
        return new LTestApp(&record, [](int aFrame) {
            if (aFrame == 2) {
                LSdlEvents::Close();
            }
        });
    }));
    EXPECT_EQ(1, record.mInit);
    EXPECT_EQ(2, record.mUpdate);
    EXPECT_EQ(1, record.mQuit);
    EXPECT_TRUE(record.mDeleted);
    EXPECT_TRUE(log.Contains("BackBufferFormat = D3DFMT_A8R8G8B8"));
    EXPECT_TRUE(log.Contains("AutoDepthStencilFormat = D3DFMT_D24S8"));
    EXPECT_TRUE(log.Contains("allocs")); // the memory report at exit
}
