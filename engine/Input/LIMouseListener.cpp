#include "Input/LIMouseListener.h"

LIMouseListener::~LIMouseListener() = default;

void LIMouseListener::OnDoubleClick(int)
{
}

void LIMouseListener::OnWheel(float)
{
}
