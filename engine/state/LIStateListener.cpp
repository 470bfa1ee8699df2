#include "state/LIStateListener.h"

LIStateListener::LIStateListener() = default;

LIStateListener::~LIStateListener() = default;
