#include "support/LSampleRoots.h"

#include "container/LString.h"
#include "stdlib/LIFileSystem.h"
#include "support/LTestStrings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::string LSampleRoots::Directory()
{
    return L_SAMPLE_DATA;
}

std::string LSampleRoots::Generator()
{
    return L_SAMPLE_GEN;
}

bool LSampleRoots::Mount()
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    if (fileSystem == nullptr) {
        return false;
    }
    const std::string data = Directory();
    const std::string root = std::filesystem::path(data).parent_path().string();
    bool mounted = fileSystem->AddMount(LString("//gameroot"), FromStd(root));
    mounted = fileSystem->AddMount(LString("//dataroot"), FromStd(data)) && mounted;
    for (const char* name :
         {"textures", "meshes", "animations", "interviews", "sounds", "scenes", "characters", "gestures"}) {
        mounted = fileSystem->AddMount(LString("//") + name, FromStd(data + "/" + name)) && mounted;
    }
    return mounted;
}

std::vector<std::string> LSampleRoots::Files(const std::vector<std::string>& aSuffixes)
{
    const auto lower = [](std::string aText) {
        std::transform(aText.begin(), aText.end(), aText.begin(), [](unsigned char c) { return std::tolower(c); });
        return aText;
    };
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Directory())) {
        const std::string name = lower(entry.path().filename().string());
        for (const std::string& suffix : aSuffixes) {
            if (entry.is_regular_file() && name.size() >= suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                files.push_back(std::filesystem::relative(entry.path(), Directory()).generic_string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}
