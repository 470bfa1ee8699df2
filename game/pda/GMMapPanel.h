// The PDA's map panel, under the id "map". Bare for now: its group is shown and hidden
// with the panel, and Create reads nothing of its layout.
#pragma once
#include "pda/GMIPDAPanel.h"

class GMMapPanel : public GMIPDAPanel
{
public:
    GMMapPanel();
    ~GMMapPanel() override;

    LString Dump() const override;
    bool Create(LPropertyList* aLayout) override;
};
