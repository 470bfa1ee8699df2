#include "puzzles/combination/GMCombinationLockPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "puzzles/combination/GMCombinationDisplay.h"
#include "puzzles/combination/GMKeypadButton.h"
#include "stdlib/LLog.h"

namespace {

GMPuzzleSlot<GMCombinationLockPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = GMCombinationLockPuzzle::kClassName;
    setup.mActiveState = GMCombinationLockPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/keypad/keypad_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/keypad";
    setup.mRootGroup = "kaypad_layout";
    setup.mVoiceEvent = "evt_combinationpuzzle_viewed";
    setup.mEasyVoice = "hi04_rg";
    setup.mVoice = "2ls08_rg";
    setup.mFadeSubtitleOnHide = false;
    return setup;
}

// A new group aId at relative z 10.0, or null (logged).
LDisplayGroup* NewGroup(const char* aId)
{
    auto* group = L_NEW LDisplayGroup();
    if (group == nullptr) {
        L_ASSERT_FAILURE(LString());
        return nullptr;
    }
    group->SetId(LString(aId));
    group->SetRelativeZ(10.0f);
    return group;
}

bool AddTo(LDisplayGroup* aGroup, LIDisplayObject* aMember)
{
    if (aGroup == nullptr || !aGroup->AddMember(aMember, true)) {
        L_ASSERT_FAILURE(LString());
        delete aMember;
        return false;
    }
    return true;
}

} // namespace

GMCombinationLockPuzzle* GMCombinationLockPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMCombinationLockPuzzle::GMCombinationLockPuzzle() : GMPuzzle(Setup())
{
}

GMCombinationLockPuzzle::~GMCombinationLockPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
}

void GMCombinationLockPuzzle::BuildPieces()
{
    LPropertyList* layout = GetLayout();
    LDisplayGroup* keys = NewGroup("keypad_buttons");
    LPropertyList* list = layout != nullptr ? layout->GetList(LString(kKeysPath)) : nullptr;
    for (int i = 0; keys != nullptr && list != nullptr && i < list->GetCount(); ++i) {
        auto* key = L_NEW GMKeypadButton();
        if (key == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        // A key missing one of its values is left out.
        if (!key->Create(list->GetListAt(i), this)) {
            delete key;
            continue;
        }
        AddTo(keys, key);
    }
    if (keys != nullptr) {
        AddTo(GetRoot(), keys);
    }

    LDisplayGroup* holder = NewGroup("combination_display_group");
    auto* display = holder != nullptr ? L_NEW GMCombinationDisplay() : nullptr;
    if (display != nullptr) {
        display->SetId(LString("combination_display"));
        display->Create(layout != nullptr ? layout->GetList(LString(kDisplayPath)) : nullptr);
        if (AddTo(holder, display)) {
            mDisplay = display;
        }
    }
    if (holder != nullptr && !AddTo(GetRoot(), holder)) {
        mDisplay = nullptr;
    }
}

void GMCombinationLockPuzzle::DeletePieces()
{
    // The keys and the display go with the root group.
    mDisplay = nullptr;
}

void GMCombinationLockPuzzle::OnKey(const LString& aKeyId)
{
    if (mSolved || mDisplay == nullptr) {
        return;
    }
    if (aKeyId.EqualsNoCase(LString("enter"))) {
        if (mDisplay->GetCode() == LString(CODE)) {
            mSolved = true;
            if (LDisplayGroup* root = GetRoot()) {
                root->SetEnabled(false);
                root->UpdateAll();
            }
            RaiseEvent(LString(kSolvedEvent));
            PlaySound(LString(kSoundStream), LString(kEntrySound));
        } else {
            PlaySound(LString(kSoundStream), LString(kBuzzSound), false);
            mDisplay->Clear();
        }
    } else if (aKeyId.EqualsNoCase(LString("clear"))) {
        mDisplay->Clear();
    } else {
        mDisplay->AddDigit(aKeyId);
    }
}

void GMCombinationLockPuzzle::OnVoiceEnded(const LString& aName)
{
    if (!mSolved || aName != LString(kSoundStream)) {
        return;
    }
    // The hand-over may take the screen down, and with it the key whose release got here.
    Defer([this] {
        HandOver(LString(kTargetScene), LString(kTargetViewpoint), LVectorString(), LString(kMovie));
    });
}
