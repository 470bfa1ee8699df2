// Reads arbitrary bytes as a BMP file; whatever loads must be whole and readable.
#include "LImageBMP.h"
#include "support/LFuzzImageReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LImageBMP image;
    return FuzzImageReader(image, data, size);
}
