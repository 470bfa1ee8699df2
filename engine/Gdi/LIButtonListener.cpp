#include "Gdi/LIButtonListener.h"

LIButtonListener::~LIButtonListener() = default;
