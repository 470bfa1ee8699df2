#include "ui/GMIPickerListener.h"

GMIPickerListener::~GMIPickerListener() = default;
