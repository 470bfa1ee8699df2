// The load screen: the saved games as a grid of six slots, each a thumbnail with the
// game's description, scrolled three at a time. A click (button 1) on a filled slot
// selects it; "load" loads the selected game and, at black, puts the player back in the
// saved place; "cancel" goes back to the main menu. Opened from the main menu's
// "load_game" button.
//
// Every listed save has exactly one grid entry, with or without a picture (a missing
// picture shows the default one, and when even that cannot be loaded the slot shows only
// the description). The scroll position is kept from one visit to the next. Once "load"
// or "cancel" has been accepted neither acts again, unless the load fails: the game then
// stays as it was and the screen takes the mouse again.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "ui/GMIScreenFaderListener.h"

#include <vector>

class GMSaveIndexFile;
class LDisplayGroup;
class LPolygon;
class LPropertyList;
class LSprite;
class LTextArea;

class GMLoadScreen : public GMIScreen,
                     public LBase,
                     public LIButtonListener,
                     public LIMouseListener,
                     public GMIScreenFaderListener
{
public:
    enum { SLOT_COUNT = 6, SCROLL_STEP = 3 };

    // The screen, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMLoadScreen* GetInstance();

    GMLoadScreen();
    GMLoadScreen(const GMLoadScreen&) = delete;
    GMLoadScreen& operator=(const GMLoadScreen&) = delete;
    // Leaves the mouse and the fader; deletes the display, the click areas and the index.
    ~GMLoadScreen() override;

    LString Dump() const override;

    void OnLeave() override {}
    void OnHidden() override;
    void OnShow() override;

    void OnButton(const LString& aId, int aEvent) override;
    // Button 1 selects the filled slot under the mouse.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    // At black after a load: the player placed in the saved game.
    void OnFade(int aEvent) override;

    // Shows the saves from the first shown one in the six slots.
    void ScrollList();

    // One listed save.
    struct Entry
    {
        LString mKey;
        LString mDescription;
        // Null when no picture could be loaded.
        LSprite* mSprite = nullptr;
    };

    const std::vector<Entry>& GetEntries() const { return mEntries; }
    int GetFirstShown() const { return mFirstShown; }
    int GetSelectedSlot() const { return mSelected; }
    bool IsBusy() const { return mBusy; }
    LDisplayGroup* GetDisplay() const { return mDisplay; }
    LTextArea* GetText(int aSlot) const;
    LSprite* GetBracket(int aSlot) const;

private:
    void Build();
    void BuildBrackets(LPropertyList* aLayout);
    void BuildTexts();
    void BuildEntries();
    void DeleteDisplay();
    void HideBrackets();
    void ListenToMouse(bool aOn);
    void Load();
    void Cancel();

    LDisplayGroup* mDisplay = nullptr;
    GMSaveIndexFile* mIndex = nullptr;
    std::vector<Entry> mEntries;
    LTextArea* mTexts[SLOT_COUNT] = {};
    int mFirstShown = 0;
    LSprite* mBrackets[SLOT_COUNT] = {};
    LPolygon* mAreas[SLOT_COUNT] = {};
    int mSelected = -1;
    bool mBusy = false;
    bool mInMouse = false;
};
