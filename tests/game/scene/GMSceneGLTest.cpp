// The riverbank's vp01 drawn on the software GL stand-in: the player stands lit on the
// drawn floor, and where the crate stands in front of it the pre-drawn background shows,
// not the player (the depth mesh fills the depth buffer only).
#include "LMatrix4.h"
#include "LVector2.h"
#include "Render/LCamera.h"
#include "Render/LIRasterizer.h"
#include "Render/LNavigationTDO.h"
#include "scene/GMCharacter.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestGraphics.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The pixel of a world point through the scene's camera.
void Pixel(GMScene* aScene, const LVector3& aWorld, int& aX, int& aY)
{
    LMatrix4 viewProjection;
    LMatrix4::Multiply(&viewProjection, aScene->GetCamera()->GetViewMatrix(), aScene->GetCamera()->GetProjectionMatrix());
    LVector3 clip;
    LMatrix4::TransformCoord(&clip, &viewProjection, &aWorld);
    aX = static_cast<int>((clip.x + 1.0f) * 400.0f);
    aY = static_cast<int>((1.0f - clip.y) * 300.0f);
}

int Brightness(uint32_t aPixel)
{
    return static_cast<int>(((aPixel >> 16) & 0xFF) + ((aPixel >> 8) & 0xFF) + (aPixel & 0xFF));
}

class SceneGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mGraphics.IsReady());
        LTestGraphics::RegisterCreators();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        LFakeTimer::sNow = 1.0;
        mScene = GMTestScene::Load();
        ASSERT_NE(nullptr, mScene);
        ASSERT_EQ(LString("vp01"), mScene->GetViewpoint());
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // Stands the player at ground (x, z) and draws a frame; the colour at the world point
    // aLook, with the player shown or hidden.
    uint32_t Drawn(float aX, float aZ, const LVector3& aLook, bool aPlayerShown)
    {
        GMNavigation* navigation = GMNavigation::GetInstance();
        navigation->GetNavigation()->SetPosition(LVector3(aX, aZ, 0.0f));
        GMCharacter* player = mScene->GetPlayer();
        player->SetVisible(aPlayerShown);
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
        EXPECT_EQ(1, LIRasterizer::Get()->Clear());
        EXPECT_TRUE(mScene->Update());
        EXPECT_TRUE(mScene->Render());
        int x = 0;
        int y = 0;
        Pixel(mScene, aLook, x, y);
        EXPECT_TRUE(x > 0 && x < 800 && y > 0 && y < 600) << x << "," << y;
        return mGraphics.Pixel(x, y) | 0xFF000000u;
    }

    LTestGraphics mGraphics {800, 600};
    LLogCapture mLog;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(SceneGLTest, ThePlayerStandsLitOnTheDrawnFloor)
{
    // On the open floor of the south half; the figure's chest is 48 units up.
    const LVector3 chest(-120.0f, 48.0f, -140.0f);
    const uint32_t floor = Drawn(-120.0f, -140.0f, chest, false);
    const uint32_t player = Drawn(-120.0f, -140.0f, chest, true);
    EXPECT_FALSE(PixelNear(player, floor, 24)) << std::hex << player << " " << floor;
    // Lit: the global light leaves the figure well above black.
    EXPECT_GT(Brightness(player), 90) << std::hex << player;
    // The player stands on the ground: a leg is drawn just above it, the ground beside
    // the figure is not covered.
    int legs = 0;
    for (float x : {-123.5f, -116.5f}) {
        const LVector3 leg(x, 6.0f, -140.0f);
        legs += PixelNear(Drawn(-120.0f, -140.0f, leg, true), Drawn(-120.0f, -140.0f, leg, false), 8) ? 0 : 1;
    }
    EXPECT_GE(legs, 1);
    const LVector3 beside(-95.0f, 1.0f, -140.0f);
    EXPECT_TRUE(PixelNear(Drawn(-120.0f, -140.0f, beside, true), Drawn(-120.0f, -140.0f, beside, false), 2));
}

TEST_F(SceneGLTest, TheCrateInFrontHidesThePlayerAndTheBackgroundShows)
{
    // Behind the crate (x 40..100, z -140..-80, 60 high) as cam01 looks from the south:
    // its legs are behind the crate, its chest above it.
    for (float x : {66.5f, 73.5f}) {
        const LVector3 leg(x, 8.0f, -40.0f);
        EXPECT_TRUE(PixelNear(Drawn(70.0f, -40.0f, leg, true), Drawn(70.0f, -40.0f, leg, false), 2)) << x;
    }
    // Out in the open the same legs show.
    int shown = 0;
    for (float x : {-123.5f, -116.5f}) {
        const LVector3 leg(x, 8.0f, -40.0f);
        shown += PixelNear(Drawn(-120.0f, -40.0f, leg, true), Drawn(-120.0f, -40.0f, leg, false), 8) ? 0 : 1;
    }
    EXPECT_EQ(2, shown);
    const LVector3 chest(70.0f, 50.0f, -40.0f);
    EXPECT_FALSE(PixelNear(Drawn(70.0f, -40.0f, chest, true), Drawn(70.0f, -40.0f, chest, false), 24));
    EXPECT_EQ("", mLog.ProblemsBut({".options file", "NYI."})) << mLog.Bytes();
}

TEST_F(SceneGLTest, ThePlayersStencilShadowFallsAwayFromTheSunAtTheViewpointsShade)
{
    // The sun shines along (-0.4, -1, 0.5): the shadow of the figure's head, 60 units up,
    // lies 24 west and 30 north of its feet, where cam01 sees the floor past the figure.
    const LVector3 shadowed(-144.0f, 0.0f, -110.0f);
    const uint32_t floor = Drawn(-120.0f, -140.0f, shadowed, false);
    const uint32_t shaded = Drawn(-120.0f, -140.0f, shadowed, true);
    for (int shift : {0, 8, 16}) {
        const int base = static_cast<int>((floor >> shift) & 0xFF);
        const int dark = static_cast<int>((shaded >> shift) & 0xFF);
        // Shade 0.3: about 0.7 of the floor's colour.
        EXPECT_NEAR(base * 0.7, dark, 4.0) << std::hex << floor << " " << shaded;
    }
    // East of the feet, towards the sun, the floor keeps its colour.
    const LVector3 lit(-100.0f, 0.0f, -150.0f);
    EXPECT_TRUE(PixelNear(Drawn(-120.0f, -140.0f, lit, true), Drawn(-120.0f, -140.0f, lit, false), 2));

    // Option toggle 5 draws the blob under the feet instead: no stencil shadow.
    GMOptions::GetInstance()->SetToggle(5, 1);
    ASSERT_TRUE(mScene->SetViewpoint(LString("vp01")));
    EXPECT_TRUE(PixelNear(Drawn(-120.0f, -140.0f, shadowed, true), floor, 2));
    GMOptions::GetInstance()->SetToggle(5, 0);
    EXPECT_EQ("", mLog.ProblemsBut({".options file", "NYI."})) << mLog.Bytes();
}

TEST_F(SceneGLTest, WithBlobShadowsThePlayerKeepsItsOwnColours)
{
    // The chest and a leg, drawn after the shadow pass: the same colours under either kind
    // of shadow.
    const LVector3 points[] = {{-120.0f, 48.0f, -140.0f}, {-123.5f, 12.0f, -140.0f}};
    uint32_t stencil[2] = {};
    for (int i = 0; i < 2; ++i) {
        stencil[i] = Drawn(-120.0f, -140.0f, points[i], true);
        EXPECT_GT(Brightness(stencil[i]), 90) << std::hex << stencil[i];
    }
    // The floor in front of the feet, inside the blob's patch.
    const LVector3 patch(-116.0f, 0.0f, -146.0f);
    const uint32_t bare = Drawn(-120.0f, -140.0f, patch, false);
    GMOptions::GetInstance()->SetToggle(5, 1);
    ASSERT_TRUE(mScene->SetViewpoint(LString("vp01")));
    for (int i = 0; i < 2; ++i) {
        const uint32_t blob = Drawn(-120.0f, -140.0f, points[i], true);
        EXPECT_TRUE(PixelNear(blob, stencil[i], 3)) << i << std::hex << " " << blob << " " << stencil[i];
    }
    // The blob is there: the floor under it darker than bare.
    EXPECT_LT(Brightness(Drawn(-120.0f, -140.0f, patch, true)), Brightness(bare) - 6);
    GMOptions::GetInstance()->SetToggle(5, 0);
    EXPECT_EQ("", mLog.ProblemsBut({".options file", "NYI."})) << mLog.Bytes();
}
