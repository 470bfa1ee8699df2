#include "stdlib/LIFrameListener.h"

LIFrameListener::LIFrameListener() = default;

LIFrameListener::~LIFrameListener() = default;
