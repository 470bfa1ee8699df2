// The scene's lights over the recording rasterizer: which lights a camera gets on which
// device slot, the global light, refused types, the point light's reach, and the blob
// shadow's placement and blending.
#include "scene/GMLighting.h"

#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "container/LPropertyList.h"
#include "scene/GMShadowSimple.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// One light of "lights_low.txt"; aExtra lines one tab deep.
std::string Light(const std::string& aName, const std::string& aExtra)
{
    return aName + "\n\ttype=directional\n\tdirection=0|-2|0\n\tdiffuse=1|1|1\n\tspecular=0|0|0\n"
                   "\tambient=0.1|0.1|0.1\n" +
           aExtra;
}

const std::string kGlobal = Light("sun", "\tglobal=true\n\ton=true\n");

class LightingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_NE(nullptr, LIRasterizer::Get());
        mFake = LFakeRasterizer::Instance();
        ASSERT_NE(nullptr, mFake);
        mFake->Reset();
        mLighting = std::make_unique<GMLighting>();
    }

    bool Create(const std::string& aText)
    {
        LPropertyList list;
        list.Parse(aText.data(), static_cast<int>(aText.size()));
        return mLighting->CreateFromList(list);
    }

    // The names of the lights on slots 1 to 4 that are enabled ("-" for an empty slot).
    std::vector<std::string> Enabled() const
    {
        std::vector<std::string> names;
        for (int slot = 1; slot <= GMLighting::kChosenLights; ++slot) {
            const auto on = mFake->LightsEnabled().find(slot);
            const int index = mLighting->GetChosen(slot - 1);
            const bool enabled = on != mFake->LightsEnabled().end() && on->second;
            names.push_back(enabled && index >= 0 ? ToStd(mLighting->GetRecord(index)->mName) : "-");
        }
        return names;
    }

    bool GlobalEnabled() const
    {
        const auto on = mFake->LightsEnabled().find(0);
        return on != mFake->LightsEnabled().end() && on->second;
    }

    LFakeRasterizer* mFake = nullptr;
    LLogCapture mLog;
    std::unique_ptr<GMLighting> mLighting;
};

} // namespace

TEST_F(LightingTest, TheCameraGetsTheFirstFourLightsThatAreOnAndListIt)
{
    const std::string lamps = Light("a", "\ton=true\n\tcameras=cam01\n") + Light("off", "\tcameras=cam01\n") +
                              Light("b", "\ton=true\n\tcameras=all\n") + Light("nocams", "\ton=true\n") +
                              Light("other", "\ton=true\n\tcameras=cam02\n") +
                              Light("c", "\ton=true\n\tcameras=cam02|CAM01\n") +
                              Light("d", "\ton=true\n\tcameras=cam01\n") + Light("e", "\ton=true\n\tcameras=cam01\n");
    ASSERT_TRUE(Create(kGlobal + lamps));
    EXPECT_EQ(0, mLighting->GetGlobalIndex());
    ASSERT_TRUE(mLighting->SelectLights(LString("cam01")));
    EXPECT_EQ((std::vector<std::string> {"a", "b", "c", "d"}), Enabled());
    EXPECT_TRUE(GlobalEnabled());
    EXPECT_EQ(1, mFake->CountCalls("SetLighting(1)"));
    // Every device light is switched off first.
    for (int i = 0; i < GMLighting::kDeviceLights; ++i) {
        EXPECT_EQ(1, mFake->CountCalls("LightEnable(" + std::to_string(i) + ",0)")) << i;
    }

    ASSERT_TRUE(mLighting->SelectLights(LString("cam02")));
    EXPECT_EQ((std::vector<std::string> {"b", "other", "c", "-"}), Enabled());
    EXPECT_EQ(-1, mLighting->GetChosen(3));
    ASSERT_TRUE(mLighting->SelectLights(LString("cam09")));
    EXPECT_EQ((std::vector<std::string> {"b", "-", "-", "-"}), Enabled());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(LightingTest, AGlobalLightThatIsOffIsNeverEnabledAndASecondOneIsOrdinary)
{
    ASSERT_TRUE(Create(Light("sun", "\tglobal=true\n\tcameras=all\n") +
                       Light("moon", "\tglobal=true\n\ton=true\n\tcameras=all\n")));
    EXPECT_TRUE(mLog.Contains("Found more than 1 global light."));
    EXPECT_EQ(0, mLighting->GetGlobalIndex());
    EXPECT_EQ(0, mLighting->GetRecord(1)->mGlobal);
    ASSERT_TRUE(mLighting->SelectLights(LString("cam01")));
    EXPECT_FALSE(GlobalEnabled());
    EXPECT_EQ((std::vector<std::string> {"moon", "-", "-", "-"}), Enabled());
    // The device never gets the global light on slot 0.
    EXPECT_EQ(0, mFake->CountCalls("SetLight(0"));
}

TEST_F(LightingTest, LightsAreReadByTypeAndOtherTypesAreRefused)
{
    const std::string text = kGlobal +
                             "spot\n\ttype=spot\n\ton=true\n\tcameras=all\n"
                             "bulb\n\ttype=point\n\tposition=1|2|3\n\tdiffuse=2|0.5|0\n\tspecular=0|0|0\n"
                             "\tambient=0|0|0\n\tstartrange=10\n\tendrange=100\n\ton=1\n\tshadowcaster=true\n"
                             "\tshadowblend=0.4\n\tcameras=all\n";
    ASSERT_TRUE(Create(text));
    EXPECT_TRUE(mLog.Contains("Spot lights not yet supported."));
    ASSERT_EQ(2, mLighting->GetLightCount());
    const LLight& sun = *mLighting->GetLight(0);
    EXPECT_EQ(LLight::kDirectional, sun.mType);
    EXPECT_NEAR(-1.0f, sun.mDirection.y, 1e-6f);
    const LLight& bulb = *mLighting->GetLight(1);
    EXPECT_EQ(LLight::kPoint, bulb.mType);
    EXPECT_FLOAT_EQ(3.0f, bulb.mPosition.z);
    EXPECT_FLOAT_EQ(1.0f, bulb.mDiffuse.r); // colours are clamped, alpha 1
    EXPECT_FLOAT_EQ(0.5f, bulb.mDiffuse.g);
    EXPECT_FLOAT_EQ(1.0f, bulb.mDiffuse.a);
    const GMLighting::LightRecord& record = *mLighting->GetRecord(1);
    EXPECT_EQ(1, record.mShadowCaster);
    EXPECT_FLOAT_EQ(0.4f, record.mShade);

    EXPECT_FALSE(mLighting->SelectShadowCaster(LString("nobody")));
    EXPECT_EQ(nullptr, mLighting->GetShadowCaster());
    EXPECT_TRUE(mLighting->SelectShadowCaster(LString("bulb")));
    EXPECT_FALSE(mLighting->SelectShadowCaster(LString("spot")));
    EXPECT_EQ(&bulb, mLighting->GetShadowCaster());
}

// Strength 1 / (a0 + a1 d + a2 d^2) inside the range, nothing beyond it.
float Strength(const LLight& aLight, float aDistance)
{
    if (aDistance > aLight.mRange) {
        return 0.0f;
    }
    return 1.0f / (aLight.mAttenuation0 + aLight.mAttenuation1 * aDistance +
                   aLight.mAttenuation2 * aDistance * aDistance);
}

TEST_F(LightingTest, APointLightReachesNoFurtherThanItsEndRange)
{
    struct Case
    {
        const char* mRanges;
        float mAtStart;
    };
    // Half strength at the start of the range where that is below the end's bound.
    const Case cases[] = {{"\tstartrange=5\n\tendrange=100\n", 0.5f},
                          {"\tstartrange=0\n\tendrange=100\n", -1.0f},
                          {"\tstartrange=90\n\tendrange=100\n", -1.0f}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Create(kGlobal + "bulb\n\ttype=point\n\tposition=0|0|0\n\tdiffuse=1|1|1\n\tspecular=0|0|0\n"
                                     "\tambient=0|0|0\n\ton=true\n" +
                           c.mRanges));
        const LLight& bulb = *mLighting->GetLight(1);
        EXPECT_FLOAT_EQ(100.0f, bulb.mRange) << c.mRanges;
        EXPECT_NEAR(1.0f, Strength(bulb, 0.0f), 1e-6f) << c.mRanges;
        EXPECT_LE(Strength(bulb, 100.0f), GMLighting::kEndRangeStrength + 1e-6f) << c.mRanges;
        EXPECT_EQ(0.0f, Strength(bulb, 100.5f)) << c.mRanges;
        if (c.mAtStart > 0.0f) {
            EXPECT_NEAR(c.mAtStart, Strength(bulb, 5.0f), 1e-5f);
        }
    }
    // A light that reaches nothing is never switched on.
    ASSERT_TRUE(Create(kGlobal + "bulb\n\ttype=point\n\tposition=0|0|0\n\tdiffuse=1|1|1\n\tspecular=0|0|0\n"
                                 "\tambient=0|0|0\n\ton=true\n\tcameras=all\n\tstartrange=5\n"));
    EXPECT_TRUE(mLog.Contains("'endrange' not found."));
    EXPECT_EQ(0, mLighting->GetRecord(1)->mOn);
    ASSERT_TRUE(mLighting->SelectLights(LString("cam01")));
    EXPECT_EQ((std::vector<std::string> {"-", "-", "-", "-"}), Enabled());
}

TEST_F(LightingTest, WithoutAGlobalLightTheLightsDoNotLoad)
{
    EXPECT_FALSE(Create(Light("a", "\ton=true\n")));
    EXPECT_TRUE(mLog.Contains("Global light not found."));
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    EXPECT_FALSE(mLighting->CreateFromFile(LString("//scenes/none/lights_low.txt"), true));
    EXPECT_TRUE(mLog.Contains("CreateFromFile failure."));
    EXPECT_EQ(0, mLighting->GetLightCount());
    roots.Write("data/scenes/here/lights_low.txt", kGlobal);
    EXPECT_TRUE(mLighting->CreateFromFile(LString("//scenes/here/lights_low.txt"), true));
    EXPECT_EQ(1, mLighting->GetLightCount());
    mFake->SetResult(0);
    EXPECT_FALSE(mLighting->Apply());
    mFake->SetResult(1);
}

TEST(ShadowSimpleTest, TheBlobFollowsThePlayerAndDrawsAtAThirdThenRestoresWhatItChanged)
{
    RegisterFakeRender();
    ASSERT_NE(nullptr, LIRasterizer::Get());
    LFakeRasterizer* fake = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, fake);
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    roots.Write("data/textures/shadow_circle.tga", TestAtlasTga());
    LLogCapture log;
    GMShadowSimple shadow;
    EXPECT_NE(0u, shadow.GetTexture());
    EXPECT_NE(0u, shadow.GetMesh()->GetMaterial(0)->GetTexture());
    shadow.Update(LVector3(10.0f, 2.0f, -5.0f));
    EXPECT_FLOAT_EQ(3.0f, shadow.GetPosition().y);
    fake->Reset();
    ASSERT_TRUE(shadow.Render());
    ASSERT_EQ(1u, fake->Draws().size());
    const LFakeRasterizer::Draw& draw = fake->Draws()[0];
    EXPECT_FLOAT_EQ(0.3f, draw.mBlendFactor);
    EXPECT_EQ(2, draw.mPrimitiveCount);
    EXPECT_EQ(3, draw.mVertexFormat);
    EXPECT_FLOAT_EQ(10.0f, draw.mWorld[12]);
    EXPECT_FLOAT_EQ(3.0f, draw.mWorld[13]);
    EXPECT_FLOAT_EQ(-5.0f, draw.mWorld[14]);
    // The quad's corners at ±15.
    ASSERT_EQ(20u, draw.mVertices.size());
    EXPECT_FLOAT_EQ(-15.0f, draw.mVertices[0]);
    EXPECT_FLOAT_EQ(15.0f, draw.mVertices[10]);
    EXPECT_EQ(1, fake->CountCalls("SetAlphaBlendEnable(1)"));
    EXPECT_EQ(1, fake->CountCalls("SetBlendFunc(4,6)"));
    // What the characters drawn next rely on is put back: the factor, no blending and
    // no texture.
    const std::vector<std::string>& calls = fake->Calls();
    ASSERT_GE(calls.size(), 3u);
    const std::vector<std::string> last(calls.end() - 3, calls.end());
    EXPECT_EQ((std::vector<std::string> {"SetBlendFactor(1)", "SetAlphaBlendEnable(0)", "SetTexture()"}), last);
    EXPECT_EQ("", log.Problems());
}
