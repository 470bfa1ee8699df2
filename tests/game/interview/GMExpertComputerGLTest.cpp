// The crime lab of the sample drawn on the software GL stand-in once the glove has been
// asked about: the notepad's paper at the left edge of the screen, the evidence profile
// typed in the computer's green font, and the glove's icon in its box.
#include "GMScreenManager.h"
#include "Gdi/LDisplayManager.h"
#include "Render/LIRasterizer.h"
#include "Render/LNodeManager.h"
#include "interview/GMExpertComputer.h"
#include "interview/GMExpertInterview.h"
#include "interview/GMInterviewManager.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestGraphics.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

int Channel(uint32_t aPixel, int aShift)
{
    return static_cast<int>((aPixel >> aShift) & 0xFF);
}

class ExpertComputerGLTest : public ::testing::Test
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
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }

    // Frames 0.1 s apart until aDone holds, each voiced line ended after half a second.
    static bool Until(const std::function<bool()>& aDone)
    {
        int frames = 0;
        for (int i = 0; i < 400; ++i) {
            if (aDone()) {
                return true;
            }
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
            LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
            if (line != nullptr && line->mPlaying && ++frames > 5) {
                frames = 0;
                line->End();
            }
        }
        return aDone();
    }

    void Draw()
    {
        LIRasterizer* rasterizer = LIRasterizer::Get();
        ASSERT_EQ(1, rasterizer->Clear());
        rasterizer->SetAlphaBlendEnable(true);
        GMSceneManager::GetInstance()->Update();
        GMSceneManager::GetInstance()->Render();
        LNodeManager::Get()->Render();
        ASSERT_TRUE(LDisplayManager::Get()->Render());
    }

    LTestGraphics mGraphics {800, 600};
    LLogCapture mLog;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(ExpertComputerGLTest, TheProfileIsTypedBesideTheNotepad)
{
    auto* lab = dynamic_cast<GMExpertInterview*>(GMInterviewManager::GetInstance()->SelectInterview(LString("1CL_lab")));
    ASSERT_NE(nullptr, lab);
    ASSERT_TRUE(mScene->StartInterview());
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Until([&] {
        GMExpertComputer* computer = GMExpertComputer::Peek();
        return !lab->IsBusy() && computer != nullptr && computer->GetRoot() != nullptr && !screens->IsBusy() &&
               GMScreenFader::GetInstance()->IsFadedIn();
    }));
    GMExpertComputer* computer = GMExpertComputer::Peek();
    lab->OnButton(LString("glove"), 4);
    ASSERT_TRUE(Until([&] { return !lab->IsBusy() && !computer->IsTyping(); }));
    Draw();
    const std::vector<uint32_t> picture = mGraphics.Picture();
    const auto at = [&](int aX, int aY) { return picture[static_cast<size_t>(aY) * 800 + aX]; };

    // The notepad's paper, between its ruled lines, at the screen's left edge.
    const uint32_t paper = at(20, 200);
    EXPECT_NEAR(232, Channel(paper, 16), 12);
    EXPECT_NEAR(222, Channel(paper, 8), 12);
    EXPECT_NEAR(196, Channel(paper, 0), 12);
    // Right of it the computer's case, no paper.
    EXPECT_LT(Channel(at(245, 100), 16), 120);

    // The item's text in green within its field.
    int green = 0;
    for (int y = 199; y < 222; ++y) {
        for (int x = 267; x < 494; ++x) {
            const uint32_t pixel = at(x, y);
            green += Channel(pixel, 8) > 170 && Channel(pixel, 16) < 150 ? 1 : 0;
        }
    }
    EXPECT_GT(green, 50);
    // The glove's palm in the middle of the icon's box (under the quarter-strong lines).
    const uint32_t palm = at(630, 270);
    EXPECT_GT(Channel(palm, 8), 170);
    EXPECT_LT(Channel(palm, 16), 150);
}
