#include "Render/LGestureAnimManager.h"

#include "Render/LAnimation.h"
#include "Render/LTextureManager.h"
#include "memory/LMemoryManager.h"
#include "object/LObjectManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LGestureAnimManager> sManager;

bool IsSymbolic(const LString& aPath)
{
    return aPath.GetLength() >= 2 && aPath.At(0) == u'/' && aPath.At(1) == u'/';
}
} // namespace

LGestureAnimManager* LGestureAnimManager::Get()
{
    if (sManager.Peek() != nullptr || sManager.IsDestroyed()) {
        return sManager.Peek();
    }
    LGestureAnimManager* manager = L_NEW LGestureAnimManager();
    if (manager == nullptr || manager->mObjects == nullptr) {
        delete manager;
        L_ERROR("LGestureAnimManager creation failure.");
        return nullptr;
    }
    return sManager.Install(manager);
}

LGestureAnimManager::LGestureAnimManager()
    : mObjects(L_NEW LObjectManager(LString("gestureanimmanager"), kManagerNumber))
{
}

LGestureAnimManager::~LGestureAnimManager()
{
    Log(u"~LGestureAnimManager()");
    delete mObjects;
    mObjects = nullptr;
    sManager.Destroyed(this);
}

LString LGestureAnimManager::Dump() const
{
    return DumpHead("LAnimationManager") + "]";
}

bool LGestureAnimManager::SetRoot(const LString& aPath)
{
    // The same form as the other managers' roots.
    const LString root = LTextureManager::NormalRoot(aPath);
    if (root.GetLength() <= 2) {
        L_ERROR("SetRoot failure. Invalid arg.");
        return false;
    }
    mRoot = root;
    return true;
}

unsigned int LGestureAnimManager::CreateAnimation(const LString& aId)
{
    if (mRoot.IsEmpty()) {
        L_ERROR("CreateAnimation failure. Root undefined.");
        return 0;
    }
    const unsigned int existing = GetHandle(aId);
    if (existing != 0) {
        return existing;
    }
    const LString path = IsSymbolic(aId) ? aId : mRoot + aId;
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!stream.CreateFromFile(path, true)) {
        L_ASSERT_FAILURE("LoadAnimation failure.");
        return 0;
    }
    const LAnimation::Form form = LAnimation::FormOf(path);
    if (form == LAnimation::FORM_NONE) {
        L_ASSERT_FAILURE("Load failure. Invalid extension.");
        return 0;
    }
    LAnimation* animation = L_NEW LAnimation();
    if (animation == nullptr) {
        L_ERROR("CreateAnimation failure.");
        return 0;
    }
    const bool read = form == LAnimation::FORM_CURRENT ? animation->Read(&stream)
                                                        : animation->ReadLia(&stream, aId) != 0;
    if (!read) {
        delete animation;
        return 0;
    }
    const unsigned int handle = mObjects->AddObject(aId, animation);
    if (handle == 0) {
        L_ERROR("CreateAnimation failure.");
        delete animation;
    }
    return handle;
}

unsigned int LGestureAnimManager::AddAnimation(const LString& aId, LAnimation* aAnimation)
{
    if (aAnimation == nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    const unsigned int existing = GetHandle(aId);
    if (existing != 0) {
        L_WARNING("AddAnimation failure. Animation id exists: " + aId);
        return existing;
    }
    const unsigned int handle = mObjects->AddObject(aId, aAnimation);
    if (handle == 0) {
        L_ERROR("AddAnimation failure.");
    }
    return handle;
}

LAnimation* LGestureAnimManager::GetAnimation(unsigned int aHandle)
{
    return dynamic_cast<LAnimation*>(mObjects->GetObject(aHandle));
}

LAnimation* LGestureAnimManager::GetAnimation(const LString& aId)
{
    return dynamic_cast<LAnimation*>(mObjects->GetObject(aId));
}

unsigned int LGestureAnimManager::GetHandle(const LString& aId) const
{
    return aId.IsEmpty() ? 0 : mObjects->GetHandle(aId);
}

int LGestureAnimManager::LockHandle(unsigned int aHandle)
{
    return mObjects->LockHandle(aHandle);
}

int LGestureAnimManager::ReleaseHandle(unsigned int aHandle)
{
    return mObjects->ReleaseHandle(aHandle);
}

int LGestureAnimManager::DestroyObject(unsigned int aHandle)
{
    return mObjects->DestroyObject(aHandle);
}

int LGestureAnimManager::DestroyObject(const LString& aId)
{
    return mObjects->DestroyObject(aId);
}

int LGestureAnimManager::DestroyObjectAndHandle(unsigned int aHandle)
{
    return mObjects->DestroyObjectAndHandle(aHandle);
}

int LGestureAnimManager::RemoveHandle(unsigned int aHandle)
{
    return mObjects->RemoveHandle(aHandle);
}

int LGestureAnimManager::RemoveHandle(const LString& aId)
{
    return mObjects->RemoveHandle(aId);
}

int LGestureAnimManager::RemoveObject(unsigned int aHandle, LBase** aOut)
{
    return mObjects->RemoveObject(aHandle, aOut);
}

int LGestureAnimManager::RemoveObject(const LString& aId, LBase** aOut)
{
    return mObjects->RemoveObject(aId, aOut);
}

void LGestureAnimManager::RemoveAll()
{
    mObjects->RemoveAll();
}
