// Runs the real program on one scenario and judges it. Each run gets a fresh directory
// under the work root holding:
//   game/       a copy of the sample data set plus the scenario's set-up files; the
//               program's current directory, where it writes log.txt
//   shots/      the screenshots the script asked for
//   input.txt   the scenario's input commands (the test hooks' script)
//   output.txt  what the program wrote to its standard output and error
// The program runs headless (SDL's offscreen and dummy drivers, Mesa's software GL) with
// the hook variables set, under a time limit after which it is killed. A run that passes
// removes its directory; a failed one keeps it for inspection.
#pragma once
#include "integration/LScenario.h"

#include <string>
#include <vector>

class LScenarioRunner
{
public:
    struct Paths
    {
        std::string mGame;
        std::string mSample;
        std::string mWorkRoot;
    };

    struct Result
    {
        std::string mDirectory;
        // "Unmet expectation, line N: <line> (<what was found>)", or the run's own failure.
        std::vector<std::string> mFailures;
        std::vector<std::string> mLogTail;
        bool Passed() const { return mFailures.empty(); }
        // The failures, the log's last lines and the kept directory, for the test output.
        std::string Report() const;
    };

    LScenarioRunner(const Paths& aPaths, int aTimeLimitSeconds);

    // aName names the run directory ("<name>-XXXXXX"); aKeep keeps it even after a pass.
    Result Run(const LScenario& aScenario, const std::string& aName, bool aKeep = false) const;

    // Removes the directories that earlier failed runs of aName left behind.
    void RemoveKept(const std::string& aName) const;

    static constexpr int kLogTailLines = 25;

private:
    bool Prepare(const LScenario& aScenario, Result& aResult) const;
    // The exit status, or -1 with the reason in aResult when killed or it could not start.
    int Execute(Result& aResult) const;
    void Judge(const LScenario& aScenario, int aStatus, Result& aResult) const;

    Paths mPaths;
    int mTimeLimitSeconds;
};
