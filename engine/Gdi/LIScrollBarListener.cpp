#include "Gdi/LIScrollBarListener.h"

LIScrollBarListener::~LIScrollBarListener() = default;
