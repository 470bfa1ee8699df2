// An obstacle: a closed polygon in the ground plane inside which nobody may stand, for
// every camera. Its ground frame name is kept but plays no part in routing.
#pragma once
#include "Render/LBounds.h"

class LNegBounds : public LBounds
{
public:
    LNegBounds();
    ~LNegBounds() override;

    // Takes "ground" and "coords" of aEntry; a missing one is logged and left empty.
    // False when something was missing.
    bool Read(const LString& aName, const LPropertyList& aEntry);
};
