#include "support/GMTestScene.h"

#include "Gdi/LButton.h"
#include "Gdi/LFontManager.h"
#include "Render/LTextureManager.h"
#include "container/LString.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "interview/GMInterview.h"
#include "multicursor/GMMultiCursor.h"
#include "event/LEventManager.h"
#include "multicursor/GMMultiCursorAction.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LRandom.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

bool GMTestScene::Prepare()
{
    LTextureManager* textures = LTextureManager::Get();
    LFontManager* fonts = LFontManager::Get();
    if (textures == nullptr || fonts == nullptr || !LSampleRoots::Mount() || !textures->SetRoot(LString("//textures"))) {
        return false;
    }
    return fonts->GetFontCount() > 0 ||
           fonts->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"));
}

bool GMTestScene::PrepareHeadless()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    RegisterFakeMovieManager();
    LFakeTimer::sNow = 0.0;
    return Prepare();
}

GMScene* GMTestScene::Load(const char* aId)
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (scenes == nullptr || !Prepare()) {
        return nullptr;
    }
    // As a location the player has entered before: its card has been shown, so a later
    // load of it (a cut scene's target, say) goes straight to the location.
    if (LEventManager* events = LEventManager::Get()) {
        const LString shown = LString(aId) + LString("_placard");
        if (!events->IsRaised(shown)) {
            events->AddEvent(shown, false);
        }
    }
    return scenes->LoadScene(LString(aId), true, true) ? scenes->GetScene() : nullptr;
}

bool GMTestScene::MountChangedCopy(const LTestDirectory& aDirectory, const std::map<std::string, std::string>& aFiles,
                                   const char* aId)
{
    namespace fs = std::filesystem;
    const fs::path from = fs::path(LSampleRoots::Directory()) / "scenes" / aId;
    const fs::path to = fs::path(aDirectory.Path()) / "scenes" / aId;
    std::error_code error;
    fs::create_directories(to, error);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error) {
        return false;
    }
    for (const auto& [name, bytes] : aFiles) {
        if (bytes.empty()) {
            fs::remove(to / name, error);
        } else {
            aDirectory.Write("scenes/" + std::string(aId) + "/" + name, bytes);
        }
    }
    LIFileSystem* files = LIFileSystem::Get();
    if (files == nullptr) {
        return false;
    }
    files->RemoveMount(LString("//scenes"));
    return files->AddMount(LString("//scenes"), FromStd(aDirectory.Path() + "/scenes"));
}

std::string GMTestScene::SampleFile(const std::string& aName, const char* aId)
{
    std::ifstream in(LSampleRoots::Directory() + "/scenes/" + aId + "/" + aName, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

namespace GMSceneFlow {

void RegisterFakes(double aNow)
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    RegisterFakeMovieManager();
    LFakeTimer::sNow = aNow;
}

bool PrepareGame()
{
    RegisterFakes();
    return GMTestScene::Prepare() && GMCursor::GetInstance() != nullptr && GMMultiCursor::GetInstance() != nullptr;
}

void Frames(int aCount)
{
    for (int i = 0; i < aCount; ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.05);
        if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
            scenes->Update();
        }
    }
}

bool FramesUntil(const std::function<bool()>& aDone, int aLimit)
{
    for (int i = 0; i < aLimit && !aDone(); ++i) {
        Frames(1);
    }
    return aDone();
}

void Move(const LVector2& aAt)
{
    LMouse::Get()->OnMove(aAt);
}

void Click(const LVector2& aAt)
{
    Move(aAt);
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
}

GMScene* LoadSampleLocation(const char* aId, const char* aViewpoint)
{
    if (!LSampleRoots::Mount()) {
        return nullptr;
    }
    LTextureManager::Get()->SetRoot(LString("//textures"));
    LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"));
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(LString(aId), true, true)) {
        return nullptr;
    }
    GMScene* scene = scenes->GetScene();
    if (scene == nullptr || !scene->SetViewpoint(LString(aViewpoint))) {
        return nullptr;
    }
    Frames(2);
    return scene;
}

bool Look(const LVector2& aAt)
{
    LFakeTimer::sNow += 1.0;
    Click(aAt);
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    if (menu == nullptr || !FramesUntil([menu] { return menu->IsOpen(); }) ||
        !menu->IsActionEnabled(GMMultiCursorAction::LOOK)) {
        return false;
    }
    LButton* look = menu->GetButton(GMMultiCursorAction::LOOK);
    if (look == nullptr) {
        return false;
    }
    LFakeTimer::sNow += 1.0;
    Click(look->GetWorldPosition() + LVector2(25.0f, 25.0f));
    return true;
}

bool CollectAt(const LVector2& aAt)
{
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    Click(aAt);
    if (menu == nullptr || !FramesUntil([menu] { return menu->IsOpen(); })) {
        return false;
    }
    Click(menu->GetButton(GMMultiCursorAction::COLLECT)->GetWorldPosition() + LVector2(25.0f, 25.0f));
    return true;
}

GMScene* StartAtRiverbank(unsigned int aSeed)
{
    if (!PrepareGame()) {
        return nullptr;
    }
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    LRandom::Seed(aSeed);
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(LString(GMTestScene::kRiverbank), true, true)) {
        return nullptr;
    }
    GMScene* scene = scenes->GetScene();
    Frames(2);
    Move(LVector2(20.0f, 20.0f));
    return scene;
}

void ClickButton(LButton* aButton, float aInside)
{
    if (aButton == nullptr) {
        ADD_FAILURE() << "no button to click";
        return;
    }
    const LVector2 at = aButton->GetWorldPosition();
    Click(LVector2(at.x + aInside, at.y + aInside));
}

std::string PlayLines(GMInterview* aInterview, bool aUntilEnded)
{
    std::string names;
    const auto done = [&] { return aUntilEnded ? !aInterview->IsRunning() : !aInterview->IsBusy(); };
    for (int guard = 0; guard < 20 && !done(); ++guard) {
        if (!FramesUntil([&] { return done() || LFakeSoundPlayer::Find(LString("sequenceSound")) != nullptr; })) {
            break;
        }
        LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
        if (line == nullptr) {
            continue;
        }
        const std::string file = ToStd(line->mFileName);
        names += file.substr(file.rfind('/') + 1) + ";";
        Frames(10);
        line->MarkEnded();
        Frames(2);
    }
    return names;
}

} // namespace GMSceneFlow
