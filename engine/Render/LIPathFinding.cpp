#include "Render/LIPathFinding.h"

LIPathFinding::LIPathFinding() = default;

LIPathFinding::~LIPathFinding() = default;

void LIPathFinding::SetMode(int aMode)
{
    mMode = aMode;
}
