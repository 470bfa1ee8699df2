// The game's cursor: sixteen cursor types over the engine's image cursor, which shows one
// of its named states at the mouse position. Every cursor image is loaded when the cursor
// is made: the named cursors of "cursors.txt" and "cursors_dir.txt", one cursor per
// inventory item (named by the item's id, its hot spot in the middle of the picture), and
// the highlight ring of "icon_cursors.txt", all under "//textures/".
//
// The part that sets a cursor owns it, and only that part (or anyone passing an empty id)
// can release it back to the default type; so a hotspot's roll-over cursor is not cleared
// by another hotspot the mouse leaves. An item cursor becomes the default type, so every
// release returns to the item in the player's hand. Type 14 shows the item cursor with the
// highlight ring, which follows the mouse and is drawn above a fade to black.
#pragma once
#include "Input/LIMouseListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"

class LCursor;
class LSprite;

using GMCursorType = int;

class GMCursor : public LBase, public LIMouseListener
{
public:
    static constexpr GMCursorType TYPE_DEFAULT = 0;
    static constexpr GMCursorType TYPE_HAND = 1;
    static constexpr GMCursorType TYPE_ROLLOVER = 2;
    static constexpr GMCursorType TYPE_CROSSHAIR = 3;
    static constexpr GMCursorType TYPE_TARGET = 4;
    static constexpr GMCursorType TYPE_GO_LEFT = 5;
    static constexpr GMCursorType TYPE_GO_BOTTOMRIGHT = 12;
    static constexpr GMCursorType TYPE_ITEM = 13;
    static constexpr GMCursorType TYPE_ITEM_HILIGHT = 14;
    static constexpr GMCursorType TYPE_EMPTY = 15;
    static constexpr GMCursorType TYPE_COUNT = 16;

    // The cursor, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged).
    static GMCursor* GetInstance();
    // The engine cursor state shown for aType ("default", "hand", ... "empty"); empty for
    // the item types and for a type outside the table.
    static LString GetStateName(GMCursorType aType);
    // The type whose state is named aName (exact comparison); -1 when none is.
    static GMCursorType FindType(const LString& aName);

    // Loads every cursor image (a file or entry that cannot be read is logged and left out)
    // and shows nothing yet: the application sets the first cursor.
    GMCursor();
    GMCursor(const GMCursor&) = delete;
    GMCursor& operator=(const GMCursor&) = delete;
    // Stops following the mouse, shows the engine cursor, and takes the images this cursor
    // loaded out of the engine cursor again.
    ~GMCursor() override;

    LString Dump() const override;

    // Shows aType and makes aOwner its owner. A type outside the table, or a state the
    // engine cursor does not hold, is logged and changes nothing (false).
    bool SetCursor(GMCursorType aType, const LString& aOwner);
    // Returns to the default type when aOwner is empty or owns the cursor (exact
    // comparison); false and nothing done for another owner.
    bool ReleaseCursor(const LString& aOwner);
    // The type the next release shows.
    void SetDefaultCursor(GMCursorType aType);
    // Makes the item the cursor at once and the default of every later release.
    bool SetItemCursor(const LString& aItemId);
    // The id of the item shown as the cursor (the whole id, with any lab suffix).
    LString GetItemCursor() const { return mItemCursor; }
    void SetVisible(bool aVisible);
    void SetHilight(bool aOn);

    GMCursorType GetType() const { return mType; }
    GMCursorType GetDefaultType() const { return mDefaultType; }
    const LString& GetOwner() const { return mOwner; }
    bool GetHilight() const { return mHilightOn; }
    LSprite* GetHilightSprite() const { return mHilight; }
    // The engine cursor underneath, whose mouse handling the scene passes moves on to.
    LCursor* GetEngineCursor() const { return mCursor; }

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

private:
    bool LoadCursorList(const LString& aFileName);
    void LoadItemCursors();
    void LoadHilight();
    // Adds the sprite as an engine cursor state and remembers its id; a refused sprite is
    // deleted.
    bool AddState(LSprite* aSprite);

    LCursor* mCursor = nullptr;
    GMCursorType mType = TYPE_DEFAULT;
    GMCursorType mDefaultType = TYPE_DEFAULT;
    LString mItemCursor;
    bool mVisible = false;
    LSprite* mHilight = nullptr;
    bool mHilightOn = false;
    LString mOwner;
    // The engine cursor states this cursor added.
    LVectorString mStateIds;
};
