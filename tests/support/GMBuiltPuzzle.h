// The puzzles that are built, for the tests and fuzz targets that run every one of them:
// a name, the state that opens it and the accessor, the log lines it is known to give, and
// how it opens and leaves. Each puzzle that is built adds its row.
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
    // Whether the opening state turning false is the way out (for a puzzle without a back
    // button), and whether it opens as an overlay without a push.
    bool mLeavesByState = false;
    bool mOverlay = false;

    static const std::vector<GMBuiltPuzzle>& All();
};
