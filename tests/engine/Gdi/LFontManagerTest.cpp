#include "Gdi/LFontManager.h"
#include "Gdi/LFontRaster.h"
#include "Render/LTextureManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestFont.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {
class FontManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//data"), FromStd(mDirectory.Path())));
        mDirectory.Write("fonts/small.tga", TestAtlasTga());
    }

    bool Load(const std::string& aDefinition)
    {
        mDirectory.Write("fonts/fonts.txt", aDefinition);
        return LFontManager::Get()->CreateFonts(LString("//data/fonts/fonts.txt"), LString("//data/fonts/"));
    }

    LTestDirectory mDirectory;
};
} // namespace

TEST_F(FontManagerTest, DefinitionFileMakesFonts)
{
    LLogCapture log;
    ASSERT_TRUE(Load("fonts\n\tsmall\n\t\tid=small\n\t\ttexture=small.tga\n\t\trowheight=9\n"
                     "\t\tcharacters=Ao-B \n"));
    LFontRaster* font = dynamic_cast<LFontRaster*>(LFontManager::Get()->GetFont(LString("small")));
    ASSERT_NE(nullptr, font);
    EXPECT_FLOAT_EQ(5.0f / 8.0f, font->GetAspect(u'A'));
    EXPECT_FLOAT_EQ(4.0f / 8.0f, font->GetAspect(u'o'));
    EXPECT_FLOAT_EQ(2.0f / 8.0f, font->GetAspect(u'-'));
    EXPECT_FLOAT_EQ(5.0f / 8.0f, font->GetAspect(u'B'));
    // The atlas is registered under the font's id.
    EXPECT_EQ(font->GetTexture(), LTextureManager::Get()->GetHandle(LString("small")));
    EXPECT_EQ(nullptr, LFontManager::Get()->GetFont(LString("large")));
    EXPECT_TRUE(log.Contains("GetFont failure. ID not found:large"));
    // The root given for the file is not kept.
    EXPECT_EQ(LString(""), LFontManager::Get()->GetRoot());
}

TEST_F(FontManagerTest, DuplicateIdsAndBadEntries)
{
    LLogCapture log;
    EXPECT_FALSE(Load("fonts\n"
                      "\ta\n\t\tid=small\n\t\ttexture=small.tga\n\t\trowheight=9\n"
                      "\tb\n\t\tid=small\n\t\ttexture=small.tga\n\t\trowheight=9\n"
                      "\tc\n\t\tid=flat\n\t\ttexture=small.tga\n\t\trowheight=1\n"
                      "\td\n\t\tid=other\n\t\ttexture=small.tga\n\t\trowheight=9\n"));
    EXPECT_TRUE(log.Contains("CreateFont failure. Duplicate id exists:small"));
    EXPECT_TRUE(log.Contains("CreateFont failure. Invalid row height: 1"));
    EXPECT_NE(nullptr, LFontManager::Get()->GetFont(LString("small")));
    EXPECT_NE(nullptr, LFontManager::Get()->GetFont(LString("other")));
    // An entry without an id is logged and makes the font of the empty id, whose key
    // hashes to 0: the font is kept whole, not freed behind the list's back.
    log.Clear();
    EXPECT_TRUE(Load("fonts\n\tnoid\n\t\ttexture=small.tga\n\t\trowheight=9\n\t\tcharacters=AB\n"));
    EXPECT_TRUE(log.Contains("'id' not found."));
    LFontRaster* unnamed = dynamic_cast<LFontRaster*>(LFontManager::Get()->GetFont(LString("")));
    ASSERT_NE(nullptr, unnamed);
    EXPECT_FLOAT_EQ(5.0f / 8.0f, unnamed->GetAspect(u'A'));
    log.Clear();
    EXPECT_FALSE(Load("nofonts=1\n"));
    EXPECT_TRUE(log.Contains("'fonts' undefined."));
    EXPECT_FALSE(LFontManager::Get()->CreateFonts(LString("//data/missing.txt"), LString("//data/")));
    EXPECT_TRUE(log.Contains("CreateFonts failure."));
}

TEST_F(FontManagerTest, DefaultCharactersAndRoot)
{
    LLogCapture log;
    LFontManager* manager = LFontManager::Get();
    EXPECT_FALSE(manager->SetRoot(LString("fonts")));
    EXPECT_TRUE(log.Contains("SetRoot failure. Invalid arg."));
    EXPECT_TRUE(manager->SetRoot(LString("//data//fonts")));
    EXPECT_EQ(LString("//data/fonts/"), manager->GetRoot());
    // Without "characters" the font takes the printable characters from the space on.
    ASSERT_TRUE(manager->AddFont(LString("ascii"), LString("//data/fonts/small.tga"), 9, nullptr));
    LFontRaster* font = dynamic_cast<LFontRaster*>(manager->GetFont(LString("ascii")));
    ASSERT_NE(nullptr, font);
    EXPECT_FLOAT_EQ(5.0f / 8.0f, font->GetAspect(u' '));
    EXPECT_FLOAT_EQ(4.0f / 8.0f, font->GetAspect(u'!'));
    EXPECT_LT(font->GetAspect(u'%'), 0.0f);
}
