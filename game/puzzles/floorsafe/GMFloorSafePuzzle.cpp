#include "puzzles/floorsafe/GMFloorSafePuzzle.h"

template class GMStandIn<GMFloorSafePuzzle>;
