// The puzzles that are built, for the tests and fuzz targets that run every one of them:
// a name, the active state and the accessor. Each puzzle that is built adds its row.
#pragma once
#include <vector>

class GMPuzzle;

struct GMBuiltPuzzle
{
    const char* mName;
    const char* mActiveState;
    GMPuzzle* (*mGet)();
    // A text that the log lines the puzzle is known to cause on the sample's data hold
    // (each such ERROR or ASSERT line is allowed), or null.
    const char* mExpectedLines = nullptr;

    static const std::vector<GMBuiltPuzzle>& All();
};
