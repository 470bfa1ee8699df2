#include "Gdi/LIFont.h"

LIFont::LIFont() : mScale(1.0f, 1.0f)
{
}

LIFont::~LIFont() = default;
