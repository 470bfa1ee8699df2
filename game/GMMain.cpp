#include "GMMain.h"

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
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "object/LRuntimeSetup.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LFileSystemWinCreator.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "time/LTimerWinCreator.h"
#include "util/GMCleaner.h"

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
    // The application shell's application object replaces this empty one.
    return RunApplication(L_NEW LApp());
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
    if (fileSystem) {
        fileSystem->AddMount(LString("//gameroot"), directory);
        fileSystem->AddMount(LString("//dataroot"), directory + "/data");
        fileSystem->AddMount(LString("//textures"), directory + "/data/textures");
        fileSystem->AddMount(LString("//meshes"), directory + "/data/meshes");
        fileSystem->AddMount(LString("//animations"), directory + "/data/animations");
        fileSystem->AddMount(LString("//interviews"), directory + "/data/interviews");
        fileSystem->AddMount(LString("//sounds"), directory + "/data/sounds");
        fileSystem->AddMount(LString("//scenes"), directory + "/data/scenes");
        fileSystem->AddMount(LString("//characters"), directory + "/data/characters");
        fileSystem->AddMount(LString("//gestures"), directory + "/data/gestures");
    }
    if (LTextureManager* textures = LTextureManager::Get()) {
        textures->SetRoot(LString("//textures"));
    }
}

int GMMain::RunApplication(LApp* aApp)
{
    LIPlatform* platform = LIPlatform::Get();
    if (!platform) {
        delete aApp;
        return 0;
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
        delete aApp;
        return 0;
    }
    platform->SetApp(aApp);
    if (!platform->Init(0)) {
        return 0;
    }
    const unsigned firstSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());
    platform->Run();
    delete platform;
    // Game singletons may still use engine singletons while they are deleted.
    delete GMCleaner::GetInstance();
    delete LCleaner::Get();
    const unsigned lastSerial = static_cast<unsigned>(LMemoryManager::GetAllocationSerial());
    LMemoryManager::PrintStats(0);
    LMemoryManager::ReportLeaks(0, firstSerial, lastSerial);
    return 0;
}
