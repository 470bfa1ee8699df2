#include "Gdi/LDisplayManager.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LRenderer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LDisplayManager> sManager;
}

LDisplayManager* LDisplayManager::Get()
{
    return sManager.Get(L_FILE, __LINE__, "Display manager creation failure.");
}

LDisplayManager::LDisplayManager() : mRoot(L_NEW LDisplayGroup())
{
    if (mRoot != nullptr) {
        mRoot->SetId(LString("root"));
    }
}

LDisplayManager::~LDisplayManager()
{
    Log(u"~LDisplayManager()");
    delete mRoot;
    mRoot = nullptr;
    mRenderer = nullptr;
    sManager.Destroyed(this);
}

LString LDisplayManager::Dump() const
{
    return DumpHead("LDisplayManager") + "]";
}

bool LDisplayManager::AddMember(LIDisplayObject* aMember)
{
    if (aMember == nullptr) {
        L_ERROR("AddMember failure. NULL arg.");
        return false;
    }
    return mRoot != nullptr && mRoot->AddMember(aMember, true);
}

bool LDisplayManager::RemoveMember(LIDisplayObject* aMember)
{
    return mRoot != nullptr && mRoot->RemoveMember(aMember);
}

bool LDisplayManager::RemoveMember(const LString& aId, LIDisplayObject** aRemoved)
{
    return mRoot != nullptr && mRoot->RemoveMember(aId, aRemoved);
}

bool LDisplayManager::Render()
{
    if (mRoot == nullptr) {
        return false;
    }
    if (mRenderer == nullptr) {
        mRenderer = LRenderer::Get();
        if (mRenderer == nullptr) {
            L_ERROR("Render failure. No renderer defined.");
            return false;
        }
    }
    bool result = mRenderer->Begin();
    result = mRoot->Render(mRenderer) && result;
    result = mRenderer->End() && result;
    return result;
}
