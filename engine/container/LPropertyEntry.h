// One entry of a property list: a nested list or a string value. The record does not own
// what it points at; the list that holds the record does. The list's reader makes a string
// entry and its string in one block; records handed out (copies, removals) never are.
#pragma once

class LBase;
class LPropertyList;
class LString;

class LPropertyEntry
{
public:
    LPropertyEntry() = default;
    LPropertyEntry(bool aIsList, LBase* aPointer) : mIsList(aIsList), mPointer(aPointer) {}
    // A copy is a record of its own, whatever block the original shares.
    LPropertyEntry(const LPropertyEntry& aOther) : mIsList(aOther.mIsList), mPointer(aOther.mPointer) {}
    LPropertyEntry& operator=(const LPropertyEntry& aOther)
    {
        mIsList = aOther.mIsList;
        mPointer = aOther.mPointer;
        return *this;
    }

    // The nested list, or null for a string entry.
    LPropertyList* GetList() const;
    // The string value, or null for a list entry.
    LString* GetString() const;
    // Deletes what the record points at.
    void DeleteValue();

    bool mIsList = false;
    LBase* mPointer = nullptr;

private:
    friend class LPropertyList;
    // Set by the list on a record that shares its block with its string.
    bool mSharesBlock = false;
};
