#include "puzzles/quintarn/GMQuintarnPuzzle.h"

template class GMStandIn<GMQuintarnPuzzle>;
