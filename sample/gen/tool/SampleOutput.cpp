#include "SampleOutput.h"

#include "media/MediaSoundWriter.h"
#include "writers/LCanvas.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace {

bool ReadFile(const std::filesystem::path& aPath, std::string& aBytes)
{
    std::ifstream in(aPath, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    aBytes = std::move(bytes).str();
    return !in.bad();
}

bool EndsWith(const std::string& aText, const std::string& aSuffix)
{
    return aText.size() >= aSuffix.size() && aText.compare(aText.size() - aSuffix.size(), aSuffix.size(), aSuffix) == 0;
}

} // namespace

SampleOutput::SampleOutput(const std::string& aDirectory) : mDirectory(aDirectory) {}

std::string SampleOutput::Native(const std::string& aPath) const
{
    return mDirectory + "/" + aPath;
}

bool SampleOutput::Fail(const std::string& aMessage)
{
    std::cerr << "sample_gen: " << aMessage << "\n";
    mFailed = true;
    return false;
}

std::string SampleOutput::ReadSource(const std::string& aPath)
{
    std::string bytes;
    return ReadFile(std::filesystem::path(SAMPLE_SOURCE_DATA) / aPath, bytes) ? bytes : std::string();
}

std::string SampleOutput::ReadWritten(const std::string& aPath) const
{
    std::string bytes;
    return ReadFile(Native(aPath), bytes) ? bytes : std::string();
}

std::vector<std::string> SampleOutput::ListFolder(const std::string& aFolder) const
{
    std::set<std::string> names;
    for (const std::filesystem::path& folder :
         {std::filesystem::path(SAMPLE_SOURCE_DATA) / aFolder, std::filesystem::path(Native(aFolder))}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && name.find(".tmp") == std::string::npos) {
                names.insert(name);
            }
        }
    }
    return std::vector<std::string>(names.begin(), names.end());
}

void SampleOutput::Note(const std::string& aMessage)
{
    std::cout << "sample_gen: " << aMessage << "\n";
}

bool SampleOutput::Write(const std::string& aPath, const std::string& aBytes)
{
    const std::filesystem::path path(Native(aPath));
    std::string old;
    if (ReadFile(path, old) && old == aBytes) {
        ++mUnchanged;
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        return Fail("cannot make the directory of " + path.string() + ": " + error.message());
    }
    // A temporary name of its own per process, so two generators never share one.
    const std::filesystem::path temporary = path.string() + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return Fail("cannot write " + temporary.string());
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return Fail("cannot rename onto " + path.string());
    }
    ++mWritten;
    return true;
}

bool SampleOutput::WriteImage(const std::string& aPath, const LCanvas& aCanvas)
{
    return Write(aPath, EndsWith(aPath, ".tga") ? aCanvas.Tga() : aCanvas.Bmp());
}

bool SampleOutput::WriteSound(const std::string& aPath, int aRate, const std::vector<float>& aSamples)
{
    // The encoder writes a file of its own; its bytes then go the ordinary way.
    const std::size_t dot = aPath.rfind('.');
    const std::filesystem::path encoded = std::filesystem::temp_directory_path() /
        ("sample_gen_" + std::to_string(::getpid()) + aPath.substr(dot == std::string::npos ? aPath.size() : dot));
    std::string reason;
    if (!MediaWriteSound(encoded.string(), aRate, aSamples, reason)) {
        Note(aPath + " left out: " + reason);
        return true;
    }
    std::string bytes;
    const bool read = ReadFile(encoded, bytes);
    std::error_code error;
    std::filesystem::remove(encoded, error);
    if (!read) {
        return Fail("cannot read back " + encoded.string());
    }
    return Write(aPath, bytes);
}
