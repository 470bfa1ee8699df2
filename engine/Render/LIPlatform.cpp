#include "Render/LIPlatform.h"

#include "Render/LApp.h"
#include "stdlib/LServiceCreation.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LIPlatform> sPlatform;

} // namespace

LIPlatform* LIPlatform::Get()
{
    if (LIPlatform* platform = sPlatform.Peek()) {
        return platform;
    }
    if (sPlatform.IsDestroyed()) {
        return nullptr;
    }
    LIPlatform* created = LCreateService<LIPlatform>("platform", &NewDefaultCreator);
    if (!created) {
        L_ERROR("LIPlatform creation failure.");
        return nullptr;
    }
    // Start-up deletes the platform; the cleaner must not.
    return sPlatform.Adopt(created);
}

LIPlatform::LIPlatform() = default;

LIPlatform::~LIPlatform()
{
    delete mApp;
    mApp = nullptr;
    sPlatform.Destroyed(this);
}

void LIPlatform::OnActivate()
{
    mActive = true;
}

void LIPlatform::OnDeactivate()
{
    mActive = false;
}

void LIPlatform::SetApp(LApp* aApp)
{
    if (mApp && mApp != aApp) {
        delete mApp;
    }
    mApp = aApp;
    mQuitNotified = false;
}

void LIPlatform::NotifyQuit()
{
    if (mApp && !mQuitNotified) {
        mQuitNotified = true;
        mApp->OnQuit();
    }
}
