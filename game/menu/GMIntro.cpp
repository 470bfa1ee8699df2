#include "menu/GMIntro.h"

#include "GMScreenManager.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "Video/LIMovieManager.h"
#include "Video/LIMoviePlayer.h"
#include "menu/GMMainMenu.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"
#include "ui/GMCursor.h"
#include "util/GMCleaner.h"
#include "util/GMMovieDisposal.h"
#include "util/GMOptions.h"

namespace {

GMSingleton<GMIntro> sIntro;

} // namespace

GMIntro* GMIntro::GetInstance()
{
    return sIntro.Get(L_FILE, __LINE__, "GMIntro creation failure.");
}

GMIntro::GMIntro() = default;

GMIntro::~GMIntro()
{
    sIntro.Destroyed(this);
    ReleaseInput();
    DeleteMovie();
}

LString GMIntro::Dump() const
{
    return DumpHead("GMIntro") + "]";
}

void GMIntro::OnLeave()
{
}

void GMIntro::OnHidden()
{
}

void GMIntro::OnShow()
{
    DeleteMovie();
    LIMovieManager* movies = LIMovieManager::Get();
    mMovie = movies != nullptr
                 ? movies->CreateFullScreenMovie(LString("intro"), LString("//dataroot/movies/Vesmar_Logo.bik"))
                 : nullptr;
    if (mMovie == nullptr) {
        // Nothing to show and nothing to wait for.
        ShowMainMenu();
        return;
    }
    mSkipRequested = false;
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->AddMember(mMovie);
    }
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_EMPTY, LString());
    }
    mMovie->SetListener(this);
    GMOptions* options = GMOptions::GetInstance();
    mMovie->SetVolume(options != nullptr ? options->mVolume : 1.0f);
    mMovie->SetRelativeZ(kMovieZ);
    mMovie->Play();
    mSkipTime = LITimer::Now() + kSkipDelay;
    if (LFrameManager* frames = LFrameManager::Get(); frames != nullptr && !mInFrames) {
        mInFrames = frames->AddListener(this, 0.0f) != 0;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mMouseLocked = mouse->Lock(this);
    }
}

void GMIntro::DeleteMovie()
{
    GMMovieDisposal::Dispose(mMovie, this);
}

void GMIntro::ReleaseInput()
{
    if (mInFrames) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mInFrames = false;
    }
    if (mInKeyboard) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mInKeyboard = false;
    }
    if (mMouseLocked) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(this);
        }
        mMouseLocked = false;
    }
    mSkipTime = -1.0;
}

void GMIntro::ShowMainMenu()
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (screens == nullptr || GMMainMenu::GetInstance() == nullptr) {
        L_ERROR("Main menu not shown.");
        return;
    }
    // The stack is cleared only when the push can follow at once.
    screens->WhenIdle(nullptr, [screens] {
        GMMainMenu* menu = GMMainMenu::GetInstance();
        screens->Clear();
        if (menu == nullptr || !screens->PushFade(menu)) {
            L_ERROR("Main menu not shown.");
        }
    });
}

void GMIntro::OnFrame()
{
    if (mSkipTime > 0.0 && LITimer::Now() > mSkipTime) {
        mSkipTime = -1.0;
        if (LKeyboard* keyboard = LKeyboard::Get(); keyboard != nullptr && !mInKeyboard) {
            mInKeyboard = keyboard->AddListener(this, 0.0f) != 0;
        }
    }
    if (!mSkipRequested) {
        return;
    }
    mSkipRequested = false;
    ReleaseInput();
    DeleteMovie();
    ShowMainMenu();
}

void GMIntro::OnKeyDown(int)
{
}

void GMIntro::OnKeyUp(int aKey)
{
    if (aKey != kSpaceKey || mMovie == nullptr) {
        return;
    }
    if (mInKeyboard) {
        if (LKeyboard* keyboard = LKeyboard::Get()) {
            keyboard->RemoveListener(this);
        }
        mInKeyboard = false;
    }
    mMovie->Pause();
    mSkipRequested = true;
}

void GMIntro::OnMovieEnded(LString)
{
    if (mMovie == nullptr) {
        return;
    }
    // The player telling this may be deleted here: nothing of it is used afterwards.
    DeleteMovie();
    mSkipRequested = false;
    ReleaseInput();
    ShowMainMenu();
}

void GMIntro::OnButtonDown(int)
{
}

void GMIntro::OnMove(const LVector2& aPosition)
{
    if (LCursor* cursor = LCursor::Get()) {
        cursor->OnMove(aPosition);
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

void GMIntro::OnButtonUp(int)
{
}
