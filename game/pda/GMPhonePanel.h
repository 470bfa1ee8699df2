// The PDA's phone panel, under the id "phone". Bare for now: its group is shown and hidden
// with the panel, and Create reads nothing of its layout.
#pragma once
#include "pda/GMIPDAPanel.h"

class GMPhonePanel : public GMIPDAPanel
{
public:
    GMPhonePanel();
    ~GMPhonePanel() override;

    LString Dump() const override;
    bool Create(LPropertyList* aLayout) override;
};
