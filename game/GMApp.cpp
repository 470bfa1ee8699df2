#include "GMApp.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayManager.h"
#include "Gdi/LFontManager.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "Render/LColor.h"
#include "Render/LIDeviceCapabilities.h"
#include "Render/LIRasterizer.h"
#include "Render/LNodeManager.h"
#include "event/LEventManager.h"
#include "interview/GMInterviewManager.h"
#include "menu/GMCaseControl.h"
#include "menu/GMCaseSelection.h"
#include "menu/GMIntro.h"
#include "object/LRestoreManager.h"
#include "pda/GMPDA.h"
#include "pda/GMPhone.h"
#include "profiler/GMProfilingComputer.h"
#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/cigarband/GMCigarBandPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/crossword/GMCrossWordPuzzle.h"
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"
#include "puzzles/harppuzzle/GMHarpPuzzle.h"
#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/GMMapPuzzle.h"
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"
#include "puzzles/painting/GMPaintingPuzzle.h"
#include "puzzles/pc_desktop/GMPCDesktopPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "puzzles/quintarn/GMQuintarnPuzzle.h"
#include "puzzles/receipt/GMReceiptPuzzle.h"
#include "puzzles/roomservice/GMRoomServicePuzzle.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"

namespace {

GMApp* sApp = nullptr;

constexpr float kLastColumn = 799.0f;
constexpr float kLastRow = 599.0f;

bool IsDevice(const char16_t* aDevice, const char16_t* aName)
{
    return aDevice != nullptr && LString(aDevice) == LString(aName);
}

LString YesNo(bool aValue)
{
    return LString(aValue ? "true" : "false");
}

} // namespace

GMApp* GMApp::GetInstance()
{
    if (sApp == nullptr) {
        sApp = L_NEW GMApp();
        if (sApp == nullptr) {
            L_ERROR("GMApp creation failure.");
        }
    }
    return sApp;
}

GMApp::GMApp()
    : mMouse(LMouse::Get()),
      mKeyboard(LKeyboard::Get()),
      mRasterizer(LIRasterizer::Get()),
      mFrameManager(LFrameManager::Get()),
      mNodeManager(LNodeManager::Get()),
      mFontManager(LFontManager::Get()),
      mSceneManager(GMSceneManager::GetInstance())
{
    mDisplayManager = LDisplayManager::Get();
}

GMApp::~GMApp()
{
    if (sApp == this) {
        sApp = nullptr;
    }
}

void GMApp::OnButtonDown(const char16_t* aDevice, int aButton)
{
    if (IsDevice(aDevice, u"mouse") && mMouse != nullptr) {
        mMouse->OnButtonDown(aButton);
    }
}

void GMApp::OnButtonUp(const char16_t* aDevice, int aButton)
{
    if (IsDevice(aDevice, u"mouse") && mMouse != nullptr) {
        mMouse->OnButtonUp(aButton);
    }
}

void GMApp::OnMove(const char16_t* aDevice, LVector2& aValue)
{
    if (IsDevice(aDevice, u"mouse")) {
        if (aValue.y > kLastRow) {
            aValue.y = kLastRow;
        } else if (aValue.y < 0.0f) {
            aValue.y = 0.0f;
        }
        if (aValue.x > kLastColumn) {
            aValue.x = kLastColumn;
        } else if (aValue.x < 0.0f) {
            aValue.x = 0.0f;
        }
        if (mMouse != nullptr) {
            mMouse->OnMove(aValue);
        }
    } else if (IsDevice(aDevice, u"wheel")) {
        const float delta = aValue.y - mLastWheel;
        mLastWheel = aValue.y;
        if (mMouse != nullptr) {
            mMouse->OnWheel(delta);
        }
    }
}

void GMApp::OnKeyDown(int aKey)
{
    if (mKeyboard != nullptr) {
        mKeyboard->OnKeyDown(aKey);
    }
}

void GMApp::OnKeyUp(int aKey)
{
    if (mKeyboard != nullptr) {
        mKeyboard->OnKeyUp(aKey);
    }
}

bool GMApp::Init()
{
    if (GMCursor* cursor = GMCursor::GetInstance()) {
        cursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
    }
    if (mFontManager == nullptr ||
        !mFontManager->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"))) {
        L_ERROR("Font setup failure.");
    }
    if (mRasterizer != nullptr) {
        mRasterizer->SetClearColor(LColor(1.0f, 0.0f, 0.0f, 0.0f));
        mRasterizer->SetCullMode(0);
    }
    LogDeviceCapabilities();
    // Their contents go into every saved game.
    if (LRestoreManager* restore = LRestoreManager::Get()) {
        restore->AddRestorable(LEventManager::Get());
        restore->AddRestorable(LStateManager::Get());
        restore->AddRestorable(LGameClock::Get());
    }
    CreateGameSingletons();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMIntro* intro = GMIntro::GetInstance();
    return screens != nullptr && intro != nullptr && screens->PushFade(intro);
}

void GMApp::LogDeviceCapabilities()
{
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    if (caps == nullptr) {
        return;
    }
    Log("Device requires pow2 textures: " + YesNo(caps->RequiresPow2Textures()));
    Log("Device requires square textures: " + YesNo(caps->RequiresSquareTextures()));
    Log(LString("Device max texture width: ") + caps->GetMaxTextureWidth());
    Log(LString("Device max texture height: ") + caps->GetMaxTextureHeight());
    Log("Device supports two-sided stencils: " + YesNo(caps->SupportsTwoSidedStencil()));
}

void GMApp::CreateGameSingletons()
{
    // The order of creation is the order of registration with the cleaners, and so the
    // reverse of the order of deletion at exit.
    GMInterviewManager::GetInstance();
    GMPDA::GetInstance();
    GMProfilingComputer::GetInstance();
    GMCaseSelection::GetInstance();
    GMCigarBandPuzzle::GetInstance();
    GMPaintingPuzzle::GetInstance();
    GMCombinationLockPuzzle::GetInstance();
    GMSlideBoxPuzzle::GetInstance();
    GMFloorSafePuzzle::GetInstance();
    GMMapPuzzle::GetInstance();
    GMCrossWordPuzzle::GetInstance();
    GMReceiptPuzzle::GetInstance();
    GMMonetBoxPuzzle::GetInstance();
    GMRoomServicePuzzle::GetInstance();
    GMBaseballBatPuzzle::GetInstance();
    GMPCDesktopPuzzle::GetInstance();
    GMHarpPuzzle::GetInstance();
    GMQuintarnPuzzle::GetInstance();
    GMChasePhotoPuzzle::GetInstance();
    GMHotelWindowPuzzle::GetInstance();
    GMPOBoxPuzzle::GetInstance();
    GMSurveillanceTapePuzzle::GetInstance();
    GMCaseControl::GetInstance();
    GMCutScenePlayer::GetInstance();
    GMPhone::GetInstance();
    GMIntro::GetInstance();
}

bool GMApp::Update()
{
    if (mRasterizer != nullptr) {
        mRasterizer->Clear();
        mRasterizer->SetAlphaBlendEnable(true);
    }
    if (mFrameManager != nullptr) {
        mFrameManager->Update();
    }
    if (mSceneManager != nullptr) {
        mSceneManager->Update();
        mSceneManager->Render();
    }
    if (mNodeManager != nullptr) {
        mNodeManager->Render();
    }
    return mDisplayManager != nullptr && mDisplayManager->Render();
}
