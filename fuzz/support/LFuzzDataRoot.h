// Data files for the fuzz targets that build display objects or read data files: one
// temporary directory for the whole run, mounted under a symbolic root.
#pragma once
#include "container/LString.h"
#include "stdlib/LIFileSystem.h"
#include "writers/LImageBytes.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <string>

inline LTestDirectory& FuzzDataRoot(const char* aMount)
{
    static LTestDirectory sDirectory;
    LIFileSystem::Get()->AddMount(LString(aMount), FromStd(sDirectory.Path()));
    return sDirectory;
}

// An 8 x 8 picture of half-grey pixels with half alpha.
inline std::string FuzzPicture()
{
    return LImageBytes::Tga(8, 8, 32, 8, std::string(8 * 8 * 4, '\x7f'));
}
