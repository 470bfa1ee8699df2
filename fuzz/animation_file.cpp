// Reads an animation from the input in both file forms; what either reader accepts must
// write back in the current form and read again, and pose a small skeleton for a few
// controller updates, on the main track and on a blend track.
#include "Render/LAnimation.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzFace.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void WriteBack(LAnimation& aAnimation)
{
    LMemoryStream out(64, LMemoryStream::GROW_DOUBLE);
    if (!aAnimation.Write(&out)) {
        std::abort();
    }
    out.SetPosition(0);
    LAnimation copy;
    if (!copy.Read(&out) || copy.GetChannelCount() != aAnimation.GetChannelCount()) {
        std::abort();
    }
}

void Pose(LAnimation& aAnimation)
{
    std::unique_ptr<LDrawElement> element = FuzzSkeleton();
    LAnimationCtrl* ctrl = element->GetAnimationCtrl();
    ctrl->SetAnimation(&aAnimation, false, 0.0f, 4.0f, LAnimationTrack::FLAG_FADE_IN, 1.0f);
    ctrl->SetTrack(1, &aAnimation, LAnimationTrack::FLAG_LOOP, 0.5f, 0.0f, 7.0f);
    FuzzUpdates(*element, 4);
    ctrl->SetTrack(2, &aAnimation, LAnimationTrack::FLAG_HOLD_LAST, 0.5f, -1.0f, -2.0f);
    FuzzUpdates(*element, 4);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
    LoadFuzzInput(stream, aData, aSize);
    LAnimation current;
    if (current.Read(&stream)) {
        WriteBack(current);
        Pose(current);
    }
    stream.SetPosition(0);
    LAnimation older;
    if (older.ReadLia(&stream, LString("fuzz.lia"))) {
        WriteBack(older);
        Pose(older);
    }
    return 0;
}
