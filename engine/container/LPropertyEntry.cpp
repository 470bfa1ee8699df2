#include "container/LPropertyEntry.h"

#include "container/LPropertyList.h"
#include "container/LString.h"

LPropertyList* LPropertyEntry::GetList() const
{
    return mIsList ? static_cast<LPropertyList*>(mPointer) : nullptr;
}

LString* LPropertyEntry::GetString() const
{
    return mIsList ? nullptr : static_cast<LString*>(mPointer);
}

void LPropertyEntry::DeleteValue()
{
    delete mPointer;
    mPointer = nullptr;
}
