// The scenario file: set-up, expectations and input lines; a malformed line names its number.
#include "integration/LScenario.h"

#include <gtest/gtest.h>

namespace {

TEST(LScenarioParse, MalformedLinesFailWithTheirNumber)
{
    const char* const kLines[] = {
        "setup-file",
        "setup-file /etc/passwd 00",
        "setup-file a/../../b 00",
        "setup-file options.ini 0",
        "setup-file options.ini zz",
        "expect-log",
        "expect-log   ",
        "expect-log-order one",
        "expect-log-order \"a b\" c d",
        "expect-region a 0 0 10 10 0 0 0",
        "expect-region a 795 0 10 10 0 0 0 0",
        "expect-region a 0 0 10 10 256 0 0 0",
        "expect-changed a b 0 0 0 10",
        "expect-file out.sav",
        "expect-file out.sav 1 00 01",
        "expect-file ../out.sav 1",
        "expect-exit -1",
        "expect-exit",
        "move 1",
        "press 0x54",
        "expect-logs x",
        "allow-log \"open",
    };
    for (const char* line : kLines) {
        LScenario scenario;
        std::string error;
        EXPECT_FALSE(scenario.Parse(std::string("# heading\nwait 1\n\n") + line + "\nquit\n", error)) << line;
        EXPECT_EQ(0u, error.find("line 4: ")) << line << " gave " << error;
    }
}

TEST(LScenarioParse, LinesAreSortedIntoInputSetUpAndExpectations)
{
    LScenario scenario;
    std::string error;
    ASSERT_TRUE(scenario.Parse("setup-file save/a.sav 00 ff10\n"
                               "wait 2\n"
                               "expect-log CURRENT DIR: /x  \n"
                               "expect-log-order \"a b\" c\n"
                               "allow-log \" spaced \"\n"
                               "move 400 300\n"
                               "expect-region shot1 10 20 30 40 1 2 3 4\n"
                               "expect-file save/b.sav 3 0a0b\n"
                               "expect-exit 3\n"
                               "quit\n",
                               error))
        << error;
    EXPECT_EQ("wait 2\nmove 400 300\nquit\n", scenario.Input());
    ASSERT_EQ(1u, scenario.SetupFiles().size());
    EXPECT_EQ("save/a.sav", scenario.SetupFiles()[0].mPath);
    EXPECT_EQ(std::string("\x00\xff\x10", 3), scenario.SetupFiles()[0].mBytes);
    ASSERT_EQ(1u, scenario.AllowedLogs().size());
    EXPECT_EQ(" spaced ", scenario.AllowedLogs()[0]);
    EXPECT_EQ(3, scenario.ExitCode());

    const std::vector<LScenario::Expectation>& expectations = scenario.Expectations();
    ASSERT_EQ(5u, expectations.size());
    EXPECT_EQ(3, expectations[0].mLine);
    EXPECT_EQ("CURRENT DIR: /x", expectations[0].mText);
    EXPECT_EQ("a b", expectations[1].mText);
    EXPECT_EQ("c", expectations[1].mSecondText);
    EXPECT_EQ("shot1", expectations[2].mShot);
    EXPECT_EQ(30, expectations[2].mWidth);
    EXPECT_EQ(3, expectations[2].mColor[2]);
    EXPECT_EQ(4, expectations[2].mTolerance);
    EXPECT_EQ(3, expectations[3].mSize);
    EXPECT_EQ("\x0a\x0b", expectations[3].mBytes);
    EXPECT_EQ(LScenario::Expectation::kExit, expectations[4].mKind);
}

} // namespace
