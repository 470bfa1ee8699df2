// The engine's directory of object creators and object managers, by id. Creators and
// managers share one id namespace; a creator's index is its order of registration among
// creators, a manager's its order among managers, and the two never stand in for each
// other. Managers are also found by their number, the top byte of their handles.
//
// The registry owns everything registered with it and deletes it at exit. It is the first
// engine singleton made, so the cleaner deletes it last; Get returns null afterwards.
#pragma once
#include "container/LString.h"

class LIObjectCreator;
class LObjectManager;
class LTableString;
class LTableUInt;
class LVector;

class LRegistry : public LBase
{
public:
    // The creator ids that the program's entry registers at start-up, in this order.
    static constexpr int kStartupCreatorCount = 12;
    static const char* const kStartupCreatorIds[kStartupCreatorCount];

    static LRegistry* Get();

    LRegistry();
    LRegistry(const LRegistry&) = delete;
    LRegistry& operator=(const LRegistry&) = delete;
    ~LRegistry() override;

    LString Dump() const override;

    // Ownership passes to the registry on success; a refused object stays the caller's.
    int AddCreator(LIObjectCreator* apCreator);
    int AddObjectManager(LObjectManager* apManager);

    // The creator's index, or -1 (an object manager's id included).
    int GetCreatorIndex(const LString& aId) const;
    // The object manager's index, or -1 (a creator's id included).
    int GetObjectManagerIndex(const LString& aId) const;
    LIObjectCreator* GetCreator(const LString& aId) const;
    LIObjectCreator* GetCreator(int aIndex) const;
    int GetCreatorId(int aIndex, LString& aOut) const;
    int GetCreatorCount() const;
    LObjectManager* GetObjectManager(const LString& aId) const;
    LObjectManager* GetObjectManager(int aIndex) const;
    // The manager whose number is the handle's top byte, or null.
    LObjectManager* GetObjectManagerByHandle(unsigned int aHandle) const;
    // The object that the handle's manager gives for it, or null.
    LBase* GetObject(unsigned int aHandle) const;

private:
    bool IsIdTaken(const LString& aId) const;
    static int IndexIn(const LTableString* aTable, const LString& aId);

    LTableString* mCreatorIds = nullptr;
    LTableString* mManagerIds = nullptr;
    LVector* mCreators = nullptr;
    LVector* mManagers = nullptr;
    LTableUInt* mManagerNumbers = nullptr;
};
