// The credits: the first slide one second after opening, the cross-fade's steps, pictures
// and pages wrapping each on its own, a page's layout, credits without pictures or pages,
// and the way back to the menu by a key.
#include "menu/GMCreditsScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMFrontScreenTestCase.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kKeySpace = 0x39;

class CreditsScreenTest : public GMFrontScreenTestCase
{
protected:
    void TearDown() override
    {
        LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(LSampleRoots::Directory() + "/textures"));
        GMFrontScreenTestCase::TearDown();
    }

    // The credits file aText over the sample's menu pictures.
    void UseCredits(const std::string& aText)
    {
        ASSERT_TRUE(mRoots.CopySample("textures/menu", "", true));
        mRoots.Write("data/textures/menu/credits.txt", aText);
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mRoots.Path() + "/data/textures")));
    }

    GMCreditsScreen* OpenScreen()
    {
        GMCreditsScreen* screen = GMCreditsScreen::GetInstance();
        Open(screen);
        return screen;
    }

    // The next change, run to its end.
    static void Change(GMCreditsScreen* aScreen)
    {
        ASSERT_GT(aScreen->GetNextChange(), 0.0);
        LFakeTimer::FrameAt(aScreen->GetNextChange() + 0.01);
        ASSERT_TRUE(aScreen->IsCrossFading());
        ASSERT_TRUE(GMSceneFlow::FramesUntil([aScreen] { return !aScreen->IsCrossFading(); }));
    }

    static bool Shown(LIDisplayObject* aSlide) { return aSlide != nullptr && aSlide->GetVisible(); }
};

} // namespace

TEST_F(CreditsScreenTest, TheFirstSlideFadesInOverBlackOneSecondAfterOpening)
{
    GMCreditsScreen* screen = GMCreditsScreen::GetInstance();
    ASSERT_TRUE(GMScreenManager::GetInstance()->PushFade(screen));
    ASSERT_TRUE(GMSceneFlow::FramesUntil([screen] { return screen->GetRoot() != nullptr; }));
    const double opened = LFakeTimer::sNow;
    EXPECT_DOUBLE_EQ(opened + 1.0, screen->GetNextChange());
    ASSERT_EQ(3, screen->GetPictureCount());
    ASSERT_EQ(2, screen->GetPageCount());
    auto* black = dynamic_cast<LSRectangle*>(screen->GetRoot()->GetMember(LString("black_bg")));
    ASSERT_NE(nullptr, black);
    EXPECT_FLOAT_EQ(-100.0f, black->GetRelativeZ());
    EXPECT_FLOAT_EQ(800.0f, black->GetRect()->GetWidth());
    EXPECT_FLOAT_EQ(1.0f, black->GetFillColor().a);
    EXPECT_EQ(0.0f, black->GetFillColor().r + black->GetFillColor().g + black->GetFillColor().b);
    LFakeSoundPlayer* music = LFakeSoundPlayer::Find(LString("credits"));
    ASSERT_NE(nullptr, music);
    EXPECT_TRUE(music->mLoop);
    EXPECT_TRUE(music->mPlaying);

    LFakeTimer::FrameAt(opened + 0.99);
    EXPECT_FALSE(screen->IsCrossFading());
    EXPECT_FALSE(Shown(screen->GetPicture(0)));
    LFakeTimer::FrameAt(opened + 1.01);
    ASSERT_TRUE(screen->IsCrossFading());
    EXPECT_TRUE(Shown(screen->GetPicture(0)));
    EXPECT_TRUE(Shown(screen->GetPage(0)));
    EXPECT_FLOAT_EQ(0.0f, screen->GetPicture(0)->GetBlend());
    // Nothing fades out at the first change.
    EXPECT_FALSE(Shown(screen->GetPicture(2)));
    EXPECT_FALSE(Shown(screen->GetPage(1)));
    // A step needs more than 0.03 s.
    LFakeTimer::FrameAt(opened + 1.03);
    EXPECT_FLOAT_EQ(0.0f, screen->GetPicture(0)->GetBlend());
    LFakeTimer::FrameAt(opened + 1.05);
    EXPECT_FLOAT_EQ(0.05f, screen->GetPicture(0)->GetBlend());
    EXPECT_FLOAT_EQ(0.05f, screen->GetPage(0)->GetBlend());
    ASSERT_TRUE(GMSceneFlow::FramesUntil([screen] { return !screen->IsCrossFading(); }));
    EXPECT_FLOAT_EQ(1.0f, screen->GetPicture(0)->GetBlend());
    EXPECT_NEAR(LFakeTimer::sNow + 5.0, screen->GetNextChange(), 1e-9);
}

TEST_F(CreditsScreenTest, PicturesAndPagesWrapEachOnTheirOwn)
{
    GMCreditsScreen* screen = OpenScreen();
    for (int change = 1; change <= 3; ++change) {
        Change(screen);
    }
    EXPECT_EQ(2, screen->GetPictureIndex());
    EXPECT_EQ(0, screen->GetPageIndex());
    Change(screen);
    // The fourth change: the first picture with the second page, the others hidden.
    EXPECT_EQ(0, screen->GetPictureIndex());
    EXPECT_EQ(1, screen->GetPageIndex());
    EXPECT_TRUE(Shown(screen->GetPicture(0)));
    EXPECT_FLOAT_EQ(1.0f, screen->GetPicture(0)->GetBlend());
    EXPECT_FALSE(Shown(screen->GetPicture(1)));
    EXPECT_FALSE(Shown(screen->GetPicture(2)));
    EXPECT_TRUE(Shown(screen->GetPage(1)));
    EXPECT_FALSE(Shown(screen->GetPage(0)));
}

TEST_F(CreditsScreenTest, APageIsCentredLineByLineAndAsAWhole)
{
    UseCredits("credits\n\tscreens\n\t\tp01\n\t\t\tentries\n\t\t\t\tb01\n\t\t\t\t\tl01=First line\n"
               "\t\t\t\tb02\n\t\t\t\t\tl01=Second\n");
    GMCreditsScreen* screen = OpenScreen();
    ASSERT_EQ(1, screen->GetPageCount());
    EXPECT_EQ(0, screen->GetPictureCount());
    LDisplayGroup* page = screen->GetPage(0);
    EXPECT_EQ("screen_0", ToStd(page->GetId()));
    EXPECT_FLOAT_EQ(10.0f, page->GetRelativeZ());
    auto* first = dynamic_cast<LTextArea*>(page->GetMember(LString("id_0_0")));
    auto* second = dynamic_cast<LTextArea*>(page->GetMember(LString("id_1_0")));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    LIFont* font = LFontManager::Get()->GetFont(LString("frizquadrata24"));
    ASSERT_NE(nullptr, font);
    const float height = first->GetLineHeight();
    ASSERT_GT(height, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, first->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(height + 30.0f, second->GetLocalPosition().y);
    EXPECT_FLOAT_EQ(static_cast<float>((800 - static_cast<int>(font->GetTextWidth(LString("First line")))) / 2),
                    first->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(static_cast<float>((800 - static_cast<int>(font->GetTextWidth(LString("Second")))) / 2),
                    second->GetLocalPosition().x);
    const int total = static_cast<int>(2.0f * height + 60.0f);
    EXPECT_FLOAT_EQ(static_cast<float>((600 - total) / 2), page->GetLocalPosition().y);

    // Without pictures the changes go on with the pages alone; the only page stays.
    Change(screen);
    Change(screen);
    EXPECT_EQ(-1, screen->GetPictureIndex());
    EXPECT_TRUE(Shown(page));
    EXPECT_FLOAT_EQ(1.0f, page->GetBlend());
}

TEST_F(CreditsScreenTest, CreditsWithoutPagesShowThePicturesAlone)
{
    UseCredits("credits\n\timages\n\t\ti01\n\t\t\tfile=credits_1.bmp\n\t\ti02\n\t\t\tfile=credits_2.bmp\n");
    GMCreditsScreen* screen = OpenScreen();
    ASSERT_EQ(2, screen->GetPictureCount());
    EXPECT_EQ(0, screen->GetPageCount());
    Change(screen);
    Change(screen);
    Change(screen);
    EXPECT_EQ(0, screen->GetPictureIndex());
    EXPECT_EQ(-1, screen->GetPageIndex());
    EXPECT_TRUE(Shown(screen->GetPicture(0)));
    EXPECT_FALSE(Shown(screen->GetPicture(1)));
}

TEST_F(CreditsScreenTest, ClicksDoNothingAndAKeyLeavesWithNothingLeftBehind)
{
    GMCreditsScreen* screen = OpenScreen();
    Click(400.0f, 300.0f);
    Click(10.0f, 10.0f);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    Key(kKeySpace);
    EXPECT_FALSE(screen->IsListening());
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    EXPECT_EQ(1, mMenu.mShown);
    EXPECT_EQ(nullptr, screen->GetRoot());
    EXPECT_EQ(nullptr, screen->GetMusic());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("credits")));
    EXPECT_FALSE(LMouse::Get()->Contains(screen));
    EXPECT_FALSE(LKeyboard::Get()->Contains(screen));
    // Time passing changes nothing any more.
    GMSceneFlow::Frames(60);
    EXPECT_EQ(nullptr, screen->GetRoot());
}

TEST_F(CreditsScreenTest, AKeyWhileTheCreditsStillFadeInLeavesOnceTheFadeHasEnded)
{
    GMCreditsScreen* screen = GMCreditsScreen::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(screens->PushFade(screen));
    // Shown at black, and the picture still comes back.
    ASSERT_TRUE(GMSceneFlow::FramesUntil([screen] { return screen->GetRoot() != nullptr; }));
    ASSERT_TRUE(screens->IsBusy());
    Key(kKeySpace);
    EXPECT_TRUE(FinishFade());
    GMSceneFlow::Frames(2);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    EXPECT_EQ(nullptr, screen->GetRoot());
    EXPECT_FALSE(LKeyboard::Get()->Contains(screen));
    EXPECT_EQ(0, screens->GetWaitingCount());
}
