// Loads the sample's riverbank with an arbitrary "scene.txt" (and, after a line "====",
// an arbitrary "cameras.txt") through the scene manager over the recording fakes, sets
// every viewpoint the file names, builds its cuts and selects each, draws a frame and
// unloads the location.
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSetUp.h"
#include "support/LTestDirectory.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
LTestDirectory* gDirectory = nullptr;
const std::string kFolder = std::string("scenes/") + GMTestScene::kRiverbank + "/";

bool Prepare()
{
    static LTestDirectory sDirectory;
    gDirectory = &sDirectory;
    return GMTestScene::PrepareHeadless() && GMTestScene::MountChangedCopy(sDirectory, {});
}

// Up to four keys of aList, or the values of aKey in its entries.
void Names(const LPropertyList* aList, const char* aKey, LString aOut[4], int& aCount)
{
    aCount = 0;
    for (int i = 0; aList != nullptr && i < aList->GetCount() && aCount < 4; ++i) {
        if (aKey == nullptr) {
            aOut[aCount++] = aList->GetKeyAt(i);
        } else if (const LPropertyList* entry = aList->GetListAt(i)) {
            bool found = false;
            aOut[aCount++] = entry->GetString(LString(aKey), found);
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    LFuzzRequireSetUp(sPrepared, "scene_description");
    LFuzzForgetRecords();
    std::string scene(reinterpret_cast<const char*>(aData), aSize);
    const size_t split = scene.find("\n====\n");
    gDirectory->Write(kFolder + "cameras.txt",
                      split == std::string::npos ? GMTestScene::SampleFile("cameras.txt") : scene.substr(split + 6));
    if (split != std::string::npos) {
        scene.resize(split);
    }
    gDirectory->Write(kFolder + "scene.txt", scene);

    GMSceneManager* scenes = GMSceneManager::GetInstance();
    if (scenes->LoadScene(LString(GMTestScene::kRiverbank), true, true)) {
        GMScene* loaded = scenes->GetScene();
        const LPropertyList* data = loaded->GetSceneData();
        LString names[4];
        int count = 0;
        Names(data != nullptr ? data->GetList(LString("viewpoints")) : nullptr, nullptr, names, count);
        for (int i = 0; i < count; ++i) {
            // The load has set its default viewpoint already: set up again, it would build
            // the same hotspots and interviews a second time.
            if (!(names[i] == loaded->GetViewpoint())) {
                loaded->SetViewpoint(names[i]);
            }
            loaded->Update();
            loaded->Render();
        }
        loaded->SetupCuts();
        Names(data != nullptr ? data->GetList(LString("cuts")) : nullptr, "id", names, count);
        for (int i = 0; i < count; ++i) {
            loaded->SetCut(names[i]);
            loaded->Render();
        }
        loaded->SetCut(LString("-"));
        loaded->RefreshCharacters();
    }
    scenes->UnloadScene();
    return 0;
}
