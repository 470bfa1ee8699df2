// The sample's player on the riverbank: it loads as a game character without an assertion
// and, steered over the location's own navigation, walks from vp01's start way-point to the
// way-point that vp02's camera sees as well, where it stops on its idle animation.
#include "Render/LAnimationTrack.h"
#include "Render/LDrawElement.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "TNavDataParser.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestCharacters.h"
#include "support/LTestCreator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

LVector3 WayPoint(LPathFindingWeb& aWeb, const char16_t* aName)
{
    const LWayPoint* point = aWeb.GetWayPoint(LString(aName));
    EXPECT_NE(nullptr, point);
    return point != nullptr ? LVector3(point->mPoint.x, point->mPoint.y, 0.0f) : LVector3(0, 0, 0);
}

} // namespace

TEST(SamplePlayer, LoadsAndWalksFromTheStartWayPointToTheOneBothCamerasSee)
{
    LTestCharacters::FakeTimeFirst fakeTime;
    ASSERT_TRUE(LSampleRoots::Mount());
    RegisterFake<LFakeDeviceCaps>("devicecaps");
    RegisterFakeSoundManager();
    LLogCapture log;

    LPropertyList data;
    ASSERT_TRUE(data.Load(LString(u"//characters/vedrin.data"), true));
    auto player = std::make_unique<GMCharacter>();
    ASSERT_EQ(1, player->Load(&data, nullptr));
    EXPECT_EQ(0, log.Count("ASSERT FAILURE"));

    const LString folder(u"//scenes/case01/riverbank/");
    LPropertyList* parsed = nullptr;
    ASSERT_TRUE(ParseNavigation(folder + LString(u"navigation.txt"), &parsed));
    std::unique_ptr<LPropertyList> areas(parsed);
    LPropertyList wayPoints;
    ASSERT_TRUE(wayPoints.Load(folder + LString(u"waypoints.txt"), true));
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    LDrawElement depth;
    ASSERT_TRUE(stream.CreateFromFile(folder + LString(u"vp01_depth.lim"), true));
    ASSERT_TRUE(depth.LoadModel(&stream, LDrawElement::kFlat));

    auto* web = new LPathFindingWeb();
    ASSERT_TRUE(web->Create(&wayPoints));
    const LVector3 start = WayPoint(*web, u"south");
    const LVector3 target = WayPoint(*web, u"middle");
    auto navigation = std::make_unique<LNavigationTDO>();
    ASSERT_TRUE(navigation->Create(areas.get()) && navigation->SetSceneRoot(&depth) &&
                navigation->SetPathFinding(web) && navigation->SetCamera(LString(u"cam01")));
    LSteeringTDO steering;
    steering.SetDefaults();
    ASSERT_TRUE(steering.SetNavigation(navigation.get()));
    ASSERT_TRUE(steering.SetCharacter(player.get()));
    ASSERT_TRUE(player->SetSteering(&steering));
    navigation->SetPosition(start);
    navigation->SetTarget(target);
    navigation->SetEnabled(true);
    ASSERT_TRUE(steering.SetMoving(true, 1));
    EXPECT_EQ(48.0f, steering.GetMoveSpeed());

    double now = 0.0;
    for (int frame = 0; frame < 600 && steering.IsEnabled(); ++frame) {
        LFakeTimer::FrameAt(now += 1.0 / 30.0);
        player->UpdateSteering();
        player->UpdateTransform();
    }
    EXPECT_FALSE(steering.IsEnabled());
    EXPECT_LT((*navigation->GetPosition() - target).Length(), 4.0f);
    EXPECT_EQ(player->GetIdleAnimation(), player->GetTrack(0)->mAnimation);
    // About 200 units at 48 a second: well under the frames allowed.
    EXPECT_GT(now, 3.0);
    EXPECT_EQ(0, log.Count("ASSERT FAILURE"));

    player->SetVisible(false);
    player.reset();
    navigation.reset();
    delete web;
    LGestureAnimManager::Get()->RemoveAll();
}
