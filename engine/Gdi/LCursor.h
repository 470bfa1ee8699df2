// The software mouse cursor: a display group far above every other 2-D object ("cursorgroup",
// relative z 10000) whose origin follows the mouse, holding one display object per cursor
// state, of which SetState shows one. The hot spot of a cursor image is given by its
// object's own position or center inside the group. The cursor hears the mouse at
// priority -1000, before the ordinary listeners.
#pragma once
#include "Input/LIMouseListener.h"
#include "object/LBase.h"

class LDisplayGroup;
class LHashKeyList;
class LIDisplayObject;

class LCursor : public LBase, public LIMouseListener
{
public:
    // The cursor, made on first use and deleted by the cleaner at exit.
    static LCursor* Get();

    LCursor();
    LCursor(const LCursor&) = delete;
    LCursor& operator=(const LCursor&) = delete;
    ~LCursor() override;

    LString Dump() const override;

    // The group takes ownership of the object; on failure (null, an id already used, an
    // object the group refuses) nothing is added and the caller keeps it.
    int AddState(const LString& aId, LIDisplayObject* aObject);
    // Takes the state's object out of the cursor without deleting it; aOut is optional.
    int RemoveState(const LString& aId, LIDisplayObject** aOut);
    // Shows the object of aId and hides every other state.
    int SetState(const LString& aId);
    // A change shows or hides the whole cursor and moves it to the mouse.
    void SetVisible(bool aVisible);
    bool GetVisible() const { return mVisible; }
    void SetRelativeZ(float aZ);

    LDisplayGroup* GetGroup() const { return mGroup; }

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

private:
    // The cursor group, which tells the cursor when someone else deletes it (the display
    // manager's root, when the cleaner deletes the manager first at exit).
    class Group;

    LHashKeyList* mStates = nullptr;
    LDisplayGroup* mGroup = nullptr;
    bool mVisible = false;
};
