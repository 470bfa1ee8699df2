// The sample generator: draws every binary file of the sample data set into the directory
// given as its argument (normally sample/data). Run by the build before anything reads the
// sample; files whose bytes are already right are left alone. With
// "--copy-location <source> <scene id> <viewpoint>..." after the directory it also copies
// one location under another scene id (SampleLocationCopies.cpp).
#include "SampleContent.h"
#include "SampleOutput.h"

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Area
{
    const char* mName;
    void (*mWrite)(SampleOutput&);
};

constexpr Area kAreas[] = {
    {"fonts", &WriteFonts},
    {"cursors", &WriteCursors},
    {"inventory items", &WriteInventoryItems},
    {"common textures", &WriteCommonTextures},
    {"main menu", &WriteMainMenu},
    {"message box", &WriteMessageBox},
    {"options screen", &WriteOptionsScreen},
    {"save and load screens", &WriteSaveAndLoadScreens},
    {"credits", &WriteCredits},
    {"thumbnails", &WriteThumbnails},
    {"case selection", &WriteCaseSelection},
    {"interview", &WriteInterview},
    {"expert computer", &WriteExpertComputer},
    {"movies", &WriteMovies},
    {"sounds", &WriteSounds},
    {"overlays", &WriteOverlays},
    {"locations", &WriteLocations},
    {"characters", &WriteCharacters},
    {"voice-overs", &WriteVoiceOvers},
    {"close-ups", &WriteCloseUps},
    {"PDA", &WriteSamplePDA},
    {"phone", &WritePhone},
    {"map", &WriteMap},
    {"puzzles", &WritePuzzles},
    {"profiling computer", &WriteProfiler},
    {"click puzzles", &WriteClickPuzzles},
    {"location copies", &WriteLocationCopies},
};

} // namespace

int main(int argc, char** argv)
{
    const bool copy = argc >= 6 && std::string(argv[2]) == "--copy-location";
    if (argc != 2 && !copy) {
        std::cerr << "usage: sample_gen <data directory> [--copy-location <source> <scene id> <viewpoint>...]\n";
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    SampleOutput out(argv[1]);
    for (const Area& area : kAreas) {
        area.mWrite(out);
        if (out.Failed()) {
            std::cerr << "sample_gen: failed in " << area.mName << "\n";
            return 1;
        }
    }
    if (copy && !CopyLocation(out, argv[3], argv[4], std::vector<std::string>(argv + 5, argv + argc))) {
        return 1;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    out.Note(std::to_string(out.GetWritten()) + " files written, " + std::to_string(out.GetUnchanged()) +
             " unchanged, in " + std::to_string(elapsed.count()) + " ms");
    return 0;
}
