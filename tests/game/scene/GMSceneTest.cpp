// A loaded location headless: the sample's riverbank through the scene manager, and
// changed copies of it for the faults of its files; viewpoints, cuts, input, audio and
// the order of a frame's drawing calls.
#include "scene/GMScene.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LNavigationTDO.h"
#include "Render/LSteeringTDO.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneAudio.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string StateText(const char* aId)
{
    LIState* state = LStateManager::Get()->GetState(LString(aId));
    if (state == nullptr || state->GetValue() == nullptr) {
        return "<none>";
    }
    switch (state->GetType()) {
    case LIState::TYPE_STRING:
        return ToStd(*static_cast<LString*>(state->GetValue()));
    case LIState::TYPE_BOOLEAN:
        return *static_cast<unsigned char*>(state->GetValue()) != 0 ? "true" : "false";
    default:
        return "?";
    }
}

// The sample's scene.txt with aFrom replaced by aTo (once; the text must be there).
std::string ChangedScene(const std::string& aFrom, const std::string& aTo)
{
    std::string text = GMTestScene::SampleFile("scene.txt");
    const size_t at = text.find(aFrom);
    EXPECT_NE(std::string::npos, at) << aFrom;
    if (at != std::string::npos) {
        text.replace(at, aFrom.size(), aTo);
    }
    return text;
}

class SceneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(GMTestScene::Prepare());
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // The riverbank, or a changed copy of it, loaded immediately.
    GMScene* Load(const std::map<std::string, std::string>& aChanged = {})
    {
        if (!aChanged.empty() && !GMTestScene::MountChangedCopy(mCopy, aChanged)) {
            return nullptr;
        }
        GMSceneManager* scenes = GMSceneManager::GetInstance();
        return scenes->LoadScene(LString(GMTestScene::kRiverbank), true, true) ? scenes->GetScene() : nullptr;
    }

    static LVector2 Ground()
    {
        const LVector3& p = *GMNavigation::GetInstance()->GetNavigation()->GetPosition();
        return LVector2(p.x, p.y);
    }

    // What went wrong but the optional files the sample leaves out (the options and the
    // location's ambient animations).
    std::string Problems() const
    {
        std::string problems;
        for (const std::string& line : mLog.Lines()) {
            if ((line.find("ERROR") != std::string::npos || line.find("ASSERT") != std::string::npos ||
                 line.find("WARNING") != std::string::npos) &&
                line.find(".options") == std::string::npos && line.find("animations.txt") == std::string::npos) {
                problems += line + "\n";
            }
        }
        return problems;
    }

    LLogCapture mLog;
    LTestDirectory mCopy;
};

} // namespace

TEST_F(SceneTest, TheRiverbankLoadsWithItsPeopleViewpointLightsAndAudio)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ("case01/riverbank", StateText("sta_currentscene"));
    EXPECT_EQ("vp01", StateText("sta_currentviewpoint"));
    EXPECT_EQ("false", StateText("sta_riverbank_crate_seen"));
    EXPECT_EQ(LString("//scenes/case01/riverbank/"), scene->GetFolder());

    ASSERT_NE(nullptr, scene->GetPlayer());
    EXPECT_TRUE(scene->GetPlayer()->IsPlayer());
    EXPECT_EQ(scene->GetPlayer(), scene->GetCharacter(LString("vedrin")));
    GMCharacter* witness = scene->GetCharacter(LString("witness"));
    ASSERT_NE(nullptr, witness);
    EXPECT_EQ(1, scene->GetNPCCount());
    EXPECT_TRUE(witness->GetVisible());
    EXPECT_FLOAT_EQ(-100.0f, witness->GetPosition()->x);

    ASSERT_NE(nullptr, scene->GetCamera());
    EXPECT_EQ(LString("cam01"), scene->GetCamera()->GetName());
    EXPECT_NE(nullptr, scene->GetDepthMesh());
    EXPECT_NE(nullptr, scene->GetBackground());
    EXPECT_NE(nullptr, scene->GetPicker());
    ASSERT_NE(nullptr, scene->GetLighting());
    EXPECT_NE(nullptr, scene->GetLighting()->GetShadowCaster());
    // No display group in the data: an empty one of that name.
    ASSERT_NE(nullptr, scene->GetDisplayGroup());
    EXPECT_EQ(LString("displaygroup"), scene->GetDisplayGroup()->GetId());
    EXPECT_EQ(0, scene->GetDisplayGroup()->GetMemberCount());
    // The viewpoint's hotspots; the witness's asks for the cut tables, but the location
    // has no cuts.
    EXPECT_EQ(4, scene->GetHotspotCount());
    EXPECT_NE(nullptr, scene->FindHotspot(LString("sample_witness")));
    EXPECT_FALSE(scene->HasCutTables());
    EXPECT_NE(nullptr, scene->GetEvidence());

    // The player stands on the start way-point "south", facing north.
    EXPECT_FLOAT_EQ(-120.0f, Ground().x);
    EXPECT_FLOAT_EQ(-140.0f, Ground().y);
    EXPECT_FLOAT_EQ(1.0f, scene->GetPlayerDirection()->y);
    EXPECT_FLOAT_EQ(-120.0f, scene->GetPlayerPosition()->x);
    EXPECT_FLOAT_EQ(-140.0f, scene->GetPlayerPosition()->z);

    ASSERT_NE(nullptr, scene->GetAudio());
    EXPECT_EQ(1, scene->GetAudio()->GetSceneItemCount());
    LFakeSoundPlayer* river = LFakeSoundPlayer::Find(LString("river.ogg"));
    ASSERT_NE(nullptr, river);
    EXPECT_TRUE(river->mPlaying);
    EXPECT_TRUE(river->mLoop);

    EXPECT_TRUE(scene->Update());
    EXPECT_TRUE(scene->Render());
    EXPECT_EQ("", Problems()) << mLog.Bytes();
}

TEST_F(SceneTest, DefaultStatesNeverReplaceAStateThatExists)
{
    ASSERT_TRUE(LStateManager::Get()->SetState(LString("sta_riverbank_crate_seen"), LString("boolean"),
                                               LString("true"), false));
    ASSERT_NE(nullptr, Load());
    EXPECT_EQ("true", StateText("sta_riverbank_crate_seen"));
}
