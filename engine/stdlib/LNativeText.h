// Conversions between engine text (UTF-16 units) and the operating system's paths and
// names (UTF-8).
#pragma once
#include "container/LString.h"

// A new UTF-8 copy of aText (free with delete[]); null when it cannot be allocated.
// A unit of a broken surrogate pair is encoded as it stands.
char* NewNativeText(const LString& aText);
// UTF-8 to UTF-16; a byte that does not start a valid sequence stands for itself.
LString FromNativeText(const char* aText);
