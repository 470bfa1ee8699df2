// A change of screen on the software GL stand-in: half-way through the fade-out the
// picture of a white screen is half grey.
#include "GMIScreen.h"
#include "GMScreenManager.h"

#include "Gdi/LDisplayManager.h"
#include "Render/LIRasterizer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestGraphics.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

namespace {

// A screen that shows one white sprite over the whole picture.
class WhiteScreen : public GMIScreen
{
public:
    void OnLeave() override {}
    void OnHidden() override { LDisplayManager::Get()->RemoveMember(mSprite); }
    void OnShow() override
    {
        if (mSprite == nullptr) {
            mSprite = ImageSprite("white", 800, 600, 0xFF);
        }
        LDisplayManager::Get()->AddMember(mSprite);
    }
    ~WhiteScreen() override
    {
        OnHidden();
        delete mSprite;
    }

private:
    LSprite* mSprite = nullptr;
};

class EmptyScreen : public GMIScreen
{
public:
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

// The colour at the centre of the picture drawn now (the back buffer's alpha, which blending
// leaves at a value of its own, is not part of what is shown).
uint32_t Drawn(LTestGraphics& aGraphics)
{
    EXPECT_EQ(1, LIRasterizer::Get()->Clear());
    EXPECT_TRUE(LDisplayManager::Get()->Render());
    return aGraphics.Pixel(400, 300) | 0xFF000000u;
}

} // namespace

TEST(ScreenManagerGL, HalfWayThroughAFadeOutAWhiteScreenIsHalfGrey)
{
    LLogCapture log;
    LTestGraphics graphics(800, 600);
    ASSERT_TRUE(graphics.IsReady());
    LTestGraphics::RegisterCreators();
    RegisterFakeTimer();
    LFakeTimer::sNow = 10.0;
    WhiteScreen white;
    EmptyScreen next;
    GMScreenManager* manager = GMScreenManager::GetInstance();
    ASSERT_NE(nullptr, manager);
    ASSERT_TRUE(manager->PushFade(&white));
    EXPECT_TRUE(PixelNear(Drawn(graphics), 0xFF000000u)); // shown under black
    LFakeTimer::FrameAt(10.31);
    LFakeTimer::FrameAt(10.33);
    EXPECT_TRUE(PixelNear(Drawn(graphics), 0xFFFFFFFFu));

    LFakeTimer::sNow = 20.0;
    ASSERT_TRUE(manager->PushFade(&next));
    LFakeTimer::FrameAt(20.15);
    EXPECT_TRUE(PixelNear(Drawn(graphics), 0xFF808080u));
    delete GMCleaner::GetInstance();
}
