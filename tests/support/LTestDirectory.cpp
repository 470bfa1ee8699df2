#include "support/LTestDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

LTestDirectory::LTestDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ltest-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    mPath = made ? made : std::filesystem::temp_directory_path().string();
}

LTestDirectory::~LTestDirectory()
{
    std::error_code ignored;
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(mPath, ignored);
}

void LTestDirectory::Write(const std::string& aName, const std::string& aBytes) const
{
    std::filesystem::path path = std::filesystem::path(mPath) / aName;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
}

std::string LTestDirectory::Read(const std::string& aName) const
{
    return ReadFile((std::filesystem::path(mPath) / aName).string());
}

std::string LTestDirectory::ReadFile(const std::string& aPath)
{
    // One buffered read: a byte-wise stream iterator costs seconds per copied sample
    // under the sanitizers.
    std::ifstream in(aPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}
