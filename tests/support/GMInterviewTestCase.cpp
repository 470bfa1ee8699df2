#include "support/GMInterviewTestCase.h"

#include "event/LEventManager.h"
#include "scene/GMCharacter.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "support/GMTestInterview.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "time/LGameClock.h"
#include "util/GMCleaner.h"

#include <string>

void GMInterviewTestCase::SetUp()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    RegisterFakeMovieManager();
    LFakeMovieManager::Reset();
    LFakeTimer::sNow = 10.0;
    ASSERT_TRUE(mRoots.Mounted());
    GMTestInterview::Write(mRoots);
    LStateManager::Get()->RemoveAllStates();
    LEventManager::Get()->RemoveAllEvents();
    LGameClock::Get()->Reset();
    LFakeSoundManager::sRefuseUnfound = true;
    LFakeSoundManager::sMade.clear();
    mLog.Clear();
}

void GMInterviewTestCase::MakeScene()
{
    LTestCharacters::Write(mRoots);
    mScene = new GMScene();
    const char* const names[] = {"player", "witness"};
    for (const char* name : names) {
        auto* character = new GMCharacter();
        const bool player = std::string(name) == "player";
        LTestCharacters::Load(*character, LTestCharacters::Data(player ? "player" : "npc", "", "headtype=head\n"));
        ASSERT_TRUE(mScene->AddCharacter(LString(name), character, player));
        (player ? mPlayer : mWitness) = character;
    }
    GMSceneManager::GetInstance()->SetScene(mScene);
    mScene->OnShow();
}

void GMInterviewTestCase::TearDown()
{
    if (mScene != nullptr) {
        GMSceneManager::GetInstance()->SetScene(nullptr);
        delete mScene;
        mScene = nullptr;
    }
    LFakeSoundManager::sRefuseUnfound = false;
    delete GMCleaner::GetInstance();
}
