#include "Render/LFrame.h"

#include "Render/LAnimationChannel.h"
#include "Render/LIRasterizer.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

LFrame::LFrame() = default;

LFrame::~LFrame()
{
    delete mMesh;
}

LString LFrame::Dump() const
{
    return DumpHead("LFrame") + " " + mName + "]";
}

int LFrame::Render()
{
    if (mMesh == nullptr) {
        return 1;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        L_ERROR("Could not get rasterizer.");
        return 1;
    }
    // Skinned vertices are in world space already.
    rasterizer->SetTransform(LIRasterizer::kWorld,
                             mMesh->GetType() == LMesh::kSkinned ? &LMatrix4::kIdentity : &mWorldMatrix);
    mMesh->Render();
    return 1;
}

void LFrame::UpdateMatrices(const LFrame* aParent)
{
    Walk(this, true, aParent != nullptr ? &aParent->mWorldMatrix : nullptr,
         [](LFrame* aFrame, const void*& aContext) {
             const LMatrix4* parentWorld = static_cast<const LMatrix4*>(aContext);
             if (parentWorld != nullptr) {
                 LMatrix4::Multiply(&aFrame->mWorldMatrix, &aFrame->mLocalMatrix, parentWorld);
             } else {
                 aFrame->mWorldMatrix = LMatrix4::kIdentity;
             }
             aContext = &aFrame->mWorldMatrix;
             return true;
         });
}

LFrame* LFrame::GetRoot()
{
    LFrame* frame = this;
    while (frame->mParent != nullptr) {
        frame = frame->mParent;
    }
    return frame;
}

LFrame* LFrame::FindFrame(const LString& aName)
{
    LFrame* found = nullptr;
    Walk(this, true, nullptr, [&](LFrame* aFrame, const void*&) {
        if (aFrame->mName == aName) {
            found = aFrame;
            return false;
        }
        return true;
    });
    return found;
}

int LFrame::SetParent(LFrame* aParent)
{
    // A parent inside the part of the tree that is re-parented would make GetRoot loop.
    const bool inside = aParent != nullptr && !Walk(this, true, nullptr, [&](LFrame* aFrame, const void*&) {
        return aFrame != aParent;
    });
    if (inside) {
        L_ERROR("SetParent failure. The parent is below the frame.");
        return 0;
    }
    Walk(this, true, aParent, [](LFrame* aFrame, const void*& aContext) {
        aFrame->mParent = static_cast<LFrame*>(const_cast<void*>(aContext));
        aContext = aFrame;
        return true;
    });
    return 1;
}

int LFrame::AddToList(LVector* aList)
{
    if (aList == nullptr) {
        L_ERROR("AddToList failure. NULL arg.");
        return 0;
    }
    return Walk(this, true, nullptr, [&](LFrame* aFrame, const void*&) { return aList->Add(aFrame) != 0; }) ? 1 : 0;
}

bool LFrame::CanLink(const LFrame* aTarget, const char* aWhat) const
{
    if (aTarget->mLinkedFrom != nullptr) {
        L_ERROR(LString(aWhat) + " failure. The frame is linked already: " + aTarget->mName);
        return false;
    }
    // The target has no incoming link, so it heads a tree of its own: the link closes a
    // cycle exactly when this frame lies in that tree.
    const bool inside = !Walk(const_cast<LFrame*>(aTarget), true, nullptr,
                              [&](LFrame* aFrame, const void*&) { return aFrame != this; });
    if (inside) {
        L_ERROR(LString(aWhat) + " failure. The link would revisit a frame: " + aTarget->mName);
        return false;
    }
    return true;
}

void LFrame::Unlink(LFrame* aTarget)
{
    if (aTarget != nullptr) {
        aTarget->mLinkedFrom = nullptr;
    }
}

int LFrame::SetFirstChild(LFrame* aChild)
{
    if (aChild == mFirstChild) {
        return 1;
    }
    if (aChild != nullptr && !CanLink(aChild, "SetFirstChild")) {
        return 0;
    }
    Unlink(mFirstChild);
    mFirstChild = aChild;
    if (aChild != nullptr) {
        aChild->mLinkedFrom = this;
        aChild->mParent = this;
    }
    return 1;
}

int LFrame::SetNextSibling(LFrame* aSibling)
{
    if (aSibling == mNextSibling) {
        return 1;
    }
    if (aSibling != nullptr && !CanLink(aSibling, "SetNextSibling")) {
        return 0;
    }
    Unlink(mNextSibling);
    mNextSibling = aSibling;
    if (aSibling != nullptr) {
        aSibling->mLinkedFrom = this;
        aSibling->mParent = mParent;
    }
    return 1;
}

void LFrame::SetName(const LString& aName)
{
    mName = aName;
    mNameKey = LAnimationChannel::FrameId(aName);
}

void LFrame::SetMesh(LMesh* aMesh)
{
    if (aMesh == mMesh) {
        return;
    }
    delete mMesh;
    mMesh = aMesh;
    if (aMesh != nullptr) {
        aMesh->SetOwner(this);
    }
}

void LFrame::SetRestMatrix(const LMatrix4& aMatrix)
{
    mRestMatrix = aMatrix;
    mLocalMatrix = aMatrix;
}

bool LFrame::ReadHead(LIStream* aStream)
{
    bool hasMesh = false;
    if (!::Read(aStream, mNameKey) || !::Read(aStream, mName) || !::Read(aStream, hasMesh)) {
        L_ERROR("Read failure. Truncated frame.");
        return false;
    }
    if (hasMesh) {
        uint32_t type = 0;
        if (!::Read(aStream, type)) {
            L_ERROR("Read failure. Truncated frame.");
            return false;
        }
        LMesh* mesh = type == LMesh::kStatic ? L_NEW LMesh() : L_NEW LSkinMesh();
        SetMesh(mesh);
        if (!mesh->Read(aStream)) {
            return false;
        }
    }
    if (!mRestMatrix.Read(aStream) || !mWorldMatrix.Read(aStream)) {
        L_ERROR("Read failure. Truncated frame.");
        return false;
    }
    mLocalMatrix = mRestMatrix;
    return true;
}

bool LFrame::WriteHead(LIStream* aStream) const
{
    bool result = ::Write(aStream, mNameKey);
    result = ::Write(aStream, mName) && result;
    result = ::Write(aStream, mMesh != nullptr) && result;
    if (mMesh != nullptr) {
        result = ::Write(aStream, static_cast<uint32_t>(mMesh->GetType())) && result;
        result = mMesh->Write(aStream) && result;
    }
    result = mRestMatrix.Write(aStream) && result;
    result = mWorldMatrix.Write(aStream) && result;
    return result;
}
