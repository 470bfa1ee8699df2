// The one cache of animations loaded by path, for gestures and for the characters' extra
// animations: a file is read the first time its id is asked for and kept under a handle
// of a private object manager ("gestureanimmanager", number 0x88, so handles are
// 0x88000001 and up; 0 is no animation); later requests for the id get the same handle.
// Animations stay until they are destroyed by handle or id, or the manager is deleted.
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

class LAnimation;
class LObjectManager;

class LGestureAnimManager : public LBase
{
public:
    static constexpr unsigned int kManagerNumber = 0x88;

    // The manager, made on first use and registered with the cleaner; null after the
    // cleaner deleted it.
    static LGestureAnimManager* Get();

    LGestureAnimManager();
    ~LGestureAnimManager() override;
    LGestureAnimManager(const LGestureAnimManager&) = delete;
    LGestureAnimManager& operator=(const LGestureAnimManager&) = delete;

    LString Dump() const override;

    // The folder relative ids are read from. It must be symbolic ("//" + mount); it is
    // kept ending in one "/" with doubled "/" collapsed: "//animations" and
    // "//animations/" both give "//animations/". Anything else changes nothing.
    bool SetRoot(const LString& aPath);
    const LString& GetRoot() const { return mRoot; }

    // The animation of file aId (aId itself when it begins with "//", else the root +
    // aId), read by its ending ("lia1" or "lia", any case) on first use; 0 on failure.
    unsigned int CreateAnimation(const LString& aId);
    // Files an animation made elsewhere (owned from now on); an id already held keeps its
    // animation (aAnimation stays the caller's) and gives the existing handle.
    unsigned int AddAnimation(const LString& aId, LAnimation* aAnimation);

    LAnimation* GetAnimation(unsigned int aHandle);
    LAnimation* GetAnimation(const LString& aId);
    unsigned int GetHandle(const LString& aId) const;
    int LockHandle(unsigned int aHandle);
    int ReleaseHandle(unsigned int aHandle);
    int DestroyObject(unsigned int aHandle);
    int DestroyObject(const LString& aId);
    int DestroyObjectAndHandle(unsigned int aHandle);
    int RemoveHandle(unsigned int aHandle);
    int RemoveHandle(const LString& aId);
    int RemoveObject(unsigned int aHandle, LBase** aOut);
    int RemoveObject(const LString& aId, LBase** aOut);
    void RemoveAll();

private:
    LObjectManager* mObjects = nullptr;
    LString mRoot;
};
