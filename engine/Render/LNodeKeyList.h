// The id-keyed lists of the scene graph (a group's members, the node manager's groups):
// entries in insertion order, keys unique and never empty, values held but not owned.
#pragma once
#include "container/LHashKeyList.h"

class LNodeKeyList : public LHashKeyList
{
public:
    // Seven hash bits, case-sensitive keys.
    LNodeKeyList();

    // Appends aValue under aId. A null value ("<aOperation> failure. Null arg."), an empty
    // id ("... No id found.") and an id already present ("... ID:" and the id) are
    // refused with a logged error (0).
    int AddNode(void* aValue, const LString& aId, const char* aOperation);
    // aRemoved must point at null ("Invalid arg.", 0); an absent id gives 1 and changes
    // nothing; otherwise the entry goes and its value is handed out through aRemoved.
    template <typename T>
    int RemoveNode(const LString& aId, T** aRemoved)
    {
        void* removed = nullptr;
        const int result = RemoveValue(aId, aRemoved != nullptr && *aRemoved == nullptr ? &removed : nullptr);
        if (removed != nullptr) {
            *aRemoved = static_cast<T*>(removed);
        }
        return result;
    }

    // Calls aCall(value) for every entry in order; the AND of the results, 1 when empty.
    template <typename T, typename F>
    int ForEachAnd(F&& aCall) const
    {
        int result = 1;
        for (int i = 0; i < GetCount(); ++i) {
            result = aCall(static_cast<T*>(GetAt(i))) && result;
        }
        return result;
    }

private:
    int RemoveValue(const LString& aId, void** aRemoved);
};
