#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"

template class GMStandIn<GMSurveillanceTapePuzzle>;
