#include "puzzles/map_puzzle/GMMapPuzzle.h"

template class GMStandIn<GMMapPuzzle>;
