// Linked into every fuzz target and corpus runner: the log goes to the directory named by
// L_FUZZ_LOG_DIR (a scratch directory of the fuzz run), and is dropped without it; never
// to log.txt of the working directory, which long runs would fill by the gigabyte.
#include "container/LString.h"
#include "stdlib/LLog.h"

#include <cstdlib>

namespace {
const bool gLogPlaced = [] {
    const char* directory = std::getenv("L_FUZZ_LOG_DIR");
    SetLogDirectory(LString(directory && *directory ? directory : "/dev/null"));
    return true;
}();
} // namespace
