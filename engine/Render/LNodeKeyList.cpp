#include "Render/LNodeKeyList.h"

#include "stdlib/LLog.h"

LNodeKeyList::LNodeKeyList() : LHashKeyList(7, false)
{
}

int LNodeKeyList::AddNode(void* aValue, const LString& aId, const char* aOperation)
{
    const LString operation(aOperation);
    if (aValue == nullptr) {
        L_ERROR(operation + " failure. Null arg.");
        return 0;
    }
    if (aId.IsEmpty()) {
        L_ERROR(operation + " failure. No id found.");
        return 0;
    }
    if (IndexOf(aId) >= 0) {
        L_ERROR(operation + " failure. ID:" + aId);
        return 0;
    }
    AddAt(aId, aValue, true);
    return 1;
}

int LNodeKeyList::RemoveValue(const LString& aId, void** aRemoved)
{
    if (aRemoved == nullptr || *aRemoved != nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    if (IndexOf(aId) < 0) {
        return 1;
    }
    return RemoveAt(aId, aRemoved);
}
