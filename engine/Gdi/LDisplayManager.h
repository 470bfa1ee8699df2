// Owns the root of the 2-D display tree (the group "root") and draws the whole tree once
// per frame, after the 3-D scene, through the renderer.
#pragma once
#include "object/LBase.h"

class LDisplayGroup;
class LIDisplayObject;
class LRenderer;
class LString;

class LDisplayManager : public LBase
{
public:
    // The manager, created on first use; null after the cleaner deleted it.
    static LDisplayManager* Get();

    LDisplayManager();
    ~LDisplayManager() override;

    LString Dump() const override;

    bool AddMember(LIDisplayObject* aMember);
    bool RemoveMember(LIDisplayObject* aMember);
    bool RemoveMember(const LString& aId, LIDisplayObject** aRemoved);
    // The frame's 2-D pass: the renderer's Begin, the tree, the renderer's End.
    bool Render();

    LDisplayGroup* GetRoot() const { return mRoot; }

private:
    LDisplayGroup* mRoot = nullptr;
    LRenderer* mRenderer = nullptr;
};
