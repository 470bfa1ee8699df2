#include "menu/GMSaveIndexFile.h"

#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

#include <climits>

namespace {

const char* const kTimestamp = "Not yet implemented";
const char* const kNoThumbnail = "none";

LString EntryKey(int aNumber)
{
    return LString("game") + aNumber;
}

// The text of a string state, or false when it is missing or holds no text.
bool TextState(const char* aId, LString& aOut)
{
    LStateManager* states = LStateManager::Get();
    const LIState* state = states != nullptr ? states->GetState(LString(aId)) : nullptr;
    if (state == nullptr || state->GetType() != LIState::TYPE_STRING || state->GetValue() == nullptr) {
        return false;
    }
    aOut = *static_cast<const LString*>(state->GetValue());
    return true;
}

// A nested list of aList by its key (one level: ids may hold dots), or null.
const LPropertyList* Child(const LPropertyList* aList, const LString& aKey)
{
    const int at = aList != nullptr && !aKey.IsEmpty() ? aList->IndexOf(aKey) : -1;
    return at >= 0 ? aList->GetListAt(at) : nullptr;
}

// The description and thumbnail name of the entry aKey (a missing value reads as empty,
// a name that could leave the thumbnail folder as "none"); false when there is no entry.
bool ReadEntry(const LPropertyList* aList, const LString& aKey, LString& aDescription, LString& aThumbnail)
{
    const LPropertyList* entry = Child(aList, aKey);
    if (entry == nullptr) {
        return false;
    }
    bool found = false;
    aDescription = entry->GetString(LString("description"), found);
    aThumbnail = entry->GetString(LString("thumbnail"), found);
    if (!LIFileSystem::IsSafeName(aThumbnail)) {
        L_WARNING(LString("Thumbnail name refused: ") + aThumbnail);
        aThumbnail = kNoThumbnail;
    }
    return true;
}

// Each character as its low byte. A line break would end the line and start a new entry
// of the index, so it is stored as a blank.
bool WriteText(LMemoryStream& aStream, const LString& aText)
{
    bool ok = true;
    for (int i = 0; i < aText.GetLength(); ++i) {
        const char16_t unit = aText.At(i);
        const unsigned char byte = unit == u'\r' || unit == u'\n' ? ' ' : static_cast<unsigned char>(unit & 0xFF);
        ok = aStream.WriteBytes(1, &byte) && ok;
    }
    return ok;
}

bool WriteLine(LMemoryStream& aStream, const char* aHead, const LString& aValue)
{
    bool ok = aStream.WriteBytes(static_cast<int>(LString(aHead).GetLength()), aHead);
    ok = WriteText(aStream, aValue) && ok;
    return aStream.WriteBytes(2, "\r\n") && ok;
}

bool WriteEntry(LMemoryStream& aStream, int aNumber, const LString& aDescription, const LString& aThumbnail)
{
    bool ok = WriteLine(aStream, "", EntryKey(aNumber));
    ok = WriteLine(aStream, "\tdescription=", aDescription) && ok;
    ok = WriteLine(aStream, "\ttimestamp=", LString(kTimestamp)) && ok;
    return WriteLine(aStream, "\tthumbnail=", aThumbnail) && ok;
}

} // namespace

const LString& GMSaveIndexFile::GetFilePath()
{
    static const LString sPath("//dataroot/game/.filelist");
    return sPath;
}

LString GMSaveIndexFile::GetSavePath(int aNumber)
{
    return LString("//dataroot/game/game") + aNumber + ".dat";
}

const LString& GMSaveIndexFile::GetThumbnailTablePath()
{
    static const LString sPath("//textures/menu/thumbnails/thumbs.txt");
    return sPath;
}

GMSaveIndexFile::GMSaveIndexFile() : mList(L_NEW LPropertyList())
{
}

GMSaveIndexFile::~GMSaveIndexFile()
{
    delete mList;
}

LString GMSaveIndexFile::Dump() const
{
    return DumpHead("GMSaveIndexFile") + "]";
}

bool GMSaveIndexFile::Load()
{
    if (mList == nullptr) {
        L_ERROR("Load failure. No index.");
        return false;
    }
    mUnreadable = false;
    LIFileSystem* files = LIFileSystem::Get();
    if (files == nullptr || !files->PathExists(GetFilePath(), true)) {
        mList->Parse(LString());
        return true;
    }
    LMemoryStream bytes(0, LMemoryStream::GROW_DOUBLE);
    if (!bytes.CreateFromFile(GetFilePath(), true)) {
        L_ERROR(LString("Unable to read the saved games' index: ") + GetFilePath());
        mList->Parse(LString());
        mUnreadable = true;
        return false;
    }
    return Parse(reinterpret_cast<const char*>(bytes.GetBuffer()), bytes.GetCapacity());
}

bool GMSaveIndexFile::Parse(const char* aBytes, int aLength)
{
    if (mList == nullptr) {
        return false;
    }
    if (aBytes == nullptr || aLength <= 0) {
        return mList->Parse(LString());
    }
    return mList->Parse(aBytes, aLength);
}

int GMSaveIndexFile::ListSaves(LVectorString* aKeys, LVectorString* aDescriptions, LVectorString* aThumbnails) const
{
    const int count = mList != nullptr ? mList->GetCount() : 0;
    int listed = 0;
    for (int number = 1; number <= count; ++number) {
        const LString key = EntryKey(number);
        LString description;
        LString thumbnail;
        if (!ReadEntry(mList, key, description, thumbnail)) {
            break;
        }
        if (aKeys != nullptr) {
            aKeys->Add(key);
        }
        if (aDescriptions != nullptr) {
            aDescriptions->Add(description);
        }
        if (aThumbnails != nullptr) {
            aThumbnails->Add(thumbnail);
        }
        ++listed;
    }
    return listed;
}

int GMSaveIndexFile::GetNextNumber() const
{
    // A save file that the index does not list (the index damaged or lost, or not written
    // after its save) is a saved game all the same: the number goes past every one.
    LIFileSystem* files = LIFileSystem::Get();
    if (files == nullptr) {
        L_ERROR("GetNextNumber failure. No file system to find a free number.");
        return 0;
    }
    for (int number = ListSaves(nullptr, nullptr, nullptr) + 1; number > 0 && number < INT_MAX; ++number) {
        if (!files->PathExists(GetSavePath(number), true)) {
            return number;
        }
    }
    L_ERROR("GetNextNumber failure. No number is free.");
    return 0;
}

bool GMSaveIndexFile::Write(const LString& aDescription, const LString& aThumbnail)
{
    const int number = GetNextNumber();
    return number > 0 && Write(number, aDescription, aThumbnail);
}

bool GMSaveIndexFile::Write(int aNumber, const LString& aDescription, const LString& aThumbnail)
{
    if (mUnreadable) {
        L_ERROR(LString("Write failure. The index could not be read: ") + GetFilePath());
        return false;
    }
    if (aNumber <= ListSaves(nullptr, nullptr, nullptr)) {
        L_ERROR(LString("Write failure. The number is not a new save's: ") + aNumber);
        return false;
    }
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    bool ok = true;
    for (int number = 1; number < aNumber; ++number) {
        // The listed entries as they stand; a save file past them keeps what the index
        // still says of it, or is named by its key.
        const LString key = EntryKey(number);
        LString description;
        LString thumbnail;
        if (!ReadEntry(mList, key, description, thumbnail)) {
            description = key;
        }
        ok = WriteEntry(stream, number, description, thumbnail.IsEmpty() ? LString(kNoThumbnail) : thumbnail) && ok;
    }
    ok = WriteEntry(stream, aNumber, aDescription, aThumbnail) && ok;
    if (!ok || !LFileStream::WriteBytesToFile(stream.GetPosition(), stream.GetBuffer(), GetFilePath(), true)) {
        L_ERROR("Error opening .filelist file during save");
        return false;
    }
    return Parse(reinterpret_cast<const char*>(stream.GetBuffer()), stream.GetPosition());
}

LString GMSaveIndexFile::PickThumbnail()
{
    LPropertyList table;
    if (!table.Load(GetThumbnailTablePath(), true)) {
        return LString(kNoThumbnail);
    }
    return PickThumbnail(&table);
}

LString GMSaveIndexFile::PickThumbnail(const LPropertyList* aTable)
{
    LString scene;
    if (aTable == nullptr || !TextState("sta_currentscene", scene)) {
        return LString(kNoThumbnail);
    }
    LString caseKey("allCases");
    LString location = scene;
    if (scene.GetLength() >= 4 && scene.Mid(0, 4, 0).EqualsNoCase(u"case")) {
        const int slash = scene.Find(u"/", 0);
        caseKey = slash >= 0 ? scene.Mid(0, slash, 0) : scene;
        location = slash >= 0 ? scene.Mid(slash + 1, scene.GetLength() - slash - 1, 0) : LString();
    }
    const LPropertyList* locationList = Child(Child(aTable, caseKey), location);
    LString viewpoint;
    const LPropertyList* viewpointList = TextState("sta_currentviewpoint", viewpoint) ? Child(locationList, viewpoint) : nullptr;
    bool found = false;
    const LString image = viewpointList != nullptr ? viewpointList->GetString(LString("image"), found) : LString();
    return found && !image.IsEmpty() ? image : LString(kNoThumbnail);
}
