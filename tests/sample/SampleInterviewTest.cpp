// The sample's interview panel parts as the interview builds them: the meter with its two
// fill textures and four sprites, and the topic scroll bar, from interview_layout.txt;
// the sample witness interview's data, lines and panel.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "stdlib/LIFileSystem.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <functional>

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

// The sample interview's data: every voiced line has its sound and its subtitle text, the
// topics carry what the witness interview is shown with, and the whole panel builds
// without a logged problem.
TEST(SampleInterview, TheWitnessInterviewsLinesAndPanelAreComplete)
{
    RegisterFakeRender();
    RegisterFakeTimer();
    ASSERT_TRUE(LSampleRoots::Mount());
    LLogCapture log;
    LPropertyList index;
    ASSERT_TRUE(index.Load(LString("//interviews/interviews.txt"), true));
    bool found = false;
    const LString dataName = index.GetString(LString("sample_interview.data"), found);
    ASSERT_TRUE(found);
    EXPECT_EQ("sample_interview.txt", ToStd(dataName));
    const LString subtitlesName = index.GetString(LString("sample_interview.subtitles"), found);
    ASSERT_TRUE(found);
    LPropertyList data;
    LPropertyList subtitles;
    ASSERT_TRUE(data.Load("//interviews/" + dataName, true));
    ASSERT_TRUE(subtitles.Load("//interviews/" + subtitlesName, true));

    // Every sequence entry: its sounds exist and its subtitle keys have texts.
    int lines = 0;
    std::function<void(const LPropertyList&)> visit = [&](const LPropertyList& aList) {
        bool has = false;
        const LVectorString sounds = aList.GetVectorString(LString("sounds"), has);
        for (int i = 0; has && i < sounds.GetCount(); ++i, ++lines) {
            EXPECT_TRUE(LIFileSystem::Get()->FileExists("//sounds/" + sounds.GetRef(i) + ".ogg", true))
                << ToStd(sounds.GetRef(i));
        }
        if (const LPropertyList* keys = aList.GetList(LString("subtitles"))) {
            for (int i = 0; i < keys->GetCount(); ++i) {
                const LString key = keys->GetListAt(i)->GetString(LString("subtitle"), has);
                subtitles.GetString(key, has);
                EXPECT_TRUE(has) << ToStd(key);
            }
        }
        for (int i = 0; i < aList.GetCount(); ++i) {
            if (const LPropertyList* child = aList.GetListAt(i)) {
                visit(*child);
            }
        }
    };
    visit(data);
    EXPECT_EQ(16, lines);
    const LPropertyList* topics = data.GetList(LString("topics"));
    ASSERT_NE(nullptr, topics);
    ASSERT_GE(topics->GetCount(), 3);
    EXPECT_EQ("pen", ToStd(data.GetString(LString("topics.t_saw.modes.stra.additem"), found)));
    EXPECT_EQ("bad", ToStd(data.GetString(LString("topics.t_saw.modes.conf.type"), found)));
    EXPECT_TRUE(data.GetBool(LString("topics.t_deal.bargain"), found));
    EXPECT_EQ("script[e[" + ToStd(data.GetString(LString("topics.t_saw.doneevent"), found)) + "]]",
              ToStd(data.GetString(LString("topics.t_boat.dependencies"), found)));
    for (const char* key : {"intros", "noinfos", "denied", "exit", "failedexit", "bargain.solvedevent",
                            "bargain.denied", "bargain.solved"}) {
        EXPECT_TRUE(data.GetList(LString(key)) != nullptr || data.GetString(LString(key), found).GetLength() > 0)
            << key;
    }

    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    ASSERT_NE(nullptr, manager);
    LDisplayGroup *panel = nullptr, *modes = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* scrollBar = nullptr;
    EXPECT_TRUE(manager->GetInterviewDisplay(&panel, &modes, &meter, &scrollBar));
    EXPECT_EQ("", log.Problems()) << log.Bytes();
    delete GMCleaner::GetInstance();
}
