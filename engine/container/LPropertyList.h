// The indented key/value text format in which every data file is written, and the tree
// it reads into. Each list keeps its entries in file order and finds keys by hash (it is
// an LHashKeyList whose values are LPropertyEntry records); values are strings or nested
// lists. Callers address values by dotted paths ("groups.interface.buttons") and read
// them through typed getters.
//
// The format: 8-bit text, lines ending in LF (a CR before it is ignored). Leading TABs
// give the depth; a line with "=" is a value (key before the first "=", value after it,
// nothing trimmed), a line without opens a nested list whose entries follow one TAB
// deeper. Lines starting with "//" (after blanks) are comments; a line ending in "\"
// continues on the next. Sibling keys are unique: a repeated value keeps its first value,
// a repeated list line goes on filling the first list.
#pragma once
#include "container/LHashKeyList.h"
#include "container/LPropertyEntry.h"
#include "container/LString.h"

class LIStream;
class LVectorFloat;
class LVectorInt;
class LVectorUInt;

class LPropertyList : public LHashKeyList
{
public:
    LPropertyList();
    // A deep copy: the same keys in the same order, copies of every value and list.
    LPropertyList(const LPropertyList& aOther);
    LPropertyList& operator=(const LPropertyList&) = delete;
    ~LPropertyList() override;

    // Reads the file and parses it; false (logged) when it cannot be read, and then the
    // list keeps its contents.
    bool Load(const LString& aPath, bool aSymbolic);
    // Replaces the contents by the entries read from the text. Lines that have no parent
    // list are skipped with a warning.
    bool Parse(const LString& aText);
    // Parses 8-bit text (each byte one character).
    bool Parse(const char* aBytes, int aLength);
    // The tree as text: TAB indentation, CR LF line ends. False when some key or value is
    // empty (the rest is still written).
    bool ToString(LString& aOut) const;
    // Writes the text of ToString as the file's whole contents (8-bit), through a temporary
    // file that replaces the old one, so a failure leaves the old file as it was. False when
    // the file could not be written, or (as ToString) when some key or value is empty.
    bool Save(const LString& aPath, bool aSymbolic) const;
    bool SetDelimiter(const LString& aDelimiter);
    const LString& GetDelimiter() const;

    LString GetString(const LString& aPath, bool& aFound) const;
    LString GetProperty(const LString& aPath, bool& aFound) const;
    // True for "true" in any case and for "1".
    bool GetBool(const LString& aPath, bool& aFound) const;
    float GetFloat(const LString& aPath, bool& aFound) const;
    int GetInt(const LString& aPath, bool& aFound) const;
    unsigned int GetUInt(const LString& aPath, bool& aFound) const;
    // The pieces of the value split on the delimiter (empty pieces dropped, not trimmed).
    LVectorString GetVectorString(const LString& aPath, bool& aFound) const;
    LVectorFloat GetVectorFloat(const LString& aPath, bool& aFound) const;
    LVectorInt GetVectorInt(const LString& aPath, bool& aFound) const;
    LVectorUInt GetVectorUInt(const LString& aPath, bool& aFound) const;
    // The nested list at the path (owned by the tree); the empty path gives this list.
    LPropertyList* GetList(const LString& aPath) const;

    // One level, by key or position.
    LPropertyEntry Get(const LString& aKey) const;
    LPropertyEntry GetAt(int aPosition) const;
    using LHashKeyList::GetKeyAt;
    LString GetKeyAt(int aPosition) const;
    LPropertyList* GetListAt(int aPosition) const;

    // The list takes over what aEntry points at (also when the add is refused, it is freed).
    bool Add(const LString& aKey, const LPropertyEntry& aEntry);
    bool AddAt(int aPosition, const LString& aKey, const LPropertyEntry& aEntry);
    // Under the path's last piece in the list its leading pieces name; the list takes
    // over aList (and frees it when refused).
    bool AddList(const LString& aPath, LPropertyList* aList);
    bool AddString(const LString& aPath, const LString& aValue);

    // The removed record goes to *aOut (which must point at null); the caller owns it and
    // what it points at.
    bool Remove(const LString& aKey, LPropertyEntry** aOut);
    bool RemoveAt(int aPosition, LPropertyEntry** aOut);
    // Hands the nested list to *aOut, or deletes it when aOut is null.
    bool RemoveList(const LString& aPath, LPropertyList** aOut);
    // Hands the string to *aOut; a nested list at the path stays where it is.
    bool RemoveProperty(const LString& aPath, LString** aOut);

    // For the reader: this list's record for aKey without a message when it is absent,
    // and the sorted add of a new record that takes over aValue (freed, and null
    // returned, when the key is refused).
    LPropertyEntry* FindEntry(const LString& aKey) const;
    LPropertyEntry* AddOwned(const LString& aKey, bool aIsList, LBase* aValue);
    // The reader's add of a string value: record and string in one block, the key's text
    // moved into the list. False (nothing kept) when the key is refused.
    bool AddValue(LString&& aKey, const char16_t* aValue);

private:
    // The list that the pieces before the last name, and the last piece; null when a
    // piece is missing or names a string.
    const LPropertyList* Walk(const LString& aPath, LString& aLast) const;
    LPropertyEntry* Find(const LString& aPath) const;
    const LString* FindString(const LString& aPath, bool& aFound) const;
    void DeleteEntries();
    // Deletes a record taken out of the list, with what it points at.
    static void DeleteEntry(LPropertyEntry* aEntry);
    // A record taken out of the list as a block of its own, its string too (for callers
    // that delete them apart); null when memory is out (then aEntry is deleted).
    static LPropertyEntry* Separate(LPropertyEntry* aEntry);
    bool WriteEntries(LIStream* aStream, int aDepth) const;

    LString mDelimiter; // empty for the default "|"
};
