#include "Render/LDrawElement.h"

#include "Render/LAnimationChannel.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LFrame.h"
#include "Render/LIAnimator.h"
#include "Render/LLipSyncPlayer.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// Divides rows 0-2 of aMatrix, as 3-vectors, by their lengths (a zero row stays).
void NormaliseRows(LMatrix4& aMatrix)
{
    for (int row = 0; row < 3; ++row) {
        float* r = &aMatrix.m[row * 4];
        const float length = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
        if (length > 0.0f) {
            r[0] /= length;
            r[1] /= length;
            r[2] /= length;
        }
    }
}

void DeleteFrames(LFrame** aFrames, int aCount)
{
    for (int i = 0; i < aCount && aFrames != nullptr; ++i) {
        delete aFrames[i];
    }
    delete[] aFrames;
}

LFrame* Pop(LVector& aStack)
{
    const int top = aStack.GetCount() - 1;
    LFrame* frame = static_cast<LFrame*>(aStack.GetAt(top));
    aStack.SetCount(top);
    return frame;
}

// The representative of a's set among the frames linked so far (with path halving).
int Find(int* aSets, int aIndex)
{
    while (aSets[aIndex] != aIndex) {
        aSets[aIndex] = aSets[aSets[aIndex]];
        aIndex = aSets[aIndex];
    }
    return aIndex;
}
} // namespace

LDrawElement::LDrawElement() = default;

LDrawElement::~LDrawElement()
{
    Clear();
    delete mAnimationCtrl;
    delete mAnimator;
}

LString LDrawElement::Dump() const
{
    return DumpHead("LDrawElement") + "]";
}

void LDrawElement::Clear()
{
    DeleteFrames(mFrames, mFrameCount);
    mFrames = nullptr;
    mFrameCount = 0;
    mRootFrame = nullptr;
    delete[] mMeshes;
    mMeshes = nullptr;
    mMeshCount = 0;
    FreeClasses();
}

void LDrawElement::FreeClasses()
{
    for (int c = 0; c < kClassCount; ++c) {
        delete[] mClassFrames[c];
        mClassFrames[c] = nullptr;
        mClassCounts[c] = 0;
    }
}

void LDrawElement::Adopt(LFrame** aFrames, int aCount)
{
    Clear();
    mFrames = aFrames;
    mFrameCount = aCount;
    mRootFrame = aCount > 0 ? aFrames[0] : nullptr;
    if (!GetMeshes(&mMeshCount, &mMeshes)) {
        L_ASSERT_FAILURE("GetMeshes failure.");
    }
}

bool LDrawElement::SetRoot(LFrame* aRoot)
{
    if (aRoot == nullptr) {
        Clear();
        return true;
    }
    for (int i = 0; i < mFrameCount; ++i) {
        if (mFrames[i] == aRoot) {
            L_ERROR("SetRoot failure. The frame belongs to the element already.");
            return false;
        }
    }
    LVector list(64, 1024);
    if (!aRoot->AddToList(&list)) {
        return false;
    }
    LFrame** frames = L_NEW LFrame*[list.GetCount()];
    for (int i = 0; i < list.GetCount(); ++i) {
        frames[i] = static_cast<LFrame*>(list.GetAt(i));
    }
    Adopt(frames, list.GetCount());
    mRenderMode = kFlat;
    return true;
}

LFrame* LDrawElement::ReadDirectFrame(LIStream* aStream, uint32_t aLinks[2])
{
    LFrame* frame = L_NEW LFrame();
    uint32_t id = 0;
    int dropped = 0;
    uint32_t meshWord = 0;
    int length = 0;
    bool read = ::Read(aStream, id) && frame->mRestMatrix.Read(aStream) && frame->mWorldMatrix.Read(aStream) &&
                ::Read(aStream, dropped) && ::Read(aStream, aLinks[0]) && ::Read(aStream, aLinks[1]) &&
                ::Read(aStream, meshWord) && ::Read(aStream, length);
    char* name = nullptr;
    // The name counts its terminating zero byte; the text ends at the first zero.
    read = read && length >= 0 && (length == 0 || ::Read(aStream, length, name));
    if (!read) {
        delete[] name;
        delete frame;
        L_ERROR("LoadModel failure. Truncated frame.");
        return nullptr;
    }
    frame->mId = id;
    frame->SetName(name != nullptr ? LString(name) : LString());
    delete[] name;
    const int kind = static_cast<int>(meshWord & 0xFF);
    if (kind == 1 || kind == 2) {
        LMesh* mesh = kind == 1 ? L_NEW LMesh() : L_NEW LSkinMesh();
        frame->SetMesh(mesh);
        if (!mesh->ReadBody(aStream, static_cast<int>(meshWord))) {
            L_ERROR("LoadModel failure. Invalid mesh of frame: " + frame->GetName());
            delete frame;
            return nullptr;
        }
    }
    frame->mLocalMatrix = frame->mRestMatrix;
    return frame;
}

void LDrawElement::LinkDirectFrames(const uint32_t* aLinks)
{
    // Frame indices ordered by id (then by index), to find the first frame of an id.
    int* byId = L_NEW int[mFrameCount];
    int* sets = L_NEW int[mFrameCount];
    for (int i = 0; i < mFrameCount; ++i) {
        byId[i] = i;
        sets[i] = i;
    }
    std::sort(byId, byId + mFrameCount, [&](int a, int b) {
        return mFrames[a]->mId != mFrames[b]->mId ? mFrames[a]->mId < mFrames[b]->mId : a < b;
    });
    auto target = [&](int aFrom, uint32_t aId) -> int {
        int* at = std::lower_bound(byId, byId + mFrameCount, aId,
                                   [&](int aIndex, uint32_t aValue) { return mFrames[aIndex]->mId < aValue; });
        for (; at != byId + mFrameCount && mFrames[*at]->mId == aId; ++at) {
            if (*at != aFrom) {
                return *at;
            }
        }
        return -1;
    };
    for (int i = 0; i < mFrameCount; ++i) {
        for (int link = 0; link < 2; ++link) {
            const uint32_t id = aLinks[i * 2 + link];
            const int j = id != 0 ? target(i, id) : -1;
            if (j < 0) {
                continue;
            }
            LFrame* to = mFrames[j];
            // Each frame may be reached once, and j heads its own tree until now: the link
            // closes a cycle exactly when i is in that tree.
            if (to->mLinkedFrom != nullptr || Find(sets, i) == Find(sets, j)) {
                L_ERROR("LoadModel: link refused, it would revisit a frame: " + to->GetName());
                continue;
            }
            sets[Find(sets, j)] = Find(sets, i);
            to->mLinkedFrom = mFrames[i];
            (link == 0 ? mFrames[i]->mNextSibling : mFrames[i]->mFirstChild) = to;
        }
    }
    delete[] byId;
    delete[] sets;
}

bool LDrawElement::LoadModel(LIStream* aStream, int aRenderMode)
{
    if (aStream == nullptr) {
        L_ERROR("LoadModel failure. NULL arg.");
        return false;
    }
    if (mFrames != nullptr) {
        L_ASSERT_FAILURE("LoadModel: the element holds a model already.");
    }
    Clear();
    mRenderMode = aRenderMode;
    unsigned char header[8];
    int count = 0;
    int dropped = 0;
    if (!aStream->ReadBytes(8, header) || !::Read(aStream, count) || !::Read(aStream, dropped)) {
        L_ERROR("LoadModel failure. Truncated header.");
        return false;
    }
    if (count < 1 || count > INT32_MAX / kMinDirectFrameBytes ||
        !aStream->Holds(static_cast<long long>(count) * kMinDirectFrameBytes)) {
        L_ERROR(LString("LoadModel failure. Invalid frame count: ") + count);
        return false;
    }
    LFrame** frames = L_NEW LFrame*[count];
    uint32_t* links = L_NEW uint32_t[static_cast<size_t>(count) * 2];
    for (int i = 0; i < count; ++i) {
        frames[i] = ReadDirectFrame(aStream, &links[i * 2]);
        if (frames[i] == nullptr) {
            DeleteFrames(frames, i);
            delete[] links;
            return false;
        }
        if (i > 0) {
            // Every later frame's world translation is kept relative to the first frame's.
            for (int e = 12; e < 15; ++e) {
                frames[i]->mWorldMatrix.m[e] -= frames[0]->mWorldMatrix.m[e];
            }
        }
    }
    LFrame* first = frames[0];
    NormaliseRows(first->mWorldMatrix);
    NormaliseRows(first->mLocalMatrix);
    NormaliseRows(first->mRestMatrix);

    mFrames = frames;
    mFrameCount = count;
    mRootFrame = first;
    for (int i = 0; i < count; ++i) {
        LMesh* mesh = frames[i]->GetMesh();
        if (mesh == nullptr || mesh->GetType() != LMesh::kSkinned) {
            continue;
        }
        for (int f = 0; f < count; ++f) {
            mesh->BindBone(frames[f]->mId, frames[f]->GetName(), &frames[f]->mWorldMatrix);
        }
        static_cast<LSkinMesh*>(mesh)->SetBound(true);
    }
    LinkDirectFrames(links);
    delete[] links;
    if (aRenderMode == kFlat) {
        Classify();
    }
    if (!GetMeshes(&mMeshCount, &mMeshes)) {
        L_ASSERT_FAILURE("GetMeshes failure.");
    }
    return true;
}

uint32_t LDrawElement::GetFrameClass(const LString& aName)
{
    const LString name = aName.ToUpper();
    if (name.GetLength() == 0 || name.At(0) != u'W') {
        return 0;
    }
    const int underscore = name.Find(u"_", 1);
    if (underscore <= 1) {
        return 0;
    }
    uint32_t bits = 0;
    for (int i = 1; i < underscore; ++i) {
        switch (name.At(i)) {
        case u'G': bits |= 1; break;
        case u'N': bits |= 2; break;
        case u'C': bits |= 4; break;
        case u'S': bits |= 8; break;
        case u'R': bits |= 16; break;
        default: break;
        }
    }
    return bits;
}

void LDrawElement::Classify()
{
    FreeClasses();
    uint32_t* bits = L_NEW uint32_t[mFrameCount];
    bool any = false;
    for (int i = 0; i < mFrameCount; ++i) {
        bits[i] = GetFrameClass(mFrames[i]->GetName());
        for (int c = 0; c < kClassCount; ++c) {
            if ((bits[i] & (1u << c)) != 0) {
                ++mClassCounts[c];
                any = true;
            }
        }
    }
    if (any) {
        for (int c = 0; c < kClassCount; ++c) {
            mClassFrames[c] = L_NEW LFrame*[mClassCounts[c] + 1];
            int n = 0;
            for (int i = 0; i < mFrameCount; ++i) {
                if ((bits[i] & (1u << c)) != 0) {
                    mClassFrames[c][n++] = mFrames[i];
                }
            }
        }
    }
    delete[] bits;
}

bool LDrawElement::ReadTree(LIStream* aStream, LFrame**& aFrames, int& aCount)
{
    // Every frame made so far, in the order made (pre-order), and the frames whose
    // next-sibling flag follows the records of their children still being read.
    LVector made(64, 1024);
    LVector open(16, 256);
    LFrame* frame = L_NEW LFrame();
    made.Add(frame);
    bool ok = true;
    bool done = false;
    while (ok && !done) {
        bool hasChild = false;
        ok = frame->ReadHead(aStream) && ::Read(aStream, hasChild);
        if (ok && hasChild) {
            if (open.GetCount() >= kMaxDepth) {
                L_ERROR("Read failure. Frames nested too deeply.");
                ok = false;
                break;
            }
            LFrame* child = L_NEW LFrame();
            made.Add(child);
            frame->mFirstChild = child;
            child->mLinkedFrom = frame;
            child->mParent = frame;
            open.Add(frame);
            frame = child;
            continue;
        }
        while (ok) {
            bool hasSibling = false;
            ok = ::Read(aStream, hasSibling);
            if (ok && hasSibling) {
                LFrame* sibling = L_NEW LFrame();
                made.Add(sibling);
                frame->mNextSibling = sibling;
                sibling->mLinkedFrom = frame;
                sibling->mParent = frame->mParent;
                frame = sibling;
                break;
            }
            if (ok && open.GetCount() == 0) {
                done = true;
                break;
            }
            if (ok) {
                frame = Pop(open);
            }
        }
    }
    aCount = made.GetCount();
    aFrames = L_NEW LFrame*[aCount];
    for (int i = 0; i < aCount; ++i) {
        aFrames[i] = static_cast<LFrame*>(made.GetAt(i));
    }
    if (!ok) {
        L_ERROR("Read failure. Truncated or invalid frames.");
        DeleteFrames(aFrames, aCount);
        aFrames = nullptr;
        aCount = 0;
    }
    return ok;
}

bool LDrawElement::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    bool hasRoot = false;
    if (!::Read(aStream, hasRoot)) {
        L_ERROR("Read failure. Truncated model.");
        Clear();
        return false;
    }
    Clear();
    mRenderMode = kFlat;
    if (!hasRoot) {
        return true;
    }
    LFrame** frames = nullptr;
    int count = 0;
    if (!ReadTree(aStream, frames, count)) {
        return false;
    }
    Adopt(frames, count);
    return true;
}

bool LDrawElement::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mRootFrame != nullptr);
    LVector open(16, 256);
    LFrame* frame = mRootFrame;
    while (frame != nullptr) {
        result = frame->WriteHead(aStream) && result;
        result = ::Write(aStream, frame->mFirstChild != nullptr) && result;
        if (frame->mFirstChild != nullptr) {
            open.Add(frame);
            frame = frame->mFirstChild;
            continue;
        }
        // The next-sibling flag of this frame, and of each parent whose children are done.
        for (;;) {
            result = ::Write(aStream, frame->mNextSibling != nullptr) && result;
            if (frame->mNextSibling != nullptr) {
                frame = frame->mNextSibling;
                break;
            }
            if (open.GetCount() == 0) {
                frame = nullptr;
                break;
            }
            frame = Pop(open);
        }
    }
    return result;
}

LFrame* LDrawElement::GetFrame(const LString& aName, bool aIgnoreCase) const
{
    const int index = GetFrameIndex(aName, aIgnoreCase);
    return index >= 0 ? mFrames[index] : nullptr;
}

LFrame* LDrawElement::GetFrame(unsigned int aNameKey) const
{
    for (int i = 0; i < mFrameCount; ++i) {
        if (mFrames[i]->GetNameKey() == aNameKey) {
            return mFrames[i];
        }
    }
    return nullptr;
}

LFrame* LDrawElement::GetFrame(const LString& aName) const
{
    return GetFrame(LAnimationChannel::FrameId(aName));
}

int LDrawElement::GetFrameIndex(const LString& aName, bool aIgnoreCase) const
{
    for (int i = 0; i < mFrameCount; ++i) {
        if (mFrames[i]->GetName().Equals(aName, aIgnoreCase)) {
            return i;
        }
    }
    return -1;
}

LFrame* LDrawElement::GetFrameAt(int aIndex) const
{
    return aIndex >= 0 && aIndex < mFrameCount ? mFrames[aIndex] : nullptr;
}

int LDrawElement::GetMeshes(int* aCount, LMesh*** aMeshes) const
{
    if (aCount == nullptr || aMeshes == nullptr) {
        L_ERROR("GetMeshes failure. NULL arg.");
        return 0;
    }
    *aCount = 0;
    *aMeshes = nullptr;
    if (mFrames == nullptr || mFrameCount == 0) {
        L_ERROR("Frames undefined.");
        return 0;
    }
    int count = 0;
    for (int i = 0; i < mFrameCount; ++i) {
        count += mFrames[i]->GetMesh() != nullptr ? 1 : 0;
    }
    LMesh** meshes = L_NEW LMesh*[count + 1];
    int n = 0;
    for (int i = 0; i < mFrameCount; ++i) {
        if (mFrames[i]->GetMesh() != nullptr) {
            meshes[n++] = mFrames[i]->GetMesh();
        }
    }
    *aCount = count;
    *aMeshes = meshes;
    return 1;
}

LMesh* LDrawElement::GetMesh(int aIndex) const
{
    return aIndex >= 0 && aIndex < mMeshCount ? mMeshes[aIndex] : nullptr;
}

int LDrawElement::GetClassCount(int aClass) const
{
    return aClass >= 0 && aClass < kClassCount ? static_cast<int>(mClassCounts[aClass]) : 0;
}

LFrame* LDrawElement::GetClassFrame(int aClass, int aIndex) const
{
    if (aClass < 0 || aClass >= kClassCount || mClassFrames[aClass] == nullptr || aIndex < 0 ||
        static_cast<uint32_t>(aIndex) >= mClassCounts[aClass]) {
        return nullptr;
    }
    return mClassFrames[aClass][aIndex];
}

int LDrawElement::Render()
{
    if (mRenderMode == kHierarchical) {
        LFrame::Walk(mRootFrame, false, nullptr, [](LFrame* aFrame, const void*&) {
            aFrame->Render();
            return true;
        });
        return 1;
    }
    for (int i = 0; i < mFrameCount; ++i) {
        mFrames[i]->Render();
    }
    return 1;
}

int LDrawElement::Update(const LMatrix4* aWorld)
{
    if (mAnimationCtrl != nullptr) {
        // The controller's update (with the time of its own stopwatch) comes first, then
        // the animator, then posing the frames from the controller's tracks.
        mAnimationCtrl->Update(mAnimationCtrl->GetTime());
        if (mAnimator != nullptr) {
            mAnimator->Update();
        }
        ApplyAnimation();
    }
    // The face follows the spoken line over the body's pose.
    if (mLipSyncPlayer != nullptr) {
        mLipSyncPlayer->Update();
    }
    UpdateFrameMatrices(mRootFrame, aWorld);
    return 1;
}

int LDrawElement::ApplyAnimation()
{
    return mAnimationCtrl != nullptr ? mAnimationCtrl->Apply(this) : 0;
}

void LDrawElement::SetAnimationCtrl(LAnimationCtrl* aCtrl)
{
    if (aCtrl != mAnimationCtrl) {
        delete mAnimationCtrl;
        mAnimationCtrl = aCtrl;
    }
}

int LDrawElement::UpdateFrameMatrices(LFrame* aFrame, const LMatrix4* aParentWorld)
{
    LFrame::Walk(aFrame, false, aParentWorld, [](LFrame* aChild, const void*& aContext) {
        const LMatrix4* parentWorld = static_cast<const LMatrix4*>(aContext);
        if (parentWorld != nullptr) {
            LMatrix4::Multiply(&aChild->mWorldMatrix, &aChild->mLocalMatrix, parentWorld);
        } else {
            aChild->mWorldMatrix = aChild->mLocalMatrix;
        }
        aContext = &aChild->mWorldMatrix;
        return true;
    });
    return 1;
}

int LDrawElement::SetAnimator(LIAnimator* aAnimator)
{
    if (aAnimator == nullptr) {
        L_ERROR("SetAnimator failure. NULL arg.");
        return 0;
    }
    if (aAnimator != mAnimator) {
        delete mAnimator;
        mAnimator = aAnimator;
    }
    return 1;
}
