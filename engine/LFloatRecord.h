// The stream records of the geometry values: a run of floats through the stream's typed
// float operations. Every float is attempted even after one failed; the result is true
// only when all succeeded (a null stream fails them all). And their text: the floats as
// LString appends them, with a separator between.
#pragma once
#include "container/LString.h"
#include "stdlib/LIStream.h"

#include <initializer_list>

inline bool ReadFloats(LIStream* aStream, std::initializer_list<float*> aFields)
{
    bool ok = aStream != nullptr;
    for (float* field : aFields) {
        ok = (aStream && aStream->Read(*field)) && ok;
    }
    return ok;
}

inline bool WriteFloats(LIStream* aStream, std::initializer_list<float> aFields)
{
    bool ok = aStream != nullptr;
    for (float field : aFields) {
        ok = (aStream && aStream->Write(field)) && ok;
    }
    return ok;
}

inline LString JoinFloats(std::initializer_list<float> aFields, const char* aSeparator)
{
    LString text;
    bool first = true;
    for (float field : aFields) {
        if (!first) {
            text += aSeparator;
        }
        text += field;
        first = false;
    }
    return text;
}
