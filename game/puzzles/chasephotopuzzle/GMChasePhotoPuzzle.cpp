#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"

template class GMStandIn<GMChasePhotoPuzzle>;
