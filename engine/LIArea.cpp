#include "LIArea.h"

LIArea::~LIArea() = default;
