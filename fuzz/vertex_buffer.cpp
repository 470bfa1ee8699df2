// Reads an engine vertex-buffer record from the input, and writes back what was read.
#include "Render/LVertexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LVertexBuffer buffer;
    if (buffer.Read(&stream)) {
        for (int i = 0; i < buffer.GetVertexCount(); ++i) {
            const uint8_t* vertex = static_cast<const uint8_t*>(buffer.GetVertex(i));
            if (vertex != nullptr) {
                volatile uint8_t last = vertex[buffer.GetVertexSize() - 1];
                (void)last;
            }
        }
        LMemoryStream out(16, -1);
        buffer.Write(&out);
    }
    return 0;
}
