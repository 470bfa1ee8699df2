// Writes the registered restorables as one restore block, the body of a saved game, and
// reads such a block back into them. For each object in registration order the block
// holds its restore record followed by the object's own block; there is no header, count
// or length, and the block ends where the caller says.
//
// Loading accepts only records whose restore id is that of a registered restorable, and
// stops at the first record that cannot be read, names another id, or whose object's
// block does not move the stream on: a damaged block gives a failure, never garbage. A
// block that lacks the record of a registered object (one cut short) fails as well.
#pragma once
#include "container/LVector.h"
#include "object/LBase.h"

class LGameObjectManager;
class LIRestorable;
class LIStream;
class LString;

class LRestoreManager : public LBase
{
public:
    // Null after the manager has been destroyed.
    static LRestoreManager* Get();

    LRestoreManager();
    LRestoreManager(const LRestoreManager&) = delete;
    LRestoreManager& operator=(const LRestoreManager&) = delete;
    ~LRestoreManager() override;

    LString Dump() const override;

    int AddRestorable(LIRestorable* aRestorable);
    int RemoveRestorable(LIRestorable* aRestorable);
    int GetRestorableCount() const;

    // Writes the block at the stream's position; 0 when a record or a block failed (the
    // others are still written).
    int Save(LIStream* aStream, int aStart);
    // Reads records until the position reaches aEnd; 0 when a record or a block failed,
    // or a registered object had no record.
    int Load(LIStream* aStream, int aStart, int aEnd);

private:
    // The registered restorable whose restore id is aId, or null.
    LIRestorable* FindRegistered(const LString& aId) const;

    LGameObjectManager* mGameObjectManager = nullptr;
    LVector mRestorables;
};
