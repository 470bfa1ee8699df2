// The index of the saved games, "//dataroot/game/.filelist": one entry "game" + N per
// saved game, numbered from 1, each with its description, a timestamp that always reads
// "Not yet implemented" and the name of its thumbnail picture (a file below
// "//textures/menu/thumbnails/", or "none"). Entry "game" + N names the save file
// "//dataroot/game/game" + N + ".dat".
//
// The file is 8-bit text (each character stored as its low byte) with CR LF line ends.
// Reading stops at the first missing number: the entries after a gap are not listed, and
// the next save renumbers the listed ones from 1 and drops the rest from the index (their
// save files stay on disk).
//
// A new save never takes the number of a save file that exists, listed or not (an index
// damaged, lost or not written after its save): it goes past them, and the index lists
// each one it passed as an entry of its own, so they load again.
//
// The object holds the index as it was read when a save or load screen was built; Write
// replaces the file through a temporary file, so a failure leaves the old index in place.
#pragma once
#include "object/LBase.h"

class LPropertyList;
class LString;
class LVectorString;

class GMSaveIndexFile : public LBase
{
public:
    // "//dataroot/game/.filelist".
    static const LString& GetFilePath();
    // "//dataroot/game/game" + aNumber + ".dat".
    static LString GetSavePath(int aNumber);
    // "//textures/menu/thumbnails/thumbs.txt".
    static const LString& GetThumbnailTablePath();

    GMSaveIndexFile();
    GMSaveIndexFile(const GMSaveIndexFile&) = delete;
    GMSaveIndexFile& operator=(const GMSaveIndexFile&) = delete;
    ~GMSaveIndexFile() override;

    LString Dump() const override;

    // Reads the index file. A missing file is an empty index (true); one that exists but
    // cannot be read leaves the index empty and unreadable, and gives false (logged).
    bool Load();
    // Whether the last Load found the file but could not read it: no save may then be
    // numbered or written after this index, which would cost the saves it lists.
    bool IsUnreadable() const { return mUnreadable; }
    // The index from the file's bytes.
    bool Parse(const char* aBytes, int aLength);

    // The listed entries in order, up to the first gap: their keys ("game" + N), the
    // descriptions and the thumbnail names (a missing value reads as empty; a name that
    // could leave the thumbnail folder reads as "none"). Each output may be null; the
    // result is the number of entries.
    int ListSaves(LVectorString* aKeys, LVectorString* aDescriptions, LVectorString* aThumbnails) const;
    // The number the next save takes: from the listed entries plus one, the first whose
    // save file does not exist (asked of the file system). 0 (logged) when none can be had.
    int GetNextNumber() const;

    // Writes the listed entries renumbered from 1, an entry for each number after them
    // below aNumber (with what this index still holds under that key, or the key as its
    // description and "none"), then the new save's entry aNumber with the description as
    // typed and aThumbnail. On success the object holds what was written. False when the
    // file cannot be written: "Error opening .filelist file during save" is logged and the
    // old file and this object stay as they were. An unreadable index, and a number of a
    // listed entry, are never written (false, logged).
    bool Write(int aNumber, const LString& aDescription, const LString& aThumbnail);
    // The same with the number GetNextNumber gives.
    bool Write(const LString& aDescription, const LString& aThumbnail);

    // The thumbnail for a save made now: from the thumbnail table by the case of
    // "sta_currentscene" ("allCases" for a location outside the cases), its location
    // and "sta_currentviewpoint"; "none" when any of them is missing.
    static LString PickThumbnail();
    // The same over a table already read.
    static LString PickThumbnail(const LPropertyList* aTable);

private:
    LPropertyList* mList = nullptr;
    bool mUnreadable = false;
};
