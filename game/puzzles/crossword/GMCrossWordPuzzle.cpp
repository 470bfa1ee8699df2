#include "puzzles/crossword/GMCrossWordPuzzle.h"

template class GMStandIn<GMCrossWordPuzzle>;
