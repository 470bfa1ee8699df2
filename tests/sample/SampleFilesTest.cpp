// The sample data set as files: every text file reads cleanly, every picture, movie and
// sound opens through the engine's own loaders, and the generator draws the same bytes
// every time and leaves files that are already right alone.
#include "LImage.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "Sound/LSoundManagerFMODCreator.h"
#include "Video/LIMovieManager.h"
#include "Video/LIMoviePlayer.h"
#include "container/LPropertyList.h"
#include "object/LRegistry.h"
#include "sound/FSound.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LMemoryTexture.h"
#include "support/LSampleRoots.h"
#include "support/LTestCreator.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

LString Data(const std::string& aRelative)
{
    return FromStd("//dataroot/" + aRelative);
}

class SampleFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(LSampleRoots::Mount()); }

    LLogCapture mLog;
};

// Runs the generator into aDirectory; its output goes to aDirectory/../gen.out.
int Generate(const std::string& aDirectory)
{
    const std::string command =
        "\"" + LSampleRoots::Generator() + "\" \"" + aDirectory + "\" > \"" + aDirectory + ".out\"";
    return std::system(command.c_str());
}

} // namespace

TEST_F(SampleFiles, EveryTextFileReadsWithoutAWarning)
{
    const auto files = LSampleRoots::Files({".txt", ".data", ".dat", ".gk"});
    ASSERT_GE(files.size(), 38u);
    for (const std::string& file : files) {
        LPropertyList list;
        EXPECT_TRUE(list.Load(Data(file), true)) << file;
        EXPECT_EQ("", mLog.Problems()) << file;
        mLog.Clear();
    }
}

TEST_F(SampleFiles, EveryPictureLoads)
{
    const auto files = LSampleRoots::Files({".tga", ".bmp"});
    ASSERT_GE(files.size(), 50u);
    for (const std::string& file : files) {
        LImage* image = nullptr;
        EXPECT_TRUE(LImage::CreateFromFile(Data(file), &image)) << file;
        ASSERT_NE(nullptr, image) << file;
        EXPECT_GT(image->GetWidth() * image->GetHeight(), 0) << file;
        delete image;
    }
    EXPECT_EQ("", mLog.Problems());
    // The location card scales this picture up by (25, 19) to cover the screen.
    LImage* black = nullptr;
    ASSERT_TRUE(LImage::CreateFromFile(Data("textures/black.tga"), &black));
    EXPECT_EQ((std::vector<int> {32, 32}), (std::vector<int> {black->GetWidth(), black->GetHeight()}));
    delete black;
}

TEST_F(SampleFiles, EveryMovieOpensWithMoreThanTenFrames)
{
    RegisterFake<LMemoryTexture>("texture");
    RegisterFakeRender();
    LIMovieManager* movies = LIMovieManager::Get();
    ASSERT_NE(nullptr, movies);
    const auto files = LSampleRoots::Files({".bik"});
    EXPECT_EQ((std::vector<std::string> {"movies/000_all.bik", "movies/001_all.bik", "movies/152_all.bik",
                                         "movies/Harp_Puzzle.bik", "movies/LisaApt_Monet_Box.bik",
                                         "movies/Secret_Apt_Door.bik", "movies/UPS_BoxAnimax.bik",
                                         "movies/Vesmar_Logo.bik", "movies/amb_gull.bik", "movies/amb_lantern.bik",
                                         "movies/chaseapt_draweropen.bik"}),
              files);
    for (const std::string& file : files) {
        std::unique_ptr<LIMoviePlayer> movie(movies->CreateTextureMovie(LString("sample"), Data(file)));
        ASSERT_NE(nullptr, movie) << file;
        EXPECT_GT(movie->GetFrameCount(), 10u) << file;
        EXPECT_EQ(15, movie->GetFrameRate()) << file;
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleFiles, EverySoundTheGeneratorWroteOpens)
{
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME));
    ASSERT_EQ(1, LRegistry::Get()->AddCreator(new LSoundManagerFMODCreator()));
    LISoundManager* sounds = LISoundManager::Get();
    ASSERT_NE(nullptr, sounds);
    const auto files = LSampleRoots::Files({".ogg", ".wav", ".mp2"});
    // PCM needs no optional encoder: the blip is always there.
    ASSERT_NE(files.end(), std::find(files.begin(), files.end(), "sounds/blip.wav"));
    std::vector<std::unique_ptr<LISoundPlayer>> players;
    for (const std::string& file : files) {
        players.emplace_back(sounds->CreateStream(LString("sample"), Data(file)));
        EXPECT_NE(nullptr, players.back()) << file;
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST(SampleGenerator, TwoRunsGiveTheSameBytesAndASecondRunInPlaceChangesNothing)
{
    LTestDirectory directory;
    const std::string first = directory.File("first");
    const std::string second = directory.File("second");
    ASSERT_EQ(0, Generate(first));
    ASSERT_EQ(0, Generate(second));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(first)) {
        if (entry.is_regular_file()) {
            const std::string name = std::filesystem::relative(entry.path(), first).generic_string();
            names.push_back(name);
            EXPECT_EQ(directory.Read("first/" + name), directory.Read("second/" + name)) << name;
        }
    }
    EXPECT_GE(names.size(), 145u);
    EXPECT_EQ(0, std::count_if(names.begin(), names.end(), [](const std::string& aName) {
                  return aName.find(".tmp") != std::string::npos;
              }));

    // Again into the first: every file is already right and keeps its time stamp.
    const auto stamp = std::filesystem::last_write_time(first + "/textures/fonts/tw_cen_mt16.tga");
    ASSERT_EQ(0, Generate(first));
    EXPECT_EQ(stamp, std::filesystem::last_write_time(first + "/textures/fonts/tw_cen_mt16.tga"));
    EXPECT_NE(std::string::npos, directory.Read("first.out").find(" 0 files written"));

    // A damaged file is written again.
    directory.Write("first/movies/000_all.bik", "BIK");
    ASSERT_EQ(0, Generate(first));
    EXPECT_EQ(directory.Read("second/movies/000_all.bik"), directory.Read("first/movies/000_all.bik"));
    EXPECT_NE(std::string::npos, directory.Read("first.out").find(" 1 files written"));
}
