// The sample's interview panel parts as the interview builds them: the meter with its two
// fill textures and four sprites, and the topic scroll bar, from interview_layout.txt.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"

#include <gtest/gtest.h>

TEST(SampleInterview, MeterAndScrollBarBuildFromTheInterviewLayout)
{
    RegisterFakeRender();
    RegisterFakeTimer();
    ASSERT_TRUE(LSampleRoots::Mount());
    LLogCapture log;
    ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures/interview")));
    LPropertyList layout;
    ASSERT_TRUE(layout.Load(LString("//textures/interview/interview_layout.txt"), true));

    GMInterviewMeter meter;
    EXPECT_TRUE(meter.Create(&layout));
    for (const char* name : {"bg", "top", "redglow", "greenglow"}) {
        LSprite* sprite = meter.GetSprite(LString(name));
        ASSERT_NE(nullptr, sprite) << name;
        EXPECT_NE(0u, sprite->GetTexture()) << name;
    }
    meter.SetGoodValue(50.0f);
    meter.SetBadValue(25.0f);
    LFakeRasterizer::Instance()->Reset();
    EXPECT_TRUE(meter.Render(LRenderer::Get()));
    // bg, 20 ring pieces, 10 disc pieces, top; every one textured.
    ASSERT_EQ(32u, LFakeRasterizer::Instance()->Draws().size());
    for (const LFakeRasterizer::Draw& draw : LFakeRasterizer::Instance()->Draws()) {
        EXPECT_NE(0u, draw.mTextureHandle);
    }

    LDisplayGroup panel;
    GMInterviewScrollBar scrollBar;
    EXPECT_TRUE(scrollBar.Create(&layout, &panel));
    LScrollBar* bar = scrollBar.GetScrollBar();
    ASSERT_NE(nullptr, bar);
    for (const char* id : {"btnarrowup", "btnarrowdn", "btnbar"}) {
        auto* button = dynamic_cast<LButton*>(scrollBar.GetGroup()->GetMember(LString(id)));
        ASSERT_NE(nullptr, button) << id;
        EXPECT_NE(nullptr, button->GetObject()) << id;
    }
    // Eight topic rows scroll by 75 pixels, a full travel of the bar.
    LDisplayGroup content;
    ASSERT_TRUE(scrollBar.SetTopicArea(&content));
    bar->SetContentHeight(270);
    bar->SetFraction(1.0f);
    EXPECT_EQ(75, bar->GetContentPosition());
    EXPECT_EQ("", log.Bytes());
}
