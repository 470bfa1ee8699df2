#include "integration/LScenarioRunner.h"

#include "LImageBMP.h"
#include "win32/WinTestHooks.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& aPath, bool* aFound = nullptr)
{
    std::ifstream in(aPath, std::ios::binary);
    if (aFound) {
        *aFound = static_cast<bool>(in);
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& aText)
{
    std::vector<std::string> lines;
    std::stringstream in(aText);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The first line at or after aFrom holding aText, or -1.
int Find(const std::vector<std::string>& aLines, const std::string& aText, int aFrom = 0)
{
    for (int i = aFrom; i < static_cast<int>(aLines.size()); ++i) {
        if (aLines[i].find(aText) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

std::string Hex(const std::string& aBytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : aBytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
        text += ' ';
    }
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

class Shots
{
public:
    explicit Shots(const fs::path& aDirectory) : mDirectory(aDirectory) {}

    // Null with the reason in aWhy when the shot is missing or unreadable.
    const LImageBMP* Get(const std::string& aName, std::string& aWhy)
    {
        for (const auto& [name, image] : mImages) {
            if (name == aName) {
                return image.get();
            }
        }
        bool found = false;
        const std::string bytes = ReadAll(mDirectory / (aName + ".bmp"), &found);
        auto image = std::make_unique<LImageBMP>();
        if (!found || !image->CreateFromBuffer(reinterpret_cast<const unsigned char*>(bytes.data()),
                                               static_cast<int>(bytes.size()))) {
            aWhy = found ? "shot " + aName + " unreadable" : "no shot " + aName;
            return nullptr;
        }
        if (image->GetWidth() != 800 || image->GetHeight() != 600) {
            aWhy = "shot " + aName + " is " + std::to_string(image->GetWidth()) + " x " +
                   std::to_string(image->GetHeight());
            return nullptr;
        }
        mImages.emplace_back(aName, std::move(image));
        return mImages.back().second.get();
    }

private:
    fs::path mDirectory;
    std::vector<std::pair<std::string, std::unique_ptr<LImageBMP>>> mImages;
};

// Red, green, blue of pixel (aX, aY).
void Rgb(const LImageBMP& aImage, int aX, int aY, int aOut[3])
{
    const uint32_t argb = aImage.GetPixelARGB(aX, aY);
    aOut[0] = static_cast<int>((argb >> 16) & 0xFFu);
    aOut[1] = static_cast<int>((argb >> 8) & 0xFFu);
    aOut[2] = static_cast<int>(argb & 0xFFu);
}

} // namespace

std::string LScenarioRunner::Result::Report() const
{
    std::string text;
    for (const std::string& failure : mFailures) {
        text += failure + "\n";
    }
    text += "Last lines of log.txt:\n";
    for (const std::string& line : mLogTail) {
        text += "  " + line + "\n";
    }
    if (!mDirectory.empty()) {
        text += "Run directory kept: " + mDirectory + "\n";
    }
    return text;
}

LScenarioRunner::LScenarioRunner(const Paths& aPaths, int aTimeLimitSeconds)
    : mPaths(aPaths), mTimeLimitSeconds(aTimeLimitSeconds)
{
}

LScenarioRunner::Result LScenarioRunner::Run(const LScenario& aScenario, const std::string& aName, bool aKeep) const
{
    Result result;
    std::error_code error;
    fs::create_directories(mPaths.mWorkRoot, error);
    std::string pattern = (fs::path(mPaths.mWorkRoot) / (aName + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        result.mFailures.push_back("Cannot make a run directory under " + mPaths.mWorkRoot);
        return result;
    }
    result.mDirectory = pattern;
    if (Prepare(aScenario, result)) {
        const int status = Execute(result);
        Judge(aScenario, status, result);
    }
    if (result.Passed() && !aKeep) {
        fs::remove_all(result.mDirectory, error);
        result.mDirectory.clear();
    }
    return result;
}

void LScenarioRunner::RemoveKept(const std::string& aName) const
{
    std::error_code error;
    const std::string prefix = aName + "-";
    for (const fs::directory_entry& entry : fs::directory_iterator(mPaths.mWorkRoot, error)) {
        const std::string name = entry.path().filename().string();
        // mkdtemp's six characters, never a '-': "start-up" leaves "start-up-repeat-..." alone.
        if (name.size() == prefix.size() + 6 && name.rfind(prefix, 0) == 0 &&
            name.find('-', prefix.size()) == std::string::npos) {
            fs::remove_all(entry.path(), error);
        }
    }
}

bool LScenarioRunner::Prepare(const LScenario& aScenario, Result& aResult) const
{
    const fs::path root(aResult.mDirectory);
    const fs::path game = root / "game";
    std::error_code error;
    fs::create_directories(game, error);
    fs::create_directories(root / "shots", error);
    // The sample's text and generated files, without the generator's sources and without
    // what the program wrote when it last ran there (log, options, saved games).
    auto skipped = [](const fs::path& aRelative) {
        const std::string first = aRelative.begin()->string();
        const std::string name = aRelative.filename().string();
        const bool written = aRelative.string().rfind("data/game/", 0) == 0 && name != ".keep";
        return first == "gen" || written || name.find(".tmp") != std::string::npos ||
               (aRelative == aRelative.filename() && (name == "log.txt" || aRelative.extension() == ".log"));
    };
    fs::recursive_directory_iterator entry(mPaths.mSample, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        const fs::path relative = fs::relative(entry->path(), mPaths.mSample);
        if (skipped(relative)) {
            if (entry->is_directory()) {
                entry.disable_recursion_pending();
            }
            continue;
        }
        if (entry->is_directory()) {
            fs::create_directories(game / relative, error);
        } else {
            fs::copy_file(entry->path(), game / relative, error);
        }
    }
    if (error) {
        aResult.mFailures.push_back("Cannot copy " + mPaths.mSample + ": " + error.message());
        return false;
    }
    std::vector<std::pair<fs::path, std::string>> files = {{root / "input.txt", aScenario.Input()}};
    for (const LScenario::SetupFile& file : aScenario.SetupFiles()) {
        files.emplace_back(game / file.mPath, file.mBytes);
    }
    for (const auto& [path, bytes] : files) {
        fs::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            aResult.mFailures.push_back("Cannot write " + path.string());
            return false;
        }
    }
    return true;
}

int LScenarioRunner::Execute(Result& aResult) const
{
    const fs::path root(aResult.mDirectory);
    const std::string game = (root / "game").string();
    const std::string output = (root / "output.txt").string();
    // The environment is built before the fork: the child only calls what is safe there.
    const std::vector<std::pair<std::string, std::string>> settings = {
        {"SDL_VIDEODRIVER", "offscreen"},
        {"SDL_AUDIODRIVER", "dummy"},
        {"LIBGL_ALWAYS_SOFTWARE", "1"},
        {WIN_TEST_SCRIPT_VARIABLE, (root / "input.txt").string()},
        {WIN_TEST_OUTPUT_VARIABLE, (root / "shots").string()},
    };
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const auto& [name, value] : settings) {
            replaced = replaced || text.rfind(name + "=", 0) == 0;
        }
        if (!replaced) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : settings) {
        entries.push_back(name + "=" + value);
    }
    std::vector<char*> environment;
    for (std::string& entry : entries) {
        environment.push_back(entry.data());
    }
    environment.push_back(nullptr);
    std::string program = mPaths.mGame;
    char* arguments[] = {program.data(), nullptr};

    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::chdir(game.c_str()) != 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) {
            ::_exit(127);
        }
        ::execve(program.c_str(), arguments, environment.data());
        ::_exit(127);
    }
    if (child < 0) {
        aResult.mFailures.push_back("Cannot start " + mPaths.mGame);
        return -1;
    }
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(mTimeLimitSeconds);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limit) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            aResult.mFailures.push_back("The program ran over its time limit of " +
                                        std::to_string(mTimeLimitSeconds) + " s and was killed");
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFSIGNALED(status)) {
        aResult.mFailures.push_back("The program was ended by signal " + std::to_string(WTERMSIG(status)) +
                                    "; its output is in output.txt");
        return -1;
    }
    const int code = WEXITSTATUS(status);
    if (code == 127 && !fs::exists(root / "game" / "log.txt")) {
        aResult.mFailures.push_back("Cannot run " + mPaths.mGame);
        return -1;
    }
    return code;
}

void LScenarioRunner::Judge(const LScenario& aScenario, int aStatus, Result& aResult) const
{
    const fs::path root(aResult.mDirectory);
    bool logFound = false;
    const std::vector<std::string> log = Lines(ReadAll(root / "game" / "log.txt", &logFound));
    const size_t tail = log.size() > kLogTailLines ? log.size() - kLogTailLines : 0;
    aResult.mLogTail.assign(log.begin() + static_cast<std::ptrdiff_t>(tail), log.end());
    if (!logFound) {
        aResult.mFailures.push_back("The program wrote no log.txt");
    }

    // Error and assertion lines fail the run unless the scenario accepts them.
    for (const std::string& line : log) {
        if (line.rfind("ERROR: ", 0) != 0 && line.rfind("ASSERT FAILURE: ", 0) != 0) {
            continue;
        }
        bool allowed = false;
        for (const std::string& text : aScenario.AllowedLogs()) {
            allowed = allowed || line.find(text) != std::string::npos;
        }
        if (!allowed) {
            aResult.mFailures.push_back("Log line not allowed by the scenario: " + line);
        }
    }

    // "{run}" in a text stands for the program's current directory.
    std::error_code error;
    const std::string run = fs::canonical(root / "game", error).string();
    auto expand = [&](std::string aText) {
        for (size_t at = aText.find("{run}"); at != std::string::npos; at = aText.find("{run}", at + run.size())) {
            aText.replace(at, 5, run);
        }
        return aText;
    };
    bool exitJudged = false;
    Shots shots(root / "shots");
    for (const LScenario::Expectation& expectation : aScenario.Expectations()) {
        std::string found;
        bool met = false;
        switch (expectation.mKind) {
        case LScenario::Expectation::kLog: met = Find(log, expand(expectation.mText)) >= 0; break;
        case LScenario::Expectation::kNoLog: {
            const int at = Find(log, expand(expectation.mText));
            met = at < 0;
            found = met ? "" : "found: " + log[at];
            break;
        }
        case LScenario::Expectation::kLogOrder: {
            const int first = Find(log, expand(expectation.mText));
            met = first >= 0 && Find(log, expand(expectation.mSecondText), first + 1) >= 0;
            found = first < 0 ? "the first text is missing" : "nothing after the first text's line";
            break;
        }
        case LScenario::Expectation::kRegion: {
            const LImageBMP* image = shots.Get(expectation.mShot, found);
            if (!image) {
                break;
            }
            long long sum[3] = {0, 0, 0};
            for (int y = expectation.mY; y < expectation.mY + expectation.mHeight; ++y) {
                for (int x = expectation.mX; x < expectation.mX + expectation.mWidth; ++x) {
                    int rgb[3];
                    Rgb(*image, x, y, rgb);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += rgb[c];
                    }
                }
            }
            const long long count = static_cast<long long>(expectation.mWidth) * expectation.mHeight;
            met = true;
            found = "mean";
            for (int c = 0; c < 3; ++c) {
                const long long mean = (sum[c] + count / 2) / count;
                met = met && std::llabs(mean - expectation.mColor[c]) <= expectation.mTolerance;
                found += " " + std::to_string(mean);
            }
            break;
        }
        case LScenario::Expectation::kChanged: {
            const LImageBMP* first = shots.Get(expectation.mShot, found);
            const LImageBMP* second = first ? shots.Get(expectation.mSecondShot, found) : nullptr;
            for (int y = expectation.mY; second && !met && y < expectation.mY + expectation.mHeight; ++y) {
                for (int x = expectation.mX; !met && x < expectation.mX + expectation.mWidth; ++x) {
                    met = first->GetPixelARGB(x, y) != second->GetPixelARGB(x, y);
                }
            }
            found = second ? "the region is the same in both" : found;
            break;
        }
        case LScenario::Expectation::kFile: {
            bool exists = false;
            const std::string bytes = ReadAll(root / "game" / expectation.mPath, &exists);
            met = exists && static_cast<long long>(bytes.size()) == expectation.mSize &&
                  bytes.compare(0, expectation.mBytes.size(), expectation.mBytes) == 0;
            found = !exists ? "no such file"
                            : std::to_string(bytes.size()) + " bytes, starting " +
                                  Hex(bytes.substr(0, std::max<size_t>(expectation.mBytes.size(), 8)));
            break;
        }
        case LScenario::Expectation::kExit:
            exitJudged = true;
            met = aStatus == expectation.mExitCode;
            found = "exit status " + std::to_string(aStatus);
            break;
        }
        if (!met) {
            aResult.mFailures.push_back("Unmet expectation, line " + std::to_string(expectation.mLine) + ": " +
                                        expectation.mSource + (found.empty() ? "" : " (" + found + ")"));
        }
    }
    if (!exitJudged && aStatus >= 0 && aStatus != aScenario.ExitCode()) {
        aResult.mFailures.push_back("The program's exit status was " + std::to_string(aStatus) + ", not 0");
    }
}
