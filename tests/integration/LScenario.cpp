#include "integration/LScenario.h"

#include "win32/WinTestScript.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

bool ParseNumber(const std::string& aWord, long long aMin, long long aMax, long long& aValue)
{
    const char* end = aWord.data() + aWord.size();
    const std::from_chars_result result = std::from_chars(aWord.data(), end, aValue);
    return result.ec == std::errc() && result.ptr == end && aValue >= aMin && aValue <= aMax;
}

bool ParseInt(const std::string& aWord, int aMin, int aMax, int& aValue)
{
    long long value = 0;
    if (!ParseNumber(aWord, aMin, aMax, value)) {
        return false;
    }
    aValue = static_cast<int>(value);
    return true;
}

// Hex digit pairs, blanks between them allowed.
bool ParseHex(const std::vector<std::string>& aWords, size_t aFirst, std::string& aBytes)
{
    std::string digits;
    for (size_t i = aFirst; i < aWords.size(); ++i) {
        digits += aWords[i];
    }
    if (digits.size() % 2 != 0) {
        return false;
    }
    aBytes.clear();
    for (size_t i = 0; i < digits.size(); i += 2) {
        unsigned value = 0;
        const std::from_chars_result result = std::from_chars(digits.data() + i, digits.data() + i + 2, value, 16);
        if (result.ec != std::errc() || result.ptr != digits.data() + i + 2) {
            return false;
        }
        aBytes.push_back(static_cast<char>(value));
    }
    return true;
}

// Relative, without "." or ".." parts: stays inside the run directory.
bool SafePath(const std::string& aPath)
{
    if (aPath.empty() || aPath[0] == '/') {
        return false;
    }
    std::stringstream parts(aPath);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
    }
    return aPath.back() != '/';
}

// The text argument: the rest of the line after the command word, or one quoted word.
bool RestText(const std::string& aLine, const std::vector<std::string>& aWords, std::string& aText)
{
    if (aWords.size() == 2 && aLine.find('"') != std::string::npos) {
        aText = aWords[1];
    } else {
        const size_t command = aLine.find(aWords[0]);
        const size_t start = aLine.find_first_not_of(" \t", command + aWords[0].size());
        const size_t end = aLine.find_last_not_of(" \t\r");
        aText = start == std::string::npos ? std::string() : aLine.substr(start, end + 1 - start);
    }
    return !aText.empty();
}

bool ParseRegion(const std::vector<std::string>& aWords, size_t aFirst, LScenario::Expectation& aOut)
{
    return ParseInt(aWords[aFirst], 0, 799, aOut.mX) && ParseInt(aWords[aFirst + 1], 0, 599, aOut.mY) &&
           ParseInt(aWords[aFirst + 2], 1, 800 - aOut.mX, aOut.mWidth) &&
           ParseInt(aWords[aFirst + 3], 1, 600 - aOut.mY, aOut.mHeight);
}

} // namespace

bool LScenario::Load(const std::string& aPath, std::string& aError)
{
    std::ifstream in(aPath, std::ios::binary);
    if (!in) {
        aError = "cannot read " + aPath;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str(), aError);
}

bool LScenario::Parse(const std::string& aText, std::string& aError)
{
    *this = LScenario{};
    std::stringstream lines(aText);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::string reason;
        if (!WinScriptIsComment(line) && !ParseLine(line, number, reason)) {
            aError = "line " + std::to_string(number) + ": " + reason;
            return false;
        }
    }
    return true;
}

bool LScenario::ParseLine(const std::string& aLine, int aNumber, std::string& aError)
{
    std::vector<std::string> words;
    if (!WinScriptWords(aLine, words)) {
        aError = "unclosed quote";
        return false;
    }
    const std::string& command = words[0];
    const size_t args = words.size() - 1;
    Expectation expectation;
    expectation.mLine = aNumber;
    expectation.mSource = aLine.substr(aLine.find_first_not_of(" \t"));
    auto refuse = [&](const char* aUsage) {
        aError = std::string("expected ") + aUsage;
        return false;
    };
    if (command == "setup-file") {
        SetupFile file;
        if (args < 1 || !SafePath(words[1]) || !ParseHex(words, 2, file.mBytes)) {
            return refuse("setup-file <relative path> <hex bytes>");
        }
        file.mPath = words[1];
        mSetupFiles.push_back(file);
        return true;
    }
    if (command == "expect-log" || command == "expect-no-log" || command == "allow-log") {
        std::string text;
        if (args < 1 || !RestText(aLine, words, text)) {
            return refuse((command + " <text>").c_str());
        }
        if (command == "allow-log") {
            mAllowedLogs.push_back(text);
            return true;
        }
        expectation.mKind = command == "expect-log" ? Expectation::kLog : Expectation::kNoLog;
        expectation.mText = text;
    } else if (command == "expect-log-order") {
        if (args != 2 || words[1].empty() || words[2].empty()) {
            return refuse("expect-log-order <text> <text> (texts with blanks in double quotes)");
        }
        expectation.mKind = Expectation::kLogOrder;
        expectation.mText = words[1];
        expectation.mSecondText = words[2];
    } else if (command == "expect-region") {
        expectation.mKind = Expectation::kRegion;
        expectation.mShot = args > 0 ? words[1] : "";
        if (args != 9 || !ParseRegion(words, 2, expectation) || !ParseInt(words[6], 0, 255, expectation.mColor[0]) ||
            !ParseInt(words[7], 0, 255, expectation.mColor[1]) || !ParseInt(words[8], 0, 255, expectation.mColor[2]) ||
            !ParseInt(words[9], 0, 255, expectation.mTolerance)) {
            return refuse("expect-region <shot> <x> <y> <w> <h> <r> <g> <b> <tolerance>, inside 800 x 600");
        }
    } else if (command == "expect-changed") {
        if (args != 6 || !ParseRegion(words, 3, expectation)) {
            return refuse("expect-changed <shot> <shot> <x> <y> <w> <h>, inside 800 x 600");
        }
        expectation.mKind = Expectation::kChanged;
        expectation.mShot = words[1];
        expectation.mSecondShot = words[2];
    } else if (command == "expect-file") {
        if (args < 2 || !SafePath(words[1]) || !ParseNumber(words[2], 0, 1LL << 40, expectation.mSize) ||
            !ParseHex(words, 3, expectation.mBytes) ||
            static_cast<long long>(expectation.mBytes.size()) > expectation.mSize) {
            return refuse("expect-file <relative path> <size> [at most size hex bytes]");
        }
        expectation.mKind = Expectation::kFile;
        expectation.mPath = words[1];
    } else if (command == "expect-exit") {
        if (args != 1 || !ParseInt(words[1], 0, 255, expectation.mExitCode)) {
            return refuse("expect-exit <code 0 to 255>");
        }
        expectation.mKind = Expectation::kExit;
    } else {
        // Everything else must be an input command of the program's test script.
        WinScriptCommand input;
        if (!WinParseScriptCommand(words, input, aError)) {
            return false;
        }
        mInput += aLine + "\n";
        return true;
    }
    mExpectations.push_back(expectation);
    return true;
}

int LScenario::ExitCode() const
{
    for (const Expectation& expectation : mExpectations) {
        if (expectation.mKind == Expectation::kExit) {
            return expectation.mExitCode;
        }
    }
    return 0;
}
