#include "menu/GMOptionsScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMenuButton.h"
#include "menu/GMMenuLayout.h"
#include "menu/GMOptionToggle.h"
#include "stdlib/LLog.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "util/GMTextureRoot.h"

namespace {
GMSingleton<GMOptionsScreen> sOptionsScreen;
GMOptionsScreen::TitleMusicVolume sTitleMusicVolume = nullptr;

constexpr int kClicked = 4;
constexpr float kButtonsZ = 10.0f;
const char* const kSkillIds[] = {"easy", "medium", "hard"};

float Clamp(float aX)
{
    return aX < GMOptionsScreen::kKnobLeft    ? GMOptionsScreen::kKnobLeft
           : aX > GMOptionsScreen::kKnobRight ? GMOptionsScreen::kKnobRight
                                              : aX;
}
} // namespace

GMOptionsScreen* GMOptionsScreen::GetInstance()
{
    return sOptionsScreen.Get(L_FILE, __LINE__, "GMOptionsScreen creation failure.");
}

void GMOptionsScreen::SetTitleMusicVolume(TitleMusicVolume aSetter)
{
    sTitleMusicVolume = aSetter;
}

GMOptionsScreen::GMOptionsScreen() = default;

GMOptionsScreen::~GMOptionsScreen()
{
    sOptionsScreen.Destroyed(this);
    DeleteDisplay();
}

LString GMOptionsScreen::Dump() const
{
    return DumpHead("GMOptionsScreen") + "]";
}

GMOptionToggle* GMOptionsScreen::GetToggle(int aIndex) const
{
    return aIndex >= 0 && aIndex < TOGGLE_COUNT ? mToggles[aIndex] : nullptr;
}

GMMenuButton* GMOptionsScreen::GetSkillButton(int aSkill) const
{
    return aSkill >= 0 && aSkill < 3 ? mSkillButtons[aSkill] : nullptr;
}

void GMOptionsScreen::ListenToMouse(bool aOn)
{
    GMMenuLayout::ListenToMouse(this, aOn, &mInMouse);
}

void GMOptionsScreen::OnShow()
{
    DeleteDisplay();
    GMOptions* options = GMOptions::GetInstance();
    {
        GMTextureRoot root(LString("//textures/menu"));
        mDisplay = L_NEW LDisplayGroup();
        if (mDisplay == nullptr) {
            L_ERROR("Options screen display not made.");
            return;
        }
        mDisplay->SetId(LString("optionsscreen_layout"));
        LPropertyList layout;
        if (!layout.Load(LString("//textures/menu/options_screen_layout.txt"), true)) {
            L_ASSERT_FAILURE("Options screen layout not loaded.");
        }
        GMMenuLayout::BuildGroup(&layout, "groups.g01-background", mDisplay);
        GMMenuLayout::BuildButtons(&layout, "groups.g02-buttons", "options_buttons", kButtonsZ, this, mDisplay);
        LDisplayGroup* skills =
            GMMenuLayout::BuildButtons(&layout, "groups.g03-skill_buttons", "skill_buttons", kButtonsZ, this, mDisplay);
        for (int skill = 0; skill < 3 && skills != nullptr; ++skill) {
            mSkillButtons[skill] = dynamic_cast<GMMenuButton*>(skills->GetMember(LString(kSkillIds[skill])));
        }
        SelectSkill(options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM);

        LPropertyList* toggles = layout.GetList(LString("groups.g04-option_toggles"));
        for (int i = 0; i < TOGGLE_COUNT; ++i) {
            LPropertyList* entry = toggles != nullptr && i < toggles->GetCount() ? toggles->GetListAt(i) : nullptr;
            GMOptionToggle* toggle = entry != nullptr ? L_NEW GMOptionToggle() : nullptr;
            if (toggle == nullptr || !toggle->Create(entry, mDisplay)) {
                L_ERROR(LString("Options screen: toggle ") + i + " not made.");
                delete toggle;
                continue;
            }
            mToggles[i] = toggle;
            toggle->SetValue(options != nullptr && options->GetToggle(i) != 0 ? 1 : 0);
        }

        LSprite* knob = LLayoutBuilder::BuildSprite(layout.GetList(LString("groups.g05-audio_slider")));
        if (knob == nullptr) {
            L_ERROR("Options screen: the volume knob not made.");
        } else if (GMMenuLayout::Adopt(mDisplay, knob)) {
            mKnob = knob;
            const float volume = options != nullptr ? options->mVolume : 1.0f;
            knob->SetPosition(Clamp(kKnobLeft + volume * (kKnobRight - kKnobLeft)), knob->GetLocalPosition().y);
        }
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(mDisplay)) {
        L_ERROR("Options screen display not shown.");
    }
    ListenToMouse(true);
}

void GMOptionsScreen::OnHidden()
{
    DeleteDisplay();
}

void GMOptionsScreen::DeleteDisplay()
{
    ListenToMouse(false);
    mDragging = false;
    mKnob = nullptr;
    for (GMMenuButton*& button : mSkillButtons) {
        button = nullptr;
    }
    // The display goes first: its buttons tell the toggles of their clicks.
    GMMenuLayout::DeleteDisplay(mDisplay);
    for (GMOptionToggle*& toggle : mToggles) {
        delete toggle;
        toggle = nullptr;
    }
}

void GMOptionsScreen::SelectSkill(int aSkill)
{
    mSkill = aSkill;
    for (int skill = 0; skill < 3; ++skill) {
        if (mSkillButtons[skill] != nullptr) {
            mSkillButtons[skill]->SetSelected(skill == aSkill);
        }
    }
}

float GMOptionsScreen::GetKnobVolume() const
{
    if (mKnob == nullptr) {
        GMOptions* options = GMOptions::GetInstance();
        return options != nullptr ? options->mVolume : 1.0f;
    }
    return (Clamp(mKnob->GetLocalPosition().x) - kKnobLeft) / (kKnobRight - kKnobLeft);
}

void GMOptionsScreen::Store()
{
    GMOptions* options = GMOptions::GetInstance();
    if (options == nullptr) {
        return;
    }
    options->SetSkill(mSkill);
    for (int i = 0; i < TOGGLE_COUNT; ++i) {
        options->SetToggle(i, mToggles[i] != nullptr && mToggles[i]->mValue != 0 ? 1 : 0);
    }
    options->mVolume = GetKnobVolume();
    if (!options->Save()) {
        L_ERROR("Options screen: the options file was not written.");
    }
}

void GMOptionsScreen::Leave()
{
    // Left while the options still fade in: the pop waits for that change.
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->PopFadeWhenIdle(this);
    }
}

void GMOptionsScreen::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != kClicked) {
        return;
    }
    for (int skill = 0; skill < 3; ++skill) {
        if (GMMenuLayout::IsId(aId, kSkillIds[skill])) {
            SelectSkill(skill);
        }
    }
    if (GMMenuLayout::IsId(aId, "back")) {
        Leave();
    } else if (GMMenuLayout::IsId(aId, "save")) {
        Store();
        Leave();
    }
    GMMenuLayout::InterruptMouse();
}

void GMOptionsScreen::OnButtonDown(int /*aButton*/)
{
    LVector2 position(0.0f, 0.0f);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->GetPosition(position);
    }
    if (mKnob != nullptr && mKnob->HitTest(position)) {
        mDragging = true;
    }
}

void GMOptionsScreen::OnMove(const LVector2& aPosition)
{
    if (!mDragging || mKnob == nullptr) {
        return;
    }
    const float x = Clamp(aPosition.x);
    mKnob->SetPosition(x, mKnob->GetLocalPosition().y);
    if (sTitleMusicVolume != nullptr) {
        sTitleMusicVolume((x - kKnobLeft) / (kKnobRight - kKnobLeft));
    }
}

void GMOptionsScreen::OnButtonUp(int /*aButton*/)
{
    mDragging = false;
}
