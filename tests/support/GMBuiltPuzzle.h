// The puzzles that are built, for the tests and fuzz targets that run every one of them:
// a name, the state that opens it and the accessor, whether that state turning false is
// the way out (for a puzzle without a back button), whether it opens as an overlay without
// a push, and a log line its building always gives. Each puzzle that is built adds its
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
    bool mOverlay = false;
    const char* mAllowedProblem = "";

    static const std::vector<GMBuiltPuzzle>& All();
};
