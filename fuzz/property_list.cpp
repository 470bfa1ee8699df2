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

bool IsBlank(char16_t aChar)
{
    return aChar == u' ' || aChar == u'\t' || aChar == u'\r' || aChar == u'\n';
}

bool EndsInBlank(const LString& aText)
{
    return !aText.IsEmpty() && IsBlank(aText.At(aText.GetLength() - 1));
}

// A line break inside a key or value splits its line when written.
bool HoldsALineBreak(const LString& aText)
{
    return aText.Find(u"\r", 0) >= 0 || aText.Find(u"\n", 0) >= 0;
}

// Text that the writer cannot give back as it was read: keys or values with characters
// the line format gives a meaning to at their ends. A blank before a continuation's "\"
// stays in the value, but the reader trims blanks off a line's end.
bool Writable(const LPropertyList& aList)
{
    for (int i = 0; i < aList.GetCount(); ++i) {
        const LPropertyEntry entry = aList.GetAt(i);
        const LString key = aList.GetKeyAt(i);
        if (key.IsEmpty() || IsBlank(key.At(0)) || HoldsALineBreak(key) || key.Find(u"//", 0) == 0 ||
            key.At(key.GetLength() - 1) == u'\\') {
            return false;
        }
        if (entry.mIsList) {
            if (EndsInBlank(key) || !Writable(*entry.GetList())) {
                return false;
            }
        } else {
            const LString& value = *entry.GetString();
            if (value.IsEmpty() || value.At(value.GetLength() - 1) == u'\\' || EndsInBlank(value) ||
                HoldsALineBreak(value)) {
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
