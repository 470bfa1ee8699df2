// One entry of a property list: a nested list or a string value. The record does not own
// what it points at; the list that holds the record does.
#pragma once

class LBase;
class LPropertyList;
class LString;

class LPropertyEntry
{
public:
    LPropertyEntry() = default;
    LPropertyEntry(bool aIsList, LBase* aPointer) : mIsList(aIsList), mPointer(aPointer) {}

    // The nested list, or null for a string entry.
    LPropertyList* GetList() const;
    // The string value, or null for a list entry.
    LString* GetString() const;
    // Deletes what the record points at.
    void DeleteValue();

    bool mIsList = false;
    LBase* mPointer = nullptr;
};
