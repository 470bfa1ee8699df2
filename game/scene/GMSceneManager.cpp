#include "scene/GMSceneManager.h"

#include "GMScreenManager.h"
#include "LVector2.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "menu/GMMainMenu.h"
#include "pda/GMPDA.h"
#include "scene/GMPlacard.h"
#include "scene/GMScene.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "ui/GMMessageBox.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMSceneManager> sSceneManager;

// The last piece of a location id: "case01/riverbank" gives "riverbank".
LString LastPiece(const LString& aId)
{
    LVectorString pieces;
    aId.Split(LString(u"/"), &pieces);
    return pieces.GetCount() > 0 ? pieces[pieces.GetCount() - 1] : aId;
}

} // namespace

GMSceneManager* GMSceneManager::GetInstance()
{
    return sSceneManager.Get(L_FILE, __LINE__, "GMSceneManager creation failure.");
}

GMScene* GMSceneManager::GetCurrentScene()
{
    GMSceneManager* scenes = GetInstance();
    return scenes != nullptr ? scenes->GetScene() : nullptr;
}

GMSceneManager::GMSceneManager()
{
    GMMessageBox::SetInputListener(this);
}

GMSceneManager::~GMSceneManager()
{
    sSceneManager.Destroyed(this);
    if (GMMessageBox::GetInputListener() == this) {
        GMMessageBox::SetInputListener(nullptr);
    }
    UnloadScene();
    ClearPending();
}

LString GMSceneManager::Dump() const
{
    return DumpHead("GMSceneManager") + "]";
}

void GMSceneManager::OnMessageBoxReply(const LString&, int) {}

void GMSceneManager::OnMessageBoxShown()
{
    if (mScene != nullptr) {
        mScene->SetInputEnabled(false);
    }
}

void GMSceneManager::OnMessageBoxClosed()
{
    if (mScene == nullptr) {
        return;
    }
    GMPDA* pda = GMPDA::GetInstance();
    if (pda != nullptr && pda->IsOpen()) {
        return;
    }
    mScene->SetInputEnabled(true);
}

void GMSceneManager::SetScene(GMScene* aScene)
{
    if (mOwnsScene) {
        UnloadScene();
    }
    mScene = aScene;
    mOwnsScene = false;
}

bool GMSceneManager::LoadScene(const LString& aId, bool aImmediate, bool aSkipPlacard)
{
    if (aId.IsEmpty()) {
        L_ERROR("LoadScene failure. Invalid scene id.");
        return false;
    }
    ClearPending();
    const LString visited = LString(u"evt_") + LastPiece(aId) + LString(u"_visited");
    if (LEventManager* events = LEventManager::Get(); events != nullptr && !events->IsRaised(visited)) {
        events->AddEvent(visited, true);
    }
    // A location entered for the first time shows its card, which loads it afterwards.
    if (!aSkipPlacard) {
        LEventManager* events = LEventManager::Get();
        GMPlacard* card = GMPlacard::GetInstance();
        if (events != nullptr && !events->IsRaised(aId + LString(u"_placard")) && card != nullptr &&
            card->Show(aId)) {
            return true;
        }
    }
    UnloadScene();
    GMScene* scene = L_NEW GMScene();
    if (scene == nullptr) {
        L_ERROR(LString(u"LoadScene failure. Load failed:") + aId);
        return false;
    }
    mScene = scene;
    mOwnsScene = true;
    if (!scene->Load(aId)) {
        mScene = nullptr;
        mOwnsScene = false;
        delete scene;
        L_ERROR(LString(u"LoadScene failure. Load failed:") + aId);
        return false;
    }
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        return true;
    }
    if (aImmediate) {
        GMIScreen* top = nullptr;
        if (screens->PopScreen(&top) && top != nullptr) {
            top->OnHidden();
        }
        screens->PushScreen(scene);
        scene->OnShow();
    } else {
        screens->PushScreen(scene);
    }
    return true;
}

bool GMSceneManager::UnloadScene()
{
    GMScene* scene = mScene;
    if (scene == nullptr) {
        return true;
    }
    if (!mOwnsScene) {
        mScene = nullptr;
        return true;
    }
    // The scene leaves the PDA (when it listens there) as it is deleted.
    scene->StopAudio();
    // A scene covered by other screens (the main menu over the game) is on the stack too:
    // it leaves from wherever it stands, and only a shown one is hidden.
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->RemoveScreen(scene);
    }
    if (scene->IsActive()) {
        scene->OnHidden();
    }
    mScene = nullptr;
    mOwnsScene = false;
    delete scene;
    return true;
}

void GMSceneManager::ShowMenuWhenNoScreenIsLeft(const LString& aId)
{
    // A location that did not load (a damaged table, a missing folder) and nothing else
    // came up: the player would face a black picture, or the black card, taking no input.
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr) {
        return;
    }
    // A change of screen still running decides what is left: the look waits for its end.
    if (screens->IsBusy()) {
        screens->WhenIdle(nullptr, [aId] { ShowMenuWhenNoScreenIsLeft(aId); });
        return;
    }
    GMPlacard* card = GMPlacard::Peek();
    GMIScreen* top = screens->GetTop();
    const bool cardAlone = card != nullptr && top == card && screens->GetCount() == 1 && !card->IsPending();
    if (top != nullptr && !cardAlone) {
        return;
    }
    GMMainMenu* menu = GMMainMenu::GetInstance();
    if (menu != nullptr && cardAlone) {
        // The card goes at once (its picture is black anyway) and the menu fades in as the
        // only screen, with no game under it to resume.
        screens->RemoveScreen(card);
        card->OnHidden();
    }
    if (menu == nullptr || !screens->PushFade(menu)) {
        L_ERROR("No screen is left after a location did not load, and the main menu cannot open: " + aId);
        return;
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetVisible(true);
    }
    L_NOTE("The main menu opens in place of the location that did not load: " + aId);
}

void GMSceneManager::SetPendingPosition(const LVector2& aPosition)
{
    delete mPendingPosition;
    mPendingPosition = L_NEW LVector2(aPosition);
}

void GMSceneManager::SetPendingDirection(const LVector2& aDirection)
{
    delete mPendingDirection;
    mPendingDirection = L_NEW LVector2(aDirection);
}

void GMSceneManager::ClearPending()
{
    delete mPendingPosition;
    mPendingPosition = nullptr;
    delete mPendingDirection;
    mPendingDirection = nullptr;
}

bool GMSceneManager::Update()
{
    return mScene == nullptr || mScene->Update();
}

bool GMSceneManager::Render()
{
    return mScene == nullptr || mScene->Render();
}
