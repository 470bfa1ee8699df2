#include "container/LPropertyList.h"

#include "container/LBoolean.h"
#include "container/LFloat.h"
#include "container/LInt.h"
#include "container/LUInt.h"
#include "container/LVectorFloat.h"
#include "container/LVectorInt.h"
#include "container/LVectorString.h"
#include "container/LVectorUInt.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

namespace {

// A string entry and its value in one block, as the reader makes them: a parse makes one
// block fewer per value.
struct LPropertyValueRecord : LPropertyEntry
{
    explicit LPropertyValueRecord(const char16_t* aText) : LPropertyEntry(false, nullptr), mValue(aText)
    {
        mPointer = &mValue;
    }
    LString mValue;
};

// Lists start small: a tree holds many lists of a few entries each.
constexpr int kListCapacity = 8;
constexpr int kListIncrement = 64;
// The parts of a dotted path ("a.b.c"), which seldom has more than a few.
constexpr int kPathCapacity = 4;
constexpr int kHashShift = 7;

// At most how many pieces Split makes of aText: one more than its delimiters (empty pieces
// are dropped, so there may be fewer).
int MostPieces(const LString& aText, const LString& aDelimiter)
{
    const int length = aDelimiter.GetLength();
    if (length == 0) {
        return 1;
    }
    int count = 1;
    for (int at = aText.Find(aDelimiter, 0); at >= 0; at = aText.Find(aDelimiter, at + length)) {
        ++count;
    }
    return count;
}

bool IsBlank(char16_t aChar)
{
    return aChar == u' ' || aChar == u'\t' || aChar == u'\r' || aChar == u'\n';
}

char16_t Unit(char aByte)
{
    return static_cast<unsigned char>(aByte); // 8-bit text widens by zero extension
}

char16_t Unit(char16_t aUnit)
{
    return aUnit;
}

// A growable array of units for the line being read, 0-terminated on demand.
class LLineBuffer
{
public:
    ~LLineBuffer() { delete[] mUnits; }

    bool Reserve(int aLength)
    {
        if (aLength + 1 <= mCapacity) {
            return true;
        }
        int capacity = mCapacity < 256 ? 256 : mCapacity;
        while (capacity < aLength + 1) {
            capacity *= 2;
        }
        char16_t* fresh = new (L_FILE, __LINE__) char16_t[capacity];
        if (!fresh) {
            return false;
        }
        for (int i = 0; i < mLength; ++i) {
            fresh[i] = mUnits[i];
        }
        delete[] mUnits;
        mUnits = fresh;
        mCapacity = capacity;
        return true;
    }

    template <typename U>
    bool Assign(const U* aText, int aCount)
    {
        mLength = 0;
        return Append(aText, aCount);
    }

    template <typename U>
    bool Append(const U* aText, int aCount)
    {
        if (!Reserve(mLength + aCount)) {
            return false;
        }
        for (int i = 0; i < aCount; ++i) {
            mUnits[mLength + i] = Unit(aText[i]);
        }
        mLength += aCount;
        mUnits[mLength] = 0;
        return true;
    }

    void Truncate(int aLength)
    {
        mLength = aLength;
        mUnits[mLength] = 0;
    }

    // The text from aStart to aEnd as a string.
    LString Slice(int aStart, int aEnd)
    {
        const char16_t saved = mUnits[aEnd];
        mUnits[aEnd] = 0;
        LString text(mUnits + aStart);
        mUnits[aEnd] = saved;
        return text;
    }

    char16_t* mUnits = nullptr;
    int mLength = 0;
    int mCapacity = 0;
};

// Bounds of a piece of text with blanks trimmed.
template <typename U>
int TrimEnd(const U* aText, int aStart, int aEnd)
{
    while (aEnd > aStart && IsBlank(Unit(aText[aEnd - 1]))) {
        --aEnd;
    }
    return aEnd;
}

template <typename U>
int TrimStart(const U* aText, int aStart, int aEnd)
{
    while (aStart < aEnd && IsBlank(Unit(aText[aStart]))) {
        ++aStart;
    }
    return aStart;
}

template <typename U>
bool IsComment(const U* aText, int aStart, int aEnd)
{
    return aEnd - aStart >= 2 && Unit(aText[aStart]) == u'/' && Unit(aText[aStart + 1]) == u'/';
}

// The next non-empty line from aPos: its bounds, and the position after it.
template <typename U>
bool NextLine(const U* aText, int aLength, int& aPos, int& aStart, int& aEnd)
{
    while (aPos < aLength) {
        int end = aPos;
        while (end < aLength && Unit(aText[end]) != u'\n') {
            ++end;
        }
        const int start = aPos;
        aPos = end + 1;
        if (end > start) {
            aStart = start;
            aEnd = end;
            return true;
        }
    }
    return false;
}

// The open list keys of the parser by depth, with the lists they lead to cached.
class LOpenPath
{
public:
    explicit LOpenPath(LPropertyList* aRoot) : mRoot(aRoot) {}
    ~LOpenPath()
    {
        delete[] mKeys;
        delete[] mLists;
    }

    // The list a line at aDepth belongs to, or null when there is none.
    LPropertyList* Parent(int aDepth)
    {
        if (aDepth == 0) {
            return mRoot;
        }
        if (aDepth > mKeyCount) {
            return nullptr;
        }
        // mLists[k] is the list that keys 0..k-1 lead to, valid below mValid.
        while (mValid <= aDepth) {
            LPropertyList* above = mLists[mValid - 1];
            const LPropertyEntry* entry = above ? above->FindEntry(mKeys[mValid - 1]) : nullptr;
            LPropertyList* list = entry ? entry->GetList() : nullptr;
            if (!list) {
                return nullptr;
            }
            mLists[mValid++] = list;
        }
        return mLists[aDepth];
    }

    // The line at aDepth opened (or reopened) aList under aKey; null when the key names
    // a string there.
    bool Open(int aDepth, const LString& aKey, LPropertyList* aList)
    {
        if (!Reserve(aDepth + 2)) {
            return false;
        }
        mKeys[aDepth] = aKey;
        if (mKeyCount < aDepth + 1) {
            mKeyCount = aDepth + 1; // deeper keys stay, to be overwritten later
        }
        mLists[0] = mRoot;
        mValid = aDepth + 1;
        if (aList) {
            mLists[aDepth + 1] = aList;
            mValid = aDepth + 2;
        }
        return true;
    }

private:
    bool Reserve(int aCount)
    {
        if (aCount <= mCapacity) {
            return true;
        }
        const int capacity = aCount < 16 ? 16 : aCount * 2;
        LString* keys = new (L_FILE, __LINE__) LString[capacity];
        LPropertyList** lists = new (L_FILE, __LINE__) LPropertyList*[capacity];
        if (!keys || !lists) {
            delete[] keys;
            delete[] lists;
            return false;
        }
        for (int i = 0; i < capacity; ++i) {
            lists[i] = nullptr;
        }
        for (int i = 0; i < mCapacity; ++i) {
            keys[i] = static_cast<LString&&>(mKeys[i]);
            lists[i] = mLists[i];
        }
        delete[] mKeys;
        delete[] mLists;
        mKeys = keys;
        mLists = lists;
        mCapacity = capacity;
        return true;
    }

    LPropertyList* mRoot;
    LString* mKeys = nullptr;
    LPropertyList** mLists = nullptr;
    int mCapacity = 0;
    int mKeyCount = 0;
    int mValid = 1;
};

template <typename U>
void ParseUnits(LPropertyList& aList, const U* aText, int aLength)
{
    LLineBuffer line;
    LOpenPath path(&aList);
    bool warnedCarriageReturn = false;
    int pos = 0;
    int start = 0;
    int end = 0;
    while (NextLine(aText, aLength, pos, start, end)) {
        const int lineEnd = TrimEnd(aText, start, end);
        const int trimmedStart = TrimStart(aText, start, lineEnd);
        if (trimmedStart == lineEnd || IsComment(aText, trimmedStart, lineEnd)) {
            continue;
        }
        if (Unit(aText[start]) == u'\r') {
            // Lines ending in LF CR: every line after the first starts with the CR and is
            // lost. Data may rely on that, so it stays; but it is worth a warning.
            if (!warnedCarriageReturn) {
                L_WARNING("Lines starting with a carriage return are skipped (LF CR line ends?).");
                warnedCarriageReturn = true;
            }
            continue;
        }
        if (!line.Assign(aText + start, lineEnd - start)) {
            return;
        }
        // Continuation lines.
        int nextPos = pos;
        int nextStart = 0;
        int nextEnd = 0;
        while (line.mLength > 0 && line.mUnits[line.mLength - 1] == u'\\' &&
               NextLine(aText, aLength, nextPos, nextStart, nextEnd)) {
            pos = nextPos;
            line.Truncate(line.mLength - 1);
            const int partEnd = TrimEnd(aText, nextStart, nextEnd);
            const int partStart = TrimStart(aText, nextStart, partEnd);
            if (partStart == partEnd || IsComment(aText, partStart, partEnd)) {
                continue;
            }
            if (!line.Append(aText + partStart, partEnd - partStart)) {
                return;
            }
        }
        int depth = 0;
        while (depth < line.mLength && line.mUnits[depth] == u'\t') {
            ++depth;
        }
        int contentStart = depth;
        while (contentStart < line.mLength && (line.mUnits[contentStart] == u' ' || line.mUnits[contentStart] == u'\t')) {
            ++contentStart;
        }
        int equals = contentStart;
        while (equals < line.mLength && line.mUnits[equals] != u'=') {
            ++equals;
        }
        LPropertyList* parent = path.Parent(depth);
        if (!parent) {
            L_WARNING("Line without a parent list skipped: " + line.Slice(0, line.mLength));
            continue;
        }
        LString key = line.Slice(contentStart, equals);
        if (equals < line.mLength) {
            parent->AddValue(static_cast<LString&&>(key), line.mUnits + equals + 1);
            continue;
        }
        LPropertyList* nested = L_NEW LPropertyList();
        if (!nested) {
            continue;
        }
        LPropertyList* opened = nested;
        if (!parent->AddOwned(key, true, nested)) {
            // A repeated list line fills the first list (none when the key names a string).
            const LPropertyEntry* existing = parent->FindEntry(key);
            opened = existing ? existing->GetList() : nullptr;
        }
        path.Open(depth, key, opened);
    }
}

} // namespace

LPropertyList::LPropertyList()
    : LHashKeyList(kHashShift, false, kListCapacity, kListIncrement)
{
}

LPropertyList::LPropertyList(const LPropertyList& aOther)
    : LHashKeyList(aOther.GetHashShift(), aOther.GetIgnoreCase(), kListCapacity, kListIncrement),
      mDelimiter(aOther.mDelimiter)
{
    for (int i = 0; i < aOther.GetCount(); ++i) {
        const LPropertyEntry* entry = static_cast<const LPropertyEntry*>(aOther.LHashKeyList::GetAt(i));
        LString key;
        aOther.LHashKeyList::GetKeyAt(i, key);
        if (!entry) {
            continue;
        }
        LBase* copy = nullptr;
        if (entry->mIsList) {
            copy = entry->GetList() ? L_NEW LPropertyList(*entry->GetList()) : nullptr;
        } else {
            copy = entry->GetString() ? L_NEW LString(*entry->GetString()) : nullptr;
        }
        if (copy) {
            AddOwned(key, entry->mIsList, copy);
        }
    }
}

LPropertyList::~LPropertyList()
{
    DeleteEntries();
}

void LPropertyList::DeleteEntries()
{
    // A tree's blocks lie far apart by the time it is deleted: the records a few places
    // ahead, and the text of those nearer, are fetched while the current one goes.
    constexpr int kAhead = 8;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            const char* record = static_cast<const char*>(LHashKeyList::GetAt(i + kAhead));
            __builtin_prefetch(record);
            __builtin_prefetch(record - 32); // the block's header
        }
        if (i + kAhead / 2 < count) {
            const auto* near = static_cast<const LPropertyEntry*>(LHashKeyList::GetAt(i + kAhead / 2));
            if (near && near->mSharesBlock) {
                __builtin_prefetch(static_cast<const LPropertyValueRecord*>(near)->mValue.GetBuffer() - 16);
            }
        }
        DeleteEntry(static_cast<LPropertyEntry*>(LHashKeyList::GetAt(i)));
    }
    RemoveAll();
}

void LPropertyList::DeleteEntry(LPropertyEntry* aEntry)
{
    if (!aEntry) {
        return;
    }
    if (aEntry->mSharesBlock) {
        delete static_cast<LPropertyValueRecord*>(aEntry);
        return;
    }
    aEntry->DeleteValue();
    delete aEntry;
}

LPropertyEntry* LPropertyList::Separate(LPropertyEntry* aEntry)
{
    if (!aEntry || !aEntry->mSharesBlock) {
        return aEntry;
    }
    auto* record = static_cast<LPropertyValueRecord*>(aEntry);
    LString* text = L_NEW LString(static_cast<LString&&>(record->mValue));
    LPropertyEntry* separate = text ? L_NEW LPropertyEntry(false, text) : nullptr;
    if (!separate) {
        delete text;
    }
    delete record;
    return separate;
}

bool LPropertyList::AddValue(LString&& aKey, const char16_t* aValue)
{
    auto* record = L_NEW LPropertyValueRecord(aValue);
    if (!record) {
        return false;
    }
    LPropertyEntry* entry = record;
    entry->mSharesBlock = true;
    const int before = GetCount();
    LHashKeyList::AddAt(static_cast<LString&&>(aKey), entry, true);
    if (GetCount() == before) {
        delete record; // refused: a repeated key keeps its first value
        return false;
    }
    return true;
}

LPropertyEntry* LPropertyList::FindEntry(const LString& aKey) const
{
    if (GetCount() == 0) {
        return nullptr;
    }
    return static_cast<LPropertyEntry*>(LHashKeyList::Get(aKey));
}

LPropertyEntry* LPropertyList::AddOwned(const LString& aKey, bool aIsList, LBase* aValue)
{
    LPropertyEntry* entry = L_NEW LPropertyEntry(aIsList, aValue);
    if (!entry) {
        delete aValue;
        return nullptr;
    }
    const int before = GetCount();
    LHashKeyList::AddAt(aKey, entry, true);
    if (GetCount() == before) {
        // Refused (a duplicate): the record and its value are not kept.
        entry->DeleteValue();
        delete entry;
        return nullptr;
    }
    return entry;
}

bool LPropertyList::Load(const LString& aPath, bool aSymbolic)
{
    LFileStream file(aPath, aSymbolic);
    LIFileSystem* fileSystem = LIFileSystem::Get();
    const int size = fileSystem ? fileSystem->GetFileSize(aPath, aSymbolic) : -1;
    if (!file.Open()) {
        return false;
    }
    if (size < 0) {
        L_ERROR("Load failure. Unknown file size: " + aPath);
        return false;
    }
    char* bytes = L_NEW char[static_cast<size_t>(size) + 1];
    if (!bytes) {
        L_ERROR("Load failure. Out of memory: " + aPath);
        return false;
    }
    if (!file.ReadBytes(size, bytes)) {
        L_ERROR("Load failure. Read failure: " + aPath);
        delete[] bytes;
        return false;
    }
    file.Close();
    const bool parsed = Parse(bytes, size);
    delete[] bytes;
    return parsed;
}

bool LPropertyList::Parse(const LString& aText)
{
    DeleteEntries();
    ParseUnits(*this, aText.GetBuffer(), aText.GetLength());
    return true;
}

bool LPropertyList::Parse(const char* aBytes, int aLength)
{
    DeleteEntries();
    if (!aBytes || aLength <= 0) {
        return true;
    }
    // A 0 byte ends the text, as it ends an 8-bit string.
    int length = 0;
    while (length < aLength && aBytes[length] != 0) {
        ++length;
    }
    ParseUnits(*this, aBytes, length);
    return true;
}

namespace {

bool WriteText(LIStream* aStream, const LString& aText)
{
    if (aText.IsEmpty()) {
        return Write(aStream, ""); // refused with its message: the text cannot be empty
    }
    char* bytes = nullptr;
    if (!aText.ToAnsi(&bytes)) {
        return false;
    }
    const bool written = aStream->WriteBytes(aText.GetLength(), bytes);
    delete[] bytes;
    return written;
}

} // namespace

bool LPropertyList::WriteEntries(LIStream* aStream, int aDepth) const
{
    bool ok = true;
    for (int i = 0; i < GetCount(); ++i) {
        const LPropertyEntry* entry = static_cast<const LPropertyEntry*>(LHashKeyList::GetAt(i));
        LString key;
        LHashKeyList::GetKeyAt(i, key);
        for (int t = 0; t < aDepth; ++t) {
            ok = aStream->WriteBytes(1, "\t") && ok;
        }
        ok = WriteText(aStream, key) && ok;
        if (entry && entry->mIsList) {
            ok = aStream->WriteBytes(2, "\r\n") && ok;
            if (entry->GetList()) {
                ok = entry->GetList()->WriteEntries(aStream, aDepth + 1) && ok;
            }
        } else {
            ok = aStream->WriteBytes(1, "=") && ok;
            ok = WriteText(aStream, entry && entry->GetString() ? *entry->GetString() : LString()) && ok;
            ok = aStream->WriteBytes(2, "\r\n") && ok;
        }
    }
    return ok;
}

bool LPropertyList::ToString(LString& aOut) const
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    const bool ok = WriteEntries(&stream, 0);
    stream.WriteBytes(1, "");
    aOut = LString(reinterpret_cast<const char*>(stream.GetBuffer()));
    return ok;
}

bool LPropertyList::Save(const LString& aPath, bool aSymbolic) const
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    const bool complete = WriteEntries(&stream, 0);
    return LFileStream::WriteBytesToFile(stream.GetPosition(), stream.GetBuffer(), aPath, aSymbolic) && complete;
}

const LString& LPropertyList::GetDelimiter() const
{
    static const LString kDefault("|");
    return mDelimiter.IsEmpty() ? kDefault : mDelimiter;
}

bool LPropertyList::SetDelimiter(const LString& aDelimiter)
{
    if (aDelimiter.IsEmpty()) {
        L_ERROR("Invalid delimiter.");
        return false;
    }
    mDelimiter = aDelimiter;
    return true;
}

const LPropertyList* LPropertyList::Walk(const LString& aPath, LString& aLast) const
{
    // A path has a few parts: a small vector, not the default thousand zeroed slots that
    // every look-up would otherwise allocate and free.
    LVectorString pieces(kPathCapacity, kPathCapacity);
    aPath.Split(LString("."), &pieces);
    const int count = pieces.GetCount();
    if (count == 0) {
        return nullptr;
    }
    const LPropertyList* list = this;
    for (int i = 0; i + 1 < count; ++i) {
        const LPropertyEntry* entry = list->FindEntry(pieces[i]);
        list = entry ? entry->GetList() : nullptr;
        if (!list) {
            return nullptr;
        }
    }
    pieces.GetAt(count - 1, aLast);
    return list;
}

LPropertyEntry* LPropertyList::Find(const LString& aPath) const
{
    LString last;
    const LPropertyList* list = Walk(aPath, last);
    return list ? list->FindEntry(last) : nullptr;
}

const LString* LPropertyList::FindString(const LString& aPath, bool& aFound) const
{
    const LPropertyEntry* entry = Find(aPath);
    const LString* text = entry ? entry->GetString() : nullptr;
    aFound = text != nullptr;
    return text;
}

LString LPropertyList::GetString(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    return text ? *text : LString("");
}

LString LPropertyList::GetProperty(const LString& aPath, bool& aFound) const
{
    return GetString(aPath, aFound);
}

bool LPropertyList::GetBool(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    return text && (LBoolean(*text).mValue || text->Equals(u"1", false));
}

float LPropertyList::GetFloat(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    return text ? LFloat(*text).mValue : 0.0f;
}

int LPropertyList::GetInt(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    return text ? LInt(*text).mValue : 0;
}

unsigned int LPropertyList::GetUInt(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    return text ? LUInt(*text).mValue : 0u;
}

LVectorString LPropertyList::GetVectorString(const LString& aPath, bool& aFound) const
{
    const LString* text = FindString(aPath, aFound);
    // Sized to the text's pieces rather than the default thousand slots: lists of numbers
    // are read by the hundred on every load.
    LVectorString pieces(text ? MostPieces(*text, GetDelimiter()) : 1, kListIncrement);
    if (text) {
        text->Split(GetDelimiter(), &pieces);
    }
    return pieces;
}

LVectorFloat LPropertyList::GetVectorFloat(const LString& aPath, bool& aFound) const
{
    const LVectorString pieces = GetVectorString(aPath, aFound);
    LVectorFloat values(pieces.GetCount() > 0 ? pieces.GetCount() : 1, kListIncrement);
    for (int i = 0; i < pieces.GetCount(); ++i) {
        values.Add(LFloat(pieces[i]).mValue);
    }
    return values;
}

LVectorInt LPropertyList::GetVectorInt(const LString& aPath, bool& aFound) const
{
    const LVectorString pieces = GetVectorString(aPath, aFound);
    LVectorInt values(pieces.GetCount() > 0 ? pieces.GetCount() : 1, kListIncrement);
    for (int i = 0; i < pieces.GetCount(); ++i) {
        values.Add(LInt(pieces[i]).mValue);
    }
    return values;
}

LVectorUInt LPropertyList::GetVectorUInt(const LString& aPath, bool& aFound) const
{
    const LVectorString pieces = GetVectorString(aPath, aFound);
    LVectorUInt values(pieces.GetCount() > 0 ? pieces.GetCount() : 1, kListIncrement);
    for (int i = 0; i < pieces.GetCount(); ++i) {
        values.Add(LUInt(pieces[i]).mValue);
    }
    return values;
}

LPropertyList* LPropertyList::GetList(const LString& aPath) const
{
    LVectorString pieces(kPathCapacity, kPathCapacity);
    aPath.Split(LString("."), &pieces);
    const LPropertyList* list = this;
    for (int i = 0; i < pieces.GetCount() && list; ++i) {
        const LPropertyEntry* entry = list->FindEntry(pieces[i]);
        list = entry ? entry->GetList() : nullptr;
    }
    return const_cast<LPropertyList*>(list);
}

LPropertyEntry LPropertyList::Get(const LString& aKey) const
{
    const LPropertyEntry* entry = FindEntry(aKey);
    if (!entry) {
        L_ERROR("Get failure.");
        return LPropertyEntry();
    }
    return *entry;
}

LPropertyEntry LPropertyList::GetAt(int aPosition) const
{
    if (aPosition < 0 || aPosition >= GetCount()) {
        L_ERROR("GetAt failure.");
        return LPropertyEntry();
    }
    const LPropertyEntry* entry = static_cast<const LPropertyEntry*>(LHashKeyList::GetAt(aPosition));
    return entry ? *entry : LPropertyEntry();
}

LString LPropertyList::GetKeyAt(int aPosition) const
{
    LString key;
    LHashKeyList::GetKeyAt(aPosition, key);
    return key;
}

LPropertyList* LPropertyList::GetListAt(int aPosition) const
{
    return GetAt(aPosition).GetList();
}

bool LPropertyList::Add(const LString& aKey, const LPropertyEntry& aEntry)
{
    LPropertyEntry* entry = L_NEW LPropertyEntry(aEntry);
    if (!entry) {
        delete aEntry.mPointer;
        return false;
    }
    const int before = GetCount();
    const unsigned int hash = LHashKeyList::AddAt(aKey, entry, true);
    if (GetCount() == before) {
        entry->DeleteValue();
        delete entry;
    }
    if (hash == 0) {
        L_ERROR("Add failure.");
        return false;
    }
    return true;
}

bool LPropertyList::AddAt(int aPosition, const LString& aKey, const LPropertyEntry& aEntry)
{
    LPropertyEntry* entry = L_NEW LPropertyEntry(aEntry);
    if (!entry) {
        delete aEntry.mPointer;
        return false;
    }
    const int before = GetCount();
    const unsigned int hash = LHashKeyList::AddAt(aPosition, aKey, entry, true);
    if (GetCount() == before) {
        entry->DeleteValue();
        delete entry;
    }
    if (hash == 0) {
        L_ERROR("AddAt failure.");
        return false;
    }
    return true;
}

bool LPropertyList::AddList(const LString& aPath, LPropertyList* aList)
{
    LString last;
    LPropertyList* list = const_cast<LPropertyList*>(Walk(aPath, last));
    if (!list || !aList) {
        delete aList;
        return false;
    }
    return list->AddOwned(last, true, aList) != nullptr && !last.IsEmpty();
}

bool LPropertyList::AddString(const LString& aPath, const LString& aValue)
{
    LString last;
    LPropertyList* list = const_cast<LPropertyList*>(Walk(aPath, last));
    if (!list) {
        return false;
    }
    LString* value = L_NEW LString(aValue);
    if (!value) {
        return false;
    }
    return list->AddOwned(last, false, value) != nullptr && !last.IsEmpty();
}

bool LPropertyList::Remove(const LString& aKey, LPropertyEntry** aOut)
{
    if (!aOut || *aOut) {
        L_ERROR("Invalid args.");
        return false;
    }
    if (!FindEntry(aKey)) {
        L_ERROR("Remove failure.");
        return false;
    }
    void* value = nullptr;
    if (!LHashKeyList::RemoveAt(aKey, &value)) {
        L_ERROR("Remove failure.");
        return false;
    }
    *aOut = Separate(static_cast<LPropertyEntry*>(value));
    if (!*aOut) {
        L_ERROR("Remove failure.");
        return false;
    }
    return true;
}

bool LPropertyList::RemoveAt(int aPosition, LPropertyEntry** aOut)
{
    if (!aOut || *aOut) {
        L_ERROR("Invalid args.");
        return false;
    }
    if (aPosition < 0 || aPosition >= GetCount()) {
        L_WARNING("Index out of bounds.");
        return false;
    }
    return Remove(GetKeyAt(aPosition), aOut);
}

bool LPropertyList::RemoveList(const LString& aPath, LPropertyList** aOut)
{
    LString last;
    LPropertyList* list = const_cast<LPropertyList*>(Walk(aPath, last));
    const LPropertyEntry* found = list ? list->FindEntry(last) : nullptr;
    if (!found || !found->mIsList || (aOut && *aOut)) {
        L_ERROR("RemoveList failure.");
        return false;
    }
    void* value = nullptr;
    if (!list->LHashKeyList::RemoveAt(last, &value)) {
        L_ERROR("RemoveList failure.");
        return false;
    }
    LPropertyEntry* entry = static_cast<LPropertyEntry*>(value);
    if (aOut) {
        *aOut = entry->GetList();
    } else {
        entry->DeleteValue();
    }
    delete entry;
    return true;
}

bool LPropertyList::RemoveProperty(const LString& aPath, LString** aOut)
{
    LString last;
    LPropertyList* list = const_cast<LPropertyList*>(Walk(aPath, last));
    const LPropertyEntry* found = list ? list->FindEntry(last) : nullptr;
    // A nested list is not a property: it stays in the tree.
    if (!found || found->mIsList || !aOut || *aOut) {
        L_ERROR("RemoveProperty failure.");
        return false;
    }
    void* value = nullptr;
    if (!list->LHashKeyList::RemoveAt(last, &value)) {
        L_ERROR("RemoveProperty failure.");
        return false;
    }
    LPropertyEntry* entry = Separate(static_cast<LPropertyEntry*>(value));
    if (!entry) {
        L_ERROR("RemoveProperty failure.");
        return false;
    }
    *aOut = entry->GetString();
    delete entry;
    return true;
}
