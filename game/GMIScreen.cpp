#include "GMIScreen.h"

GMIScreen::~GMIScreen() = default;
