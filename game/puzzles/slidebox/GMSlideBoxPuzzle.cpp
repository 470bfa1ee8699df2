#include "puzzles/slidebox/GMSlideBoxPuzzle.h"

template class GMStandIn<GMSlideBoxPuzzle>;
