// Reads arbitrary bytes as a saved script tree (the script stream reader), evaluates what
// was read against a few states and events, writes it back, and reads that again: the
// second writing must give the same bytes as the first.
#include "script/LScript.h"
#include "script/LScriptOperation.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzScriptWorld.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    FuzzScriptWorld();
    if (aSize > (1u << 16)) {
        return 0;
    }
    LMemoryStream input(4, -1);
    LoadFuzzInput(input, aData, aSize);
    LScript script;
    script.SetRoot(new LScriptOperation());
    if (!script.Read(&input)) {
        return 0;
    }
    script.Evaluate();

    LMemoryStream first(256, -1);
    if (!script.Write(&first)) {
        return 0;
    }
    const int written = first.GetPosition();
    LMemoryStream again(4, -1);
    again.CreateFromBuffer(written, first.GetBuffer());
    LScript copy;
    copy.SetRoot(new LScriptOperation());
    LMemoryStream second(256, -1);
    if (!copy.Read(&again) || !copy.Write(&second) || second.GetPosition() != written ||
        std::memcmp(second.GetBuffer(), first.GetBuffer(), size_t(written)) != 0) {
        std::abort(); // what was written does not read back as itself
    }
    copy.Evaluate();
    return 0;
}
