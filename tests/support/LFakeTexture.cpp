#include "support/LFakeTexture.h"

#include "LImage.h"
#include "container/LString.h"

#include <cstddef>

namespace {
int sLive = 0;
int sMade = 0;
bool sFail = false;
} // namespace

LFakeTexture::LFakeTexture()
{
    ++sLive;
    ++sMade;
}

LFakeTexture::~LFakeTexture()
{
    --sLive;
}

LString LFakeTexture::Dump() const
{
    return DumpHead("LFakeTexture") + "]";
}

int LFakeTexture::LiveCount()
{
    return sLive;
}

int LFakeTexture::MadeCount()
{
    return sMade;
}

void LFakeTexture::SetFailCreation(bool aFail)
{
    sFail = aFail;
}

void LFakeTexture::Reset()
{
    sMade = 0;
    sFail = false;
}

int LFakeTexture::Create(LImage* aImage)
{
    if (sFail || aImage == nullptr || aImage->GetFormat() < 1 || aImage->GetFormat() > 4 ||
        aImage->GetPixelsConst() == nullptr) {
        return 0;
    }
    mWidth = aImage->GetWidth();
    mHeight = aImage->GetHeight();
    const uint8_t* pixels = aImage->GetPixelsConst();
    mPixels.assign(pixels, pixels + static_cast<size_t>(aImage->GetPitch()) * mHeight);
    return 1;
}

int LFakeTexture::Create(int aWidth, int aHeight, int aFormat)
{
    if (sFail || aWidth < 1 || aHeight < 1 || aFormat < 1 || aFormat > 4) {
        return 0;
    }
    mWidth = aWidth;
    mHeight = aHeight;
    mPixels.assign(static_cast<size_t>(aWidth) * aHeight * (aFormat == 4 ? 1 : aFormat == 3 ? 3 : 4), 0);
    return 1;
}

int LFakeTexture::SetPriority(float aPriority)
{
    mPriority = aPriority;
    return 1;
}
