#include "TNavDataParser.h"

#include "container/LPropertyList.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {
// The text between the first "(" at or after aFrom and its matching ")"; aEnd receives
// the index of that ")". Empty, logged, when either is missing.
LString Parenthesised(const LString& aKey, int aFrom, int& aEnd)
{
    const LString open("(");
    const int start = aKey.Find(open, aFrom);
    LString part;
    if (start < 0) {
        L_ASSERT_FAILURE("");
        aEnd = aKey.GetLength();
        return part;
    }
    if (!aKey.MatchPair(open, LString(")"), start, &part)) {
        L_ASSERT_FAILURE("");
        aEnd = aKey.GetLength();
        return LString();
    }
    aEnd = start + 1 + part.GetLength();
    return part;
}

// Sets aKey of aList to aValue, replacing a value the entry brought along.
bool Put(LPropertyList& aList, const char* aKey, const LString& aValue)
{
    const LString key(aKey);
    LString* old = nullptr;
    if (aList.FindEntry(key) && aList.RemoveProperty(key, &old)) {
        delete old;
    }
    return aList.AddString(key, aValue);
}
} // namespace

bool ParseNavigation(const LString& aPath, LPropertyList** aOut)
{
    if (aOut == nullptr || *aOut != nullptr) {
        L_ASSERT_FAILURE("ParseNavigation failure. Invalid arg.");
        return false;
    }
    LPropertyList file;
    if (!file.Load(aPath, true)) {
        L_ASSERT_FAILURE("ParseNavigation failure.");
        return false;
    }
    const LString positiveKey("positive");
    const LString negativeKey("negative");
    LPropertyList* result = L_NEW LPropertyList();
    // AddList frees a list it refuses (or gets none of).
    if (!result || !result->AddList(positiveKey, L_NEW LPropertyList()) ||
        !result->AddList(negativeKey, L_NEW LPropertyList())) {
        L_ASSERT_FAILURE("ParseNavigation failure.");
        delete result;
        return false;
    }
    LPropertyList* positive = result->GetList(positiveKey);
    LPropertyList* negative = result->GetList(negativeKey);
    for (int i = 0; i < file.GetCount(); ++i) {
        const LString key = file.GetKeyAt(i);
        const LPropertyList* entry = file.GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE(LString("ParseNavigation failure. Not a list: ") + key);
            continue;
        }
        LPropertyList* copy = L_NEW LPropertyList(*entry);
        if (copy == nullptr) {
            L_ASSERT_FAILURE("ParseNavigation failure.");
            delete result;
            return false;
        }
        int end = 0;
        Put(*copy, "ground", Parenthesised(key, 0, end));
        LPropertyList* into = negative;
        if (key.Find(LString("PS"), 0) == 0) {
            Put(*copy, "camera", Parenthesised(key, end + 1, end));
            into = positive;
        }
        into->Add(key, LPropertyEntry(true, copy));
    }
    *aOut = result;
    return true;
}
