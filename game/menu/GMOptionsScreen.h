// The options screen: the skill level as a choice of three buttons, six on/off toggles
// and the music volume as a knob dragged along a slider. Opened from the main menu's
// "options" button. "save" stores what is shown and writes the options file; "back"
// stores nothing. While the knob is dragged the title music follows it at once.
//
// The knob runs from x = 340 (volume 0.0) to x = 655 (volume 1.0).
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "object/LBase.h"

class GMMenuButton;
class GMOptionToggle;
class LDisplayGroup;
class LIDisplayObject;

class GMOptionsScreen : public LBase, public GMIScreen, public LIButtonListener, public LIMouseListener
{
public:
    static constexpr float kKnobLeft = 340.0f;
    static constexpr float kKnobRight = 655.0f;
    enum { TOGGLE_COUNT = 6 };

    // Sets the title music's volume while the knob is dragged.
    using TitleMusicVolume = void (*)(float aVolume);

    // The screen, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMOptionsScreen* GetInstance();
    // The title music's volume setter (the main menu sets it while it exists).
    static void SetTitleMusicVolume(TitleMusicVolume aSetter);

    GMOptionsScreen();
    GMOptionsScreen(const GMOptionsScreen&) = delete;
    GMOptionsScreen& operator=(const GMOptionsScreen&) = delete;
    ~GMOptionsScreen() override;

    LString Dump() const override;

    void OnLeave() override {}
    void OnHidden() override;
    void OnShow() override;

    void OnButton(const LString& aId, int aEvent) override;
    // A press on the knob starts a drag, a move drags, a release ends it.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    // The volume the knob shows: (x - 340) / 315.
    float GetKnobVolume() const;
    int GetSkill() const { return mSkill; }
    GMOptionToggle* GetToggle(int aIndex) const;
    GMMenuButton* GetSkillButton(int aSkill) const;
    LIDisplayObject* GetKnob() const { return mKnob; }
    LDisplayGroup* GetDisplay() const { return mDisplay; }
    bool IsDragging() const { return mDragging; }

private:
    void SelectSkill(int aSkill);
    void Store();
    void Leave();
    void DeleteDisplay();
    void ListenToMouse(bool aOn);

    LDisplayGroup* mDisplay = nullptr;
    GMMenuButton* mSkillButtons[3] = {};
    int mSkill = 0;
    GMOptionToggle* mToggles[TOGGLE_COUNT] = {};
    LIDisplayObject* mKnob = nullptr;
    bool mDragging = false;
    bool mInMouse = false;
};
