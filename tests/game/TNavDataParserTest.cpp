#include "TNavDataParser.h"

#include "Render/LNavigationTDO.h"
#include "Render/LNegBounds.h"
#include "Render/LPosBounds.h"
#include "container/LPropertyList.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestNavigation.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using T = LTestNavigation;

namespace {
const LString kPath("//scene/navigation.txt");

// Parses "navigation.txt" written into a scene folder.
class NavDataParser : public ::testing::Test
{
protected:
    bool Parse(const std::string& aText)
    {
        mDirectory.Write("navigation.txt", aText);
        if (!LIFileSystem::Get()->AddMount(LString("//scene"), FromStd(mDirectory.Path()))) {
            return false;
        }
        LPropertyList* out = nullptr;
        const bool parsed = ParseNavigation(kPath, &out);
        mResult.reset(out);
        return parsed;
    }

    // The field of entry aKey of "positive" or "negative"; "<none>" when absent.
    std::string Field(const char* aKind, const std::string& aKey, const char* aField) const
    {
        const LPropertyList* list = mResult->GetList(LString(aKind));
        const int at = list ? list->IndexOf(FromStd(aKey)) : -1;
        if (at < 0) {
            return "<none>";
        }
        bool found = false;
        const LString value = list->GetListAt(at)->GetString(LString(aField), found);
        return found ? ToStd(value) : "<none>";
    }

    LLogCapture mLog;
    LTestDirectory mDirectory;
    std::unique_ptr<LPropertyList> mResult;
};
} // namespace

TEST_F(NavDataParser, KeysGiveTheKindGroundAndCamera)
{
    struct Case
    {
        const char* mKey;
        const char* mKind;
        const char* mGround;
        const char* mCamera;
    } const cases[] = {
        {"PS(floor)(cam02)", "positive", "floor", "cam02"},
        {"NS(floor)", "negative", "floor", "<none>"},
        {"ps(floor)(cam02)", "negative", "floor", "<none>"},
        {"PS(a(b))(cam03)", "positive", "a(b)", "cam03"},
        {"XX(stairs)(cam01)", "negative", "stairs", "<none>"},
        {"PS(hall)", "positive", "hall", ""},
    };
    std::string text;
    for (const Case& c : cases) {
        text += T::FileEntry(c.mKey, {0, 0, 1, 0, 1, 1});
    }
    ASSERT_TRUE(Parse(text));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mKey);
        const char* other = std::string(c.mKind) == "positive" ? "negative" : "positive";
        EXPECT_EQ("<none>", Field(other, c.mKey, "ground"));
        EXPECT_EQ(c.mGround, Field(c.mKind, c.mKey, "ground"));
        EXPECT_EQ(c.mCamera, Field(c.mKind, c.mKey, "camera"));
        EXPECT_EQ("0|0|1|0|1|1", Field(c.mKind, c.mKey, "coords"));
    }
    // Only the key without its camera was logged.
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: "));
}

TEST_F(NavDataParser, DamagedKeysAndEntriesAreLoggedAndParsingGoesOn)
{
    ASSERT_TRUE(Parse(T::FileEntry("PS(floor", {0, 0}) + T::FileEntry("NS", {1, 1}) + "loose=1\n" +
                      T::FileEntry("NS(rug)", {2, 2})));
    EXPECT_EQ("", Field("positive", "PS(floor", "ground"));
    EXPECT_EQ("", Field("positive", "PS(floor", "camera"));
    EXPECT_EQ("", Field("negative", "NS", "ground"));
    EXPECT_EQ("<none>", Field("negative", "loose", "ground"));
    EXPECT_EQ("rug", Field("negative", "NS(rug)", "ground"));
    EXPECT_TRUE(mLog.Contains("ParseNavigation failure. Not a list: loose"));
}

TEST_F(NavDataParser, RefusesASetOutValueAndAMissingFile)
{
    LPropertyList held;
    LPropertyList* out = &held;
    EXPECT_FALSE(ParseNavigation(kPath, &out));
    EXPECT_EQ(&held, out);
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: "));
    EXPECT_TRUE(mLog.Contains("ParseNavigation failure. Invalid arg."));
    out = nullptr;
    EXPECT_FALSE(ParseNavigation(LString("//nowhere/navigation.txt"), &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(2, mLog.Count("ParseNavigation failure."));
}

TEST_F(NavDataParser, TheResultCreatesTheNavigation)
{
    ASSERT_TRUE(Parse(T::FileEntry("PS(floor)(cam02)", T::Box(0, 0, 10, 10)) +
                      T::FileEntry("NS(floor)", T::Box(4, 4, 6, 6))));
    LNavigationTDO navigation;
    ASSERT_TRUE(navigation.Create(mResult.get()));
    ASSERT_EQ(1, navigation.GetWalkableAreas().GetCount());
    const LPosBounds* area = static_cast<const LPosBounds*>(navigation.GetWalkableAreas().GetAt(0));
    EXPECT_EQ("PS(floor)(cam02)", ToStd(area->mName));
    EXPECT_EQ("cam02", ToStd(area->mCamera));
    EXPECT_EQ("floor", ToStd(area->mGround));
    EXPECT_EQ(4, area->mArea.GetNumPoints());
    ASSERT_EQ(1, navigation.GetObstacles().GetCount());
    EXPECT_EQ("floor", ToStd(static_cast<const LNegBounds*>(navigation.GetObstacles().GetAt(0))->mGround));
}
