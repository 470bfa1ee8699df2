#include "menu/GMMainMenu.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LIPlatform.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "menu/GMCaseTable.h"
#include "menu/GMCreditsScreen.h"
#include "menu/GMLoadScreen.h"
#include "menu/GMMenuButton.h"
#include "menu/GMOptionsScreen.h"
#include "menu/GMSaveScreen.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPhone.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMMessageBox.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"
#include "menu/GMSaveGameFile.h"
#include "util/GMStateReader.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMMainMenu> sMenu;

constexpr int kClicked = 4;
constexpr int kClockCount = 4;

// The skill's name as the game's scripts read it; empty for a value outside the three.
LString SkillName()
{
    GMOptions* options = GMOptions::GetInstance();
    switch (options != nullptr ? options->GetSkill() : -1) {
    case GMOptions::SKILL_EASY: return LString("easy");
    case GMOptions::SKILL_MEDIUM: return LString("medium");
    case GMOptions::SKILL_HARD: return LString("hard");
    default: return LString();
    }
}

float Volume()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr ? options->mVolume : 1.0f;
}

// Adds a new state record without telling anyone, replacing one of the same id.
void AddQuietState(LStateManager* aStates, const char* aId, int aType, const void* aValue)
{
    LIState* state = L_NEW LIState();
    if (state == nullptr || !state->Set(LString(aId), aType, aValue) || !aStates->AddState(state, false, true)) {
        L_ERROR(LString("State not added: ") + aId);
        delete state;
    }
}

bool NoCase(const LString& aId, const char* aName)
{
    return aId.EqualsNoCase(LString(aName));
}

// One of the screens the menu hands over to, over the menu with a fade.
void PushFade(GMIScreen* aScreen)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (aScreen != nullptr && screens != nullptr) {
        screens->PushFade(aScreen);
    }
}

// The title music as the load's placement and the options' volume knob reach it.
void StopTitleMusic()
{
    if (GMMainMenu* menu = GMMainMenu::Peek()) {
        menu->StopTheme();
    }
}

void SetTitleMusicVolume(float aVolume)
{
    GMMainMenu* menu = GMMainMenu::Peek();
    if (menu != nullptr && menu->GetTheme() != nullptr) {
        menu->GetTheme()->SetVolume(aVolume);
    }
}

} // namespace

GMMainMenu* GMMainMenu::GetInstance()
{
    const bool made = sMenu.Peek() == nullptr && !sMenu.IsDestroyed();
    GMMainMenu* menu = sMenu.Get(L_FILE, __LINE__, "");
    if (made && menu != nullptr) {
        if (LStateManager* states = LStateManager::Get()) {
            states->AddListener(menu, 0.0f);
        }
    }
    return menu;
}

GMMainMenu* GMMainMenu::Peek()
{
    return sMenu.Peek();
}

GMMainMenu::GMMainMenu()
{
    GMSaveGameFile::SetTitleMusicStop(&StopTitleMusic);
    GMOptionsScreen::SetTitleMusicVolume(&SetTitleMusicVolume);
}

GMMainMenu::~GMMainMenu()
{
    sMenu.Destroyed(this);
    GMSaveGameFile::SetTitleMusicStop(nullptr);
    GMOptionsScreen::SetTitleMusicVolume(nullptr);
    if (LStateManager* states = LStateManager::Get()) {
        states->RemoveListener(this);
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    if (mInKeyboard) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mInKeyboard = false;
    }
    DeleteDisplay();
    StopTheme();
}

LString GMMainMenu::Dump() const
{
    return DumpHead("GMMainMenu") + "]";
}

// --- showing ----------------------------------------------------------------------------

void GMMainMenu::OnShow()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    BuildDisplay();
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString());
    }
    StartTheme();
    if (LKeyboard* keyboard = LKeyboard::Get(); keyboard != nullptr && !mInKeyboard) {
        mInKeyboard = keyboard->AddListener(this, 0.0f);
    }
}

void GMMainMenu::OnLeave()
{
    // No button reacts while the picture fades.
    if (mDisplay != nullptr) {
        mDisplay->SetEnabled(false);
    }
}

void GMMainMenu::OnHidden()
{
    if (mInKeyboard) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mInKeyboard = false;
    }
    DeleteDisplay();
}

bool GMMainMenu::IsBottomScreen()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return screens == nullptr || screens->IndexOf(this) <= 0;
}

void GMMainMenu::BuildDisplay()
{
    DeleteDisplay();
    GMTextureRoot root(LString("//textures/menu"));
    LPropertyList layout;
    if (!layout.Load(LString("//textures/menu/main_menu_layout.txt"), true)) {
        L_ERROR("Main menu layout not loaded.");
    }
    mDisplay = L_NEW LDisplayGroup();
    if (mDisplay == nullptr) {
        L_ERROR("Main menu display not made.");
        return;
    }
    mDisplay->SetId(LString("mainmenu_layout"));
    if (LDisplayGroup* background = LLayoutBuilder::BuildGroup(layout.GetList(LString("main_menu.g01-background")), true)) {
        if (!mDisplay->AddMember(background, true)) {
            delete background;
        }
    }
    mButtons = L_NEW LDisplayGroup();
    if (mButtons != nullptr) {
        mButtons->SetId(LString("mainmenu_buttons"));
        mButtons->SetRelativeZ(kButtonsZ);
        LPropertyList* entries = layout.GetList(LString("main_menu.g02-buttons"));
        const bool noCase = GMCaseTable::SelectedCase() < 1;
        const bool bottom = IsBottomScreen();
        for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
            GMMenuButton* button = L_NEW GMMenuButton();
            if (button == nullptr || !button->Create(entries->GetListAt(i), this)) {
                delete button;
                continue;
            }
            if ((noCase && NoCase(button->GetId(), "save_game")) || (bottom && NoCase(button->GetId(), "resume_game"))) {
                button->SetEnabled(false);
            }
            if (!mButtons->AddMember(button, true)) {
                delete button;
            }
        }
        if (!mDisplay->AddMember(mButtons, true)) {
            delete mButtons;
            mButtons = nullptr;
        }
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(mDisplay);
    }
}

void GMMainMenu::DeleteDisplay()
{
    mButtons = nullptr;
    if (mDisplay == nullptr) {
        return;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(mDisplay);
    }
    delete mDisplay;
    mDisplay = nullptr;
}

GMMenuButton* GMMainMenu::GetButton(const LString& aId) const
{
    if (mButtons == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < mButtons->GetMemberCount(); ++i) {
        LIDisplayObject* member = mButtons->GetMemberAt(i);
        if (member != nullptr && member->GetId().EqualsNoCase(aId)) {
            return static_cast<GMMenuButton*>(member);
        }
    }
    return nullptr;
}

// --- the title music --------------------------------------------------------------------

void GMMainMenu::StartTheme()
{
    if (mTheme != nullptr) {
        mTheme->SetVolume(Volume());
        return;
    }
    LISoundManager* sounds = LISoundManager::Get();
    mTheme = sounds != nullptr ? sounds->CreateStream(LString("theme"), LString("//sounds/theme.ogg")) : nullptr;
    if (mTheme == nullptr) {
        // The sound manager has said why; the menu stays silent.
        return;
    }
    mTheme->SetLoop(true);
    mTheme->SetVolume(Volume());
    mTheme->Play();
}

void GMMainMenu::StopTheme()
{
    LISoundPlayer* theme = mTheme;
    mTheme = nullptr;
    if (theme != nullptr) {
        theme->Stop();
        delete theme;
    }
}

// --- buttons ----------------------------------------------------------------------------

void GMMainMenu::InterruptMouse()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

void GMMainMenu::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != kClicked) {
        return;
    }
    if (NoCase(aId, "new_game")) {
        StartNewGame();
    } else if (NoCase(aId, "resume_game")) {
        ResumeGame();
        return;
    } else if (NoCase(aId, "quit")) {
        AskQuit();
    } else if (NoCase(aId, "load_game")) {
        PushFade(GMLoadScreen::GetInstance());
    } else if (NoCase(aId, "save_game")) {
        PushFade(GMSaveScreen::GetInstance());
    } else if (NoCase(aId, "options")) {
        PushFade(GMOptionsScreen::GetInstance());
    } else if (NoCase(aId, "credits")) {
        // The credits play their own music.
        GMScreenManager* screens = GMScreenManager::GetInstance();
        if (screens != nullptr && !screens->IsBusy()) {
            StopTheme();
            PushFade(GMCreditsScreen::GetInstance());
        }
        return;
    } else {
        return;
    }
    InterruptMouse();
}

void GMMainMenu::ResumeGame()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || IsBottomScreen() || screens->IsBusy()) {
        return;
    }
    StopTheme();
    const LString skill = SkillName();
    if (!skill.IsEmpty()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(LString("sta_currentskillsetting"), LString("string"), skill, true);
        }
    }
    GMIScreen* popped = nullptr;
    screens->PopFade(&popped);
    InterruptMouse();
}

void GMMainMenu::AskQuit()
{
    GMMessageBox* box = GMMessageBox::GetInstance();
    if (box == nullptr) {
        return;
    }
    LMouse* mouse = LMouse::Get();
    LVector2 position(0.0f, 0.0f);
    if (mouse != nullptr) {
        mouse->GetPosition(position);
        // No button stays lit under the question.
        mouse->OnMove(LVector2(kParkX, kParkY));
    }
    box->Show(LString("quit"), LString("Do you really want to quit?"), GMMessageBox::BUTTONS_YES_NO, this);
    if (mouse != nullptr) {
        mouse->OnMove(position);
    }
}

void GMMainMenu::OnMessageBoxReply(const LString& aId, int aAnswer)
{
    if (aId != LString("quit") || aAnswer != ANSWER_YES) {
        return;
    }
    StopTheme();
    if (LIPlatform* platform = LIPlatform::Get()) {
        platform->Quit();
    }
    InterruptMouse();
}

void GMMainMenu::OnKeyDown(int)
{
}

void GMMainMenu::OnKeyUp(int)
{
}

// --- the new game -----------------------------------------------------------------------

void GMMainMenu::StartNewGame()
{
    GMScreenFader* fader = GMScreenFader::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (fader == nullptr || mStartingNewGame || (screens != nullptr && screens->IsBusy()) || !fader->SetListener(this)) {
        return;
    }
    // As while leaving: no second click acts during the fade.
    if (mDisplay != nullptr) {
        mDisplay->SetEnabled(false);
    }
    mStartingNewGame = true;
    fader->FadeOut();
}

void GMMainMenu::OnFade(int aEvent)
{
    if (aEvent != LFader::kFinished || !mStartingNewGame) {
        return;
    }
    mStartingNewGame = false;
    StopTheme();
    GMScreenFader* fader = GMScreenFader::Peek();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens != nullptr && screens->GetTop() == this) {
        GMIScreen* popped = nullptr;
        screens->PopScreen(&popped);
    }
    OnHidden();

    if (LGameClock* clock = LGameClock::Get()) {
        clock->Reset();
        for (int i = 1; i <= kClockCount; ++i) {
            clock->ResetTime(i);
        }
        clock->SetCurrentClock(1);
    }
    if (LEventManager* events = LEventManager::Get()) {
        events->RemoveAllEvents();
    }
    LStateManager* states = LStateManager::Get();
    if (states != nullptr) {
        states->RemoveAllStates();
    }
    GMPDA* pda = GMPDA::GetInstance();
    if (GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
        inventory->RemoveAllItems();
    }
    if (GMPhone* phone = GMPhone::GetInstance()) {
        phone->Reset();
    }
    if (states != nullptr) {
        const float noCase = 0.0f;
        AddQuietState(states, "sta_selectedcase", LIState::TYPE_NUMBER, &noCase);
        const LString skill = SkillName();
        AddQuietState(states, "sta_currentskillsetting", LIState::TYPE_STRING, &skill);
    }
    if (GMCutScenePlayer* player = GMCutScenePlayer::GetInstance()) {
        player->SetTarget(LString("precinct"), LString());
        player->Play(LString("000_all.bik"));
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

// --- the game calling the menu ----------------------------------------------------------

void GMMainMenu::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || aState->GetId() != LString("sta_mainmenu_active") || !GMStateReader::IsTrue(aState)) {
        return;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    // Set again while the menu is on the stack (a second press, a script): it would be
    // pushed twice and have to be left twice.
    if (screens != nullptr && screens->IndexOf(this) < 0) {
        screens->PushFade(this);
    }
}
