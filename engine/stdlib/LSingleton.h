// The engine's singleton convention, kept in one place. A singleton class keeps one
// LSingleton<T> in its source file; its accessor calls Get, and its destructor calls
// Destroyed, after which Get returns null for the rest of the run (the cleaner has
// deleted the instance; nothing may bring it back half-way through exit).
//
//   namespace { LSingleton<LFoo> sFoo; }
//   LFoo* LFoo::Get() { return sFoo.Get(L_FILE, __LINE__, "LFoo creation failure."); }
//   LFoo::~LFoo() { sFoo.Destroyed(this); }
//
// TCleanerOf is the accessor of the cleaner that registers and deletes the instance: the
// engine's cleaner unless a layer above keeps its own. That cleaner hears of every
// destroyed instance, and may let the accessor make one again once it has ended.
#pragma once
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LLog.h"

template <typename T, auto TCleanerOf = &LCleaner::Get>
class LSingleton
{
public:
    // The instance, created on first use through the tracked allocator and registered with
    // the cleaner; null when it cannot be made (aFailure logged as an error, and the next
    // call tries again) and after it has been destroyed (no message).
    T* Get(const char* aFile, int aLine, const LString& aFailure)
    {
        if (mInstance) {
            return mInstance;
        }
        if (mDestroyed) {
            return nullptr;
        }
        T* instance = new (aFile, aLine) T();
        if (!instance) {
            LogEntry("ERROR: ", aFile, aLine, aFailure);
            return nullptr;
        }
        return Install(instance);
    }

    // Makes an instance made elsewhere (by an object creator, say) the singleton and
    // registers it with the cleaner.
    T* Install(T* aInstance)
    {
        mInstance = aInstance;
        if (auto* cleaner = TCleanerOf()) {
            cleaner->AddInstance(aInstance);
        }
        return mInstance;
    }

    // Makes aInstance the singleton without registering it with the cleaner, for an
    // instance that another owner deletes (the object managers, which the registry owns).
    T* Adopt(T* aInstance)
    {
        mInstance = aInstance;
        return mInstance;
    }

    // The instance if there is one; never creates.
    T* Peek() const { return mInstance; }
    bool IsDestroyed() const { return mDestroyed; }

    // Called by the destructor of the instance. One deleted by another than its cleaner
    // leaves the cleaner's list, so that the cleaner does not delete it again.
    void Destroyed(const T* aInstance)
    {
        if (mInstance == aInstance) {
            mInstance = nullptr;
            mDestroyed = true;
            if (auto* cleaner = TCleanerOf()) {
                cleaner->ForgetInstance(aInstance);
                cleaner->OnInstanceDestroyed(&mDestroyed);
            }
        }
    }

private:
    T* mInstance = nullptr;
    bool mDestroyed = false;
};
