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
    // Copies the files of the sample's directory aDirectory (relative to sample/data, not
    // its subdirectories) to the same place under "data/"; false when it has none.
    bool CopySample(const std::string& aDirectory) const;
    // Whether every root was mounted.
    bool Mounted() const { return mMounted; }

private:
    LTestDirectory mDirectory;
    bool mMounted = false;
};
