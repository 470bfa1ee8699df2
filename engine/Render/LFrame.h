// One transform frame of a model: a name, the frame's own matrices and an optional mesh,
// linked into a tree by a first-child and a next-sibling link. World matrices compose as
// local × parent's world.
//
// The links never form a cycle and no frame is linked twice (as a child or a sibling of
// two frames, or of one frame twice): a link that would break this is refused with a
// logged error. Every walk over the links is iterative, so neither deep trees nor long
// sibling chains take stack.
#pragma once
#include "LMatrix4.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "object/LObject.h"

class LMesh;
class LDrawElement;

class LFrame : public LObject
{
public:
    LFrame();
    LFrame(const LFrame&) = delete;
    LFrame& operator=(const LFrame&) = delete;
    // Deletes the mesh; the linked frames belong to the element (or whoever built them).
    ~LFrame() override;

    LString Dump() const override;

    // Draws the mesh: a skinned mesh (already in world space) with an identity world
    // transform, a static one with the world matrix. 1 also without a mesh or rasterizer.
    int Render();
    // World = local × aParent's world (identity without a parent), then the same for the
    // first-child subtree (parent: this frame) and the next-sibling chain (same parent).
    void UpdateMatrices(const LFrame* aParent);
    // The topmost ancestor by parent pointers.
    LFrame* GetRoot();
    // This frame, else the first frame of that name in the first-child subtree, else in
    // the next-sibling chain (pre-order); null when there is none.
    LFrame* FindFrame(const LString& aName);
    // Sets the parent of this frame and its next siblings to aParent and makes each frame
    // the parent of its children, all the way down. A parent inside that part of the tree
    // is refused (0).
    int SetParent(LFrame* aParent);
    // Appends this frame, its first-child subtree and its next-sibling chain in pre-order.
    int AddToList(LVector* aList);

    // Links (and the parent pointer of the linked frame: a child's parent is this frame,
    // a sibling's parent is this frame's parent). Null removes the link. Refused (0) when
    // the frame is linked already or the link would close a cycle.
    int SetFirstChild(LFrame* aChild);
    int SetNextSibling(LFrame* aSibling);

    unsigned int GetId() const { return mId; }
    void SetId(unsigned int aId) { mId = aId; }
    unsigned int GetNameKey() const { return mNameKey; }
    const LString& GetName() const { return mName; }
    // Sets the name and its key.
    void SetName(const LString& aName);
    LMesh* GetMesh() const { return mMesh; }
    // Takes the mesh (the old one is deleted) and makes this frame its owner.
    void SetMesh(LMesh* aMesh);

    const LMatrix4& GetRestMatrix() const { return mRestMatrix; }
    const LMatrix4& GetLocalMatrix() const { return mLocalMatrix; }
    const LMatrix4& GetWorldMatrix() const { return mWorldMatrix; }
    // The rest matrix; the local matrix starts as the same.
    void SetRestMatrix(const LMatrix4& aMatrix);
    void SetLocalMatrix(const LMatrix4& aMatrix) { mLocalMatrix = aMatrix; }
    void SetWorldMatrix(const LMatrix4& aMatrix) { mWorldMatrix = aMatrix; }
    // The local matrix to pose in place.
    LMatrix4& LocalMatrix() { return mLocalMatrix; }

    LFrame* GetParent() const { return mParent; }
    LFrame* GetNextSibling() const { return mNextSibling; }
    LFrame* GetFirstChild() const { return mFirstChild; }

    // Visits aStart and its first-child subtree (with aWithSiblings also its next-sibling
    // chain), each frame before its children, children in sibling order. aVisit(frame,
    // context) receives the context left by the visit of the frame's parent (aContext at
    // the top) and may change it for the frame's children; returning false ends the walk,
    // and Walk then returns false.
    template <typename F>
    static bool Walk(LFrame* aStart, bool aWithSiblings, const void* aContext, F&& aVisit);

private:
    friend class LDrawElement;

    // Whether aTarget may be linked from this frame: not linked yet and not this frame or
    // a frame above it in the links.
    bool CanLink(const LFrame* aTarget, const char* aWhat) const;
    void Unlink(LFrame* aTarget);
    // The frame's own part of a tree-form frame record: name key, name, the mesh behind a
    // presence flag and its type, rest and world matrix.
    bool ReadHead(LIStream* aStream);
    bool WriteHead(LIStream* aStream) const;

    unsigned int mId = 0;
    unsigned int mNameKey = 0;
    LString mName;
    LMesh* mMesh = nullptr;
    LMatrix4 mRestMatrix;
    LMatrix4 mLocalMatrix;
    LMatrix4 mWorldMatrix;
    LFrame* mParent = nullptr;
    LFrame* mNextSibling = nullptr;
    LFrame* mFirstChild = nullptr;
    // The frame whose first-child or next-sibling link points here, or null.
    LFrame* mLinkedFrom = nullptr;
};

template <typename F>
bool LFrame::Walk(LFrame* aStart, bool aWithSiblings, const void* aContext, F&& aVisit)
{
    if (aStart == nullptr) {
        return true;
    }
    // Pairs of (frame, context) still to visit; the top pair is next.
    LVector pending(16, 256);
    pending.Add(aStart);
    pending.Add(const_cast<void*>(aContext));
    bool first = true;
    while (pending.GetCount() > 0) {
        const int top = pending.GetCount() - 2;
        LFrame* frame = static_cast<LFrame*>(pending.GetAt(top));
        const void* context = pending.GetAt(top + 1);
        pending.SetCount(top);
        const void* parentContext = context;
        if (!aVisit(frame, context)) {
            return false;
        }
        if (frame->mNextSibling != nullptr && (aWithSiblings || !first)) {
            pending.Add(frame->mNextSibling);
            pending.Add(const_cast<void*>(parentContext));
        }
        if (frame->mFirstChild != nullptr) {
            pending.Add(frame->mFirstChild);
            pending.Add(const_cast<void*>(context));
        }
        first = false;
    }
    return true;
}
