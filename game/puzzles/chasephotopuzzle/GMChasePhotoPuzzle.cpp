#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

GMPuzzleSlot<GMChasePhotoPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = GMChasePhotoPuzzle::kClassName;
    setup.mActiveState = GMChasePhotoPuzzle::kActiveState;
    setup.mLayoutFile = "//dataroot/textures/puzzles/chasephotopuzzle/JCPuzzle_layout.txt";
    setup.mTextureRoot = "//dataroot/textures/puzzles/chasephotopuzzle";
    setup.mRootGroup = "photopuzzlegroup";
    setup.mBackgroundKey = "g01-background";
    setup.mBackgroundIsSprite = true;
    setup.mBackButtonKey = "g02-backbutton";
    setup.mLoadFailure = "Hm, problem...";
    setup.mVoiceEvent = "evt_chasephotopuzzle_initvo";
    setup.mEasyVoice = "hi18_rg";
    setup.mVoiceStream = "puzzleVO";
    setup.mHidesBar = false;
    setup.mSetsCursor = false;
    setup.mReleasesCursor = false;
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    return setup;
}

} // namespace

GMChasePhotoPuzzle* GMChasePhotoPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMChasePhotoPuzzle::GMChasePhotoPuzzle() : GMPuzzle(Setup())
{
}

GMChasePhotoPuzzle::~GMChasePhotoPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
}

void GMChasePhotoPuzzle::BuildPieces()
{
    LPropertyList* layout = GetLayout();
    auto* buttons = L_NEW LDisplayGroup();
    if (buttons == nullptr) {
        L_ASSERT_FAILURE(LString());
    } else {
        buttons->SetId(LString("buttons"));
        buttons->SetRelativeZ(10.0f);
        LPropertyList* photos = layout != nullptr ? layout->GetList(LString("g03-Buttons")) : nullptr;
        if (photos != nullptr) {
            LLayoutBuilder::BuildButtons(photos, buttons, this);
        }
        if (!GetRoot()->AddMember(buttons, true)) {
            L_ASSERT_FAILURE(LString());
            delete buttons;
        }
    }
    if (layout != nullptr) {
        ReadWords(nullptr, LString(kOrderPath), kPhotos, mOrder);
    } else {
        mOrder = LVectorString();
    }
}

void GMChasePhotoPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId.EqualsNoCase(LString(kBackButtonId))) {
        PopIfTopAndInterrupt();
        return;
    }
    if (mSolved || mOrder.GetCount() != kPhotos || GetRoot() == nullptr) {
        return;
    }
    if (LIDisplayObject* photo = GetRoot()->GetMember("buttons." + aId)) {
        photo->SetEnabled(false);
    }
    if (mClicked >= 0 && mClicked < kPhotos && aId.EqualsNoCase(mOrder[mClicked])) {
        ++mClicked;
        if (mClicked == kPhotos) {
            Solve();
        }
        return;
    }
    EnableAll();
    mClicked = 0;
}

void GMChasePhotoPuzzle::EnableAll()
{
    for (int i = 0; i < mOrder.GetCount(); ++i) {
        if (LIDisplayObject* photo = GetRoot()->GetMember("buttons." + mOrder[i])) {
            photo->SetEnabled(true);
        }
    }
}

void GMChasePhotoPuzzle::Solve()
{
    mSolved = true;
    mClicked = 0;
    DeferSolvedHandOver(kSolvedEvent, kTargetScene, kTargetViewpoint, kVisibleState, kMovie);
}
