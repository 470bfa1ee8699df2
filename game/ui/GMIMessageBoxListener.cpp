#include "ui/GMIMessageBoxListener.h"

GMIMessageBoxListener::~GMIMessageBoxListener() = default;
