#include "puzzles/painting/GMPaintingPuzzle.h"

template class GMStandIn<GMPaintingPuzzle>;
