#include "puzzles/quintarn/GMQuintarnPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "state/LIState.h"
#include "stdlib/LLog.h"
#include "util/GMOptions.h"
#include "util/GMStateReader.h"
#include "util/GMTextureRoot.h"

#include <cctype>

namespace {

GMPuzzleSlot<GMQuintarnPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMQuintarnPuzzle";
    setup.mActiveState = GMQuintarnPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/quintarn/layout.txt";
    setup.mTextureRoot = "//textures/puzzles/quintarn";
    setup.mHidesBar = false;
    setup.mSetsCursor = false;
    setup.mReleasesCursor = false;
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    setup.mRootGroup = "quintarn_layout";
    setup.mBackgroundKey = nullptr;
    setup.mBackButtonKey = "backbutton";
    return setup;
}

bool Easy()
{
    GMOptions* options = GMOptions::GetInstance();
    return options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY;
}


} // namespace

GMQuintarnPuzzle* GMQuintarnPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMQuintarnPuzzle::GMQuintarnPuzzle() : GMPuzzle(Setup())
{
}

GMQuintarnPuzzle::~GMQuintarnPuzzle()
{
    sPuzzle.Destroyed(this);
    if (IsShown()) {
        Close();
    }
    ReleaseInput();
}

// --- Opening and closing -------------------------------------------------------------

void GMQuintarnPuzzle::OnStateChanged(LIState* aState)
{
    if (aState == nullptr || !(aState->GetId() == LString(kActiveState))) {
        return;
    }
    if (GMStateReader::IsTrue(aState)) {
        OnShow();
    } else if (IsShown()) {
        Close();
    }
}

void GMQuintarnPuzzle::OnShow()
{
    if (IsShown()) {
        return;
    }
    GMPuzzle::OnShow();
    if (!GMStateReader::IsRaised(LString(kIntroEvent))) {
        RaiseEvent(LString(kIntroEvent));
        Play(kIntroStream, kIntroVoice, true);
    } else if (!GMStateReader::IsRaised(LString(kSecondEvent)) && Easy()) {
        RaiseEvent(LString(kSecondEvent));
        Play(kHintStream, kSecondVoice, true);
    }
}

void GMQuintarnPuzzle::Close()
{
    OnHidden();
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
    }
}

void GMQuintarnPuzzle::BuildPieces()
{
    LPropertyList* layout = GetLayout();
    {
        GMTextureRoot background{LString(kBackgroundRoot)};
        AddSprite(layout != nullptr ? layout->GetList(LString("background")) : nullptr);
    }
    AddSprite(layout != nullptr ? layout->GetList(LString(Easy() ? "puzzlebg.easy" : "puzzlebg.hard")) : nullptr);
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    LPropertyList* fields = layout != nullptr ? layout->GetList(LString("fields")) : nullptr;
    LPropertyList* button = layout != nullptr ? layout->GetList(LString("button")) : nullptr;
    const int count = fields != nullptr ? fields->GetCount() : 0;
    if (count < kFieldCount) {
        L_ERROR(LString("Quintarn layout: ") + count + " fields, 8 needed");
    }
    for (int i = 0; i < kFieldCount && i < count; ++i) {
        BuildField(i, fields->GetListAt(i), button);
    }
    mSelected = -1;
}

void GMQuintarnPuzzle::BuildField(int aIndex, LPropertyList* aField, LPropertyList* aButton)
{
    if (aField == nullptr) {
        L_ERROR(LString("Quintarn layout: field ") + aIndex + " is not a list");
        return;
    }
    LDisplayGroup* root = GetRoot();
    mMarks[aIndex] = AddSprite(aField);
    if (mMarks[aIndex] != nullptr) {
        mMarks[aIndex]->SetVisible(false);
    }
    LVectorFloat position;
    if (!ReadNumbers(aField, LString("position"), 2, position)) {
        position.RemoveAll();
        position.Add(0.0f);
        position.Add(0.0f);
    }
    auto* box = L_NEW LTextArea();
    if (box != nullptr && box->Create(LString(kLetterFont))) {
        box->SetId(LString("entry_") + aIndex);
        box->SetWidth(24.0f);
        box->SetHeight(24.0f);
        box->SetRelativeZ(30.0f);
        box->SetPosition(position[0] + 7.0f, position[1] + 5.0f);
        box->SetText(LString());
        if (root->AddMember(box, true)) {
            mBoxes[aIndex] = box;
        } else {
            delete box;
        }
    } else {
        L_ASSERT_FAILURE(LString());
        delete box;
    }
    LButton* field = aButton != nullptr ? LLayoutBuilder::BuildButton(aButton, this) : nullptr;
    if (field == nullptr) {
        L_ASSERT_FAILURE(LString());
        return;
    }
    field->SetId(LString() + aIndex);
    field->SetPosition(position[0], position[1]);
    if (!root->AddMember(field, true)) {
        delete field;
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->AddLock(field);
    }
}

void GMQuintarnPuzzle::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    auto* back = GetRoot() != nullptr ? dynamic_cast<LButton*>(GetRoot()->GetMember(LString(kBackButtonId))) : nullptr;
    if (mouse != nullptr && back != nullptr) {
        mouse->AddLock(back);
    }
    LKeyboard* keyboard = LKeyboard::Get();
    mKeyboardListening = keyboard != nullptr && keyboard->AddListener(this, 0.0f);
    if (!mKeyboardListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMQuintarnPuzzle::ReleaseInput()
{
    if (mKeyboardListening) {
        mKeyboardListening = false;
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
    }
}

void GMQuintarnPuzzle::DeletePieces()
{
    for (int i = 0; i < kFieldCount; ++i) {
        mMarks[i] = nullptr;
        mBoxes[i] = nullptr;
    }
    mSelected = -1;
}

// --- Fields and letters --------------------------------------------------------------

void GMQuintarnPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kBackButtonId))) {
        Close();
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (aId == LString() + i) {
            Select(i);
            return;
        }
    }
}

void GMQuintarnPuzzle::Select(int aIndex)
{
    if (LIDisplayObject* old = GetMark(mSelected)) {
        old->SetVisible(false);
    }
    mSelected = aIndex;
    if (LIDisplayObject* mark = GetMark(mSelected)) {
        mark->SetVisible(true);
    }
}

void GMQuintarnPuzzle::OnKeyDown(int aKey)
{
    LKeyboard* keyboard = LKeyboard::Get();
    const char ch = keyboard != nullptr ? keyboard->KeyToChar(aKey) : 0;
    if (mSelected < 0 || std::isalpha(static_cast<unsigned char>(ch)) == 0) {
        return;
    }
    if (LTextArea* box = GetLetterBox(mSelected)) {
        const char text[2] = {static_cast<char>(std::toupper(static_cast<unsigned char>(ch))), 0};
        box->SetText(LString(text));
    }
    Select(mSelected + 1 < kFieldCount ? mSelected + 1 : -1);
    CheckAnswer();
}

void GMQuintarnPuzzle::CheckAnswer()
{
    LString word;
    for (LTextArea* box : mBoxes) {
        word += box != nullptr ? box->GetText() : LString();
    }
    if (mSolved || !(word == LString(ANSWER))) {
        return;
    }
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    AddInventoryItem(LString(kItem));
    Play(kSolvedAudio, kSolvedVoice, false);
}

void GMQuintarnPuzzle::OnMove(const LVector2& aPosition)
{
    if (LCursor* cursor = LCursor::Get()) {
        cursor->OnMove(aPosition);
    }
}

// --- Voices --------------------------------------------------------------------------

void GMQuintarnPuzzle::Play(const char* aStream, const char* aVoice, bool aKeepSubtitle)
{
    mStartingVoice = true;
    PlayVoice(LString(aStream), LString(aVoice), kSubtitleFont, aKeepSubtitle);
    mStartingVoice = false;
}

void GMQuintarnPuzzle::OnVoiceEnded(const LString& aName)
{
    if (mSolved) {
        if (IsShown()) {
            Close();
        }
        return;
    }
    // A voice that could not be made is skipped: no hint follows it.
    if (!mStartingVoice && aName.EqualsNoCase(LString(kIntroStream)) && Easy()) {
        Play(kHintStream, kHintVoice, false);
    }
}
