#include "Render/LTextureManager.h"
#include "Video/LIMovieListener.h"
#include "Video/LIMovieManager.h"
#include "Video/LMoviePlayerBink.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LMediaFixtures.h"
#include "writers/LBinkBytes.h"
#include "support/LMemoryTexture.h"
#include "support/LTestCreator.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

using namespace LMediaFixtures;

namespace {

class Ends : public LIMovieListener
{
public:
    void OnMovieEnded(LString) override
    {
        ++mCalls;
        delete mDelete;
        mDelete = nullptr;
    }
    int mCalls = 0;
    LIMoviePlayer* mDelete = nullptr;
};

// Three grey frames (luma 50, 120, 200), the second not a key frame.
LBinkBytes::MovieSpec Grey(uint32_t aWidth = 32, uint32_t aHeight = 16)
{
    LBinkBytes::MovieSpec spec;
    spec.mWidth = aWidth;
    spec.mHeight = aHeight;
    spec.mFrames = {{50, 128, 128, true}, {120, 128, 128, false}, {200, 128, 128, true}};
    return spec;
}

// The grey levels of those frames in BGRA (video-range luma expanded).
constexpr int kGrey[] = {39, 121, 214};

bool IsGrey(uint32_t aPixel, int aLevel)
{
    for (int shift : {0, 8, 16}) {
        const int value = static_cast<int>((aPixel >> shift) & 0xFF);
        if (value < aLevel - 3 || value > aLevel + 3) {
            return false;
        }
    }
    return true;
}

// The movie service with in-memory textures, its movies under //movies.
class MovieService : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFake<LMemoryTexture>("texture");
        RegisterFakeRender(); // the rest of the fakes
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//movies"), FromStd(mDirectory.Path())));
        mDirectory.Write("grey.bik", LBinkBytes::Make(Grey()));
        mManager = LIMovieManager::Get();
        ASSERT_NE(nullptr, mManager);
    }

    LMoviePlayerBink* Texture(const char* aName)
    {
        return static_cast<LMoviePlayerBink*>(mManager->CreateTextureMovie(LString("movie"), Movie(aName)));
    }
    LMoviePlayerBink* FullScreen(const char* aName)
    {
        return static_cast<LMoviePlayerBink*>(mManager->CreateFullScreenMovie(LString("movie"), Movie(aName)));
    }
    static LString Movie(const char* aName) { return LString("//movies/") + aName; }
    std::string Native(const char* aName) const { return mDirectory.Path() + "/" + aName; }

    // Frame passes (or renders, for a full-screen player) until aDone, for at most 5 s.
    static bool Pump(LMoviePlayerBink* aPlayer, const std::function<bool()>& aDone)
    {
        return RunUntil(aDone, [aPlayer] {
            if (aPlayer->IsFullScreen()) {
                aPlayer->Render(nullptr);
            } else {
                LFrameManager::Get()->Update();
            }
        });
    }

    LLogCapture mLog;
    LTestDirectory mDirectory;
    LIMovieManager* mManager = nullptr;
};

} // namespace

TEST_F(MovieService, HandBuiltMovieOpensIntoARegisteredTextureAndDecodes)
{
    LMoviePlayerBink* player = Texture("grey.bik");
    ASSERT_NE(nullptr, player);
    EXPECT_EQ(3u, player->GetFrameCount());
    EXPECT_EQ(30, player->GetFrameRate());
    LTextureManager* textures = LTextureManager::Get();
    const uint32_t handle = player->GetTextureHandle();
    ASSERT_NE(0u, handle);
    EXPECT_EQ(handle, textures->GetHandle(FromStd(Native("grey.bik"))));
    auto* texture = dynamic_cast<LMemoryTexture*>(player->GetTexture());
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(texture, textures->GetTexture(handle));
    EXPECT_EQ((std::vector<int> {32, 16}), (std::vector<int> {texture->GetWidth(), texture->GetHeight()}));
    // The registration is locked: the manager cannot destroy it under the player.
    EXPECT_EQ(0, textures->DestroyTexture(handle));

    // Going to a frame decodes it; the next frame pass copies it into the texture.
    ASSERT_TRUE(player->GotoFrame(2));
    ASSERT_TRUE(player->Play());
    ASSERT_TRUE(Pump(player, [&] { return texture->LockCount() > 0; }));
    EXPECT_TRUE(IsGrey(texture->At(0, 0), kGrey[1])) << std::hex << texture->At(0, 0);
    EXPECT_TRUE(IsGrey(texture->At(31, 15), kGrey[1]) && texture->At(31, 15) >> 24 == 0xFFu);

    delete player;
    EXPECT_EQ(0u, textures->GetHandle(FromStd(Native("grey.bik"))));
    EXPECT_EQ(0, LMemoryTexture::LiveCount());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
}

TEST_F(MovieService, MoviePlaysToItsEndAndTellsItsListenerOnce)
{
    for (bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen ? "full screen" : "texture");
        LMoviePlayerBink* player = fullScreen ? FullScreen("grey.bik") : Texture("grey.bik");
        ASSERT_NE(nullptr, player);
        Ends ends;
        player->SetListener(&ends);
        ASSERT_TRUE(player->Play());
        EXPECT_EQ(fullScreen ? 0 : 1, LFrameManager::Get()->GetListenerCount());
        ASSERT_TRUE(Pump(player, [&] { return ends.mCalls > 0; }));
        for (int i = 0; i < 5; ++i) {
            LFrameManager::Get()->Update();
            EXPECT_EQ(false, player->Render(nullptr));
        }
        EXPECT_EQ(1, ends.mCalls);
        EXPECT_EQ(0u, player->GetFrameCount());
        EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
        if (!fullScreen) {
            // The texture keeps the last frame.
            auto* texture = static_cast<LMemoryTexture*>(player->GetTexture());
            EXPECT_TRUE(IsGrey(texture->At(5, 5), kGrey[2]));
            EXPECT_EQ(3, texture->LockCount());
        }
        EXPECT_FALSE(player->Play());
        // The listener may delete the player when told.
        ASSERT_TRUE(player->Open(FromStd(Native("grey.bik")), fullScreen));
        ends.mDelete = player;
        ASSERT_TRUE(player->Play());
        ASSERT_TRUE(Pump(player, [&] { return ends.mCalls > 1; }));
        EXPECT_EQ(nullptr, ends.mDelete);
    }
    EXPECT_EQ(0, LMemoryTexture::LiveCount());
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(MovieService, LoopingMovieStartsAgainWithoutTellingItsListener)
{
    LMoviePlayerBink* player = Texture("grey.bik");
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);
    player->SetLoop(true);
    ASSERT_TRUE(player->Play());
    int restarts = 0;
    unsigned last = 1;
    ASSERT_TRUE(Pump(player, [&] {
        const unsigned frame = player->GetCurrentFrame();
        restarts += frame < last ? 1 : 0;
        last = frame;
        return restarts == 2;
    }));
    EXPECT_EQ(0, ends.mCalls);
    EXPECT_EQ(3u, player->GetFrameCount());
    delete player;
}

TEST_F(MovieService, PauseStopsTheFrameUpdatesAndResumeRestartsThem)
{
    LMoviePlayerBink* player = Texture("grey.bik");
    ASSERT_NE(nullptr, player);
    auto* texture = static_cast<LMemoryTexture*>(player->GetTexture());
    ASSERT_TRUE(player->Play());
    ASSERT_TRUE(Pump(player, [&] { return texture->LockCount() == 1; }));
    ASSERT_TRUE(player->Pause());
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    LFrameManager::Get()->Update();
    player->OnFrame();
    EXPECT_EQ(1, texture->LockCount());
    EXPECT_TRUE(IsGrey(texture->At(0, 0), kGrey[0]));
    ASSERT_TRUE(player->Resume());
    EXPECT_EQ(1, LFrameManager::Get()->GetListenerCount());
    ASSERT_TRUE(Pump(player, [&] { return texture->LockCount() == 2; }));
    EXPECT_TRUE(IsGrey(texture->At(0, 0), kGrey[1]));
    delete player;
}

TEST_F(MovieService, LengthIsWholeFramesOverTheWholeRateAndZeroWithoutARate)
{
    LBinkBytes::MovieSpec spec = Grey();
    spec.mFrames.assign(300, LBinkBytes::Frame {});
    spec.mRate = 299;
    spec.mRateDiv = 10;
    mDirectory.Write("long.bik", LBinkBytes::Make(spec));
    spec.mFrames.resize(3);
    spec.mRate = 1;
    spec.mRateDiv = 2;
    mDirectory.Write("slow.bik", LBinkBytes::Make(spec));

    LMoviePlayerBink* tenSeconds = FullScreen("long.bik");
    ASSERT_NE(nullptr, tenSeconds);
    EXPECT_EQ(29, tenSeconds->GetFrameRate());
    EXPECT_FLOAT_EQ(10.0f, tenSeconds->GetLength());
    LMoviePlayerBink* slow = FullScreen("slow.bik");
    ASSERT_NE(nullptr, slow);
    EXPECT_EQ(0, slow->GetFrameRate());
    EXPECT_FLOAT_EQ(0.0f, slow->GetLength());
    slow->Close();
    EXPECT_FLOAT_EQ(0.0f, slow->GetLength());
    delete tenSeconds;
    delete slow;
}

TEST_F(MovieService, TextureMoviesAreTestedAgainstTheDevicesLargestTexture)
{
    mDirectory.Write("wide.bik", LBinkBytes::Make(Grey(320, 240)));
    mDirectory.Write("small.bik", LBinkBytes::Make(Grey(40, 40)));
    LFakeDeviceCaps::sPow2 = true;
    struct Case
    {
        const char* mName;
        bool mSquare;
        uint32_t mMaxWidth, mMaxHeight;
        bool mOpens;
    };
    const Case cases[] = {
        {"wide.bik", false, 512, 256, true},   {"wide.bik", false, 511, 256, false},
        {"wide.bik", false, 512, 255, false},  {"wide.bik", true, 512, 512, true},
        {"wide.bik", true, 1024, 511, false},  {"small.bik", false, 64, 64, true},
        {"small.bik", false, 63, 64, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mName) + " " + std::to_string(c.mMaxWidth) + " x " + std::to_string(c.mMaxHeight));
        LFakeDeviceCaps::sSquare = c.mSquare;
        LFakeDeviceCaps::sMaxWidth = c.mMaxWidth;
        LFakeDeviceCaps::sMaxHeight = c.mMaxHeight;
        mLog.Clear();
        LMoviePlayerBink* player = Texture(c.mName);
        EXPECT_EQ(c.mOpens, player != nullptr);
        if (player) {
            // Created at the movie's own size.
            EXPECT_EQ((c.mName[0] == 'w' ? std::vector<int> {320, 240} : std::vector<int> {40, 40}),
                      (std::vector<int> {player->GetTexture()->GetWidth(), player->GetTexture()->GetHeight()}));
        } else {
            EXPECT_TRUE(mLog.Contains("CreateTextureMovie failure: " + Native(c.mName)));
        }
        delete player;
        EXPECT_EQ(0, LMemoryTexture::LiveCount());
    }
}

TEST_F(MovieService, TwoPlayersOfOneMovieShareItsTexture)
{
    LMoviePlayerBink* first = Texture("grey.bik");
    LMoviePlayerBink* second = Texture("grey.bik");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(first->GetTextureHandle(), second->GetTextureHandle());
    EXPECT_EQ(first->GetTexture(), second->GetTexture());
    EXPECT_EQ(1, LMemoryTexture::LiveCount());
    delete first;
    EXPECT_EQ(1, LMemoryTexture::LiveCount());
    EXPECT_NE(nullptr, LTextureManager::Get()->GetTexture(second->GetTextureHandle()));
    delete second;
    EXPECT_EQ(0, LMemoryTexture::LiveCount());
}

TEST_F(MovieService, MissingDamagedAndTruncatedMoviesFailOrEndInBoundedTime)
{
    EXPECT_EQ(nullptr, FullScreen("missing.bik"));
    EXPECT_FALSE(mLog.Contains("CreateFullScreenMovie failure"));
    const std::string bytes = LBinkBytes::Make(Grey());
    mDirectory.Write("garbage.bik", std::string(200, '\x5A'));
    mDirectory.Write("header.bik", bytes.substr(0, 30));
    for (const char* name : {"garbage.bik", "header.bik"}) {
        mLog.Clear();
        EXPECT_EQ(nullptr, Texture(name)) << name;
        EXPECT_TRUE(mLog.Contains("CreateTextureMovie failure: " + Native(name))) << name;
    }
    // The last frame cut off: the movie ends early, with a logged error, and still
    // tells its listener once.
    mDirectory.Write("cut.bik", bytes.substr(0, bytes.size() - 20));
    mLog.Clear();
    LMoviePlayerBink* player = Texture("cut.bik");
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);
    ASSERT_TRUE(player->Play());
    ASSERT_TRUE(Pump(player, [&] { return ends.mCalls > 0; }));
    EXPECT_TRUE(mLog.Contains("ends early"));
    delete player;
    EXPECT_EQ(1, ends.mCalls);
}
