#include "Render/LINavigationListener.h"

LINavigationListener::~LINavigationListener() = default;
