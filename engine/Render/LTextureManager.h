// The one place where textures are created, found and destroyed. Textures are kept by
// id (the name they were created under, compared exactly) under handles of a private
// object manager (number 0x78, so handles are 0x78000001 and up; 0 is no texture). A
// second request for an id returns the first texture's handle.
//
// A handle carries a lock count: a locked texture cannot be destroyed or removed, and
// the last unlock destroys it together with its handle.
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

#include <cstdint>

class LImage;
class LITexture;
class LObjectManager;

class LTextureManager : public LBase
{
public:
    static constexpr uint32_t kManagerNumber = 0x78;

    // The manager, created on first use and registered with the cleaner; null after
    // the cleaner deleted it.
    static LTextureManager* Get();

    LTextureManager();
    ~LTextureManager() override;

    LString Dump() const override;

    // The root must be symbolic ("//" + mount); it is kept ending in one "/", with
    // doubled "/" collapsed: "//textures" becomes "//textures/".
    int SetRoot(const LString& aPath);
    LString GetRoot() const;
    // A symbolic path in the form SetRoot keeps ("//" for nothing but slashes); empty
    // for a path that is not symbolic. The font manager's root takes the same form.
    static LString NormalRoot(const LString& aPath);

    // The texture of an image file: aPath itself when it begins with "//", else taken
    // relative to the root. The id is aPath as given.
    uint32_t CreateTexture(const LString& aPath);
    // A new texture filled from an image, or the one already held under the id.
    uint32_t CreateTexture(const LString& aId, LImage* aImage);
    // Takes a texture the caller made; an id already held keeps its texture (the passed
    // one stays the caller's) and gives the existing handle.
    uint32_t CreateTexture(const LString& aId, LITexture* aTexture);

    uint32_t GetHandle(const LString& aId) const;
    LITexture* GetTexture(uint32_t aHandle) const;
    LITexture* GetTexture(const LString& aId) const;
    int GetTextureName(uint32_t aHandle, LString& aOut) const;

    int LockTexture(uint32_t aHandle);
    // Releases one lock; when none remains the texture and its handle are removed.
    int UnlockTexture(uint32_t aHandle, bool aRemove);

    // Deletes the texture of an unlocked handle; the handle stays.
    int DestroyTexture(uint32_t aHandle);
    int DestroyTexture(const LString& aId);
    // Deletes the texture of an unlocked handle and removes the handle with its id.
    int DestroyTextureAndHandle(uint32_t aHandle);
    // Removes a handle that holds no texture.
    int RemoveHandle(uint32_t aHandle);
    int RemoveHandle(const LString& aId);
    // Detaches the texture of an unlocked handle and hands it to the caller.
    int RemoveTexture(uint32_t aHandle, LBase** aOut);
    int RemoveTexture(const LString& aId, LBase** aOut);

private:
    LObjectManager* mObjects = nullptr;
    LString mRoot;
};
