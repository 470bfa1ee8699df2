// The application object: input forwarding with its clamps and device names, start-up in
// its order, and the frame in its order.
#include "GMApp.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "menu/GMIntro.h"
#include "object/LRestoreManager.h"
#include "pda/GMPDA.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/GMTestRoots.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class MouseRecorder : public LIMouseListener
{
public:
    void OnButtonDown(int aButton) override { mHeard.push_back("down " + std::to_string(aButton)); }
    void OnButtonUp(int aButton) override { mHeard.push_back("up " + std::to_string(aButton)); }
    void OnMove(const LVector2& aPosition) override { mHeard.push_back("move " + LTestPoint(aPosition.x, aPosition.y)); }
    void OnWheel(float aDelta) override { mHeard.push_back("wheel " + std::to_string(static_cast<int>(aDelta))); }
    std::vector<std::string> mHeard;
};

class AppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeMovieManager();
        LFakeMovieManager::Reset();
        LFakeTimer::sNow = 1.0;
        ASSERT_TRUE(mRoots.Mounted());
        mApp = GMApp::GetInstance();
        ASSERT_NE(nullptr, mApp);
    }

    void TearDown() override { delete mApp; }

    // The class names of a cleaner's instances in the order of registration.
    static std::vector<std::string> Registered(LCleaner* aCleaner)
    {
        std::vector<std::string> names;
        for (int i = aCleaner->GetInstanceCount() - 1; i >= 0; --i) {
            const std::string dump = ToStd(aCleaner->GetInstanceAt(i)->Dump());
            names.push_back(dump.substr(1, dump.find(' ') - 1));
        }
        return names;
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMApp* mApp = nullptr;
};

} // namespace

TEST_F(AppTest, MouseInputIsClampedToTheScreenAndTheWheelGivesDifferences)
{
    MouseRecorder recorder;
    ASSERT_TRUE(LMouse::Get()->AddMember(&recorder, 0.0f));
    LVector2 position(812.0f, -3.0f);
    mApp->OnMove(u"mouse", position);
    EXPECT_EQ("799,0", LTestPoint(position.x, position.y));
    LVector2 seen;
    LMouse::Get()->GetPosition(seen);
    EXPECT_EQ("799,0", LTestPoint(seen.x, seen.y));
    LVector2 below(-5.0f, 600.0f);
    mApp->OnMove(u"mouse", below);
    EXPECT_EQ("0,599", LTestPoint(below.x, below.y));

    for (float total : {120.0f, 240.0f, 240.0f}) {
        LVector2 wheel(0.0f, total);
        mApp->OnMove(u"wheel", wheel);
    }
    // Devices are named exactly.
    mApp->OnButtonDown(u"Mouse", 1);
    LVector2 other(5.0f, 5.0f);
    mApp->OnMove(u"mouse2", other);
    mApp->OnMove(u"Wheel", other);
    mApp->OnButtonDown(u"mouse", 2);
    mApp->OnButtonUp(u"mouse", 2);
    EXPECT_EQ((std::vector<std::string> {"move 799,0", "move 0,599", "wheel 120", "wheel 120", "wheel 0", "down 2", "up 2"}),
              recorder.mHeard);
    LMouse::Get()->RemoveListener(&recorder);
}

TEST_F(AppTest, InitStartsTheGameInOrderAndPushesTheIntroAlone)
{
    LFakeDeviceCaps::sPow2 = true;
    LFakeDeviceCaps::sMaxWidth = 4096;
    LFakeDeviceCaps::sMaxHeight = 1024;
    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, rasterizer);
    rasterizer->Reset();

    // No fonts file under the roots: logged, and start-up goes on.
    EXPECT_TRUE(mApp->Init());
    EXPECT_EQ(1, mLog.Count("ERROR: .\\GMApp.cpp"));
    EXPECT_TRUE(mLog.Contains("Font setup failure."));

    const std::vector<std::string> calls = rasterizer->Calls();
    const auto clearColour = std::find(calls.begin(), calls.end(), "SetClearColor(1,0,0,0)");
    ASSERT_NE(calls.end(), clearColour);
    ASSERT_NE(calls.end(), clearColour + 1);
    EXPECT_EQ("SetCullMode(0)", *(clearColour + 1));

    const std::vector<std::string> lines = mLog.Lines();
    const auto first = std::find(lines.begin(), lines.end(), "Device requires pow2 textures: true");
    ASSERT_NE(lines.end(), first);
    ASSERT_LE(5, lines.end() - first);
    EXPECT_EQ((std::vector<std::string> {"Device requires pow2 textures: true", "Device requires square textures: false",
                                         "Device max texture width: 4096", "Device max texture height: 1024",
                                         "Device supports two-sided stencils: true"}),
              std::vector<std::string>(first, first + 5));

    EXPECT_EQ(3, LRestoreManager::Get()->GetRestorableCount());

    std::vector<std::string> game = Registered(GMCleaner::GetInstance());
    const std::vector<std::string> created = {
        "GMInterviewManager", "GMProfilingComputer", "GMCaseSelection", "GMCigarBandPuzzle", "GMPaintingPuzzle",
        "GMCombinationLockPuzzle", "GMSlideBoxPuzzle", "GMFloorSafePuzzle", "GMMapPuzzle", "GMCrossWordPuzzle",
        "GMReceiptPuzzle", "GMMonetBoxPuzzle", "GMRoomServicePuzzle", "GMBaseballBatPuzzle", "GMPCDesktopPuzzle",
        "GMHarpPuzzle", "GMQuintarnPuzzle", "GMChasePhotoPuzzle", "GMHotelWindowPuzzle", "GMPOBoxPuzzle",
        "GMSurveillanceTapePuzzle", "GMCaseControl", "GMCutScenePlayer", "GMPhone", "GMIntro"};
    const auto start = std::find(game.begin(), game.end(), created.front());
    ASSERT_NE(game.end(), start);
    // What the screen manager made on the way (the fader, the manager) comes after.
    std::vector<std::string> step(start, start + std::min<long>(created.size(), game.end() - start));
    EXPECT_EQ(created, step);
    // The PDA outlives the game's singletons.
    const std::vector<std::string> engine = Registered(LCleaner::Get());
    EXPECT_NE(engine.end(), std::find(engine.begin(), engine.end(), "GMPDA"));
    EXPECT_EQ(game.end(), std::find(game.begin(), game.end(), "GMPDA"));

    GMScreenManager* screens = GMScreenManager::GetInstance();
    EXPECT_EQ(1, screens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(GMIntro::GetInstance()), screens->GetTop());
    // The intro plays its logo movie.
    EXPECT_NE(nullptr, GMIntro::GetInstance()->GetMovie());
    EXPECT_NE(nullptr, LFakeMoviePlayer::Find(LString("Vesmar_Logo.bik")));
}

TEST_F(AppTest, UpdateClearsRunsTheFrameListenersAndDrawsTheDisplayTreeLast)
{
    ASSERT_TRUE(mApp->Init()); // the intro under the black overlay: something to draw
    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    rasterizer->Reset();

    struct Probe : LIFrameListener
    {
        void OnFrame() override { mCallsSeen = static_cast<int>(LFakeRasterizer::Instance()->Calls().size()); }
        int mCallsSeen = -1;
    } probe;
    ASSERT_TRUE(LFrameManager::Get()->AddListener(&probe, 0.0f));
    EXPECT_TRUE(mApp->Update());
    LFrameManager::Get()->RemoveListener(&probe);

    const std::vector<std::string>& calls = rasterizer->Calls();
    ASSERT_LE(2u, calls.size());
    EXPECT_EQ("Clear()", calls[0]);
    EXPECT_EQ("SetAlphaBlendEnable(1)", calls[1]);
    EXPECT_EQ(2, probe.mCallsSeen);
    EXPECT_FALSE(rasterizer->Draws().empty());

    // A failing 2-D pass is the frame's result.
    rasterizer->SetResult(0);
    EXPECT_FALSE(mApp->Update());
}
