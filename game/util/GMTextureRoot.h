// Sets the texture manager's root for the life of a build and puts the previous root
// back when it goes out of scope, so that texture names in a layout file are relative to
// the layout's own directory.
#pragma once
#include "container/LString.h"

class LTextureManager;

class GMTextureRoot
{
public:
    explicit GMTextureRoot(const LString& aRoot);
    ~GMTextureRoot();
    GMTextureRoot(const GMTextureRoot&) = delete;
    GMTextureRoot& operator=(const GMTextureRoot&) = delete;

private:
    LTextureManager* mTextures;
    LString mOld;
};
