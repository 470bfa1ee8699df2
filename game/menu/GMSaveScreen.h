// The save screen: the player types a description of the game in progress into the save
// field, sees a thumbnail of the present place, and saves the game or leaves. Opened from
// the main menu's "save_game" button; "cancel" goes back, every other button saves.
//
// The index of saved games is read when the screen is shown (an empty index file is
// created on a fresh installation) and kept until the save is made, which appends the
// new game after the listed ones. A description that is empty after trailing blanks,
// tabs, CR and LF is refused; the text is saved as typed. A save that fails keeps the
// screen open.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "container/LString.h"
#include "object/LBase.h"

class GMSaveField;
class GMSaveIndexFile;
class LDisplayGroup;

class GMSaveScreen : public GMIScreen, public LBase, public LIButtonListener
{
public:
    // The screen, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMSaveScreen* GetInstance();

    GMSaveScreen();
    GMSaveScreen(const GMSaveScreen&) = delete;
    GMSaveScreen& operator=(const GMSaveScreen&) = delete;
    ~GMSaveScreen() override;

    LString Dump() const override;

    void OnLeave() override {}
    void OnHidden() override;
    void OnShow() override;

    void OnButton(const LString& aId, int aEvent) override;

    // Whether a description holds nothing but trailing blanks, tabs, CR and LF.
    static bool IsBlank(const LString& aDescription);

    LDisplayGroup* GetDisplay() const { return mDisplay; }
    GMSaveField* GetField() const { return mField; }
    GMSaveIndexFile* GetIndex() const { return mIndex; }
    const LString& GetThumbnail() const { return mThumbnail; }

private:
    void DeleteDisplay();
    void LoadIndex();
    void AddThumbnail();

    LDisplayGroup* mDisplay = nullptr;
    GMSaveField* mField = nullptr;
    GMSaveIndexFile* mIndex = nullptr;
    LString mThumbnail;
    // Set once a save has been made or "cancel" accepted, until the screen is shown
    // again: a second click during the fade-out does nothing.
    bool mLeaving = false;
};
