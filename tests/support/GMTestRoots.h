// The game's ten symbolic roots ("//gameroot", "//dataroot", "//textures" ...) mounted
// under a fresh temporary directory for one test, as start-up mounts them under the
// current directory, with the texture root at "//textures". Tests write their data files
// below it: Write("data/textures/menu/x.txt", ...) is "//textures/menu/x.txt".
#pragma once
#include "support/LTestDirectory.h"

#include <string>

class GMTestRoots
{
public:
    GMTestRoots();

    const std::string& Path() const { return mDirectory.Path(); }
    void Write(const std::string& aName, const std::string& aBytes) const { mDirectory.Write(aName, aBytes); }
    std::string Read(const std::string& aName) const { return mDirectory.Read(aName); }
    // Copies a file of the sample data, or the files of one of its directories (with its
    // subdirectories when aSubdirectories is set), from aRelative (relative to
    // sample/data) to the same place under "data/", or to "data/" + aTarget; false when
    // there is nothing to copy.
    bool CopySample(const std::string& aRelative, const std::string& aTarget = "", bool aSubdirectories = false) const;
    // Whether every root was mounted.
    bool Mounted() const { return mMounted; }

private:
    LTestDirectory mDirectory;
    bool mMounted = false;
};
