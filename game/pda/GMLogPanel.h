// The PDA's log panel, under the id "log". Bare for now: its group is shown and hidden
// with the panel, and Create reads nothing of its layout.
#pragma once
#include "pda/GMIPDAPanel.h"

class GMLogPanel : public GMIPDAPanel
{
public:
    GMLogPanel();
    ~GMLogPanel() override;

    LString Dump() const override;
    bool Create(LPropertyList* aLayout) override;
};
