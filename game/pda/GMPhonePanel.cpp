#include "pda/GMPhonePanel.h"

GMPhonePanel::GMPhonePanel() : GMIPDAPanel(LString("phone"))
{
}

GMPhonePanel::~GMPhonePanel() = default;

LString GMPhonePanel::Dump() const
{
    return DumpHead("GMPhonePanel") + "]";
}

bool GMPhonePanel::Create(LPropertyList*)
{
    return true;
}
