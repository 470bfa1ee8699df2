// The API object manager (id "apiobjectmanager", number 0xAA), through which the
// accessors of the platform services make their service objects by creator id. A singleton
// owned by the registry, which deletes it at exit; Get returns null from then on.
#pragma once
#include "object/LObjectManager.h"

class LAPIObjectManager : public LObjectManager
{
public:
    static LAPIObjectManager* Get();

    LAPIObjectManager();
    ~LAPIObjectManager() override;

    LString Dump() const override;

    float GetSaveTag() const { return mSaveTag; }
    void SetSaveTag(float aSaveTag) { mSaveTag = aSaveTag; }

private:
    float mSaveTag = 0.0f;
};
