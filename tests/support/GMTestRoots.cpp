#include "support/GMTestRoots.h"

#include "GMMain.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"

#include <filesystem>

GMTestRoots::GMTestRoots() : mMounted(GMMain::MountRoots(FromStd(mDirectory.Path())))
{
}

bool GMTestRoots::CopySample(const std::string& aRelative, const std::string& aTarget, bool aSubdirectories) const
{
    namespace fs = std::filesystem;
    const std::string target = "data/" + (aTarget.empty() ? aRelative : aTarget);
    const fs::path source = fs::path(LSampleRoots::Directory()) / aRelative;
    std::error_code error;
    if (fs::is_regular_file(source, error)) {
        Write(target, LTestDirectory::ReadFile(source.string()));
        return true;
    }
    bool copied = false;
    const auto copy = [&](const fs::directory_entry& aEntry) {
        if (aEntry.is_regular_file()) {
            Write(target + "/" + fs::relative(aEntry.path(), source).generic_string(),
                  LTestDirectory::ReadFile(aEntry.path().string()));
            copied = true;
        }
    };
    if (aSubdirectories) {
        for (fs::recursive_directory_iterator entry(source, error), end; !error && entry != end; entry.increment(error)) {
            copy(*entry);
        }
    } else {
        for (fs::directory_iterator entry(source, error), end; !error && entry != end; entry.increment(error)) {
            copy(*entry);
        }
    }
    return copied && !error;
}
