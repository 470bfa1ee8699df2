// LCharacter: its shadow volumes, one per skinned mesh, and their cache file.
#include "Render/LCharacter.h"

#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LShadowVolume.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"

namespace {

// The smallest volume record: an empty name, no edges, no faces.
constexpr long long kMinRecordBytes = 4 + 2 + 4 + 4;

// The frames of aElement holding a skinned mesh, in frame order: their count, and the
// frames themselves into aFrames when given (room for the count).
int SkinnedFrames(const LDrawElement* aElement, LFrame** aFrames)
{
    int count = 0;
    for (int i = 0; aElement != nullptr && i < aElement->GetFrameCount(); ++i) {
        LFrame* frame = aElement->GetFrameAt(i);
        const LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr;
        if (mesh != nullptr && mesh->GetType() == LMesh::kSkinned) {
            if (aFrames != nullptr) {
                aFrames[count] = frame;
            }
            ++count;
        }
    }
    return count;
}

} // namespace

void LCharacter::FreeShadows()
{
    for (int i = 0; i < mShadowVolumeCount; ++i) {
        delete mShadowVolumes[i];
    }
    delete[] mShadowVolumes;
    mShadowVolumes = nullptr;
    mShadowVolumeCount = 0;
}

int LCharacter::CreateShadow()
{
    FreeShadows();
    const LDrawElement* element = GetDrawElement();
    const int count = SkinnedFrames(element, nullptr);
    if (count == 0) {
        L_ASSERT_FAILURE("CreateShadow failure. No skinned meshes found.");
        return 0;
    }
    auto** frames = L_NEW LFrame*[count];
    mShadowVolumes = L_NEW LShadowVolume*[count];
    if (frames == nullptr || mShadowVolumes == nullptr) {
        delete[] frames;
        delete[] mShadowVolumes;
        mShadowVolumes = nullptr;
        return 0;
    }
    SkinnedFrames(element, frames);
    int result = 1;
    for (int i = 0; i < count; ++i) {
        auto* volume = L_NEW LShadowVolume();
        mShadowVolumes[mShadowVolumeCount++] = volume;
        if (volume == nullptr || !volume->Create(frames[i]->GetName(), frames[i]->GetMesh())) {
            L_ASSERT_FAILURE("Shadow creation failure.");
            result = 0;
        }
    }
    delete[] frames;
    return result;
}

bool LCharacter::ReadShadows(const LString& aPath)
{
    FreeShadows();
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    int count = 0;
    if (!stream.CreateFromFile(aPath, true) || !stream.Read(count)) {
        return false;
    }
    const LDrawElement* element = GetDrawElement();
    // A cache made for another model does not fit: the volumes are one per skinned mesh.
    if (count <= 0 || count != SkinnedFrames(element, nullptr) || !stream.Holds(kMinRecordBytes * count)) {
        return false;
    }
    mShadowVolumes = L_NEW LShadowVolume*[count];
    if (mShadowVolumes == nullptr) {
        return false;
    }
    bool result = true;
    for (int i = 0; i < count; ++i) {
        auto* volume = L_NEW LShadowVolume();
        mShadowVolumes[mShadowVolumeCount++] = volume;
        if (volume == nullptr || !volume->Read(&stream)) {
            result = false;
            break;
        }
        LFrame* frame = element->GetFrame(volume->GetName(), true);
        LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr;
        if (mesh == nullptr || mesh->GetType() != LMesh::kSkinned || !volume->SetMesh(mesh)) {
            result = false;
        }
    }
    return result;
}

bool LCharacter::WriteShadows(const LString& aPath)
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    bool result = stream.Write(mShadowVolumeCount);
    for (int i = 0; i < mShadowVolumeCount; ++i) {
        result = mShadowVolumes[i] != nullptr && mShadowVolumes[i]->Write(&stream) && result;
    }
    if (result && !LFileStream::WriteBytesToFile(stream.GetPosition(), stream.GetBuffer(), aPath, true)) {
        L_ASSERT_FAILURE(LString("File creation failure:") + aPath);
        result = false;
    }
    return result;
}

void LCharacter::LoadShadows(const LString& aPath)
{
    // The path is named by a data file: one that leaves its folder is neither read nor
    // written, and the volumes live in memory only.
    if (!LIFileSystem::IsBelowMount(aPath)) {
        L_ERROR(LString("Shadow volume file refused, it leaves its folder: ") + aPath);
        CreateShadow();
        mShadowsEnabled = 1;
        return;
    }
    LIFileSystem* files = LIFileSystem::Get();
    const bool exists = files != nullptr && files->PathExists(aPath, true);
    bool build = !exists;
    if (exists && !ReadShadows(aPath)) {
        // A stale or damaged cache is built afresh and written again.
        L_ASSERT_FAILURE("Shadow load failure.");
        build = true;
    }
    if (!exists) {
        L_ASSERT_FAILURE(LString("Shadow volume file not found. Creating *.lisv:") + aPath);
    }
    // A volume that could not be made would read back as damaged on every load: the
    // cache keeps complete sets only.
    if (build && CreateShadow() != 0 && !WriteShadows(aPath)) {
        L_ASSERT_FAILURE("Shadow save failure.");
    }
    mShadowsEnabled = 1;
}

int LCharacter::UpdateShadow(const LLight* aLight, LCamera* aCamera)
{
    if (mVisible == 0 || mShadowsEnabled == 0) {
        return 1;
    }
    int result = 1;
    for (int i = 0; i < mShadowVolumeCount; ++i) {
        LShadowVolume* volume = mShadowVolumes[i];
        if (volume == nullptr || !volume->Update(aLight) || !volume->BuildVolume(aCamera)) {
            result = 0;
        }
    }
    return result;
}

int LCharacter::RenderShadow(float /*aValue*/)
{
    if (mVisible == 0 || mShadowsEnabled == 0) {
        return 1;
    }
    int result = 1;
    for (int i = 0; i < mShadowVolumeCount; ++i) {
        if (mShadowVolumes[i] == nullptr || !mShadowVolumes[i]->Render()) {
            result = 0;
        }
    }
    return result;
}
