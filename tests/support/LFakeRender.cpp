#include "support/LFakeRender.h"

#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeTexture.h"
#include "support/LTestCreator.h"

void RegisterFakeRender()
{
    RegisterFake<LFakeRasterizer>("rasterizer");
    RegisterFake<LFakeTexture>("texture");
    RegisterFake<LFakeDeviceCaps>("devicecaps");
}
