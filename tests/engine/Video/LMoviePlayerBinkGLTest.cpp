// A hand-built movie played into a device texture on the software GL stand-in and shown
// by a sprite: the picture carries each frame's colour, channels in their places and
// opaque.
#include "Gdi/LDisplayManager.h"
#include "Gdi/LSprite.h"
#include "Render/LIRasterizer.h"
#include "Video/LIMovieListener.h"
#include "Video/LIMovieManager.h"
#include "Video/LMoviePlayerBink.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LMediaFixtures.h"
#include "writers/LBinkBytes.h"
#include "support/LTestDirectory.h"
#include "support/LTestGraphics.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

using namespace LMediaFixtures;

namespace {

class Ends : public LIMovieListener
{
public:
    void OnMovieEnded(LString) override { ++mCalls; }
    int mCalls = 0;
};

} // namespace

TEST(MoviePlayerBinkGLTest, TextureMovieShowsEachFramesColour)
{
    LLogCapture log;
    LTestGraphics graphics(800, 600);
    ASSERT_TRUE(graphics.IsReady());
    LTestGraphics::RegisterCreators();
    LTestDirectory directory;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//movies"), FromStd(directory.Path())));
    // Two flat frames of different channels, (Y, U, V) to BT.601 video range:
    // (100, 100, 170) is red 165, green 75, blue 41; (60, 170, 110) is 22, 49, 136.
    LBinkBytes::MovieSpec spec;
    spec.mFrames = {LBinkBytes::Frame {100, 100, 170, true}, LBinkBytes::Frame {60, 170, 110, true}};
    directory.Write("colours.bik", LBinkBytes::Make(spec));
    LMoviePlayerBink* player = static_cast<LMoviePlayerBink*>(
        LIMovieManager::Get()->CreateTextureMovie(LString("movie"), LString("//movies/colours.bik")));
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);

    // The sprite of the movie's texture in the middle of the screen.
    LSprite* screen = new LSprite();
    screen->SetId(LString("screen"));
    ASSERT_TRUE(screen->SetTexture(player->GetTextureHandle(), nullptr, nullptr));
    screen->SetPosition(200.0f, 100.0f);
    ASSERT_TRUE(LDisplayManager::Get()->AddMember(screen));
    auto show = [&]() {
        EXPECT_EQ(1, LIRasterizer::Get()->Clear());
        EXPECT_TRUE(LDisplayManager::Get()->Render());
        return graphics.Picture();
    };

    ASSERT_TRUE(player->Play());
    ASSERT_TRUE(RunUntil([&] { return player->GetCurrentFrame() > 1 || ends.mCalls > 0; }));
    std::vector<uint32_t> picture = show();
    for (int y : {102, 108, 113}) {
        for (int x : {202, 215, 229}) {
            EXPECT_TRUE(PixelNear(picture[y * 800 + x], 0xFFA54B29u, 3)) << x << "," << y;
        }
    }
    EXPECT_TRUE(PixelNear(picture[108 * 800 + 236], 0xFF000000u, 0));

    // Played to its end, the texture keeps the last frame.
    ASSERT_TRUE(RunUntil([&] { return ends.mCalls > 0; }));
    picture = show();
    EXPECT_TRUE(PixelNear(picture[105 * 800 + 210], 0xFF163188u, 3));
    EXPECT_TRUE(PixelNear(picture[112 * 800 + 225], 0xFF163188u, 3));
    EXPECT_EQ(1, ends.mCalls);

    delete screen;
    delete player;
    EXPECT_FALSE(log.Contains("ERROR"));
}
