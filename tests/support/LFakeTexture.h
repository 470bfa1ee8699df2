// A texture without a device: it keeps the size, format and a copy of the pixels it was
// filled with, so tests can see what would have been uploaded.
#pragma once
#include "Render/LITexture.h"

#include <cstdint>
#include <vector>

class LFakeTexture : public LITexture
{
public:
    LFakeTexture();
    ~LFakeTexture() override;

    LString Dump() const override;

    int Create(LImage* aImage) override;
    int Create(int aWidth, int aHeight, int aFormat) override;
    int SetPriority(float aPriority) override;

    const std::vector<uint8_t>& Pixels() const { return mPixels; }

    // Number of fake textures alive, and of those made since the last Reset.
    static int LiveCount();
    static int MadeCount();
    // While set, every Create fails.
    static void SetFailCreation(bool aFail);
    // The made count back to zero and creation working again (after each test).
    static void Reset();

private:
    std::vector<uint8_t> mPixels;
};
