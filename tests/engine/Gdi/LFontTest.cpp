#include "Gdi/LFontRaster.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "LImage.h"
#include "Render/LVertexBuffer.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>

TEST(FontScan, AspectsComeFromTheWhiteRuns)
{
    RegisterFakeRender();
    std::unique_ptr<LFontRaster> font(MakeTestFont("test"));
    // The aspects of "Ao-B" from the definition file: see the font manager's test.
    EXPECT_FLOAT_EQ(8.0f, font->GetRowHeight());
    EXPECT_FLOAT_EQ(3.0f / 8.0f, font->GetAspect(u' '));
    // The sprite of "o" shows its cell from the opener to the closer, below the marker row.
    LSprite* o = font->GetSprite(u'o');
    ASSERT_NE(nullptr, o);
    const float* v = static_cast<const float*>(o->GetVertexBuffer()->GetBuffer());
    EXPECT_FLOAT_EQ(6.0f, v[15]);  // cell from x 8 to 13: six pixels wide
    EXPECT_FLOAT_EQ(-8.0f, v[1]);  // eight rows high
    EXPECT_FLOAT_EQ(8.0f / 48.0f, v[3]);
    EXPECT_FLOAT_EQ(1.0f / 9.0f, v[9]);
    // Its pen point is the first white pixel.
    EXPECT_FLOAT_EQ(1.0f, o->GetCenter().x);
}

TEST(FontScan, OpenersClosersAndGaps)
{
    RegisterFakeRender();
    LImage atlas;
    // One black, two clear, five white, two black; then white alone up to the last column.
    MakeMarkerAtlas(atlas, "k..wwwwwkk.www", 5, 1);
    const LString characters(u"ab");
    LLogCapture log;
    LFontRaster font(LString("gaps"), &characters, &atlas, 5);
    EXPECT_FLOAT_EQ(5.0f / 4.0f, font.GetAspect(u'a'));
    EXPECT_FLOAT_EQ(3.0f, font.GetSprite(u'a')->GetCenter().x);
    // A run that reaches the last column ends there, without reading past the image.
    EXPECT_FLOAT_EQ(3.0f / 4.0f, font.GetAspect(u'b'));
    EXPECT_FLOAT_EQ(0.0f, font.GetSprite(u'b')->GetCenter().x);
    EXPECT_FALSE(log.Contains("Index out of bounds."));
}

TEST(FontScan, ABandThatEndsEarlyMovesOnWithoutUsingACharacter)
{
    RegisterFakeRender();
    LImage atlas;
    // Two bands of 12 columns: three glyphs, then one on the next band.
    MakeMarkerAtlas(atlas, "kwk.kwwk.kwk" "kwwwwk......", 3, 2);
    const LString characters(u"abcd");
    LFontRaster font(LString("bands"), &characters, &atlas, 3);
    EXPECT_FLOAT_EQ(0.5f, font.GetAspect(u'c'));
    EXPECT_FLOAT_EQ(2.0f, font.GetAspect(u'd'));
    EXPECT_NE(nullptr, font.GetSprite(u'd'));
}

TEST(FontScan, DuplicatedCharactersAndBadRowHeights)
{
    RegisterFakeRender();
    LLogCapture log;
    LImage atlas;
    MakeTestAtlas(atlas);
    const LString characters(u"AoAB");
    LFontRaster font(LString("dup"), &characters, &atlas, 9);
    EXPECT_EQ(1, log.Count("Add failure."));
    // The second "A" keeps the first glyph; "B" takes the fourth glyph, not the third.
    EXPECT_FLOAT_EQ(5.0f / 8.0f, font.GetAspect(u'A'));
    EXPECT_FLOAT_EQ(5.0f / 8.0f, font.GetAspect(u'B'));
    EXPECT_LT(font.GetAspect(u'-'), 0.0f);

    LFontRaster flat(LString("flat"), &characters, &atlas, 1);
    EXPECT_TRUE(log.Contains("LFontRaster setup failure. Invalid row height: 1"));
    EXPECT_EQ(nullptr, flat.GetSprite(u'A'));
}

TEST(FontMeasure, WidthsUseTheUnroundedAdvance)
{
    RegisterFakeRender();
    LLogCapture log;
    std::unique_ptr<LFontRaster> font(MakeTestFont("measure"));
    EXPECT_FLOAT_EQ(9.0f, font->GetTextWidth(LString("Ao")));
    EXPECT_FLOAT_EQ(5.0f, font->GetCharWidth(u'B'));
    font->SetScale(1.5f, 3.0f);
    EXPECT_FLOAT_EQ(13.5f, font->GetTextWidth(LString("Ao")));
    // One unknown character makes the whole width 0.
    EXPECT_FLOAT_EQ(0.0f, font->GetTextWidth(LString("AoZ")));
    EXPECT_TRUE(log.Contains("Could not find width for char: 90"));
    EXPECT_FLOAT_EQ(0.0f, font->GetCharWidth(u'Z'));
    EXPECT_TRUE(log.Contains("Could not find aspect for char: 90"));
}

TEST(FontDraw, GlyphsFollowThePen)
{
    RegisterFakeRender();
    LRenderer* renderer = LRenderer::Get();
    std::unique_ptr<LFontRaster> font(MakeTestFont("draw"));
    font->SetPosition(10.0f, 20.0f);
    font->SetScale(0.5f);
    font->SetBlend(0.5f);
    LFakeRasterizer::Instance()->Reset();
    ASSERT_TRUE(font->Render(renderer, LString("AoB")));
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(3u, draws.size());
    // Pens at 10, 12.5 and 14.5; the glyph origin lies a scaled pixel before the pen.
    EXPECT_FLOAT_EQ(-400.5f + 10.0f - 0.5f, draws[0].mWorld[12]);
    EXPECT_FLOAT_EQ(-400.5f + 12.5f - 0.5f, draws[1].mWorld[12]);
    EXPECT_FLOAT_EQ(-400.5f + 14.5f - 0.5f, draws[2].mWorld[12]);
    EXPECT_FLOAT_EQ(300.5f - 20.0f, draws[0].mWorld[13]);
    EXPECT_FLOAT_EQ(0.5f, draws[2].mBlendFactor);

    LLogCapture log;
    EXPECT_FALSE(font->Render(renderer, LString("AZ")));
    EXPECT_TRUE(log.Contains("Render failure. Could not find sprite for char: 90"));
    EXPECT_EQ(4u, LFakeRasterizer::Instance()->Draws().size());
}
