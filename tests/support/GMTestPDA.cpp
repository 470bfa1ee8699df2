#include "support/GMTestPDA.h"

#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "support/GMTestFonts.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "util/GMCleaner.h"

GMTestPDA::GMTestPDA()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    LFakeTimer::sNow = 1.0;
    mPrepared = mRoots.Mounted() && mRoots.CopySample("textures/pda", "", true) &&
                mRoots.CopySample("textures/subtitleBG.tga") && RegisterGameTestFonts(mRoots);
    SelectCase("1");
}

GMTestPDA::~GMTestPDA()
{
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->SetScene(nullptr);
    }
    if (GMPDA* pda = GMPDA::GetInstance(); pda != nullptr && mScene != nullptr) {
        pda->RemoveListener(mScene.get());
    }
    mScene.reset();
    delete GMCleaner::GetInstance();
}

bool GMTestPDA::Start()
{
    mScene = std::make_unique<GMScene>();
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (scenes == nullptr) {
        return false;
    }
    scenes->SetScene(mScene.get());
    mPDA = GMPDA::GetInstance();
    mScene->OnShow();
    return mPDA != nullptr;
}

bool GMTestPDA::Open()
{
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    return bar != nullptr && bar->Maximize(false) == 1 && mPDA != nullptr && mPDA->IsOpen();
}

void GMTestPDA::SelectCase(const char* aCase)
{
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString(aCase), false);
}
