// The game test kit's own behaviour: a fake stream that ends as a real one does, refused
// and recorded streams, the fake movie player's end and its refused movies, the game's fonts, frame runs and the input listener checks.
#include "GMApp.h"
#include "Gdi/LFontManager.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "Sound/LISoundListener.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "Video/LIMovieListener.h"
#include "Video/LIMovieManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/GMTestScene.h"
#include "support/GMTestFonts.h"
#include "support/GMTestFrames.h"
#include "support/GMTestRoots.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Ends : LISoundListener
{
    void OnSoundEnded(const LString& aId) override { mHeard += ToStd(aId) + ";"; }
    std::string mHeard;
};

// Deletes the movie inside its end notice, as the cut-scene player may.
struct MovieEnds : LIMovieListener
{
    void OnMovieEnded(LString aName) override
    {
        mHeard += ToStd(aName) + ";";
        delete mPlayer;
        mPlayer = nullptr;
    }
    LIMoviePlayer* mPlayer = nullptr;
    std::string mHeard;
};

struct Counter : LIFrameListener
{
    void OnFrame() override { ++mCount; }
    int mCount = 0;
};

class TestKitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        ASSERT_TRUE(mRoots.Mounted());
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
};

} // namespace

TEST_F(TestKitTest, AStreamEndedAsARealOneIsHeardOnceInTheNextPassWhichItCutsShort)
{
    std::unique_ptr<LISoundPlayer> player(LISoundManager::Get()->CreateStream(LString("voice"), LString("//sounds/a.ogg")));
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);
    player->Play();
    LFakeSoundPlayer* fake = LFakeSoundPlayer::Find(LString("voice"));
    ASSERT_EQ(player.get(), fake);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("other")));

    Counter before;
    Counter after;
    LFrameManager* frames = LFrameManager::Get();
    ASSERT_TRUE(frames->AddListener(&before, -1.0f));
    ASSERT_TRUE(frames->AddListener(&after, 1.0f));
    const int listeners = frames->GetListenerCount();
    fake->MarkEnded();
    EXPECT_EQ("", ends.mHeard); // not before the frame loop sees it
    EXPECT_FALSE(player->IsFinished());
    LFakeTimer::FrameAt(1.1);
    EXPECT_EQ("voice;", ends.mHeard);
    EXPECT_TRUE(player->IsFinished());
    EXPECT_EQ(1, before.mCount);
    EXPECT_EQ(0, after.mCount); // the rest of that pass is skipped
    EXPECT_EQ(listeners, frames->GetListenerCount());
    LFakeTimer::Frames(2, 0.1);
    EXPECT_EQ("voice;", ends.mHeard);
    EXPECT_EQ(2, after.mCount);
    EXPECT_NEAR(1.3, LFakeTimer::sNow, 1e-9);

    // Stopped before the pass: nothing is heard, nothing stays registered.
    fake->MarkEnded();
    player->Stop();
    EXPECT_EQ(listeners, frames->GetListenerCount());
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("voice;", ends.mHeard);
    frames->RemoveListener(&before);
    frames->RemoveListener(&after);
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(TestKitTest, AMovieEndedAsARealOneIsHeardInTheNextPassAndMayBeDeletedInTheNotice)
{
    LFakeMovieManager::Reset();
    LFakeMovieManager::sWidth = 320;
    LFakeMovieManager::sFrameCount = 8;
    MovieEnds ends;
    ends.mPlayer = LIMovieManager::Get()->CreateFullScreenMovie(LString("cutScene"), LString("//dataroot/movies/a.bik"));
    ASSERT_NE(nullptr, ends.mPlayer);
    LFakeMoviePlayer* fake = LFakeMoviePlayer::Find(LString("a.bik"));
    ASSERT_EQ(ends.mPlayer, fake);
    EXPECT_EQ(fake, LFakeMoviePlayer::Newest());
    EXPECT_EQ("cutScene", ToStd(fake->GetId()));
    EXPECT_EQ(320, fake->GetWidth());
    EXPECT_EQ(480, fake->GetHeight());
    EXPECT_EQ(8u, fake->GetFrameCount());
    fake->SetListener(&ends);
    fake->SetVolume(0.25f);
    fake->Play();
    fake->Pause();
    EXPECT_EQ(1, fake->mPlays);
    EXPECT_EQ(1, fake->mPauses);
    EXPECT_FLOAT_EQ(0.25f, fake->GetVolume());

    Counter after;
    LFrameManager* frames = LFrameManager::Get();
    const int listeners = frames->GetListenerCount();
    ASSERT_TRUE(frames->AddListener(&after, 1.0f));
    fake->MarkEnded();
    EXPECT_EQ("", ends.mHeard);
    LFakeTimer::FrameAt(1.1);
    EXPECT_EQ("//dataroot/movies/a.bik;", ends.mHeard);
    EXPECT_EQ(nullptr, ends.mPlayer);
    EXPECT_TRUE(LFakeMoviePlayer::Live().empty());
    EXPECT_EQ(0, after.mCount); // the rest of that pass is skipped
    frames->RemoveListener(&after);
    EXPECT_EQ(listeners, frames->GetListenerCount());

    // End tells at once; a refused movie is logged as the real manager logs it.
    ends.mPlayer = LIMovieManager::Get()->CreateTextureMovie(LString("t"), LString("//dataroot/movies/b.bik"));
    ASSERT_NE(nullptr, ends.mPlayer);
    ends.mPlayer->SetListener(&ends);
    static_cast<LFakeMoviePlayer*>(ends.mPlayer)->End();
    EXPECT_EQ("//dataroot/movies/a.bik;//dataroot/movies/b.bik;", ends.mHeard);
    EXPECT_EQ(nullptr, LIMovieManager::Get()->CreateFullScreenMovie(LString("c"), LString("//dataroot/movies/missing.bik")));
    EXPECT_EQ(1, mLog.Count("ERROR: "));
    EXPECT_EQ(1, mLog.Count("CreateFullScreenMovie failure: //dataroot/movies/missing.bik"));
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    ASSERT_EQ(1u, LFakeMovieManager::sTexturesMade.size());
    EXPECT_FALSE(LFakeMovieManager::sTexturesMade[0].mFullScreen);
    LFakeMovieManager::Reset();
}

TEST_F(TestKitTest, RefusedStreamsAreLoggedAsTheRealManagerLogsThemAndMadeOnesAreRecorded)
{
    mRoots.Write("data/sounds/here.ogg", "x");
    struct Case
    {
        const char* mFile;
        bool mRefuseUnfound;
        bool mMade;
    };
    const Case cases[] = {
        {"//sounds/missing.ogg", false, false}, {"//sounds/gone.ogg", false, true},
        {"//sounds/gone.ogg", true, false},     {"//sounds/here.ogg", true, true},
    };
    LFakeSoundManager::sMade.clear();
    size_t made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mFile) + (c.mRefuseUnfound ? " refusing" : ""));
        mLog.Clear();
        LFakeSoundManager::sRefuseUnfound = c.mRefuseUnfound;
        std::unique_ptr<LISoundPlayer> player(LISoundManager::Get()->CreateStream(LString("s"), LString(c.mFile)));
        EXPECT_EQ(c.mMade, player != nullptr);
        EXPECT_EQ(c.mMade ? 0 : 1, mLog.Count("ERROR: "));
        EXPECT_EQ(c.mMade ? 0 : 1, mLog.Count(std::string("CreateStream failure: ") + c.mFile));
        made += c.mMade ? 1 : 0;
        ASSERT_EQ(made, LFakeSoundManager::sMade.size());
        if (c.mMade) {
            EXPECT_EQ(c.mFile, ToStd(LFakeSoundManager::sMade.back().mFileName));
            EXPECT_EQ("s", ToStd(LFakeSoundManager::sMade.back().mName));
        }
    }
    LFakeSoundManager::sRefuseUnfound = false;
}

TEST_F(TestKitTest, EveryGameFontIdIsRegisteredOnce)
{
    ASSERT_TRUE(RegisterGameTestFonts(mRoots));
    EXPECT_TRUE(RegisterGameTestFonts(mRoots)); // a second call adds nothing
    for (const char* id : {"tahoma10", "tahoma10black", "cenmt14white", "cenmt12white", "TW_CEN_MT16",
                           "TW_CEN_MT16_BLUE", "Friz_Quad_TT_8", "Friz_Quad_TT_8_grey", "OCRA18", "LucindaSans10",
                           "comic18_blue", "twcenmt14white"}) {
        EXPECT_NE(nullptr, LFontManager::Get()->GetFont(LString(id))) << id;
    }
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(TestKitTest, AppFramesRunTheFrameListenersAStepApart)
{
    GMApp* app = GMApp::GetInstance();
    ASSERT_NE(nullptr, app);
    struct Times : LIFrameListener
    {
        void OnFrame() override { mSeen += std::to_string(static_cast<int>(LFakeTimer::sNow * 10.0 + 0.5)) + ";"; }
        std::string mSeen;
    } times;
    ASSERT_TRUE(LFrameManager::Get()->AddListener(&times, 0.0f));
    EXPECT_TRUE(GMAppFrames(3, 0.5));
    EXPECT_EQ("15;20;25;", times.mSeen);
    LFrameManager::Get()->RemoveListener(&times);
    delete app;
}

TEST_F(TestKitTest, InputDevicesTellWhetherAListenerIsRegistered)
{
    struct Mouse : LIMouseListener
    {
        void OnButtonDown(int) override {}
        void OnMove(const LVector2&) override {}
        void OnButtonUp(int) override {}
    } mouse;
    struct Keys : LIKeyboardListener
    {
        void OnKeyDown(int) override {}
        void OnKeyUp(int) override {}
    } keys;
    EXPECT_FALSE(LMouse::Get()->Contains(&mouse));
    EXPECT_FALSE(LKeyboard::Get()->Contains(&keys));
    ASSERT_TRUE(LMouse::Get()->AddMember(&mouse, 0.0f));
    ASSERT_TRUE(LKeyboard::Get()->AddListener(&keys, 0.0f));
    EXPECT_TRUE(LMouse::Get()->Contains(&mouse));
    EXPECT_TRUE(LKeyboard::Get()->Contains(&keys));
    LMouse::Get()->RemoveListener(&mouse);
    LKeyboard::Get()->RemoveListener(&keys);
    EXPECT_FALSE(LMouse::Get()->Contains(&mouse));
    EXPECT_FALSE(LKeyboard::Get()->Contains(&keys));
}
