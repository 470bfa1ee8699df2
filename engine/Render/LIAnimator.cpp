#include "Render/LIAnimator.h"

LIAnimator::~LIAnimator() = default;
