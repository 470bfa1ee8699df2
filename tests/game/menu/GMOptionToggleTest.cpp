// Option toggles: the two buttons built into their own group, the lit button following
// the value, and clicks on "on" and the other button.
#include "menu/GMOptionToggle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A button entry at aX whose only look is an 8 x 8 rectangle.
std::string ToggleButton(const std::string& aId, int aX)
{
    return "\t" + aId + "\n\t\tid=" + aId + "\n\t\tposition=" + std::to_string(aX) +
           "|0\n\t\tstates\n\t\t\tn\n\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=shape\n\t\t\t\ttype=rectangle\n" +
           "\t\t\t\tid=" + aId + "_n\n\t\t\t\tcoords=0|0|8|8\n";
}

class OptionToggleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        mParent.SetId(LString("options"));
    }

    int Build(const std::string& aText)
    {
        EXPECT_TRUE(mList.Parse(aText.data(), static_cast<int>(aText.size())));
        return mToggle.Create(mList.GetList(LString("toggle")), &mParent);
    }

    LLogCapture mLog;
    LPropertyList mList;
    LDisplayGroup mParent;
    GMOptionToggle mToggle;
};

} // namespace

TEST_F(OptionToggleTest, ClicksAndValuesLightOneButton)
{
    ASSERT_EQ(1, Build("toggle\n\tid=subtitles\n" + ToggleButton("On", 100) + ToggleButton("off", 200)));
    ASSERT_NE(nullptr, mParent.GetMember(LString("subtitles.off")));
    EXPECT_EQ(0, mToggle.mValue);
    EXPECT_TRUE(mToggle.mFirst->IsHilighted());
    EXPECT_FALSE(mToggle.mSecond->IsHilighted());

    // A real click on the second button.
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(LVector2(204.0f, 4.0f));
    mouse->OnButtonDown(1);
    mouse->OnButtonUp(1);
    EXPECT_EQ(1, mToggle.mValue);
    EXPECT_FALSE(mToggle.mFirst->IsHilighted());
    EXPECT_TRUE(mToggle.mSecond->IsHilighted());

    // Other events change nothing; "on" is matched in any case.
    mToggle.OnButton(LString("ON"), XBTNEVENT_ENTER);
    EXPECT_EQ(1, mToggle.mValue);
    mToggle.OnButton(LString("ON"), XBTNEVENT_CLICKED);
    EXPECT_EQ(0, mToggle.mValue);
    EXPECT_TRUE(mToggle.mFirst->IsHilighted());

    // A value outside 0 and 1 is kept but the buttons stay as they were.
    mToggle.SetValue(7);
    EXPECT_EQ(7, mToggle.mValue);
    EXPECT_TRUE(mToggle.mFirst->IsHilighted());
    EXPECT_FALSE(mToggle.mSecond->IsHilighted());
}

TEST_F(OptionToggleTest, AMissingButtonAddsNothingToTheParent)
{
    EXPECT_EQ(0, Build("toggle\n\tid=subtitles\n" + ToggleButton("on", 100)));
    EXPECT_EQ(0, mParent.GetMemberCount());
    EXPECT_EQ(nullptr, mToggle.mFirst);
}
