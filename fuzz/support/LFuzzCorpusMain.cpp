// Runs a fuzz target over every file of its corpus directory (arguments are directories
// or files, run in the order given). Used as an ordinary test, so every input found once
// stays a regression test.
// A campaign runs millions of inputs in one process: a target whose inputs leave records
// in the recording fakes (sounds, movies, drawing calls) must forget them per input
// (support/LFuzzRecords.h), or the heap grows without end and libFuzzer gives up its
// per-input leak check. Before each input the runner leaves a mark in every fake; an input
// after which a fake holds records of its own beside a mark that survived fails the run.
#include "container/LString.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeSoundManager.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// A fill mode no drawing code sets: the rasterizer's mark is the call that records it.
constexpr int kMarkFillMode = -7351;
const char* const kMarkName = "fuzz-runner-mark";

// Where each fake's mark went before the input (-1: no mark, the fake not made yet).
struct Marks
{
    long mSounds = -1;
    long mMovies = -1;
    long mTextureMovies = -1;
    long mCalls = -1;
};

template <typename Made>
long MarkIn(std::vector<Made>& aRecords)
{
    aRecords.push_back(Made {LString(kMarkName), LString(kMarkName)});
    return static_cast<long>(aRecords.size()) - 1;
}

Marks Mark()
{
    Marks marks;
    marks.mSounds = MarkIn(LFakeSoundManager::sMade);
    marks.mMovies = MarkIn(LFakeMovieManager::sMade);
    marks.mTextureMovies = MarkIn(LFakeMovieManager::sTexturesMade);
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        marks.mCalls = static_cast<long>(rasterizer->Calls().size());
        rasterizer->SetFillMode(kMarkFillMode);
    }
    return marks;
}

// Whether the mark at aAt is still there and records came after it.
template <typename Made>
bool Kept(const std::vector<Made>& aRecords, long aAt)
{
    return aAt >= 0 && static_cast<long>(aRecords.size()) > aAt + 1 && aRecords[aAt].mFileName == LString(kMarkName);
}

// The fakes that kept the records of earlier inputs beside the input's own, as text.
std::string KeptRecords(const Marks& aMarks)
{
    std::string kept;
    if (Kept(LFakeSoundManager::sMade, aMarks.mSounds)) {
        kept += " sounds";
    }
    if (Kept(LFakeMovieManager::sMade, aMarks.mMovies) || Kept(LFakeMovieManager::sTexturesMade, aMarks.mTextureMovies)) {
        kept += " movies";
    }
    const LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    if (rasterizer != nullptr && aMarks.mCalls >= 0) {
        const std::vector<std::string>& calls = rasterizer->Calls();
        const size_t at = static_cast<size_t>(aMarks.mCalls);
        if (calls.size() > at + 1 && calls[at] == "SetFillMode(" + std::to_string(kMarkFillMode) + ")") {
            kept += " drawing";
        }
    }
    return kept;
}

int RunFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::ostringstream read;
    read << in.rdbuf();
    const std::string bytes = std::move(read).str();
    const Marks marks = Mark();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const std::string kept = KeptRecords(marks);
    if (!kept.empty()) {
        std::fprintf(stderr, "%s: the records of earlier inputs are kept (%s): forget them per input\n",
                     path.c_str(), kept.substr(1).c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int count = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    failures += RunFile(entry.path());
                    ++count;
                }
            }
        } else {
            failures += RunFile(arg);
            ++count;
        }
    }
    std::printf("%d inputs run\n", count);
    if (count == 0) {
        std::fprintf(stderr, "empty corpus\n");
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
