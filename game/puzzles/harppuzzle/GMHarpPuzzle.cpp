#include "puzzles/harppuzzle/GMHarpPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIShape.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "multicursor/GMMultiCursor.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"

namespace {

GMPuzzleSlot<GMHarpPuzzle> sPuzzle;

// The easy hint is a hint, not progress: it is given once per run of the program. The
// puzzle lives as long as the game (the game's cleaner ends it), which clears it.
bool sHintGiven = false;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMHarpPuzzle";
    setup.mActiveState = "sta_harppuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/harppuzzle/layout.txt";
    setup.mTextureRoot = "//textures/puzzles/harppuzzle";
    setup.mRootGroup = "harppuzzle_layout";
    return setup;
}

} // namespace

GMHarpPuzzle* GMHarpPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMHarpPuzzle::GMHarpPuzzle() : GMPuzzle(Setup())
{
}

GMHarpPuzzle::~GMHarpPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    ReleaseInput();
    sHintGiven = false;
}

bool GMHarpPuzzle::HintGiven()
{
    return sHintGiven;
}

int GMHarpPuzzle::StringOf(const LString& aId)
{
    const LString prefix(kStringPrefix);
    const int length = aId.GetLength();
    const int digits = length - prefix.GetLength();
    if (digits < 1 || digits > 2 || !aId.Mid(0, prefix.GetLength(), 0).Equals(prefix, false)) {
        return 0;
    }
    int number = 0;
    for (int i = prefix.GetLength(); i < length; ++i) {
        const char16_t c = aId.At(i);
        if (c < u'0' || c > u'9') {
            return 0;
        }
        number = number * 10 + static_cast<int>(c - u'0');
    }
    // No leading zero: "harp05" is not a string.
    if (aId.At(prefix.GetLength()) == u'0' || number < 1 || number > kStrings) {
        return 0;
    }
    return number;
}

// --- Building ------------------------------------------------------------------------

void GMHarpPuzzle::BuildPieces()
{
    BuildStrings();
    BuildButtons();
    LPropertyList* light = GetLayout() != nullptr ? GetLayout()->GetList(LString(kStartLightKey)) : nullptr;
    mStartLight = light != nullptr ? LLayoutBuilder::BuildSprite(light) : nullptr;
    if (mStartLight == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + kStartLightKey);
    } else {
        mStartLight->SetVisible(false);
        if (!GetRoot()->AddMember(mStartLight, true)) {
            L_ASSERT_FAILURE(LString());
            delete mStartLight;
            mStartLight = nullptr;
        }
    }
    ReadMelody();
    mStageLength = 1;
    mPosition = 0;
    mDemonstrating = false;
    mListening = false;
    mWrong = false;
    mNoteMissing = false;
}

void GMHarpPuzzle::BuildStrings()
{
    for (int colour = 0; colour < 3; ++colour) {
        LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kStringKeys[colour])) : nullptr;
        const int count = list != nullptr ? list->GetCount() : 0;
        if (count != kStrings) {
            L_ERROR(LString("Layout value missing or malformed: ") + kStringKeys[colour] + " holds " + count +
                    " strings, not 20.");
        }
        for (int i = 0; i < kStrings && i < count; ++i) {
            LDisplayGroup* string = LLayoutBuilder::BuildGroup(list->GetListAt(i), true);
            if (string == nullptr) {
                continue;
            }
            string->SetVisible(false);
            if (!GetRoot()->AddMember(string, true)) {
                L_ASSERT_FAILURE(LString());
                delete string;
                continue;
            }
            mStrings[colour][i] = string;
        }
    }
}

void GMHarpPuzzle::BuildButtons()
{
    mButtons = L_NEW LDisplayGroup();
    if (mButtons == nullptr) {
        L_ASSERT_FAILURE(LString());
        return;
    }
    mButtons->SetId(LString(kButtonsId));
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(kShapesKey)) : nullptr;
    const int count = list != nullptr ? list->GetCount() : 0;
    if (count != kShapes) {
        L_ERROR(LString("Layout value missing or malformed: ") + kShapesKey + " holds " + count + " shapes, not 21.");
    }
    for (int i = 0; i < kShapes && i < count; ++i) {
        LPropertyList* entry = list->GetListAt(i);
        bool found = false;
        const LString id = entry != nullptr ? entry->GetString(LString("buttonid"), found) : LString();
        LIShape* shape = found ? LLayoutBuilder::BuildShape(entry) : nullptr;
        auto* polygon = dynamic_cast<LSPolygon*>(shape);
        if (polygon == nullptr || polygon->GetPolygon() == nullptr) {
            L_ERROR(LString("Harp shape missing or not a polygon: ") + kShapesKey + "." + list->GetKeyAt(i));
            delete shape;
            continue;
        }
        shape->SetStroked(false);
        const LPolygon outline(*polygon->GetPolygon());
        shape->SetBoundary(&outline);
        auto* button = L_NEW LButton();
        if (button == nullptr) {
            L_ASSERT_FAILURE(LString());
            delete shape;
            continue;
        }
        button->SetId(id);
        button->SetMouseOrder(this, 0.0f);
        if (!button->AddButtonStateObject(XBTNSTATE_NORMAL, shape)) {
            delete shape;
        }
        button->SetActive(true);
        button->SetEnabled(true);
        button->InvalidateVisible();
        if (!mButtons->AddMember(button, true)) {
            L_ASSERT_FAILURE(LString());
            delete button;
        }
    }
    if (!GetRoot()->AddMember(mButtons, true)) {
        L_ASSERT_FAILURE(LString());
        delete mButtons;
        mButtons = nullptr;
    }
}

void GMHarpPuzzle::ReadMelody()
{
    LVectorFloat notes;
    mMelodyValid = ReadNumbers(nullptr, LString(kMelodyKey), kMelodyLength, notes);
    for (int i = 0; mMelodyValid && i < kMelodyLength; ++i) {
        const float note = notes[i];
        if (note < 1.0f || note > static_cast<float>(kStrings) || note != static_cast<float>(static_cast<int>(note))) {
            L_ERROR(LString("Layout value missing or malformed: ") + kMelodyKey);
            mMelodyValid = false;
            break;
        }
        mMelody[i] = static_cast<int>(note);
    }
}

void GMHarpPuzzle::ReleaseInput()
{
    mDemonstrating = false;
    mListening = false;
    mNoteMissing = false;
    mLit = nullptr;
    if (mFrameListening) {
        mFrameListening = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}

void GMHarpPuzzle::DeletePieces()
{
    // Everything is the root's and goes with it.
    for (auto& colour : mStrings) {
        colour.fill(nullptr);
    }
    mButtons = nullptr;
    mLit = nullptr;
    mStartLight = nullptr;
}

LDisplayGroup* GMHarpPuzzle::GetString(int aColour, int aNumber) const
{
    return aColour >= 0 && aColour < 3 && aNumber >= 1 && aNumber <= kStrings ? mStrings[aColour][aNumber - 1] : nullptr;
}

// --- Showing and leaving -------------------------------------------------------------

void GMHarpPuzzle::OnShow()
{
    if (IsShown()) {
        return;
    }
    GMPuzzle::OnShow();
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    PlayVoice(LString(kVoiceName), LString(kIntroVoice));
}

void GMHarpPuzzle::OnLeave()
{
    if (LDisplayGroup* root = GetRoot()) {
        root->SetEnabled(false);
        root->UpdateAll();
    }
}

// --- Notes and strings ---------------------------------------------------------------

void GMHarpPuzzle::PlayNote(int aNumber)
{
    mNoteMissing = !PlayStream(LString(kNoteName), LString(kNoteFolder) + aNumber + ".ogg");
    if (mNoteMissing) {
        L_ERROR(LString("Harp note missing; it ends with its string: ") + kNoteFolder + aNumber + ".ogg");
    }
}

void GMHarpPuzzle::Light(int aColour, int aNumber)
{
    LDisplayGroup* string = GetString(aColour, aNumber);
    if (string != nullptr) {
        string->SetVisible(true);
    }
    mLit = string;
    mLitTime = LITimer::Now();
    if (!mFrameListening) {
        LFrameManager* frames = LFrameManager::Get();
        mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    }
}

void GMHarpPuzzle::Darken()
{
    if (mLit != nullptr) {
        mLit->SetVisible(false);
        mLit = nullptr;
    }
}

void GMHarpPuzzle::OnFrame()
{
    if (LITimer::Now() - mLitTime <= kLitTime) {
        return;
    }
    mFrameListening = false;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
    Darken();
    if (mNoteMissing) {
        // The note that could not play ends now.
        mNoteMissing = false;
        FadeSubtitle();
        OnVoiceEnded(LString(kNoteName));
    }
}

void GMHarpPuzzle::SetButtonsActive(bool aActive)
{
    if (mButtons != nullptr) {
        mButtons->SetActive(aActive);
    }
}

// --- The game ------------------------------------------------------------------------

void GMHarpPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kBackButtonId))) {
        PopIfTopAndInterrupt();
        return;
    }
    if (aId == LString(kStartId)) {
        if (!mDemonstrating && !mListening) {
            Start();
        }
        return;
    }
    const int number = StringOf(aId);
    if (number == 0 || mDemonstrating || !mListening || mWrong || mPosition == mStageLength - 1) {
        return;
    }
    DeleteSound();
    mNoteMissing = false;
    ++mPosition;
    PlayNote(number);
    Darken();
    if (mMelody[mPosition] == number) {
        Light(kGreen, number);
    } else {
        Light(kRed, number);
        mWrong = true;
    }
}

void GMHarpPuzzle::Start()
{
    if (!mMelodyValid) {
        return;
    }
    if (mStartLight != nullptr) {
        mStartLight->SetVisible(true);
    }
    SetButtonsActive(false);
    mStageLength = 1;
    mPosition = 0;
    mDemonstrating = true;
    DeleteSound();
    PlayNote(mMelody[0]);
    Light(kYellow, mMelody[0]);
}

void GMHarpPuzzle::OnVoiceEnded(const LString&)
{
    if (!IsShown()) {
        return;
    }
    if (mDemonstrating) {
        Darken();
        if (mPosition == 0 && !sHintGiven) {
            sHintGiven = true;
            GMOptions* options = GMOptions::GetInstance();
            if (options != nullptr && options->GetSkill() == GMOptions::SKILL_EASY) {
                PlayVoice(LString(kVoiceName), LString(kHintVoice));
            }
        }
        ++mPosition;
        if (mPosition < mStageLength) {
            PlayNote(mMelody[mPosition]);
            Light(kYellow, mMelody[mPosition]);
            return;
        }
        SetButtonsActive(true);
        mDemonstrating = false;
        mListening = true;
        mWrong = false;
        mPosition = -1;
        return;
    }
    if (!mListening) {
        return;
    }
    Darken();
    SetButtonsActive(true);
    if (mWrong) {
        if (mStartLight != nullptr) {
            mStartLight->SetVisible(false);
        }
        mListening = false;
        mDemonstrating = false;
        return;
    }
    if (mPosition == mStageLength - 1) {
        if (mStageLength == kMelodyLength) {
            Solve();
            return;
        }
        SetButtonsActive(false);
        ++mStageLength;
        mPosition = 0;
        mDemonstrating = true;
        mListening = false;
        PlayNote(mMelody[0]);
        Light(kYellow, mMelody[0]);
    }
}

void GMHarpPuzzle::Solve()
{
    Darken();
    mSolved = true;
    RaiseEvent(LString(kSolvedEvent));
    // Off the stack at once, before the movie: no fade, no showing of the screen below.
    LVectorString changes;
    changes.Append(LString(kCloseUpState));
    changes.Append(LString("boolean"));
    changes.Append(LString("true"));
    PopAndHandOver(LString(kTargetScene), LString(kTargetViewpoint), changes, LString(kMovie));
}
