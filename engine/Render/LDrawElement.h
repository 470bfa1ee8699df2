// One loaded model: a tree of frames, each of which may own a mesh, read from a model
// file in one of two forms. The tree form (Read/Write) stores the frame tree as nested
// records; the direct form (LoadModel) stores numbered frames linked by their ids. The
// element also carries an optional animation controller, lip-sync player and animator,
// and sorts the frames of scene meshes into five classes by codes in their names.
//
// Both readers check every count against the bytes left before they allocate; a damaged
// file is a logged error, a false result and an empty element.
#pragma once
#include "LMatrix4.h"
#include "container/LString.h"
#include "object/LObject.h"

#include <cstdint>

class LAnimationCtrl;
class LFrame;
class LIAnimator;
class LLipSyncPlayer;
class LMesh;

class LDrawElement : public LObject
{
public:
    // Frame classes by the letters of a frame name "W<letters>_...": G, N, C, S, R.
    enum FrameClass { kClassG = 0, kClassN, kClassC, kClassS, kClassR, kClassCount };
    // Render modes: the tree from the root, or the frames in file order.
    enum RenderMode { kFlat = 0, kHierarchical = 1 };

    // Deepest nesting of first-child records the tree-form reader accepts.
    static constexpr int kMaxDepth = 1024;
    // Fewest bytes of a direct-form frame record (an empty name and no mesh).
    static constexpr int kMinDirectFrameBytes = 152;

    LDrawElement();
    LDrawElement(const LDrawElement&) = delete;
    LDrawElement& operator=(const LDrawElement&) = delete;
    ~LDrawElement() override;

    LString Dump() const override;

    // Reads a direct-form model from the stream's position: mode 1 (kHierarchical) for
    // characters and props, 0 (kFlat) for a scene's depth mesh, which also classifies
    // the frames. Links that name no frame, or that would reach a frame a second time,
    // give no link. True on success; on failure the element is left empty.
    bool LoadModel(LIStream* aStream, int aRenderMode);
    // The tree form: a has-root flag, then the root frame's record, which nests its first
    // child's and next sibling's records. Frames are collected in pre-order; the render
    // mode is flat and no frame has an id or a class.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Takes a tree built in memory (with its meshes) in place of the element's frames and
    // collects its frames in pre-order and their meshes. Null empties the element.
    bool SetRoot(LFrame* aRoot);
    // Deletes every frame and forgets the meshes and classes.
    void Clear();

    // The first frame in frame order of that name (exactly, or ignoring case), or null.
    LFrame* GetFrame(const LString& aName, bool aIgnoreCase) const;
    // The first frame whose name key is aNameKey, or null.
    LFrame* GetFrame(unsigned int aNameKey) const;
    // By the key of the name (case-sensitive).
    LFrame* GetFrame(const LString& aName) const;
    // The index of the first frame of that name, or -1.
    int GetFrameIndex(const LString& aName, bool aIgnoreCase) const;
    // Null outside 0 to count − 1.
    LFrame* GetFrameAt(int aIndex) const;
    int GetFrameCount() const { return mFrameCount; }
    LFrame* GetRootFrame() const { return mRootFrame; }

    // A new array (free with delete[]) of the frames' meshes in frame order, and its
    // count; 0 and "Frames undefined." without frames.
    int GetMeshes(int* aCount, LMesh*** aMeshes) const;
    // The meshes collected when the element was filled.
    int GetMeshCount() const { return mMeshCount; }
    LMesh* GetMesh(int aIndex) const;

    // Results of the classification of a flat direct-form model; 0 and null otherwise.
    int GetClassCount(int aClass) const;
    LFrame* GetClassFrame(int aClass, int aIndex) const;
    // The class bits of a name (1 G, 2 N, 4 C, 8 S, 16 R).
    static uint32_t GetFrameClass(const LString& aName);

    // Hierarchical: the root and its subtree, each frame before its children; flat: the
    // frames in array order. 1.
    int Render();
    // Animation (when a controller is set), lip sync (when a player is bound), then the
    // frame matrices from the root with aWorld (null: identity) as the parent world. 1.
    int Update(const LMatrix4* aWorld);
    // World = local × aParentWorld (null: identity) for aFrame, then for its children and
    // their subtrees with their parent's world. 1.
    int UpdateFrameMatrices(LFrame* aFrame, const LMatrix4* aParentWorld);

    // Takes the animator; null is refused.
    int SetAnimator(LIAnimator* aAnimator);
    LIAnimator* GetAnimator() const { return mAnimator; }
    // The lip-sync player belongs to the character that binds it.
    void SetLipSyncPlayer(LLipSyncPlayer* aPlayer) { mLipSyncPlayer = aPlayer; }
    void ClearLipSyncPlayer() { mLipSyncPlayer = nullptr; }
    LLipSyncPlayer* GetLipSyncPlayer() const { return mLipSyncPlayer; }
    // Takes the controller (the old one is deleted); null leaves the element without one.
    void SetAnimationCtrl(LAnimationCtrl* aCtrl);
    LAnimationCtrl* GetAnimationCtrl() const { return mAnimationCtrl; }
    // Poses the frames from the controller's tracks (every frame starts from its rest
    // matrix); 0 without a controller.
    int ApplyAnimation();
    int GetRenderMode() const { return mRenderMode; }

private:
    // Takes aCount frames (pre-order or file order) and collects their meshes.
    void Adopt(LFrame** aFrames, int aCount);
    void Classify();
    void FreeClasses();
    // Reads the frame records of the tree form below a has-root flag of 1.
    bool ReadTree(LIStream* aStream, LFrame**& aFrames, int& aCount);
    // Reads one direct-form frame record; aLinks receives its sibling and child ids.
    static LFrame* ReadDirectFrame(LIStream* aStream, uint32_t aLinks[2]);
    // Links the frames of a direct-form model by the ids in aLinks (two per frame).
    void LinkDirectFrames(const uint32_t* aLinks);

    int mFrameCount = 0;
    LFrame** mFrames = nullptr;
    LFrame* mRootFrame = nullptr;
    int mMeshCount = 0;
    LMesh** mMeshes = nullptr;
    int mRenderMode = kFlat;
    // Created and set by the owner of the element.
    LAnimationCtrl* mAnimationCtrl = nullptr;
    LLipSyncPlayer* mLipSyncPlayer = nullptr;
    LIAnimator* mAnimator = nullptr;
    uint32_t mClassCounts[kClassCount] = {};
    LFrame** mClassFrames[kClassCount] = {};
};
