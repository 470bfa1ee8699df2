// The game object manager (id "gameobjectmanager", number 0xBB), through which saved
// objects are recreated and their handles and ids saved and restored. A singleton
// owned by the registry, which deletes it at exit; Get returns null from then on.
#pragma once
#include "object/LObjectManager.h"

class LGameObjectManager : public LObjectManager
{
public:
    static LGameObjectManager* Get();

    LGameObjectManager();
    ~LGameObjectManager() override;

    LString Dump() const override;

    float GetSaveTag() const { return mSaveTag; }
    void SetSaveTag(float aSaveTag) { mSaveTag = aSaveTag; }

private:
    float mSaveTag = 0.0f;
};
