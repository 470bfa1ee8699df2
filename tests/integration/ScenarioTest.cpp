// The whole-program tests: every scenario under scenarios/ runs the real program on a copy
// of the sample data and is judged by its log, its screenshots, its files and its exit.
#include "integration/LScenarioRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A hang's guard, not a speed check: the longest scenarios draw a few thousand frames in
// software GL, which on a loaded two-core machine can take well over a minute.
constexpr int kTimeLimitSeconds = 240;

LScenarioRunner Runner()
{
    return LScenarioRunner({L_GAME_PATH, L_SAMPLE_DIR, L_WORK_ROOT}, kTimeLimitSeconds);
}

std::vector<std::string> ScenarioNames()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(L_SCENARIO_DIR)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

LScenarioRunner::Result RunScenario(const std::string& aName)
{
    LScenario scenario;
    std::string error;
    LScenarioRunner::Result result;
    if (!scenario.Load(std::string(L_SCENARIO_DIR) + "/" + aName + ".txt", error)) {
        result.mFailures.push_back("Malformed scenario " + aName + ": " + error);
        return result;
    }
    const LScenarioRunner runner = Runner();
    runner.RemoveKept(aName);
    return runner.Run(scenario, aName);
}

class Scenario : public testing::TestWithParam<std::string>
{
};

TEST_P(Scenario, Runs)
{
    const LScenarioRunner::Result result = RunScenario(GetParam());
    EXPECT_TRUE(result.Passed()) << result.Report();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Scenario, testing::ValuesIn(ScenarioNames()),
                         [](const testing::TestParamInfo<std::string>& aInfo) {
                             std::string name = aInfo.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The fixed clock and the scripted input make every run draw the same pictures.
TEST(ScenarioRepeat, StartUpShotsAreByteIdenticalInTwoRuns)
{
    LScenario scenario;
    std::string error;
    ASSERT_TRUE(scenario.Load(std::string(L_SCENARIO_DIR) + "/start-up.txt", error)) << error;
    std::vector<std::string> directories;
    Runner().RemoveKept("start-up-repeat");
    for (int run = 0; run < 2; ++run) {
        const LScenarioRunner::Result result = Runner().Run(scenario, "start-up-repeat", true);
        directories.push_back(result.mDirectory);
        ASSERT_TRUE(result.Passed()) << result.Report();
    }
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(directories[0]) / "shots")) {
        const fs::path other = fs::path(directories[1]) / "shots" / entry.path().filename();
        std::ifstream first(entry.path(), std::ios::binary);
        std::ifstream second(other, std::ios::binary);
        std::stringstream a;
        std::stringstream b;
        a << first.rdbuf();
        b << second.rdbuf();
        EXPECT_TRUE(a.str() == b.str()) << entry.path() << " differs from " << other;
        ++compared;
    }
    EXPECT_EQ(2, compared);
    for (const std::string& directory : directories) {
        fs::remove_all(directory);
    }
}

} // namespace
