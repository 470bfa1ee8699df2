// A long session's memory with the program's own services: the sample's first location
// loaded and unloaded again and again on the software GL device, with the real sound and
// movie services (their ambient movies decode on threads of their own), leaves the heap
// and the main thread's small-block chunks where the first cycles left them.
#include "Sound/LSoundManagerFMODCreator.h"
#include "Video/LMovieManagerBinkCreator.h"
#include "memory/LMemoryManager.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LTestCreator.h"
#include "support/LTestGraphics.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(SceneCyclesGL, LoadingAndUnloadingALocationWithTheRealServicesKeepsTheHeapAndTheChunksSteady)
{
#if !L_TRACK_ALLOC
    GTEST_SKIP() << "the figures are the tracked allocator's";
#endif
    LTestGraphics graphics;
    ASSERT_TRUE(graphics.IsReady());
    LTestGraphics::RegisterCreators();
    RegisterOnce(L_NEW LSoundManagerFMODCreator());
    RegisterOnce(L_NEW LMovieManagerBinkCreator());
    RegisterFakeTimer();
    LFakeTimer::sNow = 1.0;
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    ASSERT_NE(nullptr, scenes);
    const auto cycle = [scenes]() {
        ASSERT_NE(nullptr, GMTestScene::Load());
        // A few frames, so that the ambient movies start and their threads decode.
        for (int frame = 0; frame < 3; ++frame) {
            LFakeTimer::sNow += 0.05;
            scenes->Update();
        }
        scenes->UnloadScene();
    };
    // The first cycles fill the caches that a location loaded again finds.
    for (int i = 0; i < 3; ++i) {
        cycle();
    }
    int64_t bytes = 0, peak = 0, blocks = 0;
    ASSERT_EQ(1, LMemoryManager::GetHeapStats(0, bytes, peak, blocks));
    const int chunks = LMemoryManager::GetThreadChunkCount();
    for (int i = 4; i <= 40; ++i) {
        cycle();
        int64_t nowBytes = 0, nowBlocks = 0;
        ASSERT_EQ(1, LMemoryManager::GetHeapStats(0, nowBytes, peak, nowBlocks));
        EXPECT_EQ(bytes, nowBytes) << "cycle " << i;
        EXPECT_EQ(blocks, nowBlocks) << "cycle " << i;
        ASSERT_EQ(chunks, LMemoryManager::GetThreadChunkCount()) << "cycle " << i;
    }
    delete GMCleaner::GetInstance();
}
