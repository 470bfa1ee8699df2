// The saved games' index: listing up to the first gap, the renumbered rewrite byte for
// byte, a failed write that keeps the old file, and the choice and the checks of
// thumbnail names.
#include "menu/GMSaveIndexFile.h"

#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"
#include "support/LMediaFixtures.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string Entry(int aNumber, const std::string& aDescription, const std::string& aThumbnail)
{
    return "game" + std::to_string(aNumber) + "\r\n\tdescription=" + aDescription +
           "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=" + aThumbnail + "\r\n";
}

class SaveIndex : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        std::filesystem::create_directories(mRoots.Path() + "/data/game");
    }

    void TearDown() override { LStateManager::Get()->RemoveAllStates(); }

    std::string IndexBytes() const { return LTestDirectory::ReadFile(mRoots.Path() + "/data/game/.filelist"); }

    // The listed entries as "key:description:thumbnail|...".
    static std::string Listed(const GMSaveIndexFile& aIndex)
    {
        LVectorString keys;
        LVectorString descriptions;
        LVectorString thumbnails;
        const int count = aIndex.ListSaves(&keys, &descriptions, &thumbnails);
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += ToStd(keys[i]) + ":" + ToStd(descriptions[i]) + ":" + ToStd(thumbnails[i]) + "|";
        }
        return text;
    }

    GMTestRoots mRoots;
    LLogCapture mLog;
};

} // namespace

TEST_F(SaveIndex, AMissingFileIsAnEmptyIndex)
{
    GMSaveIndexFile index;
    EXPECT_TRUE(index.Load());
    EXPECT_EQ("", Listed(index));
    EXPECT_EQ(1, index.GetNextNumber());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SaveIndex, AnIndexThatDoesNotStartWithGameOneListsNothing)
{
    mRoots.Write("data/game/.filelist", Entry(2, "second", "a.bmp") + Entry(3, "third", "b.bmp"));
    GMSaveIndexFile index;
    ASSERT_TRUE(index.Load());
    EXPECT_EQ("", Listed(index));
    ASSERT_TRUE(index.Write(LString("new"), LString("none")));
    EXPECT_EQ(Entry(1, "new", "none"), IndexBytes());
}

TEST_F(SaveIndex, ANewSaveGoesPastEverySaveFileOnDiskAndTheIndexListsThem)
{
    mRoots.Write("data/game/.filelist", Entry(1, "first", "a.bmp") + Entry(3, "third", "../c.bmp"));
    mRoots.Write("data/game/game1.dat", "1");
    mRoots.Write("data/game/game2.dat", "2");
    // Named on a system that ignores case.
    mRoots.Write("data/game/GAME3.DAT", "3");
    mRoots.Write("data/game/game5.dat", "5");
    GMSaveIndexFile index;
    ASSERT_TRUE(index.Load());
    EXPECT_EQ(4, index.GetNextNumber());
    // A listed save's number is never a new save's.
    EXPECT_FALSE(index.Write(1, LString("over"), LString("none")));
    EXPECT_EQ(Entry(1, "first", "a.bmp") + Entry(3, "third", "../c.bmp"), IndexBytes());
    // An unlisted file keeps what the index still says of it, its thumbnail checked.
    ASSERT_TRUE(index.Write(LString("new"), LString("n.bmp")));
    EXPECT_EQ(Entry(1, "first", "a.bmp") + Entry(2, "game2", "none") + Entry(3, "third", "none") + Entry(4, "new", "n.bmp"),
              IndexBytes());
    EXPECT_EQ(6, index.GetNextNumber());
}

TEST_F(SaveIndex, TheIndexIsEightBitTextAndTrailingBlanksDoNotReadBack)
{
    // Copied entries: a missing thumbnail is written as "none", a missing description as
    // nothing, whatever timestamp an entry held as the fixed words.
    mRoots.Write("data/game/.filelist", "game1\n\ttimestamp=yesterday\n\tdescription=old\ngame2\n\tthumbnail=x.bmp\n");
    GMSaveIndexFile index;
    ASSERT_TRUE(index.Load());
    ASSERT_TRUE(index.Write(LString(u"Caf\u00e9 two  "), LString("none")));
    EXPECT_EQ(Entry(1, "old", "none") + Entry(2, "", "x.bmp") + Entry(3, "Caf\xe9 two  ", "none"), IndexBytes());

    GMSaveIndexFile reread;
    ASSERT_TRUE(reread.Load());
    LVectorString descriptions;
    ASSERT_EQ(3, reread.ListSaves(nullptr, &descriptions, nullptr));
    EXPECT_EQ(LString(u"Caf\u00e9 two"), descriptions[2]);

    // A line break in a description cannot start an entry of its own.
    ASSERT_TRUE(reread.Write(LString("a\r\ngame5"), LString("none")));
    EXPECT_EQ(5, reread.GetNextNumber());
}

TEST_F(SaveIndex, TheThumbnailIsLookedUpByCaseLocationAndViewpoint)
{
    LPropertyList table;
    table.Parse(LString("allCases\n\tprecinct\n\t\tvp01\n\t\t\timage=precinct_vp01.bmp\n"
                        "case02\n\thotel_room\n\t\tvp03\n\t\t\timage=hotel_vp03.bmp\n"
                        "\tprecinct\n\t\tvp01\n\t\t\timage=wrong.bmp\n"
                        "CASE04\n\tdock\n\t\tvp01\n\t\t\timage=dock.bmp\n"));
    LStateManager* states = LStateManager::Get();
    const auto pick = [&](const char* aScene, const char* aViewpoint) {
        states->RemoveAllStates();
        if (aScene != nullptr) {
            states->SetState(LString("sta_currentscene"), LString("string"), LString(aScene), false);
        }
        if (aViewpoint != nullptr) {
            states->SetState(LString("sta_currentviewpoint"), LString("string"), LString(aViewpoint), false);
        }
        return ToStd(GMSaveIndexFile::PickThumbnail(&table));
    };
    EXPECT_EQ("precinct_vp01.bmp", pick("precinct", "vp01"));
    EXPECT_EQ("hotel_vp03.bmp", pick("case02/hotel_room", "vp03"));
    // "case" is recognised in any case; the case key itself is looked up as it stands.
    EXPECT_EQ("dock.bmp", pick("CASE04/dock", "vp01"));
    EXPECT_EQ("none", pick("CASE02/hotel_room", "vp03"));
    EXPECT_EQ("none", pick("case02/hotel_room", "vp01"));
    EXPECT_EQ("none", pick("case02", "vp03"));
    EXPECT_EQ("none", pick("case03/precinct", "vp01"));
    EXPECT_EQ("none", pick("precinct", nullptr));
    EXPECT_EQ("none", pick(nullptr, "vp01"));
}

TEST_F(SaveIndex, TheThumbnailTableIsReadFromTheMenuTextures)
{
    mRoots.Write("data/textures/menu/thumbnails/thumbs.txt", "allCases\n\tprecinct\n\t\tvp01\n\t\t\timage=p.bmp\n");
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_currentscene"), LString("string"), LString("precinct"), false);
    states->SetState(LString("sta_currentviewpoint"), LString("string"), LString("vp01"), false);
    EXPECT_EQ(LString("p.bmp"), GMSaveIndexFile::PickThumbnail());
}

TEST_F(SaveIndex, TheCheckedInIndexesList)
{
    const std::string directory = LMediaFixtures::Directory() + "/../saves/";
    const struct
    {
        const char* mName;
        const char* mListed;
    } indexes[] = {
        {"gap.filelist", "game1:First case:riverbank_vp01.bmp|game2:Second:none|"},
        {"no_first.filelist", ""},
        {"unsafe_thumbnails.filelist", "game1:Up:none|game2:Root:none|game3:Back:none|game4:Deep:none|"},
        {"lf_only.filelist", "game1:Plain line ends:none|game2:No thumbnail:|"},
        {"odd.filelist", ""},
        {"junk.filelist", ""},
    };
    EXPECT_FALSE(LIFileSystem::IsSafeName(LString("sub\\..\\x.bmp")));
    EXPECT_FALSE(LIFileSystem::IsSafeName(LString("..")));
    EXPECT_TRUE(LIFileSystem::IsSafeName(LString("a..b/...bmp")));
    for (const auto& index : indexes) {
        const std::string bytes = LTestDirectory::ReadFile(directory + index.mName);
        ASSERT_FALSE(bytes.empty()) << index.mName;
        mRoots.Write("data/game/.filelist", bytes);
        GMSaveIndexFile file;
        ASSERT_TRUE(file.Load()) << index.mName;
        EXPECT_EQ(index.mListed, Listed(file)) << index.mName;
    }
}
