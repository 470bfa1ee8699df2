#include "scene/GMINavigationListener.h"

GMINavigationListener::~GMINavigationListener() = default;
