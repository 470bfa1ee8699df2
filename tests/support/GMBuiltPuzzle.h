// The puzzles that are built, for the tests and fuzz targets that run every one of them:
// a name, the state that opens it and the accessor, and whether that state turning false
// is the way out (for a puzzle without a back button). Each puzzle that is built adds its
// row.
#pragma once
#include <vector>

class GMPuzzle;

struct GMBuiltPuzzle
{
    const char* mName;
    const char* mActiveState;
    GMPuzzle* (*mGet)();
    bool mLeavesByState = false;

    static const std::vector<GMBuiltPuzzle>& All();
};
