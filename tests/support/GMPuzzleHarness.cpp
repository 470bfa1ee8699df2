#include "support/GMTestScene.h"
#include "support/GMPuzzleHarness.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LVector.h"
#include "event/LEventManager.h"
#include "pda/GMInventoryPanel.h"
#include "interview/GMSubtitle.h"
#include "menu/GMMainMenu.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/GMPuzzle.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestFonts.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {


bool ScreensBusy()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMScreenFader* fader = GMScreenFader::GetInstance();
    return (screens != nullptr && screens->IsBusy()) ||
           (fader != nullptr && (fader->GetListener() != nullptr || !fader->IsFadedIn()));
}

} // namespace

void GMHarnessScene::OnHidden()
{
    ++mHidden;
    mKeptAudio = GetKeepAudio();
    GMScene::OnHidden();
}

void GMHarnessScene::OnShow()
{
    ++mShown;
}

GMPuzzleHarness::GMPuzzleHarness()
{
    GMSceneFlow::RegisterFakes();
    LFakeSoundManager::sRefuseUnfound = false;
    // The pictures the application has at start as well (the action menu's: a menu made
    // under the harness lives on with the display tree into the next test).
    mReady = mRoots.Mounted() && CopySample("textures/puzzles") && CopySample("textures/pda") &&
             CopySample("textures/expertcomputer") &&
             CopySample("textures/back_btn.tga") && CopySample("textures/subtitleBG.tga") &&
             CopySample("textures/cursors.txt") && CopySample("textures/cursors_dir.txt") &&
             CopySample("textures/icon_cursors.txt") && CopySample("textures/cursors.tga") &&
             CopySample("textures/hilight.tga") && CopySample("textures/multicursor.tga") &&
             CopySample("scenes/vo_subtitles.txt") &&
             CopySample("movies/cutscenes.txt") && CopySample("movies/cutscenes_subtitles.txt") && CopySample("assets/tooltips.txt") &&
             MakeSampleFonts(mRoots);
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    mScene = std::make_unique<GMHarnessScene>();
    GMSceneManager::GetInstance()->SetScene(mScene.get());
    GMScreenManager* screens = GMScreenManager::GetInstance();
    mReady = mReady && screens != nullptr && screens->PushScreen(mScene.get());
    mScene->OnShow();
    // What the application makes at start, so that a footprint taken before a puzzle
    // opens already counts them.
    mReady = mReady && GMOptions::GetInstance() != nullptr && GMCursor::GetInstance() != nullptr && GMSubtitle::GetInstance() != nullptr &&
             GMPDA::GetInstance() != nullptr && GMPDAMinimized::GetInstance() != nullptr &&
             GMScreenFader::GetInstance() != nullptr;
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    // The options file is missing under fresh roots.
    mLog.Clear();
}

GMPuzzleHarness::~GMPuzzleHarness()
{
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->Clear();
    }
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->SetScene(nullptr);
    }
    mScene.reset();
    EndGame();
}

void GMPuzzleHarness::EndGame()
{
    delete GMCleaner::Peek();
}

bool GMPuzzleHarness::CopySample(const std::string& aRelative, const std::string& aTarget)
{
    return mRoots.CopySample(aRelative, aTarget, true);
}

void GMPuzzleHarness::SetState(const char* aId, bool aValue)
{
    LStateManager::Get()->SetState(LString(aId), LString("boolean"), LString(aValue ? "true" : "false"), true);
}

bool GMPuzzleHarness::StateIsTrue(const char* aId)
{
    LIState* state = LStateManager::Get()->GetState(LString(aId));
    const auto* value = state != nullptr ? static_cast<const unsigned char*>(state->GetValue()) : nullptr;
    return state != nullptr && state->GetType() == LIState::TYPE_BOOLEAN && value != nullptr && *value != 0;
}

bool GMPuzzleHarness::EventRaised(const char* aId)
{
    return LEventManager::Get()->IsRaised(LString(aId));
}

bool GMPuzzleHarness::InventoryHolds(const char* aItemId)
{
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    for (int subpanel = 0; inventory != nullptr && subpanel < GMInventoryPanel::SUBPANEL_COUNT; ++subpanel) {
        for (int cell = 0; cell < GMInventoryPanel::CELL_COUNT; ++cell) {
            if (inventory->GetItem(subpanel, cell) == LString(aItemId)) {
                return true;
            }
        }
    }
    return false;
}

void GMPuzzleHarness::Frames(int aCount)
{
    LFakeTimer::Frames(aCount, kFrameStep);
}

void GMPuzzleHarness::Settle(int aLimit)
{
    // One pass at least: a change asked for in a callback may start in the next pass.
    for (int i = 0; i < aLimit; ++i) {
        Frames(1);
        if (!ScreensBusy()) {
            break;
        }
    }
}

bool GMPuzzleHarness::Open(const char* aActiveState, GMPuzzle* aPuzzle)
{
    SetState(aActiveState, true);
    Settle();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    return aPuzzle != nullptr && screens->GetTop() == aPuzzle && aPuzzle->IsShown();
}

bool GMPuzzleHarness::Back(GMPuzzle* aPuzzle)
{
    LIDisplayObject* button = Member(aPuzzle, GMPuzzle::kBackButtonId);
    if (button == nullptr) {
        return false;
    }
    Click(Middle(button));
    Settle();
    return GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(mScene.get());
}

void GMPuzzleHarness::MoveTo(const LVector2& aPosition)
{
    LMouse::Get()->OnMove(aPosition);
}

void GMPuzzleHarness::Click(const LVector2& aPosition)
{
    LFakeTimer::sNow += 1.0;
    MoveTo(aPosition);
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
}

void GMPuzzleHarness::Drag(const LVector2& aFrom, const LVector2& aTo, int aSteps)
{
    LFakeTimer::sNow += 1.0;
    MoveTo(aFrom);
    LMouse::Get()->OnButtonDown(1);
    for (int i = 1; i <= aSteps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(aSteps);
        MoveTo(LVector2(aFrom.x + (aTo.x - aFrom.x) * t, aFrom.y + (aTo.y - aFrom.y) * t));
    }
    LMouse::Get()->OnButtonUp(1);
}

void GMPuzzleHarness::Type(int aScanCode)
{
    LKeyboard::Get()->OnKeyDown(aScanCode);
    LKeyboard::Get()->OnKeyUp(aScanCode);
}

bool GMPuzzleHarness::EndStream(const char* aName)
{
    LFakeSoundPlayer* player = LFakeSoundPlayer::Find(LString(aName));
    if (player == nullptr) {
        return false;
    }
    player->MarkEnded();
    Frames(1);
    return true;
}

std::string GMPuzzleHarness::LayoutFile(const GMPuzzle* aPuzzle)
{
    const char* symbolic = aPuzzle != nullptr ? aPuzzle->GetSetup().mLayoutFile : nullptr;
    std::string path(symbolic != nullptr ? symbolic : "");
    for (const char* root : {"//dataroot/", "//"}) {
        const std::string prefix(root);
        if (path.compare(0, prefix.size(), prefix) == 0) {
            return "data/" + path.substr(prefix.size());
        }
    }
    return "data/" + path;
}

std::string GMPuzzleHarness::CutSceneCalls()
{
    // The cut scene the player holds, told as the calls that handed it over.
    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    if (player == nullptr || !player->IsPlaying()) {
        return "";
    }
    std::string movie;
    if (player->GetQueue().GetCount() > 0) {
        movie = ToStd(player->GetQueue().GetRef(0));
    } else if (!LFakeMovieManager::sMade.empty()) {
        movie = ToStd(LFakeMovieManager::sMade.back().mFileName);
        movie = movie.substr(movie.rfind('/') + 1);
    }
    std::string changes;
    for (int i = 0; i < player->GetStateChanges().GetCount(); ++i) {
        changes += (i > 0 ? "|" : "") + ToStd(player->GetStateChanges().GetRef(i));
    }
    return "SetTarget(" + ToStd(player->GetTargetScene()) + "|" + ToStd(player->GetTargetViewpoint()) +
           ");SetStateChanges(" + changes + ");Play(" + movie + ");";
}

bool GMPuzzleHarness::PlayOutToScene()
{
    if (!GMTestCutScenes::PlayOut()) {
        return false;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    // The main menu came up in place of the location that did not load: the harness's
    // scene takes its place.
    GMMainMenu* menu = GMMainMenu::Peek();
    if (menu != nullptr && screens->GetCount() == 1 && screens->GetTop() == menu) {
        menu->OnHidden();
        menu->StopTheme();
        screens->Clear();
    }
    return screens->GetCount() == 0 && PutSceneBack();
}

bool GMPuzzleHarness::Restage()
{
    const GMCutScenePlayer* cutScene = GMCutScenePlayer::Peek();
    if (cutScene != nullptr && cutScene->IsPlaying() && !GMTestCutScenes::PlayOut()) {
        return false;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens->GetCount() == 1 && screens->GetTop() == mScene.get() &&
        GMSceneManager::GetInstance()->GetScene() == mScene.get()) {
        return true;
    }
    if (GMIScreen* top = screens->GetTop(); top != nullptr && top != mScene.get()) {
        top->OnHidden();
    }
    screens->Clear();
    return PutSceneBack();
}

bool GMPuzzleHarness::PutSceneBack()
{
    GMSceneManager::GetInstance()->SetScene(mScene.get());
    if (!GMScreenManager::GetInstance()->PushScreen(mScene.get())) {
        return false;
    }
    mScene->OnShow();
    return true;
}

LVector2 GMPuzzleHarness::UncoveredPoint(const LVector& aPieces, LIDisplayObject* aPiece, float aWidth, float aHeight,
                                         float aStep)
{
    const LVector2 at = aPiece->GetWorldPosition();
    for (float y = aStep / 2.0f; y < aHeight; y += aStep) {
        for (float x = aStep / 2.0f; x < aWidth; x += aStep) {
            const LVector2 point = at + LVector2(x, y);
            bool covered = false;
            for (int i = 0; i < aPieces.GetCount() && !covered; ++i) {
                auto* other = static_cast<LIDisplayObject*>(aPieces.GetAt(i));
                if (other == aPiece) {
                    break;
                }
                const LVector2 o = other->GetWorldPosition();
                covered = point.x > o.x && point.x < o.x + aWidth && point.y > o.y && point.y < o.y + aHeight;
            }
            if (!covered) {
                return point;
            }
        }
    }
    ADD_FAILURE() << "no point of the piece is free";
    return at;
}

LIDisplayObject* GMPuzzleHarness::Member(GMPuzzle* aPuzzle, const char* aPath)
{
    LDisplayGroup* root = aPuzzle != nullptr ? aPuzzle->GetRoot() : nullptr;
    return root != nullptr ? root->GetMember(LString(aPath)) : nullptr;
}

LVector2 GMPuzzleHarness::Middle(LIDisplayObject* aObject)
{
    LPolygon boundary;
    if (aObject == nullptr || !aObject->GetWorldBoundary(&boundary)) {
        return aObject != nullptr ? aObject->GetWorldPosition() : LVector2();
    }
    const LRectangle box(boundary);
    return LVector2(box.GetX() + box.GetWidth() * 0.5f, box.GetY() + box.GetHeight() * 0.5f);
}

GMPuzzleFootprint GMPuzzleHarness::Footprint() const
{
    GMPuzzleFootprint footprint;
    footprint.mDisplayMembers = LDisplayManager::Get()->GetRoot()->GetMemberCount();
    footprint.mMouseListeners = LMouse::Get()->GetListenerCount() - (LMouse::Get()->Contains(mScene.get()) ? 1 : 0);
    footprint.mKeyboardListeners = LKeyboard::Get()->GetListenerCount();
    footprint.mFrameListeners = LFrameManager::Get()->GetListenerCount();
    return footprint;
}

std::string GMPuzzleHarness::Leftovers(GMPuzzle* aPuzzle, const GMPuzzleFootprint& aBefore) const
{
    std::string left;
    const GMPuzzleFootprint now = Footprint();
    if (aPuzzle->GetRoot() != nullptr || aPuzzle->GetLayout() != nullptr) {
        left += "display;";
    }
    if (now.mDisplayMembers != aBefore.mDisplayMembers) {
        left += "display members " + std::to_string(now.mDisplayMembers - aBefore.mDisplayMembers) + ";";
    }
    if (now.mMouseListeners != aBefore.mMouseListeners || LMouse::Get()->Contains(dynamic_cast<LIMouseListener*>(aPuzzle))) {
        left += "mouse " + std::to_string(now.mMouseListeners - aBefore.mMouseListeners) + ";";
    }
    if (now.mKeyboardListeners != aBefore.mKeyboardListeners) {
        left += "keyboard " + std::to_string(now.mKeyboardListeners - aBefore.mKeyboardListeners) + ";";
    }
    if (now.mFrameListeners != aBefore.mFrameListeners) {
        left += "frame " + std::to_string(now.mFrameListeners - aBefore.mFrameListeners) + ";";
    }
    return left;
}
