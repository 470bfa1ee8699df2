#include "puzzles/pobox/GMPOBoxPuzzle.h"

template class GMStandIn<GMPOBoxPuzzle>;
