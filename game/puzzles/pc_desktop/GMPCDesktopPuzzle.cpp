#include "puzzles/pc_desktop/GMPCDesktopPuzzle.h"

template class GMStandIn<GMPCDesktopPuzzle>;
