// Start-up wiring: the creators in their order, the current directory and the roots.
#include "GMMain.h"

#include "object/LRegistry.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

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
