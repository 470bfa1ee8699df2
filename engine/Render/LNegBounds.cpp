#include "Render/LNegBounds.h"

LNegBounds::LNegBounds() = default;

LNegBounds::~LNegBounds() = default;

bool LNegBounds::Read(const LString& aName, const LPropertyList& aEntry)
{
    return ReadShape(aName, aEntry);
}
