#include "support/GMCutSceneTestCase.h"

#include "scene/GMSceneManager.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "util/GMCleaner.h"

void GMCutSceneTestCase::SetUp()
{
    GMSceneFlow::RegisterFakes();
    LFakeMovieManager::Reset();
    mScene = GMTestScene::Load();
    ASSERT_NE(nullptr, mScene);
    mLog.Clear();
}

void GMCutSceneTestCase::TearDown()
{
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->UnloadScene();
    }
    delete GMCleaner::GetInstance();
    LFakeMovieManager::Reset();
}

GMCutScenePlayer* GMCutSceneTestCase::MakePlayer(const std::string& aTable, const std::string& aSubtitles)
{
    GMCutScenePlayer* player = GMTestCutScenes::Make(aTable, aSubtitles);
    EXPECT_NE(nullptr, player);
    mLog.Clear();
    return player;
}
