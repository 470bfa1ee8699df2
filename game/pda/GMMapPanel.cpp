#include "pda/GMMapPanel.h"

GMMapPanel::GMMapPanel() : GMIPDAPanel(LString("map"))
{
}

GMMapPanel::~GMMapPanel() = default;

LString GMMapPanel::Dump() const
{
    return DumpHead("GMMapPanel") + "]";
}

bool GMMapPanel::Create(LPropertyList*)
{
    return true;
}
