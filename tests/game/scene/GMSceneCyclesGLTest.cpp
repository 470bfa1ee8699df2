// A long session's memory with the program's own services: the sample's first location
// loaded and unloaded again and again on the software GL device, with the real sound and
// movie services (their ambient movies decode on threads of their own), leaves the heap
// and the main thread's small-block chunks where the first cycles left them.
#include "Sound/LSoundManagerFMODCreator.h"
#include "Video/LMovieManagerBinkCreator.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LSteadyHeap.h"
#include "support/LTestCreator.h"
#include "support/LTestGraphics.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

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
    ExpectSteadyHeap(cycle, 3, 40);
    delete GMCleaner::GetInstance();
}
