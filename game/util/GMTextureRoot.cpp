#include "util/GMTextureRoot.h"

#include "Render/LTextureManager.h"

GMTextureRoot::GMTextureRoot(const LString& aRoot) : mTextures(LTextureManager::Get())
{
    if (mTextures != nullptr) {
        mOld = mTextures->GetRoot();
        mTextures->SetRoot(aRoot);
    }
}

GMTextureRoot::~GMTextureRoot()
{
    if (mTextures != nullptr && !mOld.IsEmpty()) {
        mTextures->SetRoot(mOld);
    }
}
