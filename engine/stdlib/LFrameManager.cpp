#include "stdlib/LFrameManager.h"

#include "container/LVector.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIFrameListener.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LFrameManager> gFrameManager;

} // namespace

LFrameManager* LFrameManager::Get()
{
    return gFrameManager.Get(L_FILE, __LINE__, "LFrameManager creation failure.");
}

LFrameManager::LFrameManager()
    : mListeners(L_NEW LVector()), mPriorities(L_NEW LVectorFloat())
{
}

LFrameManager::~LFrameManager()
{
    Log(u"~LFrameManager()");
    gFrameManager.Destroyed(this);
    // A pass still running (the manager deleted from inside a listener) calls nobody more
    // and leaves the deleted manager alone.
    for (Pass* pass = mPass; pass; pass = pass->mOuter) {
        pass->mManagerDeleted = true;
    }
    delete mListeners;
    delete mPriorities;
}

LString LFrameManager::Dump() const
{
    return DumpHead("LFrameManager") + "]";
}

int LFrameManager::AddListener(LIFrameListener* apListener, float aPriority)
{
    if (!apListener) {
        L_ERROR("Add listener failure. apListener == NULL.");
        return 0;
    }
    if (!mListeners || !mPriorities) {
        L_ERROR("Add listener failure.");
        return 0;
    }
    if (mListeners->Contains(apListener)) {
        L_ERROR("Add listener failure. Duplicate found.");
        return 0;
    }
    // Before the first strictly greater priority; a NaN never stops the walk.
    const int count = mPriorities->GetCount();
    int at = count;
    for (int i = 0; i < count; ++i) {
        if ((*mPriorities)[i] > aPriority) {
            at = i;
            break;
        }
    }
    if (!mListeners->InsertAt(at, apListener)) {
        L_ERROR("Add listener failure.");
        return 0;
    }
    if (!mPriorities->InsertAt(at, aPriority)) {
        mListeners->RemoveAt(at, nullptr);
        L_ERROR("Add listener failure.");
        return 0;
    }
    return 1;
}

int LFrameManager::RemoveListener(LIFrameListener* apListener)
{
    const int index = mListeners ? mListeners->Find(apListener) : -1;
    if (!apListener || index == -1) {
        L_ERROR("Remove listener error.");
        return 0;
    }
    if (!mListeners->RemoveAt(index, nullptr)) {
        L_ERROR("RemoveListener error.");
        return 0;
    }
    if (!mPriorities->RemoveAt(index, nullptr)) {
        L_ERROR("RemoveListener error.");
        return 0;
    }
    for (Pass* pass = mPass; pass; pass = pass->mOuter) {
        for (int i = 0; i < pass->mCount; ++i) {
            if (pass->mEntries[i] == apListener) {
                pass->mEntries[i] = nullptr;
            }
        }
    }
    return 1;
}

int LFrameManager::Interrupt()
{
    mInterrupt = 1;
    return 1;
}

int LFrameManager::Update()
{
    if (mInterrupt) {
        mInterrupt = 0;
        return 1;
    }
    const int count = mListeners ? mListeners->GetCount() : 0;
    if (count < 1) {
        return 1;
    }
    void** snapshot = nullptr;
    if (mListeners->CopyToArray(&snapshot) && snapshot) {
        Pass pass {reinterpret_cast<LIFrameListener**>(snapshot), count, mPass, false};
        mPass = &pass;
        for (int i = 0; i < pass.mCount; ++i) {
            if (LIFrameListener* listener = pass.mEntries[i]) {
                listener->OnFrame();
            }
            if (pass.mManagerDeleted) {
                delete[] snapshot;
                return 1;
            }
            if (mInterrupt) {
                break;
            }
        }
        mPass = pass.mOuter;
        delete[] snapshot;
    }
    mInterrupt = 0;
    return 1;
}

int LFrameManager::GetListenerCount() const
{
    return mListeners ? mListeners->GetCount() : 0;
}
