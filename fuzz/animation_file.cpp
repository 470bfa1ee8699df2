// Reads an animation from the input in both file forms; what either reader accepts must
// write back in the current form and read again.
#include "Render/LAnimation.h"
#include "stdlib/LMemoryStream.h"
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
    }
    stream.SetPosition(0);
    LAnimation older;
    if (older.ReadLia(&stream, LString("fuzz.lia"))) {
        WriteBack(older);
    }
    return 0;
}
