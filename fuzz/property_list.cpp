// Parses the input as a property list; then writes the tree as text, parses that text
// again and checks that both trees hold the same keys, kinds and values in order.
#include "container/LPropertyList.h"
#include "container/LVectorInt.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool Same(const LPropertyList& aLeft, const LPropertyList& aRight)
{
    if (aLeft.GetCount() != aRight.GetCount()) {
        return false;
    }
    for (int i = 0; i < aLeft.GetCount(); ++i) {
        const LPropertyEntry left = aLeft.GetAt(i);
        const LPropertyEntry right = aRight.GetAt(i);
        if (aLeft.GetKeyAt(i) != aRight.GetKeyAt(i) || left.mIsList != right.mIsList) {
            return false;
        }
        if (left.mIsList ? !Same(*left.GetList(), *right.GetList()) : *left.GetString() != *right.GetString()) {
            return false;
        }
    }
    return true;
}

bool EndsInBlank(const LString& aText)
{
    if (aText.IsEmpty()) {
        return false;
    }
    const char16_t last = aText.At(aText.GetLength() - 1);
    return last == u' ' || last == u'\t' || last == u'\r' || last == u'\n';
}

// Text that the writer cannot give back as it was read: keys or values with characters
// the line format gives a meaning to at their ends. A blank before a continuation's "\"
// stays in the value, but the reader trims blanks off a line's end.
bool Writable(const LPropertyList& aList)
{
    for (int i = 0; i < aList.GetCount(); ++i) {
        const LPropertyEntry entry = aList.GetAt(i);
        const LString key = aList.GetKeyAt(i);
        if (key.IsEmpty() || key.At(0) == u' ' || key.At(0) == u'\t' || key.Find(u"//", 0) == 0 ||
            key.At(key.GetLength() - 1) == u'\\') {
            return false;
        }
        if (entry.mIsList) {
            if (EndsInBlank(key) || !Writable(*entry.GetList())) {
                return false;
            }
        } else {
            const LString& value = *entry.GetString();
            if (value.IsEmpty() || value.At(value.GetLength() - 1) == u'\\' || EndsInBlank(value)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    LPropertyList list;
    list.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    bool found = false;
    list.GetVectorInt(LString("a.b"), found);
    list.GetList(LString("a"));
    LString text;
    if (list.ToString(text) && Writable(list)) {
        LPropertyList again;
        again.Parse(text);
        if (!Same(list, again)) {
            std::abort();
        }
    }
    LPropertyList copy(list);
    if (!Same(list, copy)) {
        std::abort();
    }
    return 0;
}
