// The options singleton and the options file: defaults, the file's bytes, and damaged
// files refused without touching the settings.
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>

namespace {

class OptionsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(mData.Path())));
        std::filesystem::create_directory(mData.File("game"));
    }

    // An options file of the skill, the toggles and the volume.
    static std::string File(int aSkill, const int (&aToggles)[6], float aVolume)
    {
        std::string bytes;
        auto put = [&bytes](const void* aValue) { bytes.append(static_cast<const char*>(aValue), 4); };
        put(&aSkill);
        for (const int& toggle : aToggles) {
            put(&toggle);
        }
        put(&aVolume);
        return bytes;
    }

    static void ExpectDefaults(const GMOptions& aOptions)
    {
        EXPECT_EQ(1, aOptions.GetSkill());
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(0, aOptions.GetToggle(i)) << i;
        }
        EXPECT_EQ(1.0f, aOptions.mVolume);
    }

    LTestDirectory mData;
};

} // namespace

TEST_F(OptionsFileTest, WithoutAFileTheSingletonHasTheDefaultsAndTheCleanerDeletesIt)
{
    LLogCapture log;
    GMOptions* options = GMOptions::GetInstance();
    ASSERT_NE(nullptr, options);
    ExpectDefaults(*options);
    EXPECT_EQ(1, log.Count("ERROR: .\\util\\GMOptions.cpp"));
    EXPECT_TRUE(log.Contains("Error opening .options file during load"));
    EXPECT_EQ(options, GMOptions::GetInstance()); // loaded once

    delete GMCleaner::GetInstance();
    EXPECT_EQ(nullptr, GMOptions::GetInstance());
}

TEST_F(OptionsFileTest, SaveWritesTheThirtyTwoBytesAndLoadReadsThemBack)
{
    GMOptions options;
    options.SetSkill(2);
    options.SetToggle(0, 1);
    options.mVolume = 0.25f;
    ASSERT_TRUE(options.Save());
    EXPECT_EQ(File(2, {1, 0, 0, 0, 0, 0}, 0.25f), mData.Read("game/.options"));

    options.SetToggle(5, 1);
    ASSERT_TRUE(options.Save()); // replaces the old file
    const std::string saved = File(2, {1, 0, 0, 0, 0, 1}, 0.25f);
    EXPECT_EQ(saved, mData.Read("game/.options"));

    GMOptions loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(2, loaded.GetSkill());
    EXPECT_EQ(1, loaded.GetToggle(0));
    EXPECT_EQ(1, loaded.GetToggle(5));
    EXPECT_EQ(0.25f, loaded.mVolume);
}

TEST_F(OptionsFileTest, SaveIntoAMissingFolderFailsAndIsLogged)
{
    std::filesystem::remove_all(mData.File("game"));
    LLogCapture log;
    GMOptions options;
    EXPECT_FALSE(options.Save());
    EXPECT_TRUE(log.Contains("ERROR: .\\util\\GMOptions.cpp"));
    EXPECT_TRUE(log.Contains("Error opening .options file during save"));
}

TEST_F(OptionsFileTest, ADamagedFileIsLoggedAndChangesNothing)
{
    const std::string good = File(0, {1, 1, 1, 1, 1, 1}, 0.5f);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"short", good.substr(0, 31)},
        {"long", good + '\0'},
        {"skill", File(3, {0, 0, 0, 0, 0, 0}, 0.5f)},
        {"negative skill", File(-1, {0, 0, 0, 0, 0, 0}, 0.5f)},
        {"toggle", File(0, {0, 0, 0, 0, 2, 0}, 0.5f)},
        {"loud", File(0, {0, 0, 0, 0, 0, 0}, 1.5f)},
        {"negative volume", File(0, {0, 0, 0, 0, 0, 0}, -0.1f)},
        {"not a number", File(0, {0, 0, 0, 0, 0, 0}, std::numeric_limits<float>::quiet_NaN())},
    };
    for (const auto& damaged : cases) {
        mData.Write("game/.options", damaged.bytes);
        LLogCapture log;
        GMOptions options;
        EXPECT_FALSE(options.Load()) << damaged.what;
        ExpectDefaults(options);
        EXPECT_TRUE(log.Contains("ERROR: .\\util\\GMOptions.cpp")) << damaged.what;
        EXPECT_TRUE(log.Contains("Damaged .options file")) << damaged.what;
    }
    // The edges of each range are a whole file.
    mData.Write("game/.options", File(0, {1, 1, 1, 1, 1, 1}, 0.0f));
    GMOptions options;
    EXPECT_TRUE(options.Load());
    EXPECT_EQ(0, options.GetSkill());
    EXPECT_EQ(1, options.GetToggle(3));
    EXPECT_EQ(0.0f, options.mVolume);
}

TEST(Options, ToggleIndicesOutsideTheSixAreRefused)
{
    LLogCapture log;
    GMOptions options;
    options.SetToggle(6, 1);
    options.SetToggle(-1, 1);
    EXPECT_EQ(0, options.GetToggle(6));
    EXPECT_EQ(0, options.GetToggle(-1));
    EXPECT_EQ(4, log.Count("Toggle index out of range: "));
    // The fields beside the toggles are untouched.
    EXPECT_EQ(1, options.GetSkill());
    EXPECT_EQ(1.0f, options.mVolume);
}
