#include "support/LFakeDeviceCaps.h"

#include "container/LString.h"

bool LFakeDeviceCaps::sPow2 = false;
bool LFakeDeviceCaps::sSquare = false;
uint32_t LFakeDeviceCaps::sMaxWidth = 2048;
uint32_t LFakeDeviceCaps::sMaxHeight = 2048;
uint32_t LFakeDeviceCaps::sMaxVertexIndex = 0xFFFFFFFFu;

void LFakeDeviceCaps::Reset()
{
    sPow2 = false;
    sSquare = false;
    sMaxWidth = 2048;
    sMaxHeight = 2048;
    sMaxVertexIndex = 0xFFFFFFFFu;
}

LString LFakeDeviceCaps::Dump() const
{
    return DumpHead("LFakeDeviceCaps") + "]";
}
