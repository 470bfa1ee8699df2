// The game's own cleaner: the game singletons register here, and deleting it at exit
// deletes them, the most recently registered first. Start-up deletes it after the
// platform and before the engine's cleaner, so a game singleton may still use engine
// singletons in its destructor.
//
// Once it has ended, the game singletons it deleted can be made again (with a new
// cleaner): a test program deletes the game cleaner after each test and runs whole.
//
// A game singleton keeps one GMSingleton<T> in its source file, as the engine's
// singletons keep an LSingleton<T>:
//
//   namespace { GMSingleton<GMFoo> sFoo; }
//   GMFoo* GMFoo::GetInstance() { return sFoo.Get(L_FILE, __LINE__, "GMFoo creation failure."); }
//   GMFoo::~GMFoo() { sFoo.Destroyed(this); }
#pragma once
#include "stdlib/LCleaner.h"
#include "stdlib/LSingleton.h"

#include <vector>

class GMCleaner : public LCleaner
{
public:
    // The game cleaner, created on first use (and again after it has been deleted); null
    // when it cannot be made (logged).
    static GMCleaner* GetInstance();
    // The game cleaner if there is one; never makes one. Every game singleton is
    // registered with it, so none exists while it does not.
    static GMCleaner* Peek();

    GMCleaner();
    ~GMCleaner() override;

    LString Dump() const override;
    // Kept until this cleaner ends, then cleared.
    void OnInstanceDestroyed(bool* aDestroyed) override;

private:
    std::vector<bool*> mDestroyedFlags;
};

template <typename T>
using GMSingleton = LSingleton<T, &GMCleaner::GetInstance>;
