// The sample's front end as the screens read it: the fonts, every layout built over
// the fake renderer into the groups, sprites and buttons its screen looks up, the menu
// buttons and option toggles built by their own classes, and the game cursor's states.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LFontRaster.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Gdi/LToolTip.h"
#include "Input/LMouse.h"
#include "LImage.h"
#include "LVector2.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LVectorNumber.h"
#include "container/LVectorString.h"
#include "interview/GMSubtitle.h"
#include "menu/GMMenuButton.h"
#include "menu/GMOptionToggle.h"
#include "multicursor/GMMultiCursor.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMIMessageBoxListener.h"
#include "ui/GMMessageBox.h"
#include "writers/LPixelFont.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class Listener : public LIButtonListener
{
public:
    void OnButton(const LString&, int) override {}
};

class Replies : public GMIMessageBoxListener
{
public:
    void OnMessageBoxReply(const LString& aId, int aAnswer) override
    {
        mHeard.push_back(ToStd(aId) + ":" + std::to_string(aAnswer));
    }
    std::vector<std::string> mHeard;
};

class SampleScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        ASSERT_TRUE(LSampleRoots::Mount());
        LMouse::Get()->OnMove(LVector2(0.0f, 0.0f));
    }

    // Loads a layout file with the texture root its screen sets.
    LPropertyList& Layout(const char* aFile, const char* aTextureRoot)
    {
        EXPECT_TRUE(LTextureManager::Get()->SetRoot(LString(aTextureRoot)));
        EXPECT_TRUE(mLayout.Load(LString(aFile), true)) << aFile;
        return mLayout;
    }

    LPropertyList* List(const char* aPath)
    {
        LPropertyList* list = mLayout.GetList(LString(aPath));
        EXPECT_NE(nullptr, list) << aPath;
        return list;
    }

    // A group entry built with its children, kept until the test ends.
    LDisplayGroup* Group(const char* aPath)
    {
        LDisplayGroup* group = LLayoutBuilder::BuildGroup(List(aPath), true);
        EXPECT_NE(nullptr, group) << aPath;
        mGroups.emplace_back(group);
        return group;
    }

    LSprite* Sprite(LPropertyList* aList)
    {
        LSprite* sprite = LLayoutBuilder::BuildSprite(aList);
        EXPECT_NE(nullptr, sprite);
        mGroups.emplace_back(sprite);
        return sprite;
    }

    // Every entry of a menu-button list built as a GMMenuButton; their ids in order.
    std::vector<std::string> MenuButtons(const char* aPath)
    {
        std::vector<std::string> ids;
        LPropertyList* list = List(aPath);
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            auto* button = new GMMenuButton();
            mGroups.emplace_back(button);
            EXPECT_EQ(1, button->Create(list->GetListAt(i), &mListener)) << aPath << " " << i;
            // The five state pictures n, o, d, x and h.
            EXPECT_EQ(5, button->GetMemberCount()) << ToStd(button->GetId());
            ids.push_back(ToStd(button->GetId()));
        }
        return ids;
    }

    // Every entry of a list built as an engine button; their ids in order.
    std::vector<std::string> Buttons(LPropertyList* aList)
    {
        std::vector<std::string> ids;
        for (int i = 0; aList != nullptr && i < aList->GetCount(); ++i) {
            LButton* button = LLayoutBuilder::BuildButton(aList->GetListAt(i), &mListener);
            EXPECT_NE(nullptr, button);
            if (button != nullptr) {
                mGroups.emplace_back(button);
                ids.push_back(ToStd(button->GetId()));
            }
        }
        return ids;
    }

    static std::vector<std::string> Ids(const LDisplayGroup* aGroup)
    {
        std::vector<std::string> ids;
        for (int i = 0; aGroup != nullptr && i < aGroup->GetMemberCount(); ++i) {
            ids.push_back(ToStd(aGroup->GetMemberAt(i)->GetId()));
        }
        return ids;
    }

    static bool ImageLoads(const std::string& aPath)
    {
        LImage* image = nullptr;
        const bool loaded = LImage::CreateFromFile(FromStd(aPath), &image) && image != nullptr;
        delete image;
        return loaded;
    }

    LLogCapture mLog;
    Listener mListener;
    LPropertyList mLayout;
    std::vector<std::unique_ptr<LIDisplayObject>> mGroups;
};

} // namespace

TEST_F(SampleScreens, SixFontsOfNinetyFiveGlyphsAndTheQuitQuestionFitsOneLine)
{
    LFontManager* fonts = LFontManager::Get();
    ASSERT_TRUE(
        fonts->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/")));
    for (const char* id : {"TW_CEN_MT16", "twcenmt14white", "comic18", "frizquadrata24", "tahoma10", "tahoma10black"}) {
        auto* font = dynamic_cast<LFontRaster*>(fonts->GetFont(LString(id)));
        ASSERT_NE(nullptr, font) << id;
        int glyphs = 0;
        for (char16_t c = 32; c <= 126; ++c) {
            glyphs += font->GetSprite(c) != nullptr && font->GetAspect(c) > 0.0f ? 1 : 0;
        }
        EXPECT_EQ(95, glyphs) << id;
        // The glyph rows are the size in the font's name, and the scan finds the advance
        // the generator marked for every character.
        const std::string name(id);
        const int size = std::stoi(name.substr(name.find_first_of("0123456789")));
        EXPECT_EQ(size, static_cast<int>(font->GetRowHeight())) << id;
        for (char c : LPixelFont::Characters()) {
            EXPECT_FLOAT_EQ(static_cast<float>(LPixelFont::Advance(c, LPixelFont::AtlasScaleX(size + 1))),
                            font->GetCharWidth(static_cast<char16_t>(c)))
                << id << " " << c;
        }
    }
    const float width = fonts->GetFont(LString("TW_CEN_MT16"))->GetTextWidth(LString("Do you really want to quit?"));
    EXPECT_GT(width, 100.0f);
    EXPECT_LT(width, 200.0f);

    // The subtitle tables name fonts that exist, and their lines fit the screen.
    LPropertyList subtitles;
    ASSERT_TRUE(subtitles.Load(LString("//dataroot/movies/cutscenes_subtitles.txt"), true));
    bool found = false;
    EXPECT_EQ("000_all.bik", ToStd(subtitles.GetListAt(0)->GetString(LString("movie"), found)));
    LIFont* subtitleFont = fonts->GetFont(subtitles.GetListAt(0)->GetString(LString("fonts.main"), found));
    ASSERT_NE(nullptr, subtitleFont);
    LPropertyList* records = subtitles.GetListAt(0)->GetList(LString("subtitles"));
    ASSERT_NE(nullptr, records);
    EXPECT_EQ(2, records->GetCount());
    for (int i = 0; i < records->GetCount(); ++i) {
        EXPECT_EQ("main", ToStd(records->GetListAt(i)->GetString(LString("font"), found)));
        EXPECT_LT(subtitleFont->GetTextWidth(records->GetListAt(i)->GetString(LString("subtitle"), found)), 800.0f);
    }
    LPropertyList voiceOvers;
    ASSERT_TRUE(voiceOvers.Load(LString("//scenes/vo_subtitles.txt"), true));
    EXPECT_GE(voiceOvers.GetCount(), 1);
    for (int i = 0; i < voiceOvers.GetCount(); ++i) {
        const float line = subtitleFont->GetTextWidth(voiceOvers.GetString(voiceOvers.GetKeyAt(i), found));
        EXPECT_GT(line, 0.0f);
        EXPECT_LT(line, 800.0f);
    }

    // Every credits line fits the screen in the credits font.
    Layout("//textures/menu/credits.txt", "//textures/menu");
    LPropertyList* pages = List("credits.screens");
    ASSERT_NE(nullptr, pages);
    EXPECT_EQ(2, pages->GetCount());
    LIFont* credits = fonts->GetFont(LString("frizquadrata24"));
    for (int page = 0; page < pages->GetCount(); ++page) {
        LPropertyList* blocks = pages->GetListAt(page)->GetList(LString("entries"));
        ASSERT_NE(nullptr, blocks);
        for (int block = 0; block < blocks->GetCount(); ++block) {
            LPropertyList* lines = blocks->GetListAt(block);
            for (int line = 0; line < lines->GetCount(); ++line) {
                bool found = false;
                const LString text = lines->GetString(lines->GetKeyAt(line), found);
                EXPECT_TRUE(found);
                EXPECT_LT(credits->GetTextWidth(text), 760.0f) << ToStd(text);
            }
        }
    }
    LPropertyList* images = List("credits.images");
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(3, images->GetCount());
    for (int i = 0; i < images->GetCount(); ++i) {
        bool found = false;
        EXPECT_TRUE(ImageLoads("//textures/menu/" + ToStd(images->GetListAt(i)->GetString(LString("file"), found))));
    }
    EXPECT_EQ("", mLog.Problems());
}

// Every glyph of every atlas lies inside the rows its font gives it: the rows below the
// marker row of its band, as wide as its marker, hold as much ink as the glyph drawn alone.
// A glyph drawn taller than its band loses its lowest rows (the descenders of g, j, p, q
// and y) to the next band or the picture's edge, and inks the next band's rows instead.
TEST_F(SampleScreens, EveryGlyphOfEveryAtlasKeepsAllItsRowsInsideItsBand)
{
    LPropertyList table;
    ASSERT_TRUE(table.Load(LString("//dataroot/textures/fonts/fonts.txt"), true));
    LPropertyList* list = table.GetList(LString("fonts"));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(14, list->GetCount());
    const std::string characters = LPixelFont::Characters();
    constexpr uint32_t kBlack = 0xFF000000u;
    constexpr uint32_t kWhite = 0xFFFFFFFFu;
    for (int f = 0; f < list->GetCount(); ++f) {
        bool found = false;
        const std::string file = ToStd(list->GetListAt(f)->GetString(LString("texture"), found));
        const int rows = list->GetListAt(f)->GetInt(LString("rowheight"), found);
        LImage* loaded = nullptr;
        ASSERT_TRUE(LImage::CreateFromFile(FromStd("//dataroot/textures/fonts/" + file), &loaded)) << file;
        const std::unique_ptr<LImage> image(loaded);
        const int width = image->GetWidth();
        ASSERT_GT(rows, 1) << file;
        ASSERT_EQ(0, image->GetHeight() % rows) << file;
        size_t next = 0;
        for (int top = 0; top < image->GetHeight(); top += rows) {
            int x = 0;
            while (x < width && next < characters.size()) {
                // A cell: black, a run of white as wide as the advance, black.
                if (image->GetPixelARGB(x, top) != kBlack) {
                    ++x;
                    continue;
                }
                const int start = x++;
                while (x < width && image->GetPixelARGB(x, top) == kWhite) {
                    ++x;
                }
                ASSERT_TRUE(x < width && image->GetPixelARGB(x, top) == kBlack) << file << " " << characters[next];
                const int end = ++x;
                const char c = characters[next++];
                LCanvas alone(4 * rows, 2 * rows);
                LPixelFont::DrawChar(alone, 0, 0, c, LPixelFont::AtlasScaleX(rows), LPixelFont::AtlasScaleY(rows),
                                     LCanvas::kWhite);
                int ink = 0;
                for (int y = 0; y < alone.GetHeight(); ++y) {
                    for (int column = 0; column < alone.GetWidth(); ++column) {
                        ink += alone.Get(column, y).mA != 0 ? 1 : 0;
                    }
                }
                int inkInCell = 0;
                for (int y = top + 1; y < top + rows; ++y) {
                    for (int column = start; column < end; ++column) {
                        const bool inked = (image->GetPixelARGB(column, y) >> 24) != 0;
                        inkInCell += inked ? 1 : 0;
                        // The row under the marker is the space above the letters.
                        EXPECT_FALSE(inked && y == top + 1) << file << " '" << c << "' inks its band's first row";
                    }
                }
                EXPECT_EQ(ink, inkInCell) << file << " '" << c << "'";
            }
        }
        EXPECT_EQ(characters.size(), next) << file;
    }
}

TEST_F(SampleScreens, MainMenuMessageBoxAndBackButton)
{
    Layout("//textures/menu/main_menu_layout.txt", "//textures/menu");
    EXPECT_EQ(1, Group("main_menu.g01-background")->GetMemberCount());
    EXPECT_EQ((std::vector<std::string> {"new_game", "resume_game", "load_game", "save_game", "options", "credits",
                                         "quit"}),
              MenuButtons("main_menu.g02-buttons"));

    Layout("//textures/menu/messagebox_layout.txt", "//textures/menu");
    Sprite(List("background"));
    EXPECT_EQ((std::vector<std::string> {"ok", "cancel", "yes", "no"}), Buttons(List("buttons")));

    Layout("//textures/back_btn_layout.txt", "//textures");
    EXPECT_EQ((std::vector<std::string> {"back_btn"}), Buttons(&mLayout));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleScreens, OptionsSaveAndLoadScreens)
{
    Layout("//textures/menu/options_screen_layout.txt", "//textures/menu");
    Group("groups.g01-background");
    EXPECT_EQ((std::vector<std::string> {"back", "save"}), MenuButtons("groups.g02-buttons"));
    EXPECT_EQ((std::vector<std::string> {"easy", "medium", "hard"}), MenuButtons("groups.g03-skill_buttons"));
    LPropertyList* toggles = List("groups.g04-option_toggles");
    ASSERT_NE(nullptr, toggles);
    ASSERT_EQ(6, toggles->GetCount());
    auto* parent = new LDisplayGroup();
    mGroups.emplace_back(parent);
    std::vector<std::unique_ptr<GMOptionToggle>> made;
    for (int i = 0; i < toggles->GetCount(); ++i) {
        made.push_back(std::make_unique<GMOptionToggle>());
        ASSERT_EQ(1, made.back()->Create(toggles->GetListAt(i), parent)) << i;
        auto* toggle = static_cast<LDisplayGroup*>(parent->GetMemberAt(i));
        EXPECT_EQ((std::vector<std::string> {"on", "off"}), Ids(toggle)) << i;
    }
    EXPECT_EQ((std::vector<std::string> {"toggle0", "toggle1", "toggle2", "toggle3", "toggle4", "toggle5"}),
              Ids(parent));
    // The knob starts on its track, which runs from x 340 to 655.
    EXPECT_EQ(340.0f, Sprite(List("groups.g05-audio_slider"))->GetPosition().x);

    Layout("//textures/menu/save_screen_layout.txt", "//textures/menu");
    Group("save_screen.g01-background");
    EXPECT_EQ((std::vector<std::string> {"field_panel", "thumb_panel"}),
              Ids(Group("save_screen.g03-black_background")));
    EXPECT_EQ((std::vector<std::string> {"cancel", "save"}), MenuButtons("save_screen.g02-buttons"));

    Layout("//textures/menu/load_screen_layout.txt", "//textures/menu");
    Group("load_screen.g01-background");
    EXPECT_EQ(6, Group("load_screen.g03-black_background")->GetMemberCount());
    EXPECT_EQ((std::vector<std::string> {"cancel", "up_arrow", "down_arrow", "load"}),
              MenuButtons("load_screen.g02-buttons"));
    LPropertyList* brackets = List("load_screen.g04-selection_brackets");
    ASSERT_NE(nullptr, brackets);
    ASSERT_EQ(6, brackets->GetCount());
    for (int i = 0; i < brackets->GetCount(); ++i) {
        Sprite(brackets->GetListAt(i));
        bool found = false;
        EXPECT_EQ(8, brackets->GetListAt(i)->GetVectorFloat(LString("activearea"), found).GetCount()) << i;
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleScreens, CaseSelectionThumbnailsAndLocationCard)
{
    Layout("//textures/caseselection/caseselection_layout.txt", "//textures/caseselection");
    Group("groups.g01-background");
    EXPECT_EQ(4, Group("groups.g02-folders")->GetMemberCount());
    Group("groups.g05_caseclosed");
    EXPECT_EQ((std::vector<std::string> {"case1_select", "review1"}), Buttons(List("groups.g03-buttons")));
    LButton* back = LLayoutBuilder::BuildButton(List("groups.g04-backbutton"), &mListener);
    ASSERT_NE(nullptr, back);
    mGroups.emplace_back(back);
    for (const char* ledger : {"groups.g06-ledger.case01", "groups.g06-ledger.case02", "groups.g06-ledger.case03",
                               "groups.g06-ledger.case04"}) {
        Sprite(List(ledger));
    }

    Layout("//textures/menu/thumbnails/thumbs.txt", "//textures/menu");
    for (const char* view : {"allCases.precinct.vp01", "case01.riverbank.vp01", "case01.riverbank.vp02"}) {
        bool found = false;
        const LString image = List(view)->GetString(LString("image"), found);
        EXPECT_TRUE(ImageLoads("//textures/menu/thumbnails/" + ToStd(image))) << view;
    }
    EXPECT_TRUE(ImageLoads("//textures/menu/thumbnails/riverbank_body.bmp"));

    LPropertyList scenes;
    ASSERT_TRUE(scenes.Load(LString("//scenes/scenes.txt"), true));
    // The card's two location lines and one address line.
    for (const auto& [key, count] :
         {std::pair {"case01/riverbank.location", 2}, std::pair {"case01/riverbank.address", 1}}) {
        bool found = false;
        LVectorString lines;
        EXPECT_TRUE(scenes.GetString(LString(key), found).Split(LString("|"), &lines));
        EXPECT_TRUE(found) << key;
        EXPECT_EQ(count, lines.GetCount()) << key;
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleScreens, GameCursorGetsEveryNamedStateTheItemsAndTheHilight)
{
    ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures")));
    std::unique_ptr<GMCursor> cursor(new GMCursor());
    EXPECT_EQ("", mLog.Problems());
    int named = 0;
    for (GMCursorType type = 0; type < GMCursor::TYPE_COUNT; ++type) {
        if (!GMCursor::GetStateName(type).IsEmpty()) {
            EXPECT_TRUE(cursor->SetCursor(type, LString())) << type;
            ++named;
        }
    }
    EXPECT_EQ(14, named);
    // A crime-lab result shows the picture of its item.
    EXPECT_TRUE(cursor->SetItemCursor(LString("glove_cl")));
    EXPECT_TRUE(cursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString()));
    ASSERT_NE(nullptr, cursor->GetHilightSprite());
    EXPECT_TRUE(cursor->GetHilight());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleScreens, MessageBoxAsksTheQuitQuestionOnOneLineAndClosesOnYes)
{
    ASSERT_TRUE(LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"),
                                                 LString("//dataroot/textures/fonts/")));
    GMMessageBox box;
    Replies replies;
    ASSERT_TRUE(
        box.Show(LString("quit"), LString("Do you really want to quit?"), GMMessageBox::BUTTONS_YES_NO, &replies));
    ASSERT_TRUE(box.IsOpen());
    LDisplayGroup* group = box.GetGroup();
    EXPECT_NE(nullptr, group->GetMember(LString("msgbox_bg")));
    ASSERT_NE(nullptr, box.GetButton(0));
    ASSERT_NE(nullptr, box.GetButton(1));
    EXPECT_EQ("yes", ToStd(box.GetButton(0)->GetId()));
    EXPECT_EQ("no", ToStd(box.GetButton(1)->GetId()));
    // One line: centred in the panel at the height of a single line.
    ASSERT_NE(nullptr, box.GetTextArea());
    EXPECT_EQ(75.0f, box.GetTextArea()->GetPosition().y);

    // The middle of "yes": the panel at (271, 199), the button at (30, 162), 85 x 32.
    LMouse::Get()->OnMove(LVector2(271.0f + 30.0f + 42.0f, 199.0f + 162.0f + 16.0f));
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ((std::vector<std::string> {"quit:2"}), replies.mHeard);
    EXPECT_FALSE(box.IsOpen());
    // The box gives its text area a height, which the text area reports it does not use.
    EXPECT_EQ("", mLog.Problems("SetHeight not yet implemented."));
}

TEST_F(SampleScreens, ActionMenuAndSubtitleStripBuildFromTheSample)
{
    ASSERT_TRUE(LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"),
                                                 LString("//dataroot/textures/fonts/")));
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_NE(nullptr, menu);
    const char* texts[] = {"Use", "Collect", "Analyze", "Talk", "Look"};
    for (int action = 1; action <= 5; ++action) {
        EXPECT_EQ(texts[action - 1], ToStd(menu->GetToolTip(action)->GetTextArea()->GetText()));
        ASSERT_NE(nullptr, menu->GetButton(action)->GetStateObject(XBTNSTATE_OVER));
    }
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip);
    EXPECT_NE(0u, LTextureManager::Get()->GetHandle(LString("//textures/subtitleBG.tga")));

    // Each button row shows three different looks, and both menu pictures are drawn.
    LImage* picture = nullptr;
    ASSERT_TRUE(LImage::CreateFromFile(LString("//textures/multicursor.tga"), &picture));
    std::unique_ptr<LImage> owned(picture);
    ASSERT_EQ(256, picture->GetWidth());
    ASSERT_EQ(256, picture->GetHeight());
    const auto cell = [&picture](int aLeft, int aTop, int aWidth, int aHeight) {
        std::vector<uint32_t> pixels;
        for (int y = aTop; y < aTop + aHeight; ++y) {
            for (int x = aLeft; x < aLeft + aWidth; ++x) {
                pixels.push_back(picture->GetPixelARGB(x, y));
            }
        }
        return pixels;
    };
    for (int row = 0; row < 5; ++row) {
        EXPECT_NE(cell(0, row * 51, 51, 51), cell(51, row * 51, 51, 51)) << row;
        EXPECT_NE(cell(51, row * 51, 51, 51), cell(102, row * 51, 51, 51)) << row;
    }
    EXPECT_NE(0u, picture->GetPixelARGB(178, 95) >> 24);
    EXPECT_NE(0u, picture->GetPixelARGB(230, 95) >> 24);
    EXPECT_FALSE(mLog.Contains("ERROR"));
    EXPECT_FALSE(mLog.Contains("ASSERT"));
}
