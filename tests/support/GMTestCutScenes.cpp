#include "support/GMTestCutScenes.h"

#include "GMScreenManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"

namespace GMTestCutScenes {

GMCutScenePlayer* Make(const std::string& aTable, const std::string& aSubtitles)
{
    LIFileSystem* files = LIFileSystem::Get();
    if (files == nullptr || GMCutScenePlayer::Peek() != nullptr) {
        return nullptr;
    }
    LString earlier;
    const bool mounted = files->GetNativePath(LString("//dataroot/x"), earlier);
    if (mounted) {
        const std::string path = ToStd(earlier);
        earlier = FromStd(path.substr(0, path.size() - 2));
    }
    LTestDirectory tables;
    tables.Write("movies/cutscenes.txt", aTable);
    tables.Write("movies/cutscenes_subtitles.txt", aSubtitles);
    files->AddMount(LString("//dataroot"), FromStd(tables.Path()));
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    if (mounted) {
        files->AddMount(LString("//dataroot"), earlier);
    } else {
        files->RemoveMount(LString("//dataroot"));
    }
    return player;
}

bool PlayOut(int aLimit)
{
    const auto done = []() {
        GMCutScenePlayer* player = GMCutScenePlayer::Peek();
        GMScreenManager* screens = GMScreenManager::GetInstance();
        auto* movie = player != nullptr ? dynamic_cast<LFakeMoviePlayer*>(player->GetMovie()) : nullptr;
        if (movie != nullptr && movie->mPlaying) {
            movie->MarkEnded();
        }
        return (player == nullptr || !player->IsPlaying()) && (screens == nullptr || !screens->IsBusy());
    };
    return GMSceneFlow::FramesUntil(done, aLimit);
}

std::vector<std::string> Made()
{
    std::vector<std::string> names;
    for (const LFakeMovieManager::Made& made : LFakeMovieManager::sMade) {
        const std::string file = ToStd(made.mFileName);
        names.push_back(file.substr(file.rfind('/') + 1));
    }
    return names;
}

int Asked(const std::string& aFile)
{
    int count = 0;
    for (const std::string& made : Made()) {
        count += made == aFile ? 1 : 0;
    }
    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    for (int i = 0; player != nullptr && i < player->GetQueue().GetCount(); ++i) {
        count += ToStd(player->GetQueue().GetRef(i)) == aFile ? 1 : 0;
    }
    return count;
}

LFakeMoviePlayer* Shown()
{
    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    return player != nullptr ? dynamic_cast<LFakeMoviePlayer*>(player->GetMovie()) : nullptr;
}

bool Settle(int aLimit)
{
    return GMSceneFlow::FramesUntil(
        []() {
            GMScreenManager* screens = GMScreenManager::GetInstance();
            GMScreenFader* fader = GMScreenFader::Peek();
            return (screens == nullptr || !screens->IsBusy()) && (fader == nullptr || fader->GetListener() == nullptr);
        },
        aLimit);
}

} // namespace GMTestCutScenes
