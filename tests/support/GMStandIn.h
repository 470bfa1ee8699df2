// A stand-in for a game singleton, for tests that need one the game does not have. The
// class derives from GMStandIn<itself> and names itself in kClassName:
//
//   class GMFoo : public GMStandIn<GMFoo> { public: static constexpr const char* kClassName = "GMFoo"; };
//
// GetInstance makes the object on first use and registers it with the game cleaner, as
// the game's singletons do; once the cleaner has deleted it, GetInstance gives null until
// that cleaner has ended. A stand-in asked for by a state says so in the log
// (GMStandInNote).
#pragma once
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "object/LBase.h"
#include "stdlib/LLog.h"
#include "support/GMStandInNote.h"
#include "util/GMCleaner.h"

template <typename T>
class GMStandIn : public LBase
{
public:
    // The instance; null when it cannot be made (logged) and after it has been deleted.
    static T* GetInstance()
    {
        if (sInstance != nullptr || sDestroyed) {
            return sInstance;
        }
        T* instance = L_NEW T();
        if (instance == nullptr) {
            L_ERROR(LString(T::kClassName) + " creation failure.");
            return nullptr;
        }
        sInstance = instance;
        sBase = instance;
        if (GMCleaner* cleaner = GMCleaner::GetInstance()) {
            cleaner->AddInstance(instance);
        }
        return instance;
    }

    GMStandIn() : mNote(T::kClassName) {}
    GMStandIn(const GMStandIn&) = delete;
    GMStandIn& operator=(const GMStandIn&) = delete;
    ~GMStandIn() override
    {
        if (sBase == this) {
            sInstance = nullptr;
            sBase = nullptr;
            sDestroyed = true;
            if (GMCleaner* cleaner = GMCleaner::Peek()) {
                cleaner->ForgetInstance(sBase);
                cleaner->OnInstanceDestroyed(&sDestroyed);
            }
        }
    }

    LString Dump() const override { return DumpHead(T::kClassName) + "]"; }

private:
    GMStandInNote mNote;
    static inline T* sInstance = nullptr;
    // The instance as its base, compared in the destructor, where it is no longer a T.
    static inline LBase* sBase = nullptr;
    static inline bool sDestroyed = false;
};
