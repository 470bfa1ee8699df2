#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"

template class GMStandIn<GMBaseballBatPuzzle>;
