#include "pda/GMLogPanel.h"

GMLogPanel::GMLogPanel() : GMIPDAPanel(LString("log"))
{
}

GMLogPanel::~GMLogPanel() = default;

LString GMLogPanel::Dump() const
{
    return DumpHead("GMLogPanel") + "]";
}

bool GMLogPanel::Create(LPropertyList*)
{
    return true;
}
