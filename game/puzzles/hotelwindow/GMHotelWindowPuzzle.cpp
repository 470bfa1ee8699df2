#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"

template class GMStandIn<GMHotelWindowPuzzle>;
