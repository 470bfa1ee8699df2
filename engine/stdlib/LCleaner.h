// The one place that deletes the engine's singletons. Each singleton registers itself here
// when its accessor creates it; deleting the cleaner at exit deletes every registered
// instance, the most recently registered first, so a singleton that used others while it
// was being made is deleted before them.
//
// The singleton convention (see LSingleton.h): a static accessor creates the instance on
// first use through the tracked allocator, logs the class name + " creation failure."
// and returns null when that fails, registers the instance with the cleaner, and returns
// null once the cleaner has deleted it.
#pragma once
#include "object/LBase.h"

class LVector;

class LCleaner : public LBase
{
public:
    // The cleaner, created on first use (and again after it has been deleted).
    static LCleaner* Get();
    // The cleaner if there is one; never makes one.
    static LCleaner* Peek();
    // For a test program that runs many tests in one process, between two tests: the
    // engine's singletons destroyed so far (their cleaner deleted) may be made again by
    // their accessors. The program itself never calls it, so at exit they stay destroyed.
    static void ResetDestroyedSingletons();

    LCleaner();
    ~LCleaner() override;

    LString Dump() const override;

    // The cleaner owns aInstance from now on.
    int AddInstance(LBase* aInstance);
    // Hands aInstance back to its caller; it is not deleted.
    int RemoveInstance(LBase* aInstance);
    // Told by a singleton being deleted: the cleaner no longer holds it, so that one deleted
    // by another owner is not deleted again. Silent; whether it was held.
    bool ForgetInstance(const LBase* aInstance);
    int GetInstanceCount() const;
    // The instance at aIndex in the order of deletion (most recent first); null outside.
    LBase* GetInstanceAt(int aIndex) const;
    // Told by a singleton's accessor that its instance has been destroyed (aDestroyed is
    // the accessor's flag, which keeps it from making another). The engine's singletons
    // stay destroyed for the rest of the run, unless ResetDestroyedSingletons is called:
    // the flag is only kept for it.
    virtual void OnInstanceDestroyed(bool* aDestroyed);

protected:
    // Deletes every registered instance, most recent first, and those registered while
    // that runs; a derived cleaner calls it from its destructor while it is still the
    // cleaner its singletons register with.
    void DeleteInstances();

private:
    LVector* mInstances = nullptr;
};
