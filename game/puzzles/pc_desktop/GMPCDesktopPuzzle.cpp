#include "puzzles/pc_desktop/GMPCDesktopPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "util/GMTextureRoot.h"

namespace {

GMPuzzleSlot<GMPCDesktopPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMPCDesktopPuzzle";
    setup.mActiveState = "sta_pcdesktoppuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/pc_desktop/layout.txt";
    setup.mTextureRoot = "//textures/puzzles/pc_desktop";
    setup.mRootGroup = "pcdesktop_puzzle_layout";
    // The body chart is built with the letter buttons in it.
    setup.mBackgroundKey = nullptr;
    setup.mBackButtonKey = "groups.g01-backbutton";
    return setup;
}

char16_t Upper(char16_t aChar)
{
    return aChar >= u'a' && aChar <= u'z' ? static_cast<char16_t>(aChar - u'a' + u'A') : aChar;
}

} // namespace

GMPCDesktopPuzzle* GMPCDesktopPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMPCDesktopPuzzle::GMPCDesktopPuzzle() : GMFullScreenPuzzle(Setup())
{
}

GMPCDesktopPuzzle::~GMPCDesktopPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    StopFade();
}

// --- Building ------------------------------------------------------------------------

void GMPCDesktopPuzzle::BuildPieces()
{
    LPropertyList* chartList = GetLayout() != nullptr ? GetLayout()->GetList(LString(kChartKey)) : nullptr;
    LDisplayGroup* chart = chartList != nullptr ? LLayoutBuilder::BuildGroup(chartList, true) : nullptr;
    if (chart == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + kChartKey);
    } else {
        BuildButtons(chart);
        if (!GetRoot()->AddMember(chart, true)) {
            L_ASSERT_FAILURE(LString());
            delete chart;
            mButtons.fill(nullptr);
        }
    }
    BuildBoxes();
    mEntered = 0;
    mEntry = LString();
}

void GMPCDesktopPuzzle::BuildButtons(LDisplayGroup* aChart)
{
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kButtonsKey)) : nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    if (count != kButtons) {
        L_ERROR(LString("Layout value missing or malformed: ") + kButtonsKey + " holds " + count + " buttons, not 8.");
    }
    LString letters;
    for (int slot = 0; slot < kButtons && slot < count; ++slot) {
        LPropertyList* entry = list->GetListAt(slot);
        LButton* button = entry != nullptr ? LLayoutBuilder::BuildButton(entry, this) : nullptr;
        if (button == nullptr || !aChart->AddMember(button, true)) {
            L_ERROR(LString("Desktop button missing: ") + kButtonsKey + "." + list->GetKeyAt(slot));
            delete button;
            continue;
        }
        mButtons[slot] = button;
        if (slot < kLetters) {
            bool found = false;
            const LString letter = entry->GetString(LString(kLetterKey), found);
            mLetterOf[slot] = found && letter.GetLength() == 1 ? Upper(letter.At(0)) : u'\0';
            letters += letter;
        }
    }
    // The seven letters must be the password's, each once.
    const LString password(PASSWORD);
    std::array<int, 26> balance {};
    bool valid = true;
    for (int i = 0; i < kLetters; ++i) {
        const char16_t typed = mLetterOf[i];
        const char16_t wanted = password.At(i);
        if (mButtons[i] == nullptr || typed < u'A' || typed > u'Z') {
            valid = false;
            continue;
        }
        ++balance[typed - u'A'];
        --balance[wanted - u'A'];
    }
    for (int value : balance) {
        valid = valid && value == 0;
    }
    mLettersValid = valid;
    if (!valid) {
        L_ERROR(LString("Layout value missing or malformed: ") + kButtonsKey + ".*." + kLetterKey + " (" + letters +
                ") are not the password's letters; no password can be entered.");
    }
}

void GMPCDesktopPuzzle::BuildBoxes()
{
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kBoxesKey)) : nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    if (count != kLetters) {
        L_ERROR(LString("Layout value missing or malformed: ") + kBoxesKey + " holds " + count + " boxes, not 7.");
    }
    for (int i = 0; i < kLetters && i < count; ++i) {
        LVectorFloat coords;
        if (!ReadNumbers(list->GetListAt(i), LString("coords"), 4, coords)) {
            continue;
        }
        auto* box = L_NEW LTextArea();
        if (box == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        box->SetId(LString("textarea_") + i);
        box->Create(LString(kBoxFont));
        box->SetPosition(coords[0], coords[1]);
        box->SetRelativeZ(kBoxZ);
        box->SetMultiLine(false);
        box->SetWrap(true);
        box->SetWidth(coords[2]);
        box->SetHeight(coords[3]);
        box->SetText(LString());
        if (!GetRoot()->AddMember(box, true)) {
            L_ASSERT_FAILURE(LString());
            delete box;
            continue;
        }
        mBoxes[i] = box;
    }
}

void GMPCDesktopPuzzle::ReleaseInput()
{
    StopFade();
}

void GMPCDesktopPuzzle::DeletePieces()
{
    // The boxes, buttons and roster are the root's and go with it.
    mBoxes.fill(nullptr);
    mButtons.fill(nullptr);
    mRoster = nullptr;
}

// --- Showing and leaving -------------------------------------------------------------

void GMPCDesktopPuzzle::OnShow()
{
    if (IsShown()) {
        return;
    }
    mVoicePlayed = false;
    ShowWithoutMenu();
    PlaySkillVoice(kVoiceName, kEasyVoice, kVoice);
}

// --- Entering the password -----------------------------------------------------------

void GMPCDesktopPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kBackButtonId))) {
        PopIfTopAndInterrupt();
        return;
    }
    if (aId.EqualsNoCase(LString(kResetId))) {
        // The rebuild deletes this very button: it runs at the next frame pass.
        if (!mSolved) {
            Defer([this] { Rebuild(); });
        }
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Interrupt();
        }
        return;
    }
    for (int slot = 0; slot < kLetters; ++slot) {
        if (mButtons[slot] != nullptr && aId.EqualsNoCase(mButtons[slot]->GetId())) {
            TypeLetter(slot);
            return;
        }
    }
}

void GMPCDesktopPuzzle::TypeLetter(int aSlot)
{
    if (!mLettersValid || mSolved || mEntered >= kLetters) {
        return;
    }
    if (mBoxes[mEntered] != nullptr) {
        mBoxes[mEntered]->SetText(LString(kMask));
    }
    ++mEntered;
    const char16_t letter[2] = {mLetterOf[aSlot], u'\0'};
    mEntry += letter;
    mButtons[aSlot]->SetEnabled(false);
    mButtons[aSlot]->SetHilighted(true);
    if (mEntered == kLetters) {
        CheckPassword();
    }
}

bool GMPCDesktopPuzzle::CheckPassword()
{
    const LString password(PASSWORD);
    if (mEntry.EqualsNoCase(password)) {
        RaiseEvent(LString(kSolvedEvent));
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Interrupt();
        }
        for (int i = 0; i < kLetters; ++i) {
            if (mBoxes[i] != nullptr) {
                const char16_t letter[2] = {password.At(i), u'\0'};
                mBoxes[i]->SetText(letter);
            }
        }
        mSolved = true;
        mVoicePlayed = false;
        PlayEffect(kCorrectSound);
        return true;
    }
    L_NOTE("Desktop password refused: " + mEntry);
    for (int i = 0; i < kLetters; ++i) {
        if (mBoxes[i] != nullptr) {
            mBoxes[i]->SetText(LString());
        }
        if (mButtons[i] != nullptr) {
            mButtons[i]->SetEnabled(true);
            mButtons[i]->SetHilighted(false);
        }
    }
    mEntry = LString();
    mEntered = 0;
    PlayEffect(kWrongSound);
    return false;
}

bool GMPCDesktopPuzzle::PlayEffect(const char* aName)
{
    // Its end (or its absence, told at once) goes to OnVoiceEnded like a voice's.
    return PlayVoice(LString(aName), LString(aName));
}

void GMPCDesktopPuzzle::OnVoiceEnded(const LString&)
{
    if (!mSolved || !IsShown()) {
        return;
    }
    if (mVoicePlayed) {
        ShowRoster();
        return;
    }
    mVoicePlayed = true;
    PlayVoice(LString(kVoiceName), LString(kSolvedVoice));
}

// --- The roster ----------------------------------------------------------------------

void GMPCDesktopPuzzle::ShowRoster()
{
    if (mRoster != nullptr) {
        return;
    }
    for (LButton* button : mButtons) {
        if (button != nullptr) {
            button->SetEnabled(false);
        }
    }
    GMTextureRoot root((LString(GetSetup().mTextureRoot)));
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kRosterKey)) : nullptr;
    mRoster = list != nullptr ? LLayoutBuilder::BuildGroup(list, true) : nullptr;
    if (mRoster == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + kRosterKey);
        return;
    }
    mRoster->SetBlend(0.0f);
    mRosterBlend = 0.0f;
    mLastStep = LITimer::Now();
    if (!GetRoot()->AddMember(mRoster, true)) {
        L_ASSERT_FAILURE(LString());
        delete mRoster;
        mRoster = nullptr;
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
}

void GMPCDesktopPuzzle::OnFrame()
{
    const double now = LITimer::Now();
    if (mRoster == nullptr || now - mLastStep <= kFadeInterval) {
        return;
    }
    mRosterBlend += kFadeStep;
    if (mRosterBlend >= 1.0f) {
        mRosterBlend = 1.0f;
        StopFade();
    }
    mRoster->SetBlend(mRosterBlend);
    mLastStep = now;
}

void GMPCDesktopPuzzle::StopFade()
{
    if (mFrameListening) {
        mFrameListening = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}
