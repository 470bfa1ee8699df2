#include "puzzles/cigarband/GMCigarBandPuzzle.h"

template class GMStandIn<GMCigarBandPuzzle>;
