#include "support/GMSampleGame.h"

#include "multicursor/GMMultiCursor.h"
#include "support/GMTestScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "ui/GMCursor.h"

bool PrepareSampleGame()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    LFakeTimer::sNow = 1.0;
    return GMTestScene::Prepare() && GMCursor::GetInstance() != nullptr && GMMultiCursor::GetInstance() != nullptr;
}
