// A long session's memory: the sample's first location loaded and unloaded again and
// again leaves the heap and the main thread's small-block chunks where the first cycle
// left them (the recording fakes' own records are emptied after each cycle).
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeSoundManager.h"
#include "support/LSteadyHeap.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

TEST(SceneCycles, LoadingAndUnloadingALocationAgainKeepsTheHeapAndTheChunksSteady)
{
#if !L_TRACK_ALLOC
    GTEST_SKIP() << "the figures are the tracked allocator's";
#endif
    ASSERT_TRUE(GMTestScene::PrepareHeadless());
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    ASSERT_NE(nullptr, scenes);
    const auto cycle = [scenes]() {
        ASSERT_TRUE(scenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
        scenes->UnloadScene();
        LFakeSoundManager::sMade.clear();
        LFakeSoundManager::sMade.shrink_to_fit();
        // The ambient movies' records.
        LFakeMovieManager::sTexturesMade.clear();
        LFakeMovieManager::sTexturesMade.shrink_to_fit();
        LFakeRasterizer::Instance()->Reset();
    };
    ExpectSteadyHeap(cycle, 1, 100);
    delete GMCleaner::GetInstance();
}
