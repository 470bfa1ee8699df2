// The location card and the ambient animations on the sample's riverbank: the card shown
// once per location before its first load, its lines' places, the chime and its end, a cut
// scene's viewpoint carried through the card; ambient items that loop, wait a random
// pause, stand at their position, and drop when they cannot play.
#include "scene/GMPlacard.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "container/LPropertyList.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "scene/GMAmbientAnimItem.h"
#include "scene/GMAmbientAnimPlayer.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LRandom.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "stdlib/LIFileSystem.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace GMSceneFlow;

const char* const kRiverbank = GMTestScene::kRiverbank;

class PlacardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        LFakeMovieManager::Reset();
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    static bool CardShown() { return LEventManager::Get()->IsRaised(LString(kRiverbank) + LString("_placard")); }

    // Frames until the chime plays, then its end, then frames until the location is
    // shown and no change of screen runs.
    static bool ChimeToLocation()
    {
        if (!FramesUntil([] { return LFakeSoundPlayer::Find(LString("chingching")) != nullptr; })) {
            return false;
        }
        LFakeSoundPlayer::Find(LString("chingching"))->MarkEnded();
        return FramesUntil([] {
            GMScene* scene = GMSceneManager::GetInstance()->GetScene();
            return scene != nullptr && scene->IsActive() && !GMScreenManager::GetInstance()->IsBusy();
        });
    }

    LLogCapture mLog;
};

TEST_F(PlacardTest, ALocationShowsItsCardOnceAndTheCardLoadsIt)
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    ASSERT_TRUE(scenes->LoadScene(LString(kRiverbank), true, false));
    // Not loaded yet: the card stands in front, raised once.
    EXPECT_EQ(nullptr, scenes->GetScene());
    EXPECT_TRUE(CardShown());
    GMPlacard* card = GMPlacard::Peek();
    ASSERT_NE(nullptr, card);
    EXPECT_TRUE(card->IsPending());
    EXPECT_EQ(card, static_cast<GMPlacard*>(GMScreenManager::GetInstance()->GetTop()));
    ASSERT_TRUE(ChimeToLocation());
    ASSERT_NE(nullptr, scenes->GetScene());
    // The location alone on the stack and the card's group gone.
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
    EXPECT_EQ(nullptr, card->GetGroup());
    EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("placard")));
    EXPECT_FALSE(card->IsPending());
    // Later frames leave the location alone.
    Frames(5);
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());

    // Again: straight to the location. With the skip flag no card, ever.
    ASSERT_TRUE(scenes->LoadScene(LString(kRiverbank), true, false));
    EXPECT_NE(nullptr, scenes->GetScene());
    LEvent* removed = nullptr;
    LEventManager::Get()->RemoveEvent(LString(kRiverbank) + LString("_placard"), &removed);
    delete removed;
    ASSERT_TRUE(scenes->LoadScene(LString(kRiverbank), true, true));
    EXPECT_NE(nullptr, scenes->GetScene());
    EXPECT_FALSE(CardShown());
    // A location without an entry has no card.
    EXPECT_FALSE(card->Show(LString("case09/nowhere")));
    EXPECT_EQ("", mLog.ProblemsBut({"NYI.", "RemoveRestorable failure", ".options file"}));
}

TEST_F(PlacardTest, TheLinesStandCentredFromThreeNinetyDownFortyApart)
{
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(kRiverbank), true, false));
    GMPlacard* card = GMPlacard::Peek();
    ASSERT_NE(nullptr, card);
    ASSERT_TRUE(FramesUntil([card] { return card->GetGroup() != nullptr; }));
    LDisplayGroup* group = card->GetGroup();
    EXPECT_EQ(LString("placard"), group->GetId());
    auto* background = dynamic_cast<LSprite*>(group->GetMemberAt(0));
    ASSERT_NE(nullptr, background);
    EXPECT_EQ(LString("placard_bg"), background->GetId());
    EXPECT_FLOAT_EQ(25.0f, background->GetScale().x);
    EXPECT_FLOAT_EQ(19.0f, background->GetScale().y);
    const char* ids[] = {"location0", "location1", "address0"};
    const char* texts[] = {"Riverbank", "East Landing", "Harbour Road, Dockside"};
    for (int i = 0; i < 3; ++i) {
        auto* line = dynamic_cast<LTextArea*>(group->GetMember(LString(ids[i])));
        ASSERT_NE(nullptr, line) << ids[i];
        EXPECT_EQ(LString(texts[i]), line->GetText());
        const float width = line->GetFont()->GetTextWidth(line->GetText());
        EXPECT_FLOAT_EQ(static_cast<float>(static_cast<int>((800.0f - width) * 0.5f)), line->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(390.0f + 40.0f * i, line->GetLocalPosition().y);
        EXPECT_FLOAT_EQ(15.0f, line->GetRelativeZ());
    }
    EXPECT_FALSE(mLog.Contains("SetHeight"));
}

TEST_F(PlacardTest, AnEntryWithoutAddressShowsItsLocationLinesAndNoChimeEndsAtOnce)
{
    LTestDirectory copy;
    ASSERT_TRUE(GMTestScene::MountChangedCopy(copy, {}));
    copy.Write("scenes/scenes.txt", "case01/riverbank\n\tlocation=Only One\n");
    // No chime to be had: the card counts as done on the next frame.
    LTestDirectory empty;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(empty.Path())));
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(kRiverbank), true, false));
    GMPlacard* card = GMPlacard::Peek();
    ASSERT_NE(nullptr, card);
    ASSERT_TRUE(FramesUntil([card] { return card->GetGroup() != nullptr; }));
    EXPECT_NE(nullptr, card->GetGroup()->GetMember(LString("location0")));
    EXPECT_EQ(nullptr, card->GetGroup()->GetMember(LString("address0")));
    EXPECT_EQ(2, card->GetGroup()->GetMemberCount());
    EXPECT_TRUE(mLog.Contains("Location card chime not opened: //dataroot/sounds/ching-ching.ogg"));
    EXPECT_TRUE(FramesUntil([] {
        GMScene* scene = GMSceneManager::GetInstance()->GetScene();
        return scene != nullptr && scene->IsActive() && !GMScreenManager::GetInstance()->IsBusy();
    }));
    LFakeSoundManager::sRefuseUnfound = false;
}

TEST_F(PlacardTest, ACutScenesViewpointReachesTheLocationItsCardLoads)
{
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    ASSERT_NE(nullptr, player);
    // A case is selected: the target loads at once, here through its card.
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    player->SetTarget(LString(kRiverbank), LString("vp02"));
    player->Play(LString("sample_cut.bik"));
    ASSERT_TRUE(FramesUntil([] { return GMTestCutScenes::Shown() != nullptr; }));
    GMTestCutScenes::Shown()->MarkEnded();
    ASSERT_TRUE(FramesUntil([] { return GMPlacard::Peek() != nullptr && GMPlacard::Peek()->IsPending(); }));
    ASSERT_TRUE(ChimeToLocation());
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(LString("vp02"), scene->GetViewpoint());
    EXPECT_TRUE(scene->IsInputEnabled());
}

class AmbientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        LFakeMovieManager::Reset();
        LRandom::Seed(3);
        mScene = GMTestScene::Load();
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // One ambient item read from aText.
    static std::unique_ptr<GMAmbientAnimItem> Item(const std::string& aText)
    {
        LPropertyList list;
        list.Parse(aText.c_str(), static_cast<int>(aText.size()));
        auto item = std::make_unique<GMAmbientAnimItem>();
        return item->Load(&list) ? std::move(item) : nullptr;
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
};

TEST_F(AmbientTest, TheRiverbanksLanternLoopsAndTheGullWaitsItsPause)
{
    GMAmbientAnimPlayer* ambient = mScene->GetAmbientPlayer();
    ASSERT_NE(nullptr, ambient);
    ASSERT_EQ(1, ambient->GetBackgroundCount());
    ASSERT_EQ(1, ambient->GetForegroundCount());
    GMAmbientAnimItem* lantern = ambient->GetBackground(0);
    EXPECT_TRUE(lantern->IsLooping());
    EXPECT_TRUE(lantern->IsPlaying());
    ASSERT_NE(nullptr, lantern->GetPlayer());
    EXPECT_TRUE(static_cast<LFakeMoviePlayer*>(lantern->GetPlayer())->IsLooping());
    EXPECT_FLOAT_EQ(40.0f, lantern->GetSprite()->GetLocalPosition().x);
    GMAmbientAnimItem* gull = ambient->GetForeground(0);
    EXPECT_FALSE(gull->IsPlaying());
    const float now = static_cast<float>(LFakeTimer::sNow);
    EXPECT_GE(gull->GetNextStart(), now + 6.0f);
    EXPECT_LE(gull->GetNextStart(), now + 12.0f);
    // Option toggle 2: no ambient animations at the next viewpoint.
    GMOptions::GetInstance()->SetToggle(2, 1);
    ASSERT_TRUE(mScene->SetViewpoint(LString("vp01")));
    EXPECT_EQ(nullptr, mScene->GetAmbientPlayer());
    GMOptions::GetInstance()->SetToggle(2, 0);
}

TEST_F(AmbientTest, AReplayedItemStartsWithinItsIntervalsAgainAfterItsMovieEnds)
{
    auto item = Item("movie=amb_gull.bik\nmininterval=2\nmaxinterval=4\n");
    ASSERT_NE(nullptr, item);
    const float start = static_cast<float>(LFakeTimer::sNow);
    EXPECT_GE(item->GetNextStart(), start + 2.0f);
    EXPECT_LE(item->GetNextStart(), start + 4.0f);
    // Without position: the top left corner.
    EXPECT_FLOAT_EQ(0.0f, item->GetPosition().x);
    EXPECT_FLOAT_EQ(0.0f, item->GetPosition().y);
    item->Update(nullptr);
    EXPECT_FALSE(item->IsPlaying());
    LFakeTimer::FrameAt(item->GetNextStart() + 0.01);
    item->Update(nullptr);
    ASSERT_TRUE(item->IsPlaying());
    EXPECT_FALSE(static_cast<LFakeMoviePlayer*>(item->GetPlayer())->IsLooping());
    // The end notice deletes the player inside the notice and schedules the next start.
    static_cast<LFakeMoviePlayer*>(item->GetPlayer())->End();
    EXPECT_FALSE(item->IsPlaying());
    EXPECT_EQ(nullptr, item->GetSprite());
    const float again = static_cast<float>(LFakeTimer::sNow);
    EXPECT_GE(item->GetNextStart(), again + 2.0f);
    EXPECT_LE(item->GetNextStart(), again + 4.0f);
}

TEST_F(AmbientTest, ItemsThatCannotPlayAreDroppedAndTheOthersPlay)
{
    // Without "movie": an assertion line and no item.
    EXPECT_EQ(nullptr, Item("loop=true\n"));
    EXPECT_TRUE(mLog.Contains("'movie' not found."));
    // A looping movie that cannot be opened: dropped, logged.
    EXPECT_EQ(nullptr, Item("movie=missing.bik\nloop=true\n"));
    EXPECT_TRUE(mLog.Contains("Ambient animation dropped. Movie not opened: //dataroot/movies/missing.bik"));
    // A replayed one that cannot be opened when its time comes stays idle for good.
    auto late = Item("movie=missing_too.bik\nmininterval=0\nmaxinterval=0\n");
    ASSERT_NE(nullptr, late);
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.5);
    late->Update(nullptr);
    EXPECT_TRUE(late->IsBroken());
    EXPECT_FALSE(late->IsPlaying());

    // A player over a list with a bad item keeps the good one; an empty foreground draws
    // nothing.
    LPropertyList viewpoint;
    const std::string text = "background\n\tbad\n\t\tloop=true\n\tgood\n\t\tmovie=amb_lantern.bik\n\t\tloop=true\n"
                             "foreground\n";
    viewpoint.Parse(text.c_str(), static_cast<int>(text.size()));
    GMAmbientAnimPlayer player;
    ASSERT_TRUE(player.Build(&viewpoint));
    EXPECT_EQ(1, player.GetBackgroundCount());
    EXPECT_EQ(0, player.GetForegroundCount());
    EXPECT_TRUE(mLog.Contains("Ambient animation not loaded: bad"));
}

} // namespace
