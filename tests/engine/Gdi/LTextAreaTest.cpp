#include "Gdi/LFontRaster.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LTextArea.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::string> Lines(const LTextArea& aArea)
{
    std::vector<std::string> lines;
    for (int i = 0; i < aArea.GetLineCount(); ++i) {
        lines.push_back(ToStd(aArea.GetLine(i)));
    }
    return lines;
}

class TextAreaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        mFont.reset(MakeTestFont("text"));
        ASSERT_TRUE(mArea.Create(mFont.get()));
    }

    // Widths of the test font: A 5, o 4, - 2, B 5, space 3.
    std::unique_ptr<LFontRaster> mFont;
    LTextArea mArea;
};
} // namespace

TEST_F(TextAreaTest, LinesBreakAtTheLastFittingSpaceAfterAHyphenOrInsideALongWord)
{
    struct Case
    {
        bool mWrap;
        bool mMultiLine;
        float mWidth;
        const char* mText;
        std::vector<std::string> mLines;
    };
    const Case cases[] = {
        {false, false, 3.0f, "AoB AoB", {"AoB AoB"}},
        // "AoB AoB" is 31 wide; the space after it is on neither line.
        {true, true, 35.0f, "AoB AoB AoB", {"AoB AoB", "AoB"}},
        {true, true, 16.0f, "AoB AoB AoB", {"AoB", "AoB", "AoB"}},
        {true, true, 20.0f, "AoB-AoB", {"AoB-", "AoB"}},
        {true, true, 7.0f, "AAA", {"A", "A", "A"}},
        // One line only: what does not fit is left out.
        {true, false, 16.0f, "AoB AoB", {"AoB"}},
        {true, true, 100.0f, "AoB AoB", {"AoB AoB"}},
        {true, true, 100.0f, "", {}},
        // Exactly as wide as the area: a text that fits is one line, a word that fills
        // a line stays whole.
        {true, false, 14.0f, "AoB", {"AoB"}},
        {true, true, 31.0f, "AoB AoB", {"AoB AoB"}},
        {true, true, 14.0f, "AoB AoB", {"AoB", "AoB"}},
        {true, true, 31.0f, "AoB AoB AoB AoB", {"AoB AoB", "AoB AoB"}},
    };
    for (const Case& c : cases) {
        mArea.SetWrap(c.mWrap);
        mArea.SetMultiLine(c.mMultiLine);
        mArea.SetWidth(c.mWidth);
        mArea.SetText(LString(c.mText));
        ASSERT_TRUE(mArea.Layout()) << c.mText;
        EXPECT_EQ(c.mLines, Lines(mArea)) << c.mText << " in " << c.mWidth;
    }
    EXPECT_FLOAT_EQ(8.0f, mArea.GetLineHeight());
    mArea.SetLineHeight(20.0f);
    mArea.SetWidth(16.0f);
    mArea.SetText(LString("AoB AoB AoB"));
    ASSERT_TRUE(mArea.Layout());
    EXPECT_FLOAT_EQ(60.0f, mArea.GetTextHeight());
}

TEST_F(TextAreaTest, AnEmptyLineIsReportedAsADeadlock)
{
    LLogCapture log;
    mArea.SetWrap(true);
    mArea.SetMultiLine(true);
    mArea.SetWidth(2.0f);
    mArea.SetText(LString(" AoB"));
    EXPECT_FALSE(mArea.Render(LRenderer::Get()));
    EXPECT_TRUE(log.Contains("Render failure. Probable deadlock."));
    // The font's blend is given back.
    EXPECT_FLOAT_EQ(1.0f, mFont->GetBlend());
}

TEST_F(TextAreaTest, SettersAndDirtyMarks)
{
    LLogCapture log;
    mArea.SetText(LString("Ao"));
    ASSERT_TRUE(mArea.Layout());
    mArea.ClearText();
    ASSERT_TRUE(mArea.Layout());
    // Clearing does not mark the layout: the old line stays until something does.
    EXPECT_EQ((std::vector<std::string> {"Ao"}), Lines(mArea));
    mArea.SetText(LString("B"));
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"B"}), Lines(mArea));
    mArea.AppendText(u"A");
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"BA"}), Lines(mArea));
    EXPECT_EQ(0, mArea.SetHeight(3.0f));
    EXPECT_TRUE(log.Contains("SetHeight not yet implemented."));
}

TEST(TextAreaCreate, FieldsAreSetBeforeCreateAndAFontIsNeeded)
{
    LLogCapture log;
    LTextArea area;
    EXPECT_EQ(nullptr, area.GetFont());
    EXPECT_FLOAT_EQ(100.0f, area.GetWidth());
    EXPECT_TRUE(area.Layout());
    EXPECT_FALSE(area.Create(static_cast<LIFont*>(nullptr)));
    EXPECT_TRUE(log.Contains("Create failure. NULL arg."));
    EXPECT_FALSE(area.Render(nullptr));
}

TEST(TextAreaDraw, LinesStackFromTheWorldPosition)
{
    RegisterFakeRender();
    std::unique_ptr<LFontRaster> font(MakeTestFont("lines"));
    LTextArea area;
    area.SetScale(1.0f, 2.0f);
    ASSERT_TRUE(area.Create(font.get()));
    EXPECT_FLOAT_EQ(16.0f, area.GetLineHeight());
    area.SetWrap(true);
    area.SetMultiLine(true);
    area.SetWidth(16.0f);
    area.SetText(LString("AB AB"));
    area.SetPosition(100.0f, 50.0f);
    area.SetBlend(0.5f);
    LRenderer* renderer = LRenderer::Get();
    ASSERT_NE(nullptr, LFakeRasterizer::Instance());
    LFakeRasterizer::Instance()->Reset();
    ASSERT_TRUE(area.Render(renderer));
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(4u, draws.size());
    EXPECT_FLOAT_EQ(300.5f - 50.0f, draws[0].mWorld[13]);
    EXPECT_FLOAT_EQ(300.5f - 66.0f, draws[2].mWorld[13]);
    EXPECT_FLOAT_EQ(0.5f, draws[0].mBlendFactor);
    EXPECT_FLOAT_EQ(1.0f, font->GetBlend());
    const LRectangle extent = area.GetTextExtent();
    EXPECT_FLOAT_EQ(100.0f, extent.GetX());
    EXPECT_FLOAT_EQ(16.0f, extent.GetWidth());
    EXPECT_FLOAT_EQ(16.0f, extent.GetHeight());
}

TEST(TextAreaFonts, AFontWithoutOStillWraps)
{
    RegisterFakeRender();
    LImage atlas;
    MakeTestAtlas(atlas);
    const LString characters(u"AxyB "); // no "o"
    LFontRaster font(LString("noo"), &characters, &atlas, 9);
    LTextArea area;
    ASSERT_TRUE(area.Create(&font));
    area.SetWrap(true);
    area.SetMultiLine(true);
    area.SetWidth(12.0f);
    area.SetText(LString("AB AB"));
    ASSERT_TRUE(area.Layout());
    EXPECT_EQ((std::vector<std::string> {"AB", "AB"}), Lines(area));
}
