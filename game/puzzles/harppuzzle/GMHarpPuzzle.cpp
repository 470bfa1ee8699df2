#include "puzzles/harppuzzle/GMHarpPuzzle.h"

template class GMStandIn<GMHarpPuzzle>;
