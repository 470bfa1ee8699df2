// Scans arbitrary atlas images and builds fonts from arbitrary definition texts.
// Input: byte 0 picks the atlas width (1..64), byte 1 the row height (0..31), byte 2 the
// length of the definition text that follows; the rest are the atlas's pixels (blue,
// green, red, alpha), cut to whole rows.
#include "Gdi/LFontManager.h"
#include "Gdi/LFontRaster.h"
#include "Gdi/LRenderer.h"
#include "LImage.h"
#include "Render/LITexture.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "support/LFakeRender.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>

namespace {
// A texture without a device, registered under the font's id before the font is made,
// as large as the atlas, so that the glyphs' sprites take their parts of it.
class LFuzzTexture : public LITexture
{
public:
    LFuzzTexture(int aWidth, int aHeight)
    {
        mWidth = aWidth;
        mHeight = aHeight;
    }
    int Create(LImage*) override { return 1; }
    int Create(int, int, int) override { return 1; }
    int SetPriority(float) override { return 1; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 3 || aSize > (1u << 16)) {
        return 0;
    }
    static const bool sRendering = (RegisterFakeRender(), true);
    (void)sRendering;
    LFuzzForgetRecords();
    const int width = 1 + aData[0] % 64;
    const int rowHeight = aData[1] % 32;
    size_t textLength = aData[2];
    if (textLength > aSize - 3) {
        textLength = aSize - 3;
    }
    const uint8_t* text = aData + 3;
    const uint8_t* pixels = text + textLength;
    const size_t pixelBytes = aSize - 3 - textLength;
    const int height = static_cast<int>(pixelBytes / (static_cast<size_t>(width) * 4));

    LTextureManager* textures = LTextureManager::Get();
    static int sFont = 0;
    const LString id = LString("fuzz") + sFont++;
    if (height > 0 && textures != nullptr) {
        textures->CreateTexture(id, L_NEW LFuzzTexture(width, height));
        LImage atlas;
        if (atlas.Create(width, height, width * 4, L_IMAGE_FORMAT_A8R8G8B8, pixels, width * height * 4)) {
            const LString characters(u"Ao-B xyz");
            LFontRaster font(id, &characters, &atlas, rowHeight);
            font.GetTextWidth(LString("AoB z"));
            font.GetCharWidth(u'x');
            LRenderer* renderer = LRenderer::Get();
            if (renderer != nullptr && renderer->Begin()) {
                font.Render(renderer, LString("Ao-B xyz"));
                renderer->End();
            }
        }
    }

    // The definition text, read as a property list and made into fonts (the atlas files
    // do not exist, so every font stops at its image; the entries are still checked).
    LPropertyList definition;
    definition.Parse(reinterpret_cast<const char*>(text), static_cast<int>(textLength));
    LPropertyList* fonts = definition.GetList(LString("fonts"));
    LFontManager* manager = LFontManager::Get();
    if (fonts != nullptr && manager != nullptr) {
        manager->SetRoot(LString("//fuzz"));
        for (int i = 0; i < fonts->GetCount() && i < 8; ++i) {
            manager->CreateFont(fonts->GetListAt(i));
        }
    }
    return 0;
}
