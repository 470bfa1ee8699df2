// Sprites drawn through the display manager and the renderer on the software GL stand-in:
// texels land on their own pixels, and a clipped group cuts its sprite at the clip edge.
#include "Gdi/LDisplayManager.h"
#include "LRectangle.h"
#include "Render/LIRasterizer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestGraphics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every texel its own colour: red and green step 8 per column and row, blue checkers.
// Half a pixel off, linear filtering would average neighbours and change all three.
uint32_t Texel(int aX, int aY)
{
    const uint32_t blue = (aX + aY) % 2 != 0 ? 0xFFu : 0x00u;
    return 0xFF000000u | static_cast<uint32_t>(aX * 8 + 4) << 16 | static_cast<uint32_t>(aY * 8 + 4) << 8 | blue;
}

LSprite* PatternSprite(const char* aId, int aSide)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < aSide; ++y) {
        for (int x = 0; x < aSide; ++x) {
            pixels.push_back(Texel(x, y));
        }
    }
    LImage image;
    EXPECT_EQ(1, image.Create(aSide, aSide, aSide * 4, L_IMAGE_FORMAT_A8R8G8B8,
                              reinterpret_cast<const unsigned char*>(pixels.data()), aSide * aSide * 4));
    return ImageSprite(aId, image);
}

class SpriteGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mGraphics.IsReady());
        LTestGraphics::RegisterCreators();
        ASSERT_NE(nullptr, LIRasterizer::Get());
        ASSERT_EQ(1, LIRasterizer::Get()->Clear());
    }

    LLogCapture mLog;
    LTestGraphics mGraphics {800, 600};
};

} // namespace

TEST_F(SpriteGLTest, SpriteAtTheOriginShowsEachTexelOnItsPixel)
{
    LDisplayManager* manager = LDisplayManager::Get();
    LSprite* sprite = PatternSprite("pattern", 16);
    ASSERT_TRUE(manager->AddMember(sprite));
    ASSERT_TRUE(manager->Render());
    const std::vector<uint32_t> picture = mGraphics.Picture();
    for (int y = 1; y < 15; ++y) {
        for (int x = 1; x < 15; ++x) {
            EXPECT_TRUE(PixelNear(picture[y * 800 + x], Texel(x, y), 1)) << x << "," << y;
        }
    }
    EXPECT_TRUE(PixelNear(picture[8 * 800 + 18], 0xFF000000u, 0));
    EXPECT_TRUE(PixelNear(picture[18 * 800 + 8], 0xFF000000u, 0));
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SpriteGLTest, ClippedGroupCutsItsSpriteAtTheClipEdgeAndRestoresTheScreen)
{
    LDisplayManager* manager = LDisplayManager::Get();
    // A 32 x 32 sprite in a group at (100, 50) clipped to its first 20 x 10 pixels; a
    // sprite drawn after the group is not clipped.
    LDisplayGroup* panel = TestGroup("panel", 100.0f, 50.0f);
    const LRectangle clip(0.0f, 0.0f, 20.0f, 10.0f);
    ASSERT_TRUE(panel->SetClip(&clip));
    ASSERT_TRUE(panel->AddMember(PatternSprite("cut", 32), true));
    ASSERT_TRUE(manager->AddMember(panel));
    LSprite* after = PatternSprite("after", 16);
    after->SetPosition(300.0f, 200.0f);
    after->SetRelativeZ(1.0f);
    ASSERT_TRUE(manager->AddMember(after));
    ASSERT_TRUE(manager->Render());

    const std::vector<uint32_t> picture = mGraphics.Picture();
    auto at = [&](int aX, int aY) { return picture[static_cast<size_t>(aY) * 800 + aX]; };
    // Inside the clip the texels keep their pixels.
    for (int y = 1; y < 9; ++y) {
        for (int x = 1; x < 19; ++x) {
            EXPECT_TRUE(PixelNear(at(100 + x, 50 + y), Texel(x, y), 1)) << x << "," << y;
        }
    }
    // The sprite goes on past the clip's right and bottom edges; nothing of it shows.
    for (int x : {122, 125, 130}) {
        EXPECT_TRUE(PixelNear(at(x, 55), 0xFF000000u, 0)) << x;
    }
    for (int y : {62, 70, 80}) {
        EXPECT_TRUE(PixelNear(at(110, y), 0xFF000000u, 0)) << y;
    }
    EXPECT_TRUE(PixelNear(at(125, 70), 0xFF000000u, 0));
    // The full screen is back for the next sprite.
    EXPECT_TRUE(PixelNear(at(305, 207), Texel(5, 7), 1));
    EXPECT_TRUE(PixelNear(at(314, 214), Texel(14, 14), 1));
    EXPECT_FALSE(mLog.Contains("ERROR"));
}
