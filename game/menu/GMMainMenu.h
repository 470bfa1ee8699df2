// The title screen: a full-screen background with a column of menu buttons over looping
// title music. The intro hands over to it, the game brings it up whenever the state
// "sta_mainmenu_active" becomes true, and the front-end screens return to it. From it the
// player starts a new game, resumes the game under it, opens the load, save, options and
// credits screens, or quits.
//
// The display is built from "//textures/menu/main_menu_layout.txt" on every OnShow and
// deleted in OnHidden. The music outlives a hidden menu (it plays on under the load, save
// and options screens, following the options' volume knob while it is dragged) and stops
// when a game starts, is resumed or loaded, when the credits start, and on quit.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LIKeyboardListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"
#include "ui/GMIMessageBoxListener.h"
#include "ui/GMIScreenFaderListener.h"

class GMMenuButton;
class LDisplayGroup;
class LISoundPlayer;

class GMMainMenu : public GMIScreen,
                   public LBase,
                   public LIButtonListener,
                   public GMIScreenFaderListener,
                   public LIStateListener,
                   public LIKeyboardListener,
                   public GMIMessageBoxListener
{
public:
    static constexpr float kButtonsZ = 10.0f;
    static constexpr float kParkX = 900.0f;
    static constexpr float kParkY = 0.0f;

    // The menu, made on first use (its state listener registered) and registered with
    // the game cleaner; null when it cannot be made (logged) and after the cleaner has
    // deleted it.
    static GMMainMenu* GetInstance();
    // The menu if it exists; never makes it.
    static GMMainMenu* Peek();

    GMMainMenu();
    GMMainMenu(const GMMainMenu&) = delete;
    GMMainMenu& operator=(const GMMainMenu&) = delete;
    ~GMMainMenu() override;

    LString Dump() const override;

    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;

    void OnButton(const LString& aId, int aEvent) override;
    void OnFade(int aEvent) override;
    void OnStateChanged(LIState* aState) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnMessageBoxReply(const LString& aId, int aAnswer) override;

    // The title music stopped and forgotten.
    void StopTheme();

    LISoundPlayer* GetTheme() const { return mTheme; }
    LDisplayGroup* GetDisplay() const { return mDisplay; }
    // The button of an id while the menu is shown, or null.
    GMMenuButton* GetButton(const LString& aId) const;
    // Between the new game's click and the end of its fade-out.
    bool IsStartingNewGame() const { return mStartingNewGame; }

private:
    void BuildDisplay();
    void DeleteDisplay();
    void StartTheme();
    bool IsBottomScreen();
    void ResumeGame();
    void AskQuit();
    void StartNewGame();
    static void InterruptMouse();

    LISoundPlayer* mTheme = nullptr;
    LDisplayGroup* mDisplay = nullptr;
    LDisplayGroup* mButtons = nullptr;
    bool mInKeyboard = false;
    bool mStartingNewGame = false;
};
