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

TEST_F(TextAreaTest, WithoutWrapTheTextIsOneLine)
{
    mArea.SetText(LString("AoB AoB"));
    mArea.SetWidth(3.0f);
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"AoB AoB"}), Lines(mArea));
    EXPECT_FLOAT_EQ(8.0f, mArea.GetLineHeight());
}

TEST_F(TextAreaTest, WrapsAtTheLastFittingSpace)
{
    mArea.SetWrap(true);
    mArea.SetMultiLine(true);
    mArea.SetWidth(35.0f);
    mArea.SetText(LString("AoB AoB AoB"));
    ASSERT_TRUE(mArea.Layout());
    // "AoB AoB" is 31 wide; the space after it is on neither line.
    EXPECT_EQ((std::vector<std::string> {"AoB AoB", "AoB"}), Lines(mArea));
    mArea.SetLineHeight(20.0f);
    mArea.SetWidth(16.0f);
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"AoB", "AoB", "AoB"}), Lines(mArea));
    EXPECT_FLOAT_EQ(60.0f, mArea.GetTextHeight());
}

TEST_F(TextAreaTest, BreaksAfterAHyphenAndCutsLongWords)
{
    mArea.SetWrap(true);
    mArea.SetMultiLine(true);
    mArea.SetWidth(20.0f);
    mArea.SetText(LString("AoB-AoB"));
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"AoB-", "AoB"}), Lines(mArea));
    mArea.SetWidth(7.0f);
    mArea.SetText(LString("AAA"));
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"A", "A", "A"}), Lines(mArea));
}

TEST_F(TextAreaTest, OneLineModeAndTextsThatFit)
{
    mArea.SetWrap(true);
    mArea.SetWidth(16.0f);
    mArea.SetText(LString("AoB AoB"));
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"AoB"}), Lines(mArea));
    mArea.SetMultiLine(true);
    mArea.SetWidth(100.0f);
    ASSERT_TRUE(mArea.Layout());
    EXPECT_EQ((std::vector<std::string> {"AoB AoB"}), Lines(mArea));
    mArea.SetText(LString(""));
    EXPECT_TRUE(mArea.Layout());
    EXPECT_EQ(0, mArea.GetLineCount());
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
