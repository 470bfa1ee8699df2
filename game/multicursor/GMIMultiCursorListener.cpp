#include "multicursor/GMIMultiCursorListener.h"

GMIMultiCursorListener::~GMIMultiCursorListener() = default;
