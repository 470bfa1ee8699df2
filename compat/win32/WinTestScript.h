// The input script of the whole-program tests: one command a line, read by the test hooks'
// player (WinTestHooks) and checked by the test runner before it starts the program.
//
//   wait <frames>           the next commands come that many presented frames later
//   wait-seconds <s>        the same in seconds of the fixed clock (rounded up to frames)
//   step <milliseconds>     the fixed clock's step from here on (1 to 1000; 1/30 s before);
//                           steps ahead of every other command hold from frame 0
//   move <x> <y>            the pointer to (x, y) of the 800 x 600 picture
//   down <button>           left, right, middle (or 1, 2, 3 as the program numbers them)
//   up <button>
//   click <x> <y> [button]  move and down in one frame, up in the next; goes on a frame later
//   dclick <x> <y>          move, then two left clicks on four frames; goes on a frame later
//   wheel <notches>         positive rolls away from the user
//   key <scan code> down|up the DirectInput scan code (decimal or 0x hex) as the program reads it
//   press <scan code>       down in one frame, up in the next; goes on a frame later
//   shot <name>             the picture presented in this frame, as <name>.bmp; input
//                           commands after it in its frame start in the next frame (the
//                           picture is shown before the program reads them), so that a
//                           press or click there keeps its down and up in separate frames
//   random <n>              every number the engine's random generator gives in the run
//                           is n (0 to 32767), wherever the line stands
//   quit                    closes the window
//
// Words are separated by blanks; a word in double quotes may hold blanks. Empty lines and
// lines starting with '#' are comments. Frames are counted from the program's first
// (frame 0, in which its input devices are acquired). In frame 1 the player homes the
// pointer at (0, 0) with one large negative move; the script starts in frame 2.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct WinScriptCommand
{
    enum Kind
    {
        kWait,
        kWaitSeconds,
        kStep,
        kMove,
        kDown,
        kUp,
        kClick,
        kDoubleClick,
        kWheel,
        kKey,
        kPress,
        kShot,
        kQuit,
        kRandom,
    };
    Kind mKind = kWait;
    // Frames of a wait, milliseconds of a step, notches of the wheel, the random number.
    int mCount = 0;
    double mSeconds = 0.0;
    int mX = 0;
    int mY = 0;
    // SDL's button number (1 left, 2 middle, 3 right).
    int mSdlButton = 1;
    // SDL scancode of a key.
    int mSdlKey = 0;
    bool mDown = false;
    std::string mName;
};

// What the player does at a frame, in script order.
struct WinScriptEvent
{
    enum Kind
    {
        kMove,   // relative (mA, mB)
        kButton, // SDL button mA, mB down
        kWheel,  // mA notches
        kKey,    // SDL scancode mA, mB down
        kShot,   // mName
        kQuit,
        kStep, // the clock's step becomes mA units of 1/30000 s
    };
    uint64_t mFrame = 0;
    Kind mKind = kMove;
    int mA = 0;
    int mB = 0;
    std::string mName;
};

// Units of the fixed clock per second, and the default step (1/30 s).
constexpr uint64_t kWinClockUnitsPerSecond = 30000;
constexpr int kWinDefaultStepUnits = 1000;
// The homing move's size on each axis.
constexpr int kWinHomeMove = -100000;

// The words of a line; quotes group words and are removed. False for an unclosed quote.
bool WinScriptWords(const std::string& aLine, std::vector<std::string>& aWords);
// True for an empty or comment line.
bool WinScriptIsComment(const std::string& aLine);
// Parses the words of one input command; false with the reason in aError.
bool WinParseScriptCommand(const std::vector<std::string>& aWords, WinScriptCommand& aCommand, std::string& aError);
// Parses a whole script; false with "line N: reason" in aError.
bool WinParseScript(const std::string& aText, std::vector<WinScriptCommand>& aCommands, std::string& aError);
// The frames at which the commands act: the homing move at frame 1, the first command at
// frame 2. "random" takes no frame.
std::vector<WinScriptEvent> WinScheduleScript(const std::vector<WinScriptCommand>& aCommands);
// The number of the script's last "random" command, or -1 without one.
int WinScriptRandomPin(const std::vector<WinScriptCommand>& aCommands);
