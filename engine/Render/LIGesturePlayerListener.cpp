#include "Render/LIGesturePlayerListener.h"
