// The whole-program tests' input script: its line grammar and the frames its commands act at.
#include "win32/WinTestScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<WinScriptEvent> Schedule(const std::string& aText)
{
    std::vector<WinScriptCommand> commands;
    std::string error;
    EXPECT_TRUE(WinParseScript(aText, commands, error)) << error;
    return WinScheduleScript(commands);
}

// "frame:kind:a:b" per event, the homing move (at frame 1) left out.
std::string Describe(const std::vector<WinScriptEvent>& aEvents)
{
    static const char* const kNames[] = {"move", "button", "wheel", "key", "shot", "quit", "step"};
    std::string text;
    for (const WinScriptEvent& event : aEvents) {
        if (event.mKind == WinScriptEvent::kMove && event.mA == kWinHomeMove) {
            EXPECT_EQ(1u, event.mFrame);
            continue;
        }
        text += std::to_string(event.mFrame) + ":" + kNames[event.mKind];
        if (event.mKind == WinScriptEvent::kShot) {
            text += ":" + event.mName;
        } else if (event.mKind != WinScriptEvent::kQuit) {
            text += ":" + std::to_string(event.mA) + ":" + std::to_string(event.mB);
        }
        text += " ";
    }
    return text;
}

TEST(WinTestScript, MalformedLinesAreRefusedWithTheirLineNumber)
{
    const struct
    {
        const char* mLine;
        const char* mReason;
    } kCases[] = {
        {"jump 1", "unknown command \"jump\""},
        {"wait", "expected wait <frames>"},
        {"wait -1", "expected wait"},
        {"wait 2 3", "expected wait"},
        {"wait 1x", "expected wait"},
        {"wait-seconds 1e3", "expected wait-seconds"},
        {"step 0", "expected step"},
        {"move 800 10", "expected move"},
        {"move 10 600", "expected move"},
        {"move 10", "expected move"},
        {"down thumb", "expected down"},
        {"click 1 2 4", "expected click"},
        {"key 0x1E sideways", "expected key"},
        {"key 0x54 down", "expected key"}, // no key has that scan code
        {"key 256 up", "expected key"},
        {"shot ../escape", "expected shot"},
        {"shot \"a b\"", "expected shot"},
        {"quit now", "expected quit"},
        {"random", "expected random"},
        {"random 32768", "expected random"},
        {"random -1", "expected random"},
        {"shot \"open", "unclosed quote"},
    };
    for (const auto& entry : kCases) {
        std::vector<WinScriptCommand> commands;
        std::string error;
        const std::string text = "# comment\n\nwait 1\n" + std::string(entry.mLine) + "\nquit\n";
        EXPECT_FALSE(WinParseScript(text, commands, error)) << entry.mLine;
        EXPECT_EQ(0u, error.find("line 4: ")) << entry.mLine << " gave " << error;
        EXPECT_NE(std::string::npos, error.find(entry.mReason)) << entry.mLine << " gave " << error;
    }
}

TEST(WinTestScript, WordsGroupQuotes)
{
    std::vector<std::string> words;
    ASSERT_TRUE(WinScriptWords("  expect-log-order \"A B\"\tC \"\"\r", words));
    EXPECT_EQ((std::vector<std::string>{"expect-log-order", "A B", "C", ""}), words);
    EXPECT_TRUE(WinScriptIsComment("   # x"));
    EXPECT_TRUE(WinScriptIsComment(" \r"));
    EXPECT_FALSE(WinScriptIsComment(" wait 1"));
}

TEST(WinTestScript, HomingComesFirstAndMovesAreRelative)
{
    const std::vector<WinScriptEvent> events = Schedule("move 400 300\nmove 100 500\nmove 100 500\n");
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(1u, events[0].mFrame);
    EXPECT_EQ(WinScriptEvent::kMove, events[0].mKind);
    EXPECT_EQ(kWinHomeMove, events[0].mA);
    EXPECT_EQ(kWinHomeMove, events[0].mB);
    // The repeated move to where the pointer is makes no event.
    EXPECT_EQ("2:move:400:300 2:move:-300:200 ", Describe(events));
}

TEST(WinTestScript, CompoundCommandsSpreadOverFrames)
{
    const struct
    {
        const char* mScript;
        const char* mEvents;
    } kCases[] = {
        {"wait 3\nshot a\nquit", "5:shot:a 5:quit "},
        // Left 1, middle 2, right 3 in SDL's numbering.
        {"click 10 20 right\nshot b", "2:move:10:20 2:button:3:1 3:button:3:0 4:shot:b "},
        {"click 0 0\nwait 1\ndown middle\nup 2",
         "2:button:1:1 3:button:1:0 5:button:2:1 5:button:3:0 "},
        {"dclick 5 6\nquit",
         "2:move:5:6 2:button:1:1 3:button:1:0 4:button:1:1 5:button:1:0 6:quit "},
        // Scan code 0x1E is the A key (SDL 4), 1 Escape (SDL 41).
        {"press 0x1E\nkey 1 down\nkey 1 up",
         "2:key:4:1 3:key:4:0 4:key:41:1 4:key:41:0 "},
        {"wheel -2\nwait 0\nwheel 3", "2:wheel:-2:0 2:wheel:3:0 "},
        // The script starts at frame 2. One second is 30 frames of 1/30 s; a part frame
        // counts whole.
        {"wait-seconds 1\nshot a\nwait-seconds 0.01\nshot b", "32:shot:a 33:shot:b "},
        // 10 ms steps are 300 units: half a second is 50 frames.
        {"step 10\nwait-seconds 0.5\nquit", "0:step:300:0 52:quit "},
        {"wait 1\nstep 10\nstep 20", "3:step:300:0 3:step:600:0 "},
    };
    for (const auto& entry : kCases) {
        EXPECT_EQ(entry.mEvents, Describe(Schedule(entry.mScript))) << entry.mScript;
    }
}

// The picture of a shot's frame is taken before the program reads input again: input
// written after the shot starts a frame later, and every command after it with it.
TEST(WinTestScript, InputAfterAShotStartsInTheNextFrame)
{
    const struct
    {
        const char* mScript;
        const char* mEvents;
    } kCases[] = {
        {"shot a\npress 0x1E\nquit", "2:shot:a 3:key:4:1 4:key:4:0 5:quit "},
        {"shot a\nshot b\nkey 1 down\nwait 0\nkey 1 up", "2:shot:a 2:shot:b 3:key:41:1 3:key:41:0 "},
        {"shot a\nclick 3 4\nshot b\nwheel 1", "2:shot:a 3:move:3:4 3:button:1:1 4:button:1:0 5:shot:b 6:wheel:1:0 "},
        // A move to where the pointer is adds nothing and so keeps the frame.
        {"shot a\nmove 0 0\ndown left", "2:shot:a 3:button:1:1 "},
        // Input a frame after the shot, and what is not input, keep their frames.
        {"shot a\nwait 1\nup right", "2:shot:a 3:button:3:0 "},
        {"shot a\nstep 10\nquit", "2:shot:a 2:step:300:0 2:quit "},
    };
    for (const auto& entry : kCases) {
        EXPECT_EQ(entry.mEvents, Describe(Schedule(entry.mScript))) << entry.mScript;
    }
}

} // namespace

TEST(WinTestScript, TheLastRandomLinePinsTheGeneratorAndTakesNoFrame)
{
    std::vector<WinScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(WinParseScript("random 5\nclick 10 10\nrandom 0\nquit\n", commands, error)) << error;
    EXPECT_EQ(0, WinScriptRandomPin(commands));
    std::vector<WinScriptCommand> without;
    ASSERT_TRUE(WinParseScript("click 10 10\nquit\n", without, error)) << error;
    EXPECT_EQ(-1, WinScriptRandomPin(without));
    // The click and the quit fall on the same frames as without the random lines.
    const std::vector<WinScriptEvent> pinned = WinScheduleScript(commands);
    const std::vector<WinScriptEvent> plain = WinScheduleScript(without);
    ASSERT_EQ(plain.size(), pinned.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(plain[i].mFrame, pinned[i].mFrame) << i;
        EXPECT_EQ(plain[i].mKind, pinned[i].mKind) << i;
    }
}
