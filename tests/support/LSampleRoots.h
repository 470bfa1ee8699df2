// The sample data set (sample/data, drawn by the build's generator) for the tests that
// read it: its native directory, the symbolic roots the program mounts over it, and its
// files by extension.
#pragma once
#include <string>
#include <vector>

class LSampleRoots
{
public:
    // The native sample/data directory.
    static std::string Directory();
    // The generator executable.
    static std::string Generator();
    // Mounts "//gameroot" on sample/, "//dataroot" on sample/data and the roots below it
    // ("//textures", "//sounds", "//scenes", ...), as the program does; false when one fails.
    static bool Mount();
    // Every file under sample/data whose name ends in one of aSuffixes (case-insensitive),
    // as paths relative to sample/data, sorted.
    static std::vector<std::string> Files(const std::vector<std::string>& aSuffixes);
};
