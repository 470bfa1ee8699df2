// The runner itself, with a shell script standing in for the program: what it copies and
// sets up, how it judges log, shots, files and exit status, and its time limit.
#include "integration/LScenarioRunner.h"
#include "support/LTestDirectory.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& aPath)
{
    std::ifstream in(aPath, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A flat 800 x 600 bitmap of (aRed, aGreen, aBlue) with a white 10 x 10 block at (100, 50).
std::string Shot(int aRed, int aGreen, int aBlue)
{
    std::string rows;
    for (int y = 599; y >= 0; --y) {
        for (int x = 0; x < 800; ++x) {
            const bool block = x >= 100 && x < 110 && y >= 50 && y < 60;
            rows += block ? std::string(3, '\xFF') : std::string{char(aBlue), char(aGreen), char(aRed)};
        }
    }
    return LImageBytes::Bmp(800, 600, rows);
}

class ScenarioRunner : public testing::Test
{
protected:
    void SetUp() override
    {
        mDirectory.Write("sample/data/textures/cursors.txt", "cursors\n");
        mDirectory.Write("sample/data/game/.keep", "");
        mDirectory.Write("sample/data/game/.options", "written by an earlier run");
        mDirectory.Write("sample/gen/tool.cpp", "generator source");
        mDirectory.Write("sample/log.txt", "an earlier run's log");
        mDirectory.Write("a.bmp", Shot(10, 20, 30));
        mDirectory.Write("b.bmp", Shot(10, 20, 200));
    }

    // The stand-in program: aBody as a shell script.
    LScenarioRunner Runner(const std::string& aBody, int aTimeLimit = 30)
    {
        mDirectory.Write("game.sh", "#!/bin/sh\n" + aBody);
        ::chmod(mDirectory.File("game.sh").c_str(), 0755);
        return LScenarioRunner({mDirectory.File("game.sh"), mDirectory.File("sample"), mDirectory.File("runs")},
                               aTimeLimit);
    }

    LScenarioRunner::Result Run(const LScenarioRunner& aRunner, const std::string& aScenario)
    {
        LScenario scenario;
        std::string error;
        EXPECT_TRUE(scenario.Parse(aScenario, error)) << error;
        return aRunner.Run(scenario, "case");
    }

    LTestDirectory mDirectory;
};

TEST_F(ScenarioRunner, PreparesTheRunAndJudgesEveryExpectation)
{
    const LScenarioRunner runner = Runner("pwd > cwd.txt\n"
                                          "echo \"$SDL_VIDEODRIVER $SDL_AUDIODRIVER $LIBGL_ALWAYS_SOFTWARE\" > env.txt\n"
                                          "cp \"$L_TEST_SCRIPT\" script.txt\n"
                                          "cp ../../../a.bmp ../../../b.bmp \"$L_TEST_OUTPUT\"\n"
                                          "printf 'NOTE: x, 1: up\\r\\nERROR: x, 2: allowed\\r\\n' > log.txt\n"
                                          "printf 'ERROR: x, 3: refused\\r\\nNOTE: x, 4: done\\r\\n' >> log.txt\n"
                                          "printf 'abc' > out.bin\n"
                                          "exit 3\n");
    const LScenarioRunner::Result result = Run(runner,
                                               "setup-file data/game/save.sav 00ff\n"
                                               "wait 1\n"
                                               "quit\n"
                                               "allow-log allowed\n"
                                               "expect-log-order \"x, 1: up\" done\n"                // 5 met
                                               "expect-log-order done \"x, 1: up\"\n"                // 6
                                               "expect-no-log refused\n"                             // 7
                                               "expect-file out.bin 3 6162\n"                        // 8 met
                                               "expect-file out.bin 3 6163\n"                        // 9
                                               "expect-file none.bin 0\n"                            // 10
                                               "expect-region a 0 0 50 40 10 20 30 0\n"              // 11 met
                                               "expect-region a 95 45 20 20 10 20 30 10\n"           // 12
                                               "expect-region b 0 0 50 40 10 20 30 10\n"             // 13
                                               "expect-changed a b 0 0 800 600\n"                    // 14 met
                                               "expect-changed a a 0 0 800 600\n"                    // 15
                                               "expect-region c 0 0 1 1 0 0 0 0\n"                   // 16
                                               "expect-log CURRENT DIR:{run}\n"                      // 17
                                               "expect-exit 3\n");                                   // 18 met
    ASSERT_FALSE(result.mDirectory.empty());
    std::vector<std::string> expected = {"Log line not allowed by the scenario: ERROR: x, 3: refused"};
    for (int line : {6, 7, 9, 10, 12, 13, 15, 16, 17}) {
        expected.push_back("Unmet expectation, line " + std::to_string(line));
    }
    ASSERT_EQ(expected.size(), result.mFailures.size()) << result.Report();
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(0u, result.mFailures[i].find(expected[i])) << result.mFailures[i];
    }
    EXPECT_NE(std::string::npos, result.mFailures[5].find("(mean 71 79 86)")) << result.mFailures[5];
    EXPECT_NE(std::string::npos, result.mFailures[8].find("(no shot c)")) << result.mFailures[8];
    ASSERT_EQ(4u, result.mLogTail.size());
    EXPECT_EQ("NOTE: x, 4: done", result.mLogTail.back());

    // The run directory: the sample's files without the generator and what runs wrote.
    const fs::path run(result.mDirectory);
    auto read = [&](const std::string& aName) { return ReadFile(run / "game" / aName); };
    EXPECT_EQ("offscreen dummy 1\n", read("env.txt"));
    EXPECT_EQ(fs::canonical(run / "game").string() + "\n", read("cwd.txt"));
    EXPECT_EQ("wait 1\nquit\n", read("script.txt"));
    EXPECT_TRUE(fs::exists(run / "game" / "data" / "textures" / "cursors.txt"));
    EXPECT_TRUE(fs::exists(run / "game" / "data" / "game" / ".keep"));
    EXPECT_EQ(std::string("\x00\xff", 2), read("data/game/save.sav"));
    EXPECT_FALSE(fs::exists(run / "game" / "data" / "game" / ".options"));
    EXPECT_FALSE(fs::exists(run / "game" / "gen"));
    EXPECT_NE("an earlier run's log", read("log.txt"));

    // A later run of the same scenario clears what this one kept.
    runner.RemoveKept("case");
    EXPECT_FALSE(fs::exists(run));
}

TEST_F(ScenarioRunner, APassingRunLeavesNothingBehind)
{
    const LScenarioRunner runner = Runner("printf 'NOTE: x, 1: fine\\r\\n' > log.txt\n");
    const LScenarioRunner::Result result = Run(runner, "quit\nexpect-log fine\n");
    EXPECT_TRUE(result.Passed()) << result.Report();
    EXPECT_TRUE(result.mDirectory.empty());
    EXPECT_TRUE(fs::is_empty(mDirectory.File("runs")));
}

TEST_F(ScenarioRunner, ExitStatusCrashesAndTheTimeLimitFailTheRun)
{
    const struct
    {
        const char* mBody;
        const char* mFailure;
    } kCases[] = {
        {"printf 'NOTE: x\\r\\n' > log.txt\nexit 2\n", "The program's exit status was 2, not 0"},
        {"kill -SEGV $$\n", "The program was ended by signal 11"},
        {"printf 'NOTE: x\\r\\n' > log.txt\nexec sleep 30\n", "The program ran over its time limit of 1 s"},
    };
    for (const auto& entry : kCases) {
        const auto start = std::chrono::steady_clock::now();
        const LScenarioRunner::Result result = Run(Runner(entry.mBody, 1), "quit\n");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        ASSERT_FALSE(result.mFailures.empty()) << entry.mBody;
        EXPECT_EQ(0u, result.mFailures[0].find(entry.mFailure)) << result.Report();
    }
}

} // namespace
