// The options singleton and the options file: defaults, the file's bytes, and damaged
// files refused without touching the settings.
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>

#include <sys/stat.h>

namespace {

class OptionsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(mData.Path())));
        std::filesystem::create_directory(mData.File("game"));
    }

    // The file's bytes: the skill, the six toggles, the volume.
    static std::string File(int aSkill, const int (&aToggles)[6], float aVolume)
    {
        std::string bytes(reinterpret_cast<const char*>(&aSkill), 4);
        bytes.append(reinterpret_cast<const char*>(aToggles), 24);
        return bytes.append(reinterpret_cast<const char*>(&aVolume), 4);
    }

    static void ExpectDefaults(const GMOptions& aOptions)
    {
        EXPECT_EQ(1, aOptions.GetSkill());
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(0, aOptions.GetToggle(i)) << i;
        }
        EXPECT_EQ(1.0f, aOptions.mVolume);
    }

    LLogCapture mLog;
    const LTestDirectory& mData = mLog.Directory();
};

} // namespace

TEST_F(OptionsFileTest, WithoutAFileTheSingletonHasTheDefaultsAndTheGameCleanerDeletesIt)
{
    GMOptions* options = GMOptions::GetInstance();
    ASSERT_NE(nullptr, options);
    ExpectDefaults(*options);
    EXPECT_EQ(1, mLog.Count("ERROR: .\\util\\GMOptions.cpp"));
    EXPECT_TRUE(mLog.Contains("Error opening .options file during load"));
    EXPECT_EQ(options, GMOptions::GetInstance()); // loaded once
    delete GMCleaner::GetInstance();
    // Made again, from the defaults, for the next game cleaner.
    GMOptions* again = GMOptions::GetInstance();
    ASSERT_NE(nullptr, again);
    ExpectDefaults(*again);
    delete GMCleaner::GetInstance();
}

TEST_F(OptionsFileTest, SaveWritesTheThirtyTwoBytesAndLoadReadsThemBack)
{
    GMOptions options;
    options.SetSkill(2);
    options.SetToggle(0, 1);
    options.SetToggle(5, 1);
    options.mVolume = 0.25f;
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(File(2, {1, 0, 0, 0, 0, 1}, 0.25f), mData.Read("game/.options"));
    GMOptions loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(2, loaded.GetSkill());
    EXPECT_EQ(1, loaded.GetToggle(5));
    EXPECT_EQ(0.25f, loaded.mVolume);

    std::filesystem::remove_all(mData.File("game"));
    EXPECT_FALSE(options.Save());
    EXPECT_TRUE(mLog.Contains("Error opening .options file during save"));
}

TEST_F(OptionsFileTest, ADamagedFileIsLoggedAndChangesNothing)
{
    const std::string good = File(0, {1, 1, 1, 1, 1, 1}, 0.0f); // the edges of each range
    const std::string damaged[] = {
        "", good.substr(0, 31), good + '\0',
        File(3, {}, 0.5f), File(-1, {}, 0.5f), File(0, {0, 0, 0, 0, 2, 0}, 0.5f),
        File(0, {}, 1.5f), File(0, {}, -0.1f), File(0, {}, std::numeric_limits<float>::quiet_NaN()),
    };
    for (const std::string& bytes : damaged) {
        mData.Write("game/.options", bytes);
        mLog.Clear();
        GMOptions options;
        EXPECT_FALSE(options.Load()) << testing::PrintToString(bytes);
        ExpectDefaults(options);
        EXPECT_TRUE(mLog.Contains("ERROR: .\\util\\GMOptions.cpp")) << testing::PrintToString(bytes);
    }
    mData.Write("game/.options", good);
    GMOptions options;
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(0, options.GetSkill());
    EXPECT_EQ(1, options.GetToggle(3));
    EXPECT_EQ(0.0f, options.mVolume);

    // A FIFO in the file's place is refused at once instead of waiting for a writer.
    std::filesystem::remove(mData.File("game/.options"));
    ASSERT_EQ(0, ::mkfifo(mData.File("game/.options").c_str(), 0600));
    mLog.Clear();
    GMOptions fifo;
    EXPECT_FALSE(fifo.Load());
    ExpectDefaults(fifo);
    EXPECT_TRUE(mLog.Contains("Not a regular file: "));
    EXPECT_TRUE(mLog.Contains("Error opening .options file during load"));
}

TEST(Options, ToggleIndicesOutsideTheSixAreRefused)
{
    LLogCapture log;
    GMOptions options;
    options.SetToggle(6, 1);
    options.SetToggle(-1, 1);
    EXPECT_EQ(0, options.GetToggle(6));
    EXPECT_EQ(3, log.Count("Toggle index out of range: "));
    EXPECT_EQ(1, options.GetSkill()); // the fields beside the toggles are untouched
    EXPECT_EQ(1.0f, options.mVolume);
}
