#include "ui/GMIScreenFaderListener.h"

GMIScreenFaderListener::~GMIScreenFaderListener() = default;
