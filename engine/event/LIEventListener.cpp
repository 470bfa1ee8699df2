#include "event/LIEventListener.h"

LIEventListener::LIEventListener() = default;

LIEventListener::~LIEventListener() = default;
