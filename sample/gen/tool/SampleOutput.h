// Where the sample generator writes: files under one data directory, each written through
// a temporary file and a rename, and left alone when it already holds the right bytes (so
// two builds can share the directory and nothing is touched that needs no change).
#pragma once
#include <string>
#include <vector>

class LCanvas;

class SampleOutput
{
public:
    explicit SampleOutput(const std::string& aDirectory);

    // aBytes as the file aPath (relative to the data directory, "/"-separated).
    bool Write(const std::string& aPath, const std::string& aBytes);
    // The picture as a 32-bit Targa (".tga") or a 24-bit bitmap (any other name).
    bool WriteImage(const std::string& aPath, const LCanvas& aCanvas);
    // A mono sound encoded by the name's format; a missing encoder leaves the file out
    // with a message (the game runs silent without it), which is no failure.
    bool WriteSound(const std::string& aPath, int aRate, const std::vector<float>& aSamples);

    // The bytes of a hand-written file of the source tree's data set (which the generated
    // files must match, wherever they are written); empty when it cannot be read.
    static std::string ReadSource(const std::string& aPath);
    // The bytes of a file written to the data directory; empty when it cannot be read.
    std::string ReadWritten(const std::string& aPath) const;
    // The names of the files in a folder (relative to the data directory) of the source
    // tree's data set and of the data directory together, sorted, without repeats.
    std::vector<std::string> ListFolder(const std::string& aFolder) const;

    // Prints a line to the standard output.
    void Note(const std::string& aMessage);
    // Prints the reason and marks the run failed; false.
    bool Fail(const std::string& aMessage);
    bool Failed() const { return mFailed; }
    int GetWritten() const { return mWritten; }
    int GetUnchanged() const { return mUnchanged; }

private:
    std::string Native(const std::string& aPath) const;

    std::string mDirectory;
    bool mFailed = false;
    int mWritten = 0;
    int mUnchanged = 0;
};
