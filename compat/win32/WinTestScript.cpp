#include "WinTestScript.h"

#include "dinput/DInput.h"

#include <SDL2/SDL.h>

#include <charconv>
#include <cmath>

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
constexpr int kMaxWait = 1000000;
constexpr double kMaxWaitSeconds = 3600.0;

bool ParseInt(const std::string& aWord, int aMin, int aMax, int& aValue)
{
    const char* begin = aWord.data();
    const char* end = begin + aWord.size();
    int base = 10;
    if (aWord.size() > 2 && aWord[0] == '0' && (aWord[1] == 'x' || aWord[1] == 'X')) {
        begin += 2;
        base = 16;
    }
    long long value = 0;
    const std::from_chars_result result = std::from_chars(begin, end, value, base);
    if (result.ec != std::errc() || result.ptr != end || value < aMin || value > aMax) {
        return false;
    }
    aValue = static_cast<int>(value);
    return true;
}

// The program numbers its buttons 1 left, 2 right, 3 middle; SDL 1 left, 2 middle, 3 right.
bool ParseButton(const std::string& aWord, int& aSdlButton)
{
    if (aWord == "left" || aWord == "1") {
        aSdlButton = SDL_BUTTON_LEFT;
    } else if (aWord == "right" || aWord == "2") {
        aSdlButton = SDL_BUTTON_RIGHT;
    } else if (aWord == "middle" || aWord == "3") {
        aSdlButton = SDL_BUTTON_MIDDLE;
    } else {
        return false;
    }
    return true;
}

// The SDL scancode whose DirectInput scan code is aCode.
bool ParseKey(const std::string& aWord, int& aSdlKey)
{
    int code = 0;
    if (!ParseInt(aWord, 1, 255, code)) {
        return false;
    }
    for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl) {
        if (DInputScanCode(sdl) == code) {
            aSdlKey = sdl;
            return true;
        }
    }
    return false;
}

bool ValidName(const std::string& aName)
{
    if (aName.empty() || aName.size() > 64) {
        return false;
    }
    for (char c : aName) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letter && c != '-' && c != '_') {
            return false;
        }
    }
    return true;
}

bool ParsePoint(const std::string& aX, const std::string& aY, WinScriptCommand& aCommand)
{
    return ParseInt(aX, 0, kPictureWidth - 1, aCommand.mX) && ParseInt(aY, 0, kPictureHeight - 1, aCommand.mY);
}

struct Syntax
{
    const char* mWord;
    WinScriptCommand::Kind mKind;
    size_t mMinArgs;
    size_t mMaxArgs;
    const char* mUsage;
};

const Syntax kSyntax[] = {
    {"wait", WinScriptCommand::kWait, 1, 1, "wait <frames>"},
    {"wait-seconds", WinScriptCommand::kWaitSeconds, 1, 1, "wait-seconds <seconds>"},
    {"step", WinScriptCommand::kStep, 1, 1, "step <milliseconds 1 to 1000>"},
    {"move", WinScriptCommand::kMove, 2, 2, "move <x 0-799> <y 0-599>"},
    {"down", WinScriptCommand::kDown, 1, 1, "down left|right|middle"},
    {"up", WinScriptCommand::kUp, 1, 1, "up left|right|middle"},
    {"click", WinScriptCommand::kClick, 2, 3, "click <x 0-799> <y 0-599> [left|right|middle]"},
    {"dclick", WinScriptCommand::kDoubleClick, 2, 2, "dclick <x 0-799> <y 0-599>"},
    {"wheel", WinScriptCommand::kWheel, 1, 1, "wheel <notches>"},
    {"key", WinScriptCommand::kKey, 2, 2, "key <scan code> down|up"},
    {"press", WinScriptCommand::kPress, 1, 1, "press <scan code>"},
    {"shot", WinScriptCommand::kShot, 1, 1, "shot <name of letters, digits, - and _>"},
    {"quit", WinScriptCommand::kQuit, 0, 0, "quit"},
    {"random", WinScriptCommand::kRandom, 1, 1, "random <0 to 32767>"},
};

bool ParseArguments(const std::vector<std::string>& aArgs, WinScriptCommand& aCommand)
{
    switch (aCommand.mKind) {
    case WinScriptCommand::kWait: return ParseInt(aArgs[0], 0, kMaxWait, aCommand.mCount);
    case WinScriptCommand::kWaitSeconds: {
        const std::string& word = aArgs[0];
        const std::from_chars_result result =
            std::from_chars(word.data(), word.data() + word.size(), aCommand.mSeconds, std::chars_format::fixed);
        return result.ec == std::errc() && result.ptr == word.data() + word.size() && aCommand.mSeconds >= 0.0 &&
               aCommand.mSeconds <= kMaxWaitSeconds;
    }
    case WinScriptCommand::kStep: return ParseInt(aArgs[0], 1, 1000, aCommand.mCount);
    case WinScriptCommand::kMove:
    case WinScriptCommand::kDoubleClick: return ParsePoint(aArgs[0], aArgs[1], aCommand);
    case WinScriptCommand::kDown:
    case WinScriptCommand::kUp: return ParseButton(aArgs[0], aCommand.mSdlButton);
    case WinScriptCommand::kClick:
        return ParsePoint(aArgs[0], aArgs[1], aCommand) &&
               (aArgs.size() < 3 || ParseButton(aArgs[2], aCommand.mSdlButton));
    case WinScriptCommand::kWheel: return ParseInt(aArgs[0], -100, 100, aCommand.mCount);
    case WinScriptCommand::kKey:
        aCommand.mDown = aArgs[1] == "down";
        return ParseKey(aArgs[0], aCommand.mSdlKey) && (aArgs[1] == "down" || aArgs[1] == "up");
    case WinScriptCommand::kPress: return ParseKey(aArgs[0], aCommand.mSdlKey);
    case WinScriptCommand::kShot:
        aCommand.mName = aArgs[0];
        return ValidName(aCommand.mName);
    case WinScriptCommand::kQuit: return true;
    case WinScriptCommand::kRandom: return ParseInt(aArgs[0], 0, 32767, aCommand.mCount);
    }
    return false;
}

} // namespace

bool WinScriptWords(const std::string& aLine, std::vector<std::string>& aWords)
{
    aWords.clear();
    size_t i = 0;
    while (i < aLine.size()) {
        if (aLine[i] == ' ' || aLine[i] == '\t' || aLine[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (aLine[i] == '"') {
            const size_t close = aLine.find('"', i + 1);
            if (close == std::string::npos) {
                return false;
            }
            word = aLine.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < aLine.size() && aLine[i] != ' ' && aLine[i] != '\t' && aLine[i] != '\r') {
                word.push_back(aLine[i++]);
            }
        }
        aWords.push_back(word);
    }
    return true;
}

bool WinScriptIsComment(const std::string& aLine)
{
    const size_t first = aLine.find_first_not_of(" \t\r");
    return first == std::string::npos || aLine[first] == '#';
}

bool WinParseScriptCommand(const std::vector<std::string>& aWords, WinScriptCommand& aCommand, std::string& aError)
{
    if (aWords.empty()) {
        aError = "no command";
        return false;
    }
    for (const Syntax& syntax : kSyntax) {
        if (aWords[0] != syntax.mWord) {
            continue;
        }
        aCommand = WinScriptCommand{};
        aCommand.mKind = syntax.mKind;
        const std::vector<std::string> args(aWords.begin() + 1, aWords.end());
        if (args.size() < syntax.mMinArgs || args.size() > syntax.mMaxArgs || !ParseArguments(args, aCommand)) {
            aError = std::string("expected ") + syntax.mUsage;
            return false;
        }
        return true;
    }
    aError = "unknown command \"" + aWords[0] + "\"";
    return false;
}

bool WinParseScript(const std::string& aText, std::vector<WinScriptCommand>& aCommands, std::string& aError)
{
    aCommands.clear();
    size_t start = 0;
    int number = 0;
    while (start < aText.size()) {
        size_t end = aText.find('\n', start);
        if (end == std::string::npos) {
            end = aText.size();
        }
        const std::string line = aText.substr(start, end - start);
        start = end + 1;
        ++number;
        if (WinScriptIsComment(line)) {
            continue;
        }
        std::vector<std::string> words;
        WinScriptCommand command;
        std::string reason = "unclosed quote";
        if (!WinScriptWords(line, words) || !WinParseScriptCommand(words, command, reason)) {
            aError = "line " + std::to_string(number) + ": " + reason;
            return false;
        }
        aCommands.push_back(command);
    }
    return true;
}

std::vector<WinScriptEvent> WinScheduleScript(const std::vector<WinScriptCommand>& aCommands)
{
    std::vector<WinScriptEvent> events;
    uint64_t frame = 2;
    int stepUnits = kWinDefaultStepUnits;
    int x = 0;
    int y = 0;
    auto add = [&](uint64_t aFrame, WinScriptEvent::Kind aKind, int aA = 0, int aB = 0) {
        WinScriptEvent event;
        event.mFrame = aFrame;
        event.mKind = aKind;
        event.mA = aA;
        event.mB = aB;
        events.push_back(event);
    };
    // The program reads input only in a frame it has not presented yet: input that follows
    // a shot in the shot's frame would reach it in the next frame, in the same pump as that
    // frame's own input (a key's down with its up). Such input starts in the next frame.
    uint64_t shotFrame = UINT64_MAX;
    auto afterShot = [&] {
        if (frame == shotFrame) {
            ++frame;
        }
    };
    auto moveTo = [&](int aX, int aY) {
        if (aX != x || aY != y) {
            afterShot();
            add(frame, WinScriptEvent::kMove, aX - x, aY - y);
            x = aX;
            y = aY;
        }
    };
    auto clickAt = [&](uint64_t aFrame, int aSdlButton) {
        add(aFrame, WinScriptEvent::kButton, aSdlButton, 1);
        add(aFrame + 1, WinScriptEvent::kButton, aSdlButton, 0);
    };
    auto home = [&] { add(1, WinScriptEvent::kMove, kWinHomeMove, kWinHomeMove); };
    // Steps ahead of every other command hold from frame 0 on.
    bool leading = true;
    for (const WinScriptCommand& command : aCommands) {
        if (leading && command.mKind != WinScriptCommand::kStep) {
            leading = false;
            home();
        }
        switch (command.mKind) {
        case WinScriptCommand::kWait: frame += static_cast<uint64_t>(command.mCount); break;
        case WinScriptCommand::kWaitSeconds: {
            const double frames = command.mSeconds * kWinClockUnitsPerSecond / stepUnits;
            frame += static_cast<uint64_t>(std::ceil(frames - 1e-9));
            break;
        }
        case WinScriptCommand::kStep:
            stepUnits = command.mCount * static_cast<int>(kWinClockUnitsPerSecond / 1000);
            add(leading ? 0 : frame, WinScriptEvent::kStep, stepUnits);
            break;
        case WinScriptCommand::kMove: moveTo(command.mX, command.mY); break;
        case WinScriptCommand::kDown:
        case WinScriptCommand::kUp:
            afterShot();
            add(frame, WinScriptEvent::kButton, command.mSdlButton, command.mKind == WinScriptCommand::kDown);
            break;
        case WinScriptCommand::kClick:
            afterShot();
            moveTo(command.mX, command.mY);
            clickAt(frame, command.mSdlButton);
            frame += 2;
            break;
        case WinScriptCommand::kDoubleClick:
            afterShot();
            moveTo(command.mX, command.mY);
            clickAt(frame, SDL_BUTTON_LEFT);
            clickAt(frame + 2, SDL_BUTTON_LEFT);
            frame += 4;
            break;
        case WinScriptCommand::kWheel:
            afterShot();
            add(frame, WinScriptEvent::kWheel, command.mCount);
            break;
        case WinScriptCommand::kKey:
            afterShot();
            add(frame, WinScriptEvent::kKey, command.mSdlKey, command.mDown);
            break;
        case WinScriptCommand::kPress:
            afterShot();
            add(frame, WinScriptEvent::kKey, command.mSdlKey, 1);
            add(frame + 1, WinScriptEvent::kKey, command.mSdlKey, 0);
            frame += 2;
            break;
        case WinScriptCommand::kShot:
            shotFrame = frame;
            add(frame, WinScriptEvent::kShot);
            events.back().mName = command.mName;
            break;
        case WinScriptCommand::kQuit: add(frame, WinScriptEvent::kQuit); break;
        case WinScriptCommand::kRandom: break;
        }
    }
    return events;
}

int WinScriptRandomPin(const std::vector<WinScriptCommand>& aCommands)
{
    int pin = -1;
    for (const WinScriptCommand& command : aCommands) {
        if (command.mKind == WinScriptCommand::kRandom) {
            pin = command.mCount;
        }
    }
    return pin;
}
