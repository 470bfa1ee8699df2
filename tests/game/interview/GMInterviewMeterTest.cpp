// The interview meter: stepping towards a target, the three flashes of a full side and
// the call to the interview, switching sides, and the ring and disc pieces it draws on
// the recording rasterizer, lined up with the renderer's sprites.
#include "interview/GMInterviewMeter.h"

#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "Render/LIRasterizer.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "time/LITimer.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string Flat(int aWidth, int aHeight)
{
    return LImageBytes::Tga(aWidth, aHeight, 32, 8, std::string(aWidth * aHeight * 4, '\x40'));
}

std::string Sprite(const char* aName)
{
    return std::string("\t\t\t") + aName + "\n\t\t\t\tid=" + aName + "\n\t\t\t\ttexture=parts.tga\n";
}

// Where a row-vector world matrix puts a model point.
LVector2 Apply(const std::array<float, 16>& aM, float aX, float aY)
{
    return LVector2(aX * aM[0] + aY * aM[4] + aM[12], aX * aM[1] + aY * aM[5] + aM[13]);
}

class MeterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(mRoots.Mounted());
        mRoots.Write("data/textures/interview/meter_good.tga", Flat(8, 8));
        mRoots.Write("data/textures/interview/meter_bad.tga", Flat(4, 4));
        mRoots.Write("data/textures/interview/parts.tga", Flat(16, 16));
        const std::string layout = "groups\n\tmeter\n\t\tsprites\n" + Sprite("bg") + Sprite("top") +
                                   Sprite("redglow") + Sprite("greenglow");
        ASSERT_TRUE(mLayout.Parse(layout.c_str(), static_cast<int>(layout.size())));
        LTextureManager* textures = LTextureManager::Get();
        ASSERT_NE(nullptr, textures);
        textures->SetRoot(LString("//textures/interview"));
        ASSERT_NE(nullptr, LITimer::Get()); // made now: making it resets the time
        LFakeTimer::sNow = 1.0;
        // Made once the fakes are registered: the meter takes the rasterizer when it is made.
        mInterview = std::make_unique<GMInterview>();
        mMeter = std::make_unique<GMInterviewMeter>();
        ASSERT_TRUE(mMeter->Create(&mLayout));
        mMeter->SetInterview(mInterview.get());
        mFrames = LFrameManager::Get();
        ASSERT_NE(nullptr, mFrames);
    }

    // Runs frames aApart seconds apart until aDone holds (at most aLimit frames); the
    // frames it took.
    template <typename Done>
    int RunUntil(Done aDone, double aApart = 0.021, int aLimit = 1000)
    {
        int frames = 0;
        while (!aDone() && frames < aLimit) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + aApart);
            ++frames;
        }
        return frames;
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    LPropertyList mLayout;
    std::unique_ptr<GMInterview> mInterview;
    std::unique_ptr<GMInterviewMeter> mMeter;
    LFrameManager* mFrames = nullptr;
};

TEST_F(MeterTest, StepsOnePointAtATimeNoFasterThanEvery20Milliseconds)
{
    const int idle = mFrames->GetListenerCount();
    EXPECT_FLOAT_EQ(98.0f, mMeter->AddGood(98.0f));
    EXPECT_EQ(idle + 1, mFrames->GetListenerCount());
    LFakeTimer::FrameAt(1.015);
    LFakeTimer::FrameAt(1.0199);
    EXPECT_FLOAT_EQ(0.0f, mMeter->GetGoodValue()); // a step needs more than 0.02 s
    LFakeTimer::FrameAt(1.0201);
    EXPECT_FLOAT_EQ(1.0f, mMeter->GetGoodValue());
    LFakeTimer::FrameAt(1.03);
    EXPECT_FLOAT_EQ(1.0f, mMeter->GetGoodValue());

    float last = mMeter->GetGoodValue();
    int steps = 1;
    while (mMeter->GetGoodValue() < 98.0f && steps < 200) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.021);
        ASSERT_FLOAT_EQ(last + 1.0f, mMeter->GetGoodValue());
        last = mMeter->GetGoodValue();
        ++steps;
    }
    EXPECT_EQ(98, steps);
    EXPECT_EQ(idle, mFrames->GetListenerCount()); // idle again: 98 does not fill
    EXPECT_FALSE(mMeter->IsFlashing());
    EXPECT_FALSE(mMeter->GetSprite(LString("greenglow"))->GetVisible());
    // The interview heard nothing: it would be playing its closing sequence.
    EXPECT_FALSE(mInterview->IsBusy());
}

TEST_F(MeterTest, AFullSideFlashesItsGlowThreeTimesThenTellsTheInterview)
{
    struct Case
    {
        bool mGood;
        const char* mGlow;
        const char* mOther;
    };
    for (const Case& c : {Case {true, "greenglow", "redglow"}, Case {false, "redglow", "greenglow"}}) {
        SCOPED_TRACE(c.mGlow);
        mInterview = std::make_unique<GMInterview>();
        mMeter->SetInterview(mInterview.get());
        mMeter->SetGoodValue(0.0f);
        mMeter->SetBadValue(0.0f);
        const int idle = mFrames->GetListenerCount();
        EXPECT_FLOAT_EQ(100.0f, c.mGood ? mMeter->AddGood(98.5f) : mMeter->AddBad(98.5f));
        RunUntil([&] { return mMeter->IsFlashing(); });
        EXPECT_FLOAT_EQ(100.0f, c.mGood ? mMeter->GetGoodValue() : mMeter->GetBadValue());

        const double flashFrom = LFakeTimer::sNow;
        // Nothing animates while the glow flashes.
        if (c.mGood) {
            mMeter->AddBad(5.0f);
        }
        LSprite* glow = mMeter->GetSprite(LString(c.mGlow));
        LSprite* other = mMeter->GetSprite(LString(c.mOther));
        ASSERT_NE(nullptr, glow);
        bool shown = glow->GetVisible();
        EXPECT_FALSE(shown);
        std::vector<double> changes {flashFrom};
        RunUntil([&] {
            if (glow->GetVisible() != shown) {
                shown = glow->GetVisible();
                changes.push_back(LFakeTimer::sNow);
            }
            if (mMeter->IsFlashing()) {
                EXPECT_FALSE(mInterview->IsBusy()) << "told before the last hide";
            }
            EXPECT_FALSE(other->GetVisible());
            EXPECT_FLOAT_EQ(0.0f, mMeter->GetBadValue() + (c.mGood ? 0.0f : -100.0f));
            return !mMeter->IsFlashing();
        }, 0.1);
        // The last hide ends the flashing in the same frame.
        if (glow->GetVisible() != shown) {
            changes.push_back(LFakeTimer::sNow);
        }
        ASSERT_EQ(7u, changes.size()); // start, then shown and hidden three times
        for (size_t i = 1; i < changes.size(); ++i) {
            EXPECT_GT(changes[i] - changes[i - 1], 0.5) << i;
            EXPECT_LT(changes[i] - changes[i - 1], 0.65) << i;
        }
        EXPECT_FALSE(glow->GetVisible());
        // Told once: the interview plays its closing sequence (the meter no longer runs
        // frames, the sequence does); a full good side completes it.
        EXPECT_TRUE(mInterview->IsBusy());
        EXPECT_EQ(idle + 1, mFrames->GetListenerCount());
        EXPECT_EQ(c.mGood, LEventManager::Get()->IsRaised(LString("evt_interview_complete")));
        LEventManager::Get()->RemoveAllEvents();
    }
}

TEST_F(MeterTest, ANewTargetStartsFromTheValueShownAndOnlyOneSideMoves)
{
    // A negative delta: down to the target at the next step.
    mMeter->SetGoodValue(30.0f);
    EXPECT_FLOAT_EQ(20.0f, mMeter->AddGood(-10.0f));
    LFakeTimer::FrameAt(1.03);
    EXPECT_FLOAT_EQ(20.0f, mMeter->GetGoodValue());
    // Never below the empty gauge.
    EXPECT_FLOAT_EQ(0.0f, mMeter->AddGood(-25.0f));
    LFakeTimer::FrameAt(1.06);
    EXPECT_FLOAT_EQ(0.0f, mMeter->GetGoodValue());

    mMeter->AddGood(50.0f);
    EXPECT_EQ(5, RunUntil([&] { return mMeter->GetGoodValue() >= 5.0f; }));
    EXPECT_FLOAT_EQ(10.0f, mMeter->AddBad(10.0f));
    RunUntil([&] { return mMeter->GetBadValue() >= 10.0f; });
    LFakeTimer::Frames(5, 0.021);
    EXPECT_FLOAT_EQ(5.0f, mMeter->GetGoodValue()); // stayed where it stopped
    EXPECT_FLOAT_EQ(10.0f, mMeter->GetBadValue());
    EXPECT_FLOAT_EQ(6.0f, mMeter->AddGood(1.0f)); // from 5 shown, not the old target 50
    // An adder called while the meter animates keeps its one frame registration.
    EXPECT_EQ(0, mLog.Count("ERROR: ")) << mLog.Bytes();
}

TEST_F(MeterTest, WithoutItsSpritesAFullSideStillReachesTheInterview)
{
    LPropertyList empty;
    GMInterviewMeter bare;
    EXPECT_TRUE(bare.Create(&empty));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: "));
    EXPECT_TRUE(mLog.Contains("'meter.sprites' not found."));
    EXPECT_EQ(nullptr, bare.GetSprite(LString("redglow")));
    bare.SetInterview(mInterview.get());
    mLog.Clear();
    bare.AddBad(99.0f);
    EXPECT_LT(RunUntil([&] { return mInterview->IsBusy(); }, 0.1), 1000);
    EXPECT_FALSE(bare.IsFlashing());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_interview_complete")));
}

class MeterRenderTest : public MeterTest
{
protected:
    void SetUp() override
    {
        MeterTest::SetUp();
        mRenderer = LRenderer::Get();
        ASSERT_NE(nullptr, mRenderer);
        mRasterizer = LFakeRasterizer::Instance();
        ASSERT_NE(nullptr, mRasterizer);
        LTextureManager* textures = LTextureManager::Get();
        mGood = textures->CreateTexture(LString("meter_good.tga"));
        mBad = textures->CreateTexture(LString("meter_bad.tga"));
        mMeter->SetPosition(100.0f, 200.0f);
    }

    // The draws made with a texture.
    std::vector<LFakeRasterizer::Draw> DrawsWith(unsigned int aTexture) const
    {
        std::vector<LFakeRasterizer::Draw> found;
        for (const LFakeRasterizer::Draw& draw : mRasterizer->Draws()) {
            if (draw.mTextureHandle == aTexture) {
                found.push_back(draw);
            }
        }
        return found;
    }

    LRenderer* mRenderer = nullptr;
    LFakeRasterizer* mRasterizer = nullptr;
    unsigned int mGood = 0;
    unsigned int mBad = 0;
};

TEST_F(MeterRenderTest, PiecesPerValueTexturesSizesAndTurns)
{
    ASSERT_NE(0u, mGood);
    ASSERT_NE(0u, mBad);
    ASSERT_NE(mGood, mBad);
    struct Case
    {
        float mGoodValue;
        float mBadValue;
        size_t mRing;
        size_t mDisc;
    };
    const std::vector<float> ring {0, 0.7f, 0, 0, 1.0f, 0, 0.109504f, 0.691382f, 0, 0.156434f, 0.987688f, 0};
    const std::vector<float> wedge {0, 0, 0, 0, 1.0f, 0, 0.156434f, 0.987688f, 0, 0, 0, 0};
    for (const Case& c : {Case {50.0f, 0.0f, 20, 0}, Case {100.0f, 2.4f, 40, 0}, Case {0.0f, 12.5f, 0, 5},
                          Case {99.9f, 100.0f, 39, 40}}) {
        SCOPED_TRACE(c.mGoodValue);
        mMeter->SetGoodValue(c.mGoodValue);
        mMeter->SetBadValue(c.mBadValue);
        mRasterizer->Reset();
        EXPECT_TRUE(mMeter->Render(mRenderer));
        const std::vector<LFakeRasterizer::Draw> rings = DrawsWith(mGood);
        const std::vector<LFakeRasterizer::Draw> discs = DrawsWith(mBad);
        ASSERT_EQ(c.mRing, rings.size());
        ASSERT_EQ(c.mDisc, discs.size());
        const LVector2 origin = mRenderer->GetOrigin();
        for (const auto& [draws, size, vertices] :
             {std::tuple {&rings, 31.0f, &ring}, std::tuple {&discs, 19.5f, &wedge}}) {
            for (size_t k = 0; k < draws->size(); ++k) {
                const LFakeRasterizer::Draw& draw = (*draws)[k];
                EXPECT_EQ(LIRasterizer::kTriangleStrip, draw.mPrimitive);
                EXPECT_EQ(0, draw.mStart);
                EXPECT_EQ(2, draw.mPrimitiveCount);
                EXPECT_EQ(1, draw.mVertexFormat);
                EXPECT_EQ(*vertices, draw.mVertices);
                // (0, 1) turned clockwise by 9k degrees, scaled, at the meter + (2, 0).
                const float turn = 9.0f * static_cast<float>(k) * 0.0174532924f;
                const LVector2 top = Apply(draw.mWorld, 0.0f, 1.0f);
                EXPECT_NEAR(102.0f + origin.x + size * std::sin(turn), top.x, 1e-3f) << k;
                EXPECT_NEAR(-200.0f + origin.y + size * std::cos(turn), top.y, 1e-3f) << k;
            }
        }
        if (rings.size() == 40) {
            // A full circle: the last piece ends where the first begins.
            const LVector2 end = Apply(rings.back().mWorld, 0.156434f, 0.987688f);
            const LVector2 begin = Apply(rings.front().mWorld, 0.0f, 1.0f);
            EXPECT_NEAR(begin.x, end.x, 1e-3f);
            EXPECT_NEAR(begin.y, end.y, 1e-3f);
        }
    }
}

TEST_F(MeterRenderTest, SpritesAndPiecesLineUpWithTheRenderersSprites)
{
    mMeter->SetGoodValue(10.0f);
    mMeter->SetBlend(0.5f);
    mRasterizer->Reset();
    EXPECT_TRUE(mMeter->Render(mRenderer));
    const std::vector<LFakeRasterizer::Draw> draws = mRasterizer->Draws();
    // bg, four ring pieces, top; the glows are hidden.
    ASSERT_EQ(6u, draws.size());
    for (const LFakeRasterizer::Draw& draw : draws) {
        EXPECT_FLOAT_EQ(0.5f, draw.mBlendFactor);
    }

    // The renderer's own drawing of a sprite at a screen point, for comparison.
    auto cornerOf = [&](float aX, float aY) {
        LSprite* probe = mMeter->GetSprite(LString("top"));
        const LVector2 kept = probe->GetLocalPosition();
        probe->SetPosition(aX, aY);
        mRasterizer->Reset();
        probe->Render(mRenderer);
        probe->SetPosition(kept);
        return Apply(mRasterizer->Draws().at(0).mWorld, 0.0f, 0.0f);
    };
    const LVector2 bg = Apply(draws[0].mWorld, 0.0f, 0.0f);
    const LVector2 bgExpected = cornerOf(103.0f, 203.0f);
    EXPECT_FLOAT_EQ(bgExpected.x, bg.x);
    EXPECT_FLOAT_EQ(bgExpected.y, bg.y);
    const LVector2 top = Apply(draws[5].mWorld, 0.0f, 0.0f);
    const LVector2 topExpected = cornerOf(100.0f, 200.0f);
    EXPECT_FLOAT_EQ(topExpected.x, top.x);
    EXPECT_FLOAT_EQ(topExpected.y, top.y);
    const LVector2 pieceCorner = cornerOf(102.0f, 200.0f);
    for (int k = 1; k <= 4; ++k) {
        const LVector2 at = Apply(draws[k].mWorld, 0.0f, 0.0f);
        EXPECT_FLOAT_EQ(pieceCorner.x, at.x) << k;
        EXPECT_FLOAT_EQ(pieceCorner.y, at.y) << k;
    }

    // A flashing glow shows over the top; an inactive meter draws nothing.
    mMeter->GetSprite(LString("greenglow"))->SetVisible(true);
    mRasterizer->Reset();
    mMeter->Render(mRenderer);
    EXPECT_EQ(7u, mRasterizer->Draws().size());
    mMeter->SetActive(false);
    mRasterizer->Reset();
    EXPECT_TRUE(mMeter->Render(mRenderer));
    EXPECT_TRUE(mRasterizer->Draws().empty());
}

} // namespace
