#include "Render/LTextureManager.h"

#include "LImage.h"
#include "Render/LITexture.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"
#include "object/LObjectManager.h"

namespace {
LSingleton<LTextureManager> sManager;

bool IsSymbolic(const LString& aPath)
{
    return aPath.GetLength() >= 2 && aPath.At(0) == u'/' && aPath.At(1) == u'/';
}
} // namespace

LTextureManager* LTextureManager::Get()
{
    if (sManager.Peek() != nullptr || sManager.IsDestroyed()) {
        return sManager.Peek();
    }
    LTextureManager* manager = L_NEW LTextureManager();
    if (manager == nullptr || manager->mObjects == nullptr) {
        delete manager;
        L_ERROR("LTextureManager creation failure.");
        return nullptr;
    }
    return sManager.Install(manager);
}

LTextureManager::LTextureManager()
    : mObjects(L_NEW LObjectManager(LString("texturemanager"), kManagerNumber))
{
}

LTextureManager::~LTextureManager()
{
    delete mObjects;
    mObjects = nullptr;
    sManager.Destroyed(this);
}

LString LTextureManager::Dump() const
{
    return DumpHead("LTextureManager") + "]";
}

LString LTextureManager::NormalRoot(const LString& aPath)
{
    if (!IsSymbolic(aPath)) {
        return LString();
    }
    // One "/" between components and at the end, and the leading "//" again.
    LString root = aPath + "/";
    while (root.Find(u"//", 0) >= 0) {
        root.Replace(u"//", u"/", true);
    }
    return LString("/") + root;
}

int LTextureManager::SetRoot(const LString& aPath)
{
    const LString root = NormalRoot(aPath);
    // Nothing but slashes names no mount.
    if (root.GetLength() <= 2) {
        L_ERROR("SetRoot failure. Invalid arg.");
        return 0;
    }
    mRoot = root;
    return 1;
}

LString LTextureManager::GetRoot() const
{
    return mRoot;
}

uint32_t LTextureManager::CreateTexture(const LString& aPath)
{
    const uint32_t existing = GetHandle(aPath);
    if (existing != 0) {
        return existing;
    }
    LString file;
    if (IsSymbolic(aPath)) {
        file = aPath;
    } else {
        if (mRoot.IsEmpty()) {
            L_ERROR("CreateTexture failure. Root undefined.");
            return 0;
        }
        file = mRoot + aPath;
    }
    LImage* image = nullptr;
    if (!LImage::CreateFromFile(file, &image) || image == nullptr) {
        delete image;
        return 0;
    }
    const uint32_t handle = CreateTexture(aPath, image);
    delete image;
    return handle;
}

uint32_t LTextureManager::CreateTexture(const LString& aId, LImage* aImage)
{
    if (aImage == nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    const uint32_t existing = GetHandle(aId);
    if (existing != 0) {
        return existing;
    }
    LAPIObjectManager* api = LAPIObjectManager::Get();
    LObject* object = api != nullptr ? api->CreateObject(LString("texture"), nullptr) : nullptr;
    LITexture* texture = dynamic_cast<LITexture*>(object);
    if (texture == nullptr || texture->Create(aImage) <= 0) {
        delete object;
        L_ERROR("CreateTexture failure.");
        return 0;
    }
    const uint32_t handle = mObjects->AddObject(aId, texture);
    if (handle == 0) {
        delete texture;
        L_ERROR("CreateTexture failure.");
        return 0;
    }
    return handle;
}

uint32_t LTextureManager::CreateTexture(const LString& aId, LITexture* aTexture)
{
    if (aTexture == nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    const uint32_t existing = GetHandle(aId);
    if (existing != 0) {
        L_WARNING("CreateTexture failure. Texture id exists: " + aId);
        return existing;
    }
    const uint32_t handle = mObjects->AddObject(aId, aTexture);
    if (handle == 0) {
        L_ERROR("CreateTexture failure.");
    }
    return handle;
}

uint32_t LTextureManager::GetHandle(const LString& aId) const
{
    if (aId.IsEmpty()) {
        return 0;
    }
    return mObjects->GetHandle(aId);
}

LITexture* LTextureManager::GetTexture(uint32_t aHandle) const
{
    return dynamic_cast<LITexture*>(mObjects->GetObject(aHandle));
}

LITexture* LTextureManager::GetTexture(const LString& aId) const
{
    return dynamic_cast<LITexture*>(mObjects->GetObject(aId));
}

int LTextureManager::GetTextureName(uint32_t aHandle, LString& aOut) const
{
    return mObjects->GetId(aHandle, aOut);
}

int LTextureManager::LockTexture(uint32_t aHandle)
{
    return mObjects->LockHandle(aHandle);
}

int LTextureManager::UnlockTexture(uint32_t aHandle, bool aRemove)
{
    return mObjects->ReleaseHandle(aHandle);
}

int LTextureManager::DestroyTexture(uint32_t aHandle)
{
    return mObjects->DestroyObject(aHandle);
}

int LTextureManager::DestroyTexture(const LString& aId)
{
    return mObjects->DestroyObject(aId);
}

int LTextureManager::DestroyTextureAndHandle(uint32_t aHandle)
{
    return mObjects->DestroyObjectAndHandle(aHandle);
}

int LTextureManager::RemoveHandle(uint32_t aHandle)
{
    return mObjects->RemoveHandle(aHandle);
}

int LTextureManager::RemoveHandle(const LString& aId)
{
    return mObjects->RemoveHandle(aId);
}

int LTextureManager::RemoveTexture(uint32_t aHandle, LBase** aOut)
{
    return mObjects->RemoveObject(aHandle, aOut);
}

int LTextureManager::RemoveTexture(const LString& aId, LBase** aOut)
{
    return mObjects->RemoveObject(aId, aOut);
}
