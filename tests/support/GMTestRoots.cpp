#include "support/GMTestRoots.h"

#include "GMMain.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

GMTestRoots::GMTestRoots() : mMounted(GMMain::MountRoots(FromStd(mDirectory.Path())))
{
}

bool GMTestRoots::CopySample(const std::string& aDirectory) const
{
    std::error_code error;
    std::filesystem::directory_iterator entry(LSampleRoots::Directory() + "/" + aDirectory, error);
    bool copied = false;
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (!entry->is_regular_file()) {
            continue;
        }
        std::ifstream in(entry->path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        Write("data/" + aDirectory + "/" + entry->path().filename().string(), bytes.str());
        copied = true;
    }
    return copied;
}
