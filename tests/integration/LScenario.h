// One whole-program test scenario, read from its text file: the input script for the
// program (the input commands of compat's test script, checked here by its parser), the
// files to write before the run and the expectations judged after it.
//
//   setup-file <path> <hex bytes>                 written below the run directory first
//   expect-log <text>                             some log line holds the text
//   expect-log-order <text> <text>                a line with the first, later one with the second
//   expect-no-log <text>                          no log line holds it
//   allow-log <text>                              "ERROR: " / "ASSERT FAILURE: " lines holding it
//                                                 are accepted; any other such line fails
//   expect-region <shot> <x> <y> <w> <h> <r> <g> <b> <tolerance>
//                                                 mean colour of the region, per channel
//   expect-changed <shot> <shot> <x> <y> <w> <h>  some pixel of the region differs
//   expect-file <path> <size> [hex bytes]         the program wrote the file: its size, and
//                                                 its first bytes when given
//   expect-exit <code>                            the exit status (0 when not given)
//
// A text is the rest of the line, or a word in double quotes (which expect-log-order needs
// for texts with blanks); "{run}" in a log text stands for the program's run directory. Paths are relative to the run directory and never leave it. Hex
// bytes may be split by blanks ("00 ff 10" or "00ff10").
#pragma once
#include <string>
#include <vector>

class LScenario
{
public:
    struct SetupFile
    {
        std::string mPath;
        std::string mBytes;
    };

    struct Expectation
    {
        enum Kind
        {
            kLog,
            kLogOrder,
            kNoLog,
            kRegion,
            kChanged,
            kFile,
            kExit,
        };
        Kind mKind = kLog;
        int mLine = 0;
        // The line as written, for the failure report.
        std::string mSource;
        std::string mText;
        std::string mSecondText;
        std::string mShot;
        std::string mSecondShot;
        int mX = 0;
        int mY = 0;
        int mWidth = 0;
        int mHeight = 0;
        int mColor[3] = {0, 0, 0};
        int mTolerance = 0;
        std::string mPath;
        long long mSize = 0;
        std::string mBytes;
        int mExitCode = 0;
    };

    // False with "line N: reason" in aError for the first malformed line.
    bool Parse(const std::string& aText, std::string& aError);
    bool Load(const std::string& aPath, std::string& aError);

    // The input commands, one a line, for the program's test hooks.
    const std::string& Input() const { return mInput; }
    const std::vector<SetupFile>& SetupFiles() const { return mSetupFiles; }
    const std::vector<Expectation>& Expectations() const { return mExpectations; }
    const std::vector<std::string>& AllowedLogs() const { return mAllowedLogs; }
    // The expected exit status: expect-exit's, or 0.
    int ExitCode() const;

private:
    bool ParseLine(const std::string& aLine, int aNumber, std::string& aError);

    std::string mInput;
    std::vector<SetupFile> mSetupFiles;
    std::vector<Expectation> mExpectations;
    std::vector<std::string> mAllowedLogs;
};
