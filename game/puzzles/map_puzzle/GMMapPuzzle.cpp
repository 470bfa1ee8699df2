#include "puzzles/map_puzzle/GMMapPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LIState.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "util/GMStateReader.h"

namespace {

GMPuzzleSlot<GMMapPuzzle> sPuzzle;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMMapPuzzle";
    setup.mActiveState = GMMapPuzzle::kActiveState;
    setup.mLayoutFile = "//textures/puzzles/map_puzzle/map_puzzle.txt";
    setup.mTextureRoot = "//textures/puzzles/map_puzzle";
    setup.mRootGroup = "map_puzzle_layout";
    setup.mBackButtonKey = nullptr;
    return setup;
}


} // namespace

GMMapPuzzle* GMMapPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMMapPuzzle::GMMapPuzzle() : GMPuzzle(Setup())
{
}

GMMapPuzzle::~GMMapPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    LeaveFrames();
    if (mEventListening) {
        if (LEventManager* events = LEventManager::Get()) {
            events->RemoveListener(this);
        }
    }
}

void GMMapPuzzle::Register()
{
    GMPuzzle::Register();
    LEventManager* events = LEventManager::Get();
    mEventListening = events != nullptr && events->AddListener(this, 0.0f);
}

// --- Opening and closing -------------------------------------------------------------

void GMMapPuzzle::OnStateChanged(LIState* aState)
{
    if (aState == nullptr) {
        return;
    }
    for (int i = 0; i < kInterviewCount; ++i) {
        if (!aState->GetId().EqualsNoCase(LString(kInterviewStates[i]))) {
            continue;
        }
        if (GMStateReader::IsTrue(aState)) {
            RaiseEvent(LString(kInterviewClues[i]));
            Open();
        } else {
            OnClosedByState();
        }
        return;
    }
    // The map's own state: true opens, false does nothing.
    if (aState->GetId() == LString(kActiveState) && GMStateReader::IsTrue(aState)) {
        Open();
    }
}

void GMMapPuzzle::OnEvent(LEvent* aEvent)
{
    LEventManager* events = LEventManager::Get();
    if (aEvent == nullptr || !aEvent->GetId().EqualsNoCase(LString(kSoundDoneEvent)) || events == nullptr ||
        events->IsRaised(LString(kSandcastle))) {
        return;
    }
    RaiseEvent(LString(kSandcastle));
    mCloseTime = LITimer::Now() + kTimedShowing;
    mTimed = true;
    Open();
    JoinFrames();
}

void GMMapPuzzle::OnClosedByState()
{
    RequestClose();
}

void GMMapPuzzle::RequestClose()
{
    // Only the map itself closes: another screen on top stays.
    if (!IsTopScreen()) {
        return;
    }
    mClosePending = true;
    JoinFrames();
    OnFrame();
}

void GMMapPuzzle::OnFrame()
{
    if (mTimed && LITimer::Now() > mCloseTime) {
        mTimed = false;
        if (IsTopScreen()) {
            mClosePending = true;
        }
    }
    if (mClosePending) {
        GMScreenManager* screens = GMScreenManager::GetInstance();
        if (!IsTopScreen()) {
            mClosePending = false;
        } else if (screens != nullptr && !screens->IsBusy() && PopIfTop()) {
            mClosePending = false;
        }
    }
    if (!mTimed && !mClosePending) {
        LeaveFrames();
    }
}

void GMMapPuzzle::JoinFrames()
{
    if (mFrameListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
}

void GMMapPuzzle::LeaveFrames()
{
    if (mFrameListening) {
        mFrameListening = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}

// --- Building ------------------------------------------------------------------------

void GMMapPuzzle::BuildPieces()
{
    LPropertyList* clues = GetLayout() != nullptr ? GetLayout()->GetList(LString(kCluesList)) : nullptr;
    for (int i = 0; clues != nullptr && i < clues->GetCount(); ++i) {
        LPropertyList* entry = clues->GetListAt(i);
        LDisplayGroup* clue = entry != nullptr ? LLayoutBuilder::BuildGroup(entry, true) : nullptr;
        if (clue == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        bool found = false;
        const LString show = entry->GetString(LString("show"), found);
        LScriptBuilder* builder = LScriptBuilder::Get();
        LScript script;
        if (found && builder != nullptr && builder->BuildScript(show, &script) && !builder->HadSyntaxError()) {
            clue->SetVisible(script.Evaluate());
        }
        if (!GetRoot()->AddMember(clue, true)) {
            L_ASSERT_FAILURE(LString());
            delete clue;
        }
    }
}

void GMMapPuzzle::OnBuilt()
{
    CheckSolved();
}

void GMMapPuzzle::CheckSolved()
{
    LEventManager* events = LEventManager::Get();
    if (events == nullptr || !events->IsRaised(LString(kSandcastle))) {
        return;
    }
    for (const char* clue : kInterviewClues) {
        if (!events->IsRaised(LString(clue))) {
            return;
        }
    }
    RaiseEvent(LString(kSolvedEvent));
}
