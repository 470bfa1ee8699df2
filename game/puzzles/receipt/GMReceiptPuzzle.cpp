#include "puzzles/receipt/GMReceiptPuzzle.h"

template class GMStandIn<GMReceiptPuzzle>;
