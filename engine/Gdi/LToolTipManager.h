// Makes tool tips by id, puts them into the display manager's root group and keeps them.
#pragma once
#include "container/LHashKeyList.h"

class LIFont;
class LToolTip;

class LToolTipManager : public LHashKeyList
{
public:
    static LToolTipManager* Get();

    LToolTipManager();
    ~LToolTipManager() override;

    LString Dump() const override;

    LToolTip* CreateToolTip(LIFont* aFont, const LString& aId, float aRelativeZ);
    LToolTip* GetToolTip(const LString& aId) const;
    // Forgets a tool tip and takes it out of the root group; the caller owns it then.
    int RemoveToolTip(const LString& aId, LToolTip** aOut);
};
