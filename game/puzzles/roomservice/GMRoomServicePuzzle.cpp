#include "puzzles/roomservice/GMRoomServicePuzzle.h"

template class GMStandIn<GMRoomServicePuzzle>;
