#include "puzzles/combination/GMCombinationLockPuzzle.h"

template class GMStandIn<GMCombinationLockPuzzle>;
