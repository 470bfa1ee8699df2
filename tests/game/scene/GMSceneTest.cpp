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
#include "Render/LShadowVolume.h"
#include "scene/GMHotspot.h"
#include "scene/GMLighting.h"
#include "scene/GMNavigation.h"
#include "scene/GMSceneAudio.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LSampleRoots.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "stdlib/LIFileSystem.h"
#include "ui/GMScreenFader.h"
#include "ui/GMCursor.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "LMatrix4.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
[[maybe_unused]] std::string ChangedScene(const std::string& aFrom, const std::string& aTo)
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
        ASSERT_TRUE(GMTestScene::PrepareHeadless());
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

    // Frames every 20 ms up to aTime.
    static void RunTo(double aTime)
    {
        while (LFakeTimer::sNow + 0.02 <= aTime + 1e-9) {
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
        }
    }

    static LVector2 Ground()
    {
        const LVector3& p = *GMNavigation::GetInstance()->GetNavigation()->GetPosition();
        return LVector2(p.x, p.y);
    }

    // What went wrong but the options file, which the sample leaves out, and the log
    // panel's note that it reads nothing of its layout.
    std::string Problems() const
    {
        std::string problems;
        for (const std::string& line : mLog.Lines()) {
            if ((line.find("ERROR") != std::string::npos || line.find("ASSERT") != std::string::npos ||
                 line.find("WARNING") != std::string::npos) &&
                line.find(".options file") == std::string::npos && line.find("NYI.") == std::string::npos) {
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
    // The viewpoint's hotspots (the pen to collect, the lab's van and the drawer among
    // them); the witness's asks for the cut tables, but the location has no cuts.
    EXPECT_EQ(7, scene->GetHotspotCount());
    // The drawer's close-up waits, closed.
    EXPECT_EQ(1, scene->GetCloseUpCount());
    EXPECT_EQ(nullptr, scene->GetCloseUp());
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

    // No interview is current: none starts, and the flag stays clear.
    EXPECT_FALSE(scene->StartInterview());
    EXPECT_TRUE(mLog.Contains("StartInterview failure."));
    EXPECT_FALSE(scene->IsInterviewRunning());
    scene->SetInterviewRunning(true);
    scene->ResetCharacters();
    EXPECT_FALSE(scene->IsInterviewRunning());
}

TEST_F(SceneTest, DefaultStatesNeverReplaceAStateThatExists)
{
    ASSERT_TRUE(LStateManager::Get()->SetState(LString("sta_riverbank_crate_seen"), LString("boolean"),
                                               LString("true"), false));
    ASSERT_NE(nullptr, Load());
    EXPECT_EQ("true", StateText("sta_riverbank_crate_seen"));
}


// Faults of the location's files ----------------------------------------------------

TEST_F(SceneTest, ALightListWithoutAGlobalLightFailsTheLoad)
{
    std::string lights = GMTestScene::SampleFile("lights_low.txt");
    lights.replace(lights.find("global=true"), 11, "global=false");
    EXPECT_EQ(nullptr, Load({{"lights_low.txt", lights}}));
    EXPECT_TRUE(mLog.Contains("Global light not found."));
    EXPECT_TRUE(mLog.Contains("LoadScene failure. Load failed:case01/riverbank"));
    EXPECT_EQ(nullptr, GMSceneManager::GetInstance()->GetScene());
}

TEST_F(SceneTest, AMissingCameraKeepsThePreviousCamera)
{
    std::string cameras = GMTestScene::SampleFile("cameras.txt");
    cameras.replace(cameras.find("\ncam02\n"), 7, "\ncam09\n");
    GMScene* scene = Load({{"cameras.txt", cameras}});
    ASSERT_NE(nullptr, scene);
    const LVector3 eye = scene->GetCamera()->GetPosition();
    EXPECT_TRUE(scene->SetViewpoint(LString("vp02")));
    EXPECT_TRUE(mLog.Contains("Camera not found:cam02"));
    EXPECT_TRUE(mLog.Contains("SetupCamera failure."));
    EXPECT_EQ(LString("cam01"), scene->GetCamera()->GetName());
    EXPECT_FLOAT_EQ(eye.z, scene->GetCamera()->GetPosition().z);
}

TEST_F(SceneTest, AnUnreadableDepthMeshStopsTheViewpointAndTheLoad)
{
    const struct
    {
        const char* mFile;
        const char* mBytes;
    } cases[] = {{"vp02_depth.lim", "not a model"}, {"vp02_depth.lim", ""}};
    for (const auto& c : cases) {
        GMScene* scene = Load({{c.mFile, c.mBytes}});
        ASSERT_NE(nullptr, scene);
        LDrawElement* depth = scene->GetDepthMesh();
        EXPECT_FALSE(scene->SetViewpoint(LString("vp02"))) << c.mBytes;
        EXPECT_TRUE(mLog.Contains("SetupDepthMesh failure."));
        EXPECT_EQ(LString("vp01"), scene->GetViewpoint());
        EXPECT_EQ("vp01", StateText("sta_currentviewpoint"));
        EXPECT_EQ(depth, scene->GetDepthMesh());
        EXPECT_EQ(LString("cam01"), scene->GetCamera()->GetName());
    }
    // The default viewpoint's own mesh unreadable: the location does not load.
    EXPECT_EQ(nullptr, Load({{"vp01_depth.lim", "\x01\x02"}}));
    EXPECT_TRUE(mLog.Contains("LoadScene failure. Load failed:case01/riverbank"));
}

TEST_F(SceneTest, AViewpointWithoutAListChangesNothing)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    LCamera* camera = scene->GetCamera();
    EXPECT_FALSE(scene->SetViewpoint(LString("vp09")));
    EXPECT_TRUE(mLog.Contains("'viewpoints.vp09' not found."));
    EXPECT_EQ(LString("vp01"), scene->GetViewpoint());
    EXPECT_EQ("vp01", StateText("sta_currentviewpoint"));
    EXPECT_EQ(camera, scene->GetCamera());
    EXPECT_EQ(LString("cam01"), camera->GetName());
    EXPECT_TRUE(scene->Render());
}

// The player's place from its list under the viewpoint: "position" (ground x and z first)
// with "direction" (x and z first and third), else the start way-point with
// "startdirection" (of three values; fewer leave the direction as it was), else the
// viewpoint's own start way-point.
TEST_F(SceneTest, ThePlayerIsPlacedFromItsViewpointList)
{
    const std::string player = "\t\t\t\tvedrin\n\t\t\t\t\tstartwaypoint=north\n\t\t\t\t\tstartdirection=0|0|-1\n";
    const struct
    {
        const char* mName;
        std::string mList;
        LVector2 mGround;
        // The direction, or none to compare with the direction the steering starts with.
        bool mTurned;
        LVector2 mDirection;
    } cases[] = {
        {"way-point", player, LVector2(120, 140), true, LVector2(0, -1)},
        {"two values", "\t\t\t\tvedrin\n\t\t\t\t\tstartwaypoint=north\n\t\t\t\t\tstartdirection=0|-1\n",
         LVector2(120, 140), false, LVector2()},
        {"position", "\t\t\t\tvedrin\n\t\t\t\t\tposition=30|-100|7\n\t\t\t\t\tdirection=1|9|0\n", LVector2(30, -100),
         true, LVector2(1, 0)},
        {"viewpoint's way-point", "\t\t\t\tvedrin\n\t\t\t\t\tstartdirection=0|0|-1\n", LVector2(120, 140), true,
         LVector2(0, -1)},
    };
    LVector2 unturned;
    {
        GMScene* scene = Load({{"scene.txt", ChangedScene(player, "\t\t\t\tvedrin\n\t\t\t\t\tstartwaypoint=north\n")}});
        ASSERT_NE(nullptr, scene);
        ASSERT_TRUE(scene->SetViewpoint(LString("vp02")));
        unturned = LVector2(scene->GetPlayerDirection()->x, scene->GetPlayerDirection()->y);
    }
    for (const auto& c : cases) {
        GMScene* scene = Load({{"scene.txt", ChangedScene(player, c.mList)}});
        ASSERT_NE(nullptr, scene);
        ASSERT_TRUE(scene->SetViewpoint(LString("vp02"))) << c.mName;
        EXPECT_FLOAT_EQ(c.mGround.x, Ground().x) << c.mName;
        EXPECT_FLOAT_EQ(c.mGround.y, Ground().y) << c.mName;
        const LVector2 expected = c.mTurned ? c.mDirection : unturned;
        EXPECT_NEAR(expected.x, scene->GetPlayerDirection()->x, 1e-5f) << c.mName;
        EXPECT_NEAR(expected.y, scene->GetPlayerDirection()->y, 1e-5f) << c.mName;
    }
    EXPECT_FALSE(mLog.Contains("'startwaypoint' not found."));
}

// Viewpoints -------------------------------------------------------------------------

TEST_F(SceneTest, AFadedViewpointChangeGoesThroughBlackWithTheInputOff)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    ASSERT_TRUE(scene->IsInputEnabled());
    // The picture is clear, as after the fade that showed the scene.
    GMScreenFader* fader = GMScreenFader::GetInstance();
    ASSERT_TRUE(fader->FadeIn());
    LFakeTimer::Frames(20, 0.05);
    const double t0 = LFakeTimer::sNow;
    ASSERT_TRUE(scene->FadeToViewpoint(LString("vp02")));
    EXPECT_FALSE(scene->IsInputEnabled());
    EXPECT_FALSE(LMouse::Get()->Contains(scene));
    // The player stands outside cam02's areas: it goes to the end of the path there, the
    // way-point "middle".
    const LVector2* pending = GMSceneManager::GetInstance()->GetPendingPosition();
    ASSERT_NE(nullptr, pending);
    EXPECT_FLOAT_EQ(0.0f, pending->x);
    EXPECT_FLOAT_EQ(0.0f, pending->y);

    RunTo(t0 + 0.28);
    EXPECT_EQ(LString("vp01"), scene->GetViewpoint());
    RunTo(t0 + 0.34);
    EXPECT_EQ(LString("vp02"), scene->GetViewpoint());
    EXPECT_EQ("vp02", StateText("sta_currentviewpoint"));
    EXPECT_EQ(LString("cam02"), scene->GetCamera()->GetName());
    EXPECT_FLOAT_EQ(0.0f, Ground().x);
    EXPECT_FLOAT_EQ(0.0f, Ground().y);
    EXPECT_FALSE(scene->IsInputEnabled());
    RunTo(t0 + 0.6);
    EXPECT_FALSE(scene->IsInputEnabled());
    RunTo(t0 + 0.7);
    EXPECT_TRUE(scene->IsInputEnabled());
    EXPECT_TRUE(LMouse::Get()->Contains(scene));
    EXPECT_FALSE(scene->IsFading());
}

TEST_F(SceneTest, APlayerInsideTheNewCamerasAreasKeepsItsPlace)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(10.0f, -40.0f, 0.0f));
    ASSERT_TRUE(scene->FadeToViewpoint(LString("vp02")));
    RunTo(0.4);
    ASSERT_EQ(LString("vp02"), scene->GetViewpoint());
    EXPECT_FLOAT_EQ(10.0f, Ground().x);
    EXPECT_FLOAT_EQ(-40.0f, Ground().y);
}

TEST_F(SceneTest, WithoutAPathToTheViewpointThePlayerStaysWhereItIs)
{
    // North and west are cut off from the south half.
    const std::string wayPoints = "south\n\tcoords=-120|-140\n\tlinks=middle\nmiddle\n\tcoords=0|-100\n\tlinks=south\n"
                                  "north\n\tcoords=120|140\n\tlinks=west\nwest\n\tcoords=-120|110\n\tlinks=north\n";
    GMScene* scene = Load({{"waypoints.txt", wayPoints}});
    ASSERT_NE(nullptr, scene);
    ASSERT_TRUE(scene->FadeToViewpoint(LString("vp02")));
    EXPECT_TRUE(mLog.Contains("No path to viewpoint found."));
    const LVector2* pending = GMSceneManager::GetInstance()->GetPendingPosition();
    ASSERT_NE(nullptr, pending);
    EXPECT_FLOAT_EQ(-120.0f, pending->x);
    EXPECT_FLOAT_EQ(-140.0f, pending->y);
    RunTo(0.4);
    EXPECT_FLOAT_EQ(-120.0f, Ground().x);
    EXPECT_FLOAT_EQ(-140.0f, Ground().y);
}

// A change to a viewpoint that cannot be set comes back from black on the one kept, with
// the input on again, rather than leaving the screen black and the scene deaf.
TEST_F(SceneTest, AFadedChangeThatFailsFadesBackInOnTheViewpointKept)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    ASSERT_TRUE(scene->FadeToViewpoint(LString("vp09")));
    RunTo(0.4);
    EXPECT_TRUE(mLog.Contains("'viewpoints.vp09' not found."));
    EXPECT_TRUE(mLog.Contains("SetViewpoint failure."));
    EXPECT_FALSE(scene->IsInputEnabled());
    RunTo(0.8);
    EXPECT_EQ(LString("vp01"), scene->GetViewpoint());
    EXPECT_TRUE(scene->IsInputEnabled());
    EXPECT_FALSE(scene->IsFading());
    EXPECT_NE(nullptr, GMNavigation::GetInstance()->GetSteering());
    EXPECT_TRUE(scene->Update());
    EXPECT_TRUE(scene->Render());
}

TEST_F(SceneTest, NPCsShowOnlyInTheirViewpointsAndExtrasGoWithToggleTwo)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    GMCharacter* witness = scene->GetCharacter(LString("witness"));
    ASSERT_NE(nullptr, witness);
    ASSERT_TRUE(scene->SetViewpoint(LString("vp02")));
    EXPECT_FALSE(witness->GetVisible());
    // Her "active" script is true, but vp02 is not hers: refreshing keeps her away.
    scene->RefreshCharacters();
    EXPECT_FALSE(witness->GetVisible());
    ASSERT_TRUE(scene->SetViewpoint(LString("vp01")));
    EXPECT_TRUE(witness->GetVisible());

    const struct
    {
        const char* mNPC;
        int mToggle;
        bool mVisible;
    } cases[] = {
        {"extra=true", 1, false},
        {"extra=true", 0, true},
        {"extra=false", 1, true},
        {"active=script[false]", 0, false},
    };
    for (const auto& c : cases) {
        std::string npc = std::string("\t\t\tviewpoints=vp01|vp02\n\t\t\t") + c.mNPC + "\n";
        GMScene* changed =
            Load({{"scene.txt", ChangedScene("\t\t\tviewpoints=vp01\n\t\t\textra=false\n\t\t\tactive=script[true]\n",
                                             npc)}});
        ASSERT_NE(nullptr, changed);
        GMOptions::GetInstance()->SetToggle(2, c.mToggle);
        ASSERT_TRUE(changed->SetViewpoint(LString("vp02")));
        EXPECT_EQ(c.mVisible, changed->GetCharacter(LString("witness"))->GetVisible()) << c.mNPC << c.mToggle;
    }
    GMOptions::GetInstance()->SetToggle(2, 0);
}

TEST_F(SceneTest, TheAudioSwitchesWithTheViewpointAndGoesWhenTheSceneIsHidden)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    ASSERT_NE(nullptr, scene->GetAudio());
    EXPECT_EQ(0, scene->GetAudio()->GetViewpointItemCount());
    ASSERT_TRUE(scene->SetViewpoint(LString("vp02")));
    EXPECT_EQ(1, scene->GetAudio()->GetViewpointItemCount());
    EXPECT_EQ(1, scene->GetAudio()->GetScheduleCount());
    ASSERT_TRUE(scene->SetViewpoint(LString("vp01")));
    EXPECT_EQ(0, scene->GetAudio()->GetViewpointItemCount());

    // A covering screen that asks for it keeps the audio playing for one hiding.
    scene->SetKeepAudio(true);
    scene->OnHidden();
    ASSERT_NE(nullptr, scene->GetAudio());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("river.ogg")));
    EXPECT_TRUE(LFakeSoundPlayer::Find(LString("river.ogg"))->mPlaying);
    EXPECT_FALSE(scene->GetKeepAudio());
    scene->OnShow();
    scene->OnHidden();
    EXPECT_EQ(nullptr, scene->GetAudio());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("river.ogg")));
    // Shown again, the location's audio starts anew.
    scene->OnShow();
    ASSERT_NE(nullptr, scene->GetAudio());
    scene->SetKeepAudio(true);
    scene->StopAudio();
    EXPECT_EQ(nullptr, scene->GetAudio());
    EXPECT_FALSE(scene->GetKeepAudio());
}

TEST_F(SceneTest, InputCannotBeTurnedOnWhileTheSceneIsNotShown)
{
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(GMTestScene::kRiverbank), false, true));
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    ASSERT_FALSE(scene->IsActive());
    scene->SetInputEnabled(true);
    EXPECT_FALSE(scene->IsInputEnabled());
    scene->OnPDAEvent(GMIPDAListener::EVENT_MINIMIZED);
    scene->OnInterviewEvent(GMIInterviewListener::EVENT_RETURNED);
    EXPECT_FALSE(scene->IsInputEnabled());
    scene->OnShow();
    EXPECT_TRUE(scene->IsInputEnabled());
    scene->OnPDAEvent(GMIPDAListener::EVENT_OPENED);
    EXPECT_FALSE(scene->IsInputEnabled());
    scene->OnPDAEvent(GMIPDAListener::EVENT_MINIMIZED);
    EXPECT_TRUE(scene->IsInputEnabled());
    scene->OnInterviewEvent(GMIInterviewListener::EVENT_TAKEN_OVER);
    EXPECT_FALSE(scene->IsInputEnabled());
    scene->OnInterviewEvent(GMIInterviewListener::EVENT_RETURNED);
    EXPECT_TRUE(scene->IsInputEnabled());
}

TEST_F(SceneTest, CutsTakeTheirCameraAndBackgroundAndDashReturns)
{
    std::string text = GMTestScene::SampleFile("scene.txt");
    text += "cuts\n\tcut01\n\t\tid=witness_close\n\t\tcamera=cam02\n\t\tbackground=vp02_bg.bmp\n"
            "\tcut02\n\t\tid=lost\n\t\tcamera=cam09\n\t\tbackground=vp01_bg.bmp\n";
    GMScene* scene = Load({{"scene.txt", text}});
    ASSERT_NE(nullptr, scene);
    // The witness's interview hotspot has the viewpoint's set-up build them already.
    EXPECT_TRUE(scene->HasCutTables());
    EXPECT_FALSE(scene->SetupCuts());
    EXPECT_TRUE(mLog.Contains("Camera not found:cam09"));
    ASSERT_TRUE(scene->HasCutTables());

    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, rasterizer);
    const auto viewOfLastDraw = [rasterizer]() { return rasterizer->Draws().back().mView; };
    ASSERT_TRUE(scene->Render());
    const auto ownView = viewOfLastDraw();

    EXPECT_TRUE(scene->SetCut(LString("witness_close")));
    ASSERT_NE(nullptr, scene->GetCutCamera());
    EXPECT_EQ(LString("cam02"), scene->GetCutCamera()->GetName());
    ASSERT_TRUE(scene->Render());
    EXPECT_NE(ownView, viewOfLastDraw());

    // A cut whose camera is missing has none: the viewpoint's camera draws.
    EXPECT_TRUE(scene->SetCut(LString("lost")));
    EXPECT_EQ(nullptr, scene->GetCutCamera());
    EXPECT_EQ(LString("lost"), scene->GetCut());
    ASSERT_TRUE(scene->Render());
    EXPECT_EQ(ownView, viewOfLastDraw());

    EXPECT_TRUE(scene->SetCut(LString("-")));
    EXPECT_EQ(nullptr, scene->GetCutCamera());
    ASSERT_TRUE(scene->Render());
    EXPECT_EQ(ownView, viewOfLastDraw());
}

TEST_F(SceneTest, ARepeatedCutIdKeepsTheFirstCutAndRefusesTheOthers)
{
    std::string text = GMTestScene::SampleFile("scene.txt");
    text += "cuts\n\tcut01\n\t\tid=close\n\t\tcamera=cam02\n\t\tbackground=vp02_bg.bmp\n"
            "\tcut02\n\t\tid=close\n\t\tcamera=cam01\n\t\tbackground=vp01_bg.bmp\n"
            "\t\tdecals\n\t\t\td1\n\t\t\t\ttexture=vp01_bg.bmp\n"
            "\tcut03\n\t\tcamera=cam01\n\t\tbackground=vp01_bg.bmp\n"
            "\tcut04\n\t\tcamera=cam02\n\t\tbackground=vp02_bg.bmp\n";
    GMScene* scene = Load({{"scene.txt", text}});
    ASSERT_NE(nullptr, scene);
    mLog.Clear();
    // Built once more on every load of such a location: what the refused cuts would have
    // made is never made (the sanitizer build's leak check sees nothing left over).
    EXPECT_FALSE(scene->SetupCuts());
    EXPECT_EQ(1, mLog.Count("SetupCuts failure. Duplicate cut id: close")) << mLog.Bytes();
    EXPECT_EQ(2, mLog.Count("SetupCuts failure. Duplicate cut id: ")) << mLog.Bytes(); // and the empty id
    EXPECT_TRUE(scene->SetCut(LString("close")));
    ASSERT_NE(nullptr, scene->GetCutCamera());
    EXPECT_EQ(LString("cam02"), scene->GetCutCamera()->GetName());
    // The first cut without id is kept as well.
    EXPECT_TRUE(scene->SetCut(LString("")));
    ASSERT_NE(nullptr, scene->GetCutCamera());
    EXPECT_EQ(LString("cam01"), scene->GetCutCamera()->GetName());
}

TEST_F(SceneTest, AFrameDrawsBackgroundDepthCharactersThenTheTwoDPass)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    const size_t from = rasterizer->Calls().size();
    ASSERT_TRUE(scene->Render());
    const std::vector<std::string> calls(rasterizer->Calls().begin() + static_cast<long>(from),
                                         rasterizer->Calls().end());
    // The marks in the order they must come, each after the one before.
    const std::vector<std::string> marks = {
        "DrawPrimitive(4,0,2)",  // the background quad
        "SetColorWriteEnable(0)", "SetAlphaBlendEnable(0)", "SetZEnable(1)", "SetZWriteEnable(1)",
        "DrawIndexedPrimitive(3,2,4,0,0)",     // the floor into the depth buffer only
        "DrawIndexedPrimitive(3,10,20,0,0)",   // the crate
        "SetColorWriteEnable(1)", "SetLighting(1)", "SetLight(0)", "LightEnable(0,1)",
        "DrawIndexedPrimitive(3,144,288,0,0)", // the player
        "DrawIndexedPrimitive(3,144,288,0,0)", // the witness
        "SetZBufferMode(0)",                   // the 2-D pass of the decals
    };
    size_t at = 0;
    for (const std::string& mark : marks) {
        while (at < calls.size() && calls[at] != mark) {
            ++at;
        }
        ASSERT_LT(at, calls.size()) << "missing or out of order: " << mark;
        ++at;
    }
    // Nothing drawn while colour writes are off but the depth mesh: its floor, the ground
    // around it and the crate.
    const auto off = std::find(calls.begin(), calls.end(), "SetColorWriteEnable(0)");
    const auto on = std::find(off, calls.end(), "SetColorWriteEnable(1)");
    EXPECT_EQ(3, std::count_if(off, on, [](const std::string& c) { return c.rfind("Draw", 0) == 0; }));
    // Hidden, the scene draws nothing.
    scene->OnHidden();
    const size_t hidden = rasterizer->Calls().size();
    EXPECT_TRUE(scene->Render());
    EXPECT_EQ(hidden, rasterizer->Calls().size());
}

// Walking through the scene -----------------------------------------------------------

namespace {

// The screen pixel of a world point through the scene's camera.
LVector2 Pixel(GMScene* aScene, const LVector3& aWorld)
{
    LMatrix4 viewProjection;
    LMatrix4::Multiply(&viewProjection, aScene->GetCamera()->GetViewMatrix(),
                       aScene->GetCamera()->GetProjectionMatrix());
    LVector3 clip;
    LMatrix4::TransformCoord(&clip, &viewProjection, &aWorld);
    return LVector2((clip.x + 1.0f) * 400.0f, (1.0f - clip.y) * 300.0f);
}

LSteeringTDO* Steering()
{
    return GMNavigation::GetInstance()->GetSteering();
}

} // namespace

TEST_F(SceneTest, AClickOnTheFloorWalksAndADoubleClickRuns)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    LMouse* mouse = LMouse::Get();
    const LVector2 floor = Pixel(scene, LVector3(-60.0f, 0.0f, 20.0f));
    mouse->OnMove(floor);
    mouse->OnButtonDown(1);
    mouse->OnButtonUp(1);
    EXPECT_EQ(1, Steering()->GetMoveIndex());
    EXPECT_FLOAT_EQ(48.0f, Steering()->GetMoveSpeed());
    // The picker takes the pixel as a whole number: the ground point is near, not exact.
    EXPECT_NEAR(-60.0f, GMNavigation::GetInstance()->GetWalkTarget().x, 2.0f);
    EXPECT_NEAR(20.0f, GMNavigation::GetInstance()->GetWalkTarget().y, 2.0f);
    mouse->OnButtonDown(1);
    EXPECT_EQ(2, Steering()->GetMoveIndex());
    EXPECT_FLOAT_EQ(132.0f, Steering()->GetMoveSpeed());
    mouse->OnButtonUp(1);
    // A second of running takes the player towards the point.
    const LVector2 start = Ground();
    LFakeTimer::Frames(50, 0.02);
    EXPECT_GT(Ground().y, start.y + 60.0f);
}

TEST_F(SceneTest, AClickAboveTheHorizonLeavesThePlayerStanding)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(LVector2(400.0f, 2.0f));
    mouse->OnButtonDown(1);
    EXPECT_EQ(2, mLog.Count("Pick failure."));
    EXPECT_FALSE(GMNavigation::GetInstance()->GetNavigation()->IsEnabled());
    const LVector2 start = Ground();
    LFakeTimer::Frames(10, 0.05);
    EXPECT_FLOAT_EQ(start.x, Ground().x);
    EXPECT_FLOAT_EQ(start.y, Ground().y);
}

TEST_F(SceneTest, AClickWithTheItemCursorOnlyPutsTheItemBack)
{
    GMScene* scene = Load();
    ASSERT_NE(nullptr, scene);
    GMCursor* cursor = GMCursor::GetInstance();
    ASSERT_TRUE(cursor->SetItemCursor(LString("glove")));
    ASSERT_EQ(GMCursor::TYPE_ITEM, cursor->GetType());
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(Pixel(scene, LVector3(-60.0f, 0.0f, 20.0f)));
    mouse->OnButtonDown(1);
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetType());
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetDefaultType());
    EXPECT_FALSE(GMNavigation::GetInstance()->GetNavigation()->IsEnabled());
    // The next click walks.
    mouse->OnButtonUp(1);
    LFakeTimer::sNow += 1.0;
    mouse->OnButtonDown(1);
    EXPECT_TRUE(GMNavigation::GetInstance()->GetNavigation()->IsEnabled());
}

TEST_F(SceneTest, TheStencilShadowPassRunsWithoutToggleFiveAtTheViewpointsShade)
{
    LLogCapture log;
    GMScene* scene = Load({{"scene.txt", ChangedScene("shadowblend=0.3", "shadowblend=0.5")}});
    ASSERT_NE(nullptr, scene);
    EXPECT_FLOAT_EQ(0.5f, scene->GetShadowShade());
    // The sample's player comes with its shadow cache: read, not built.
    ASSERT_TRUE(scene->GetPlayer()->HasShadows());
    EXPECT_EQ(1, scene->GetPlayer()->GetShadowVolumeCount());
    EXPECT_FALSE(log.Contains("Shadow volume file not found."));
    EXPECT_FALSE(log.Contains("Shadow load failure."));
    LFakeRasterizer* fake = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, fake);
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.02);
    ASSERT_TRUE(scene->Update());
    fake->Reset();
    ASSERT_TRUE(scene->Render());
    EXPECT_EQ(1, fake->CountCalls("Clear(1)"));
    EXPECT_EQ(1, fake->CountCalls("SetStencilPass(6)"));
    EXPECT_EQ(1, fake->CountCalls("SetStencilPass(7)"));
    EXPECT_EQ(1, fake->CountCalls("SetBlendFactor(0.5)"));
    EXPECT_EQ(1, fake->CountCalls("SetStencilEnable(0)"));

    // The blob shadow in its place.
    GMOptions::GetInstance()->SetToggle(5, 1);
    ASSERT_TRUE(scene->SetViewpoint(LString("vp01")));
    fake->Reset();
    ASSERT_TRUE(scene->Render());
    EXPECT_EQ(0, fake->CountCalls("Clear(1)"));
    EXPECT_EQ(0, fake->CountCalls("SetStencilPass"));
    EXPECT_EQ(0, fake->CountCalls("SetBlendFactor(0.5)"));
    GMOptions::GetInstance()->SetToggle(5, 0);
}

TEST_F(SceneTest, AShadowCacheNamedOutsideTheMeshesFolderIsRefusedAndTheShadowsAreMadeInMemory)
{
    // The characters and models in a folder of their own, the player's cache left out and
    // its name pointing up and out, or at an absolute place.
    namespace fs = std::filesystem;
    const fs::path data = fs::path(mCopy.Path()) / "data";
    const fs::path outside = fs::path(mCopy.Path()) / "outside.lisv";
    std::error_code error;
    fs::create_directories(data, error);
    fs::copy(LSampleRoots::Directory() + "/characters", data / "characters", fs::copy_options::recursive, error);
    fs::copy(LSampleRoots::Directory() + "/meshes", data / "meshes", fs::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    fs::remove(data / "meshes" / "vedrin.lisv");
    LIFileSystem* files = LIFileSystem::Get();
    for (const char* root : {"characters", "meshes"}) {
        files->RemoveMount(LString("//") + root);
        ASSERT_TRUE(files->AddMount(LString("//") + root, FromStd((data / root).string())));
    }
    const std::string player = mCopy.Read("data/characters/vedrin.data");
    const std::string named = "shadowvolume=vedrin.lisv";
    ASSERT_NE(std::string::npos, player.find(named));
    for (const std::string& name : {std::string("../../outside.lisv"), outside.string()}) {
        std::string changed = player;
        changed.replace(changed.find(named), named.size(), "shadowvolume=" + name);
        mCopy.Write("data/characters/vedrin.data", changed);
        LLogCapture log;
        GMScene* scene = Load();
        ASSERT_NE(nullptr, scene) << name;
        EXPECT_TRUE(log.Contains("Shadow volume file refused, it leaves its folder: //meshes/" + name)) << name;
        // The location has its shadows all the same, made in memory.
        ASSERT_TRUE(scene->GetPlayer()->HasShadows());
        ASSERT_EQ(1, scene->GetPlayer()->GetShadowVolumeCount());
        EXPECT_GT(scene->GetPlayer()->GetShadowVolume(0)->GetFaceCount(), 0);
        // Nothing read, and no cache written anywhere: neither where the name points nor
        // in the meshes folder.
        EXPECT_FALSE(log.Contains("Shadow volume file not found."));
        const auto written = std::count_if(fs::recursive_directory_iterator(mCopy.Path()), {},
                                           [](const fs::directory_entry& aEntry) {
                                               return aEntry.path().extension() == ".lisv";
                                           });
        EXPECT_EQ(0, written) << name;
    }
}
