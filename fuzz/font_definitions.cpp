// Reads the input as the font definition file ("fonts.txt") through
// LFontManager::CreateFonts, with real atlas pictures under the data root: "atlas.tga"
// (32 x 10, two bands of five rows with three marked glyphs each) and "a.tga" (8 x 8, no
// markers). Every font the file names is then measured and drawn.
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LRenderer.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Blue, green, red, alpha rows from the bottom up, as the picture file keeps them.
std::string Atlas()
{
    const int width = 32;
    const int height = 10;
    std::string pixels;
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            uint32_t argb = 0x00000000u; // transparent
            if (row % 5 == 0) {
                // marker row: black lead-in, white glyph run, black tail, per glyph
                const int cell = x % 10;
                argb = cell == 0 || cell >= 7 ? 0xff000000u : (cell < 5 ? 0xffffffffu : 0x00000000u);
            } else if (x % 10 < 7) {
                argb = 0xff808080u;
            }
            for (int shift : {0, 8, 16, 24}) {
                pixels += static_cast<char>((argb >> shift) & 0xff);
            }
        }
    }
    return LImageBytes::Tga(width, height, 32, 8, pixels);
}

LTestDirectory& Prepare()
{
    RegisterFakeRender();
    LTestDirectory& directory = FuzzDataRoot("//fuzzfonts");
    directory.Write("atlas.tga", Atlas());
    directory.Write("a.tga", FuzzPicture());
    return directory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static LTestDirectory& sDirectory = Prepare();
    LFuzzForgetRecords();
    sDirectory.Write("fonts.txt", std::string(reinterpret_cast<const char*>(aData), aSize));
    LFontManager* manager = LFontManager::Get();
    if (manager == nullptr) {
        return 0;
    }
    manager->CreateFonts(LString("//fuzzfonts/fonts.txt"), LString("//fuzzfonts/"));

    // The ids the file names, read again here to ask for each font.
    LPropertyList definition;
    definition.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    const LPropertyList* fonts = definition.GetList(LString("fonts"));
    LRenderer* renderer = LRenderer::Get();
    for (int i = 0; fonts != nullptr && i < fonts->GetCount() && i < 16; ++i) {
        const LPropertyList* entry = fonts->GetListAt(i);
        bool found = false;
        LIFont* font = entry != nullptr ? manager->GetFont(entry->GetString(LString("id"), found)) : nullptr;
        if (font == nullptr) {
            continue;
        }
        font->GetTextWidth(LString("AoB z\u00e9"));
        font->GetCharWidth(u'x');
        if (renderer != nullptr && renderer->Begin()) {
            font->Render(renderer, LString("Ao-B"));
            renderer->End();
        }
    }
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
