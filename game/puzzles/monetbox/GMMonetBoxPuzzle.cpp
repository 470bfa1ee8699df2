#include "puzzles/monetbox/GMMonetBoxPuzzle.h"

template class GMStandIn<GMMonetBoxPuzzle>;
