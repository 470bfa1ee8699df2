// Builds the input (8-bit text) as a script, evaluates it against a few states and
// events, writes the tree and reads it back into a second script, and evaluates that.
#include "container/LString.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "script/LScriptOperation.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzScriptWorld.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    FuzzScriptWorld();
    if (aSize > 4096) {
        return 0;
    }
    std::vector<char16_t> units(aData, aData + aSize);
    units.push_back(0);
    // An embedded 0 ends the text, as it would in a data file.
    LString text(units.data());

    LScript script;
    LScriptBuilder::Get()->BuildScript(text, &script);
    script.Evaluate();

    LMemoryStream stream(1024, -1);
    script.Write(&stream);
    const int written = stream.GetPosition();
    stream.SetPosition(0);
    LScript copy;
    copy.SetRoot(new LScriptOperation());
    LMemoryStream input(4, -1);
    input.CreateFromBuffer(written, stream.GetBuffer());
    copy.Read(&input);
    copy.Evaluate();
    return 0;
}
