// A string drawn with the test font, loaded from its definition file and atlas under a
// temporary data root, on the software GL stand-in: each glyph's pixels lie where the pen
// put it.
#include "Gdi/LFontManager.h"
#include "Gdi/LIFont.h"
#include "Gdi/LRenderer.h"
#include "Render/LIRasterizer.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestFont.h"
#include "support/LTestGraphics.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FontRasterGLTest, StringShowsEachGlyphWhereThePenPutsIt)
{
    LLogCapture log;
    LTestGraphics graphics(800, 600);
    ASSERT_TRUE(graphics.IsReady());
    LTestGraphics::RegisterCreators();
    // "A" red, "o" green, "-" blue, "B" yellow; the space is not drawn.
    const uint32_t colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFFFFFFFFu};
    LTestDirectory directory;
    directory.Write("textures/fonts/small.tga", TestAtlasTga(colours));
    directory.Write("textures/fonts/fonts.txt", "fonts\n\tsmall\n\t\tid=small\n\t\ttexture=small.tga\n"
                                                "\t\trowheight=9\n\t\tcharacters=Ao-B \n");
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(directory.Path())));
    ASSERT_TRUE(LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"),
                                                 LString("//dataroot/textures/fonts/")));
    LIFont* font = LFontManager::Get()->GetFont(LString("small"));
    ASSERT_NE(nullptr, font);

    // At twice the size the advances are 10, 8, 4 and 10 pixels and every glyph, even the
    // narrow "-", has columns whose neighbours are of the same glyph.
    LRenderer* renderer = LRenderer::Get();
    ASSERT_NE(nullptr, renderer);
    ASSERT_EQ(1, LIRasterizer::Get()->Clear());
    ASSERT_TRUE(renderer->Begin());
    font->SetPosition(40.0f, 30.0f);
    font->SetScale(2.0f);
    ASSERT_TRUE(font->Render(renderer, LString(u"Ao-B")));
    ASSERT_TRUE(renderer->End());
    EXPECT_FLOAT_EQ(32.0f, font->GetTextWidth(LString(u"Ao-B")));

    const std::vector<uint32_t> picture = graphics.Picture();
    auto at = [&](int aX, int aY) { return picture[static_cast<size_t>(aY) * 800 + aX]; };
    struct Glyph
    {
        int mPen;
        int mAdvance;
        uint32_t mColour;
    };
    const Glyph glyphs[] = {{40, 10, colours[0]}, {50, 8, colours[1]}, {58, 4, colours[2]}, {62, 10, colours[3]}};
    for (const Glyph& glyph : glyphs) {
        // 16 rows from the pen's y; the outermost column and row of each side left out.
        for (int x = glyph.mPen + 1; x < glyph.mPen + glyph.mAdvance - 1; ++x) {
            for (int y : {32, 37, 43}) {
                EXPECT_TRUE(PixelNear(at(x, y), glyph.mColour)) << x << "," << y;
            }
        }
    }
    // Nothing before the pen, after the string's width, above or below the glyphs.
    for (int x : {36, 77, 80}) {
        EXPECT_TRUE(PixelNear(at(x, 37), 0xFF000000u)) << x;
    }
    for (int y : {26, 48}) {
        EXPECT_TRUE(PixelNear(at(55, y), 0xFF000000u)) << y;
    }
    EXPECT_FALSE(log.Contains("ERROR"));
}
