#include "container/LTableString.h"

LTableString::LTableString()
    : LTableString(10)
{
}

LTableString::LTableString(int aSlotCount)
    : Store(L_FILE, aSlotCount)
{
}

LTableString::~LTableString() = default;

LString LTableString::Dump() const
{
    return DumpHead("LTableString") + "]";
}

int LTableString::GetSlotCount(int aSlot) const
{
    return CheckSlot(aSlot) ? Slot(aSlot)->GetCount() : 0;
}
