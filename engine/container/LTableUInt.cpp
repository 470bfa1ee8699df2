#include "container/LTableUInt.h"

LTableUInt::LTableUInt()
    : LTableUInt(10)
{
}

LTableUInt::LTableUInt(int aSlotCount)
    : Store(L_FILE, aSlotCount)
{
}

LTableUInt::~LTableUInt() = default;

LString LTableUInt::Dump() const
{
    return DumpHead("LTableUInt") + "]";
}

int LTableUInt::GetSlotCount(int aSlot) const
{
    return CheckSlot(aSlot) ? Slot(aSlot)->GetCount() : -1;
}
