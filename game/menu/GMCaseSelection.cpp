#include "menu/GMCaseSelection.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "menu/GMCaseTable.h"
#include "menu/GMMainMenu.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMStateReader.h"
#include "util/GMTextureRoot.h"

namespace {

GMSingleton<GMCaseSelection> sSelection;

const char16_t* const kOwner = u"caseselection";
const char16_t* const kLedgerBack = u"ledger_back";
const char16_t* const kLastCaseScene = u"case04/victimshotel";

void StopSceneAudio()
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->StopAudio();
    }
}

void SetCurrentClock(int aClock)
{
    if (LGameClock* clock = LGameClock::Get()) {
        clock->SetCurrentClock(aClock);
    }
}

void Raise(const LString& aId)
{
    if (LEventManager* events = LEventManager::Get()) {
        events->AddEvent(aId, true);
    }
}

// The case (1 to 3) whose select button has this id, or 0.
int SelectButtonCase(const LString& aId)
{
    for (int number = 1; number < GMCaseTable::kLastCase; ++number) {
        if (aId.EqualsNoCase(LString(GMCaseTable::Get(number)->mSelectButton))) {
            return number;
        }
    }
    return 0;
}

} // namespace

GMCaseSelection* GMCaseSelection::GetInstance()
{
    const bool made = sSelection.Peek() == nullptr && !sSelection.IsDestroyed();
    GMCaseSelection* selection = sSelection.Get(L_FILE, __LINE__, "GMCaseSelection creation failure.");
    if (made && selection != nullptr) {
        if (LStateManager* states = LStateManager::Get()) {
            states->AddListener(selection, 0.0f);
        }
    }
    return selection;
}

GMCaseSelection* GMCaseSelection::Peek()
{
    return sSelection.Peek();
}

GMCaseSelection::GMCaseSelection() = default;

GMCaseSelection::~GMCaseSelection()
{
    sSelection.Destroyed(this);
    if (LStateManager* states = LStateManager::Get()) {
        states->RemoveListener(this);
    }
    if (GMCutScenePlayer* player = GMCutScenePlayer::Peek()) {
        player->RemoveEndListener(this);
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    OnHidden();
}

LString GMCaseSelection::Dump() const
{
    return DumpHead("GMCaseSelection") + "]";
}

// --- opening and closing ----------------------------------------------------------------

void GMCaseSelection::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || aState->GetId() != LString("sta_caseselection_active") ||
        aState->GetType() != LIState::TYPE_BOOLEAN || aState->GetValue() == nullptr) {
        return;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        return;
    }
    if (*static_cast<const unsigned char*>(aState->GetValue()) != 0) {
        // Already on the stack (a second notice, a script setting it again): it would
        // have to be left twice.
        if (screens->IndexOf(this) < 0) {
            screens->PushFade(this);
        }
    } else if (screens->GetTop() == this) {
        screens->PopFadeWhenIdle(this);
    }
}

void GMCaseSelection::OnLeave()
{
}

void GMCaseSelection::OnShow()
{
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    int ledger = 0;
    if (GMCaseTable::SelectedCase() == 0) {
        for (int number = 1; number <= GMCaseTable::kCaseCount && ledger == 0; ++number) {
            if (GMCaseTable::IsClosed(number) && !GMStateReader::IsRaised(GMCaseTable::LedgerEvent(number))) {
                ledger = number;
            }
        }
    }
    if (ledger != 0) {
        ShowLedger(ledger);
    } else {
        ShowDesk();
    }
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    if (LKeyboard* keyboard = LKeyboard::Get(); keyboard != nullptr && !mInKeyboard) {
        mInKeyboard = keyboard->AddListener(this, 0.0f);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_HAND, LString(kOwner));
    }
}

void GMCaseSelection::OnHidden()
{
    if (mInKeyboard) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mInKeyboard = false;
    }
    ListenToMouse(false);
    LeaveFrames();
    if (mFading) {
        if (GMScreenFader* fader = GMScreenFader::Peek()) {
            fader->RemoveListener(this);
        }
        mFading = false;
    }
    DeleteDisplay();
    mLedgerCase = 0;
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->ReleaseCursor(LString(kOwner));
    }
}

// --- the display ------------------------------------------------------------------------

bool GMCaseSelection::LoadLayout(LPropertyList& aLayout)
{
    if (!aLayout.Load(LString("//textures/caseselection/caseselection_layout.txt"), true)) {
        L_ERROR("Case selection layout not loaded.");
        return false;
    }
    return true;
}

bool GMCaseSelection::MakeRoot()
{
    DeleteDisplay();
    mDisplay = L_NEW LDisplayGroup();
    if (mDisplay == nullptr) {
        L_ERROR("Case selection display not made.");
        return false;
    }
    mDisplay->SetId(LString("caseselection_layout"));
    return true;
}

void GMCaseSelection::AddRoot()
{
    if (LDisplayManager* display = LDisplayManager::Get(); display != nullptr && mDisplay != nullptr) {
        display->AddMember(mDisplay);
    }
}

void GMCaseSelection::DeleteDisplay()
{
    if (mDisplay == nullptr) {
        return;
    }
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(mDisplay);
    }
    delete mDisplay;
    mDisplay = nullptr;
}

void GMCaseSelection::AddBackButton(LPropertyList& aLayout, const LString& aId)
{
    LButton* back = LLayoutBuilder::BuildButton(aLayout.GetList(LString("groups.g04-backbutton")), this);
    if (back == nullptr) {
        L_ASSERT_FAILURE("'groups.g04-backbutton' not built.");
        return;
    }
    if (!aId.IsEmpty()) {
        back->SetId(aId);
    }
    if (!mDisplay->AddMember(back, true)) {
        delete back;
    }
}

void GMCaseSelection::ShowDesk()
{
    GMTextureRoot root(LString("//textures/caseselection"));
    LPropertyList layout;
    LoadLayout(layout);
    if (!MakeRoot()) {
        return;
    }
    for (const char* path : {"groups.g01-background", "groups.g02-folders"}) {
        if (LDisplayGroup* group = LLayoutBuilder::BuildGroup(layout.GetList(LString(path)), true)) {
            if (!mDisplay->AddMember(group, true)) {
                delete group;
            }
        }
    }
    if (LPropertyList* buttons = layout.GetList(LString("groups.g03-buttons"))) {
        LLayoutBuilder::BuildButtons(buttons, mDisplay, this);
    }
    // The closed marks show by their own conditions on the closed events.
    if (LDisplayGroup* closed = LLayoutBuilder::BuildGroup(layout.GetList(LString("groups.g05_caseclosed")), true)) {
        if (!mDisplay->AddMember(closed, true)) {
            delete closed;
        }
    }
    const int selected = GMCaseTable::SelectedCase();
    if (GMCaseTable::FirstThreeClosed() || selected > 0) {
        AddBackButton(layout, LString());
    }
    if (selected >= 1 && selected < GMCaseTable::kLastCase) {
        const GMCaseEntry* entry = GMCaseTable::Get(selected);
        for (const char* id : {entry->mSelectButton, entry->mReviewButton}) {
            if (LIDisplayObject* button = mDisplay->GetMember(LString(id))) {
                button->SetEnabled(false);
            }
        }
    }
    AddRoot();
}

void GMCaseSelection::ShowLedger(int aCase)
{
    Raise(GMCaseTable::LedgerEvent(aCase));
    GMTextureRoot root(LString("//textures/caseselection"));
    LPropertyList layout;
    LoadLayout(layout);
    if (!MakeRoot()) {
        return;
    }
    if (LSprite* page = LLayoutBuilder::BuildSprite(layout.GetList(LString("groups.g06-ledger.case0") + aCase))) {
        if (!mDisplay->AddMember(page, true)) {
            delete page;
        }
    }
    AddBackButton(layout, LString(kLedgerBack));
    AddRoot();
    mLedgerCase = aCase;
    mLedgerCloseTime = LITimer::Now() + kLedgerTime;
    JoinFrames();
    ListenToMouse(true);
}

void GMCaseSelection::CloseLedger()
{
    if (mLedgerCase == 0) {
        return;
    }
    mLedgerCase = 0;
    LeaveFrames();
    ListenToMouse(false);
    if (GMCaseTable::IsClosed(GMCaseTable::kLastCase)) {
        // The game is over: the main menu comes back as the only screen. What was shown
        // goes first, or the page and the location would stay under the menu.
        StopSceneAudio();
        GMScreenManager* screens = GMScreenManager::GetInstance();
        GMScene* scene = GMSceneManager::GetCurrentScene();
        if (scene != nullptr && scene->IsActive()) {
            scene->OnHidden();
        }
        OnHidden();
        if (screens != nullptr) {
            screens->Clear();
        }
        // The menu must be there to hear the state.
        GMMainMenu::GetInstance();
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(LString("sta_mainmenu_active"), LString("boolean"), LString("true"), true);
        }
        return;
    }
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader == nullptr || !fader->SetListener(this)) {
        DeleteDisplay();
        ShowDesk();
        return;
    }
    mFading = true;
    fader->FadeOut();
}

void GMCaseSelection::OnFade(int aEvent)
{
    if (aEvent != LFader::kFinished || !mFading) {
        return;
    }
    mFading = false;
    GMScreenFader* fader = GMScreenFader::Peek();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    DeleteDisplay();
    if (GMCaseTable::IsClosed(GMCaseTable::kLastCase)) {
        GMScreenManager* screens = GMScreenManager::GetInstance();
        GMMainMenu* menu = GMMainMenu::GetInstance();
        OnHidden();
        if (screens != nullptr && menu != nullptr) {
            screens->Clear();
            screens->PushScreen(menu);
            menu->OnShow();
        }
    } else {
        ShowDesk();
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

// --- buttons ----------------------------------------------------------------------------

void GMCaseSelection::InterruptMouse()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

void GMCaseSelection::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kLedgerBack))) {
        CloseLedger();
        return;
    }
    if (const int number = SelectButtonCase(aId); number != 0) {
        SelectCase(number);
        return;
    }
    if (aId.ToLower().Find(u"review", 0) == 0) {
        Review(aId);
        return;
    }
    StartLastCaseOrLeave();
}

void GMCaseSelection::SelectCase(int aCase)
{
    if (GMCaseTable::IsClosed(aCase)) {
        return;
    }
    const GMCaseEntry* entry = GMCaseTable::Get(aCase);
    StopSceneAudio();
    GMCaseTable::SetSelectedCase(aCase);
    SetCurrentClock(aCase);
    const LString played = GMCaseTable::IntroPlayedEvent(aCase);
    if (GMStateReader::IsRaised(played)) {
        StartLastCaseOrLeave();
        return;
    }
    Raise(played);
    if (GMCutScenePlayer* player = GMCutScenePlayer::GetInstance()) {
        player->SetTarget(LString(entry->mStartScene), LString());
        player->Play(LString(entry->mIntroMovies[0]));
    }
    InterruptMouse();
}

void GMCaseSelection::Review(const LString& aId)
{
    // The case number is the character after "review"; an id that ends there names none.
    if (aId.GetLength() < 7) {
        return;
    }
    const int number = aId.At(6) - u'0';
    if (number < 1 || number >= GMCaseTable::kLastCase || GMCaseTable::IsClosed(number)) {
        return;
    }
    StopSceneAudio();
    if (GMCutScenePlayer* player = GMCutScenePlayer::GetInstance()) {
        player->SetEndListener(this);
        player->Play(LString(GMCaseTable::Get(number)->mReviewMovie));
    }
    InterruptMouse();
}

void GMCaseSelection::StartLastCaseOrLeave()
{
    if (GMCaseTable::FirstThreeClosed()) {
        const GMCaseEntry* last = GMCaseTable::Get(GMCaseTable::kLastCase);
        StopSceneAudio();
        GMCaseTable::SetSelectedCase(GMCaseTable::kLastCase);
        SetCurrentClock(GMCaseTable::kLastCase);
        if (GMCutScenePlayer* player = GMCutScenePlayer::GetInstance()) {
            player->SetTarget(LString(kLastCaseScene), LString());
            LVectorString movies;
            for (const char* movie : last->mIntroMovies) {
                if (movie != nullptr) {
                    movies.Add(LString(movie));
                }
            }
            player->PlayList(movies);
        }
    } else if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->PopFadeWhenIdle(this);
    }
    InterruptMouse();
}

void GMCaseSelection::OnCutSceneDone()
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->StartAudio();
    }
}

// --- the ledger page's listeners --------------------------------------------------------

void GMCaseSelection::OnFrame()
{
    if (mLedgerCase != 0 && LITimer::Now() > mLedgerCloseTime) {
        CloseLedger();
    }
}

void GMCaseSelection::JoinFrames()
{
    if (LFrameManager* frames = LFrameManager::Get(); frames != nullptr && !mInFrames) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
}

void GMCaseSelection::LeaveFrames()
{
    if (mInFrames) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mInFrames = false;
    }
}

void GMCaseSelection::ListenToMouse(bool aOn)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        mInMouse = false;
        return;
    }
    if (aOn && !mInMouse) {
        mInMouse = mouse->AddMember(this, kLedgerMousePriority);
    } else if (!aOn && mInMouse) {
        mouse->RemoveListener(this);
        mInMouse = false;
    }
}

void GMCaseSelection::OnButtonDown(int)
{
}

void GMCaseSelection::OnMove(const LVector2&)
{
}

void GMCaseSelection::OnButtonUp(int aButton)
{
    if (aButton == kRightButton && mLedgerCase != 0) {
        InterruptMouse();
    }
}

void GMCaseSelection::OnKeyDown(int)
{
}

void GMCaseSelection::OnKeyUp(int)
{
}
