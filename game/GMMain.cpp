#include "GMMain.h"

#include "GMApp.h"
#include "Math/LMatrixUtilDX9Creator.h"
#include "Render/LApp.h"
#include "Render/LDeviceCapabilitiesDX9Creator.h"
#include "Render/LIPlatform.h"
#include "Render/LPlatformPCDX9Creator.h"
#include "Render/LPlatformParams.h"
#include "Render/LRasterizerDX9Creator.h"
#include "Render/LTextureDX9Creator.h"
#include "Render/LTextureManager.h"
#include "Sound/LSoundManagerFMODCreator.h"
#include "Video/LMovieManagerBinkCreator.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "object/LRuntimeSetup.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LFileSystemWinCreator.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "state/LStateManager.h"
#include "time/LTimerWinCreator.h"
#include "util/GMCleaner.h"
#include "win32/WinTestHooks.h"

namespace {

bool Add(LRegistry* aRegistry, LIObjectCreator* aCreator)
{
    if (!aCreator) {
        return false;
    }
    if (!aRegistry->AddCreator(aCreator)) {
        delete aCreator; // a refused creator stays ours
        return false;
    }
    return true;
}

} // namespace

int GMMain::Run(int, char**)
{
    if (!RegisterComponents()) {
        L_ASSERT_FAILURE("");
    }
    MountRoots();
    return RunApplication([]() -> LApp* { return GMApp::GetInstance(); });
}

bool GMMain::RegisterComponents()
{
    LRegistry* registry = LRegistry::Get();
    if (!registry) {
        return false;
    }
    bool result = true;
    result = Add(registry, L_NEW LFileSystemWinCreator()) && result;
    result = Add(registry, L_NEW LTimerWinCreator()) && result;
    result = Add(registry, L_NEW LRasterizerDX9Creator()) && result;
    result = Add(registry, L_NEW LTextureDX9Creator()) && result;
    result = Add(registry, L_NEW LDeviceCapabilitiesDX9Creator()) && result;
    result = Add(registry, L_NEW LMatrixUtilDX9Creator()) && result;
    result = Add(registry, L_NEW LSoundManagerFMODCreator()) && result;
    result = Add(registry, L_NEW LMovieManagerBinkCreator()) && result;
    result = Add(registry, L_NEW LPlatformPCDX9Creator()) && result;
    result = LRuntimeSetup::RegisterCreators(registry) != 0 && result;
    return result;
}

void GMMain::MountRoots()
{
    LIFileSystem* fileSystem = LIFileSystem::Get();
    LString directory;
    if (fileSystem) {
        fileSystem->GetCurrentDirectory(directory);
    }
    L_NOTE("CURRENT DIR:" + directory);
    MountRoots(directory);
}

bool GMMain::MountRoots(const LString& aDirectory)
{
    static const char* const kRoots[][2] = {
        {"//gameroot", ""},
        {"//dataroot", "/data"},
        {"//textures", "/data/textures"},
        {"//meshes", "/data/meshes"},
        {"//animations", "/data/animations"},
        {"//interviews", "/data/interviews"},
        {"//sounds", "/data/sounds"},
        {"//scenes", "/data/scenes"},
        {"//characters", "/data/characters"},
        {"//gestures", "/data/gestures"},
    };
    bool ok = true;
    LIFileSystem* fileSystem = LIFileSystem::Get();
    for (const auto& root : kRoots) {
        ok = fileSystem != nullptr && fileSystem->AddMount(LString(root[0]), aDirectory + root[1]) && ok;
    }
    LTextureManager* textures = LTextureManager::Get();
    ok = textures != nullptr && textures->SetRoot(LString("//textures")) && ok;
    return ok;
}

int GMMain::RunApplication(const AppCreator& aCreateApp)
{
    LIPlatform* platform = LIPlatform::Get();
    if (!platform) {
        L_ERROR("RunApplication failure. No platform.");
        return 1;
    }
    LPlatformParams params;
    params.mTitle = LString("Test");
    params.mWidth = 800;
    params.mHeight = 600;
    params.mBits = 32;
    params.mWindowed = false;
    params.mInstance = GetModuleHandleW(nullptr);
    params.mShowCommand = SW_SHOWDEFAULT;
    params.mWindow = nullptr;
    params.mPresentParameters = nullptr;
    if (!platform->Init(params)) {
        L_ERROR("RunApplication failure. The platform could not start.");
        delete platform;
        return 1;
    }
    // The application is made once the window and the device exist.
    LApp* app = aCreateApp ? aCreateApp() : nullptr;
    if (app == nullptr) {
        L_ERROR("RunApplication failure. No application.");
        delete platform;
        return 1;
    }
    platform->SetApp(app);
    if (!platform->Init(0)) {
        L_ERROR("RunApplication failure. The application could not start.");
        delete platform; // and the application with it
        return 1;
    }
    const unsigned firstSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());
    platform->Run();
    // The whole-program tests judge the game's end by its states and raised events.
    if (WinTestHooksActive()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->DumpStates();
        }
        if (LEventManager* events = LEventManager::Get()) {
            events->DumpEvents();
        }
    }
    delete platform;
    // Game singletons may still use engine singletons while they are deleted.
    delete GMCleaner::GetInstance();
    delete LCleaner::Get();
    const unsigned lastSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());
    LMemoryManager::PrintStats(0);
    LMemoryManager::ReportLeaks(0, firstSerial, lastSerial);
    return 0;
}
