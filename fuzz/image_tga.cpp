// Reads arbitrary bytes as a TGA file; whatever loads must be whole and readable.
#include "LImageTGA.h"
#include "support/LFuzzImageReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LImageTGA image;
    return FuzzImageReader(image, data, size);
}
