// The action menu's kept state: listener, enabled actions, side and where it opened.
#include "multicursor/GMMultiCursor.h"

#include "multicursor/GMIMultiCursorListener.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {

struct Listener : GMIMultiCursorListener
{
    void OnAction(int aAction) override { mHeard = aAction; }
    int mHeard = -1;
};

} // namespace

TEST(MultiCursor, OpensNoLowerThan300AndKeepsWhatItIsTold)
{
    LLogCapture log;
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_NE(nullptr, menu);
    struct Case
    {
        float mY;
        float mShownY;
    };
    for (const Case& c : {Case {450.0f, 300.0f}, Case {300.0f, 300.0f}, Case {120.0f, 120.0f}}) {
        menu->ShowAt(LVector2(40.0f, c.mY));
        EXPECT_TRUE(menu->IsShown());
        EXPECT_FLOAT_EQ(40.0f, menu->GetPosition().x);
        EXPECT_FLOAT_EQ(c.mShownY, menu->GetPosition().y) << c.mY;
        menu->ShowAt(LVector2(1.0f, 2.0f)); // while shown: nothing
        EXPECT_FLOAT_EQ(40.0f, menu->GetPosition().x);
        menu->Hide(false);
        EXPECT_FALSE(menu->IsShown());
    }
    EXPECT_EQ(3, log.Count("NOTE: "));

    Listener first;
    Listener second;
    EXPECT_EQ(0, menu->SetListener(nullptr));
    EXPECT_TRUE(log.Contains("SetListener failure. NULL arg."));
    EXPECT_EQ(1, menu->SetListener(&first));
    EXPECT_EQ(0, menu->RemoveListener(&second));
    EXPECT_EQ(&first, menu->GetListener());
    EXPECT_EQ(1, menu->RemoveListener(&first));
    EXPECT_EQ(nullptr, menu->GetListener());
    EXPECT_EQ(-1, first.mHeard); // it never answers by itself

    EXPECT_EQ(1, menu->SetActionEnabled(GMIMultiCursorListener::ACTION_TALK, false));
    EXPECT_EQ(1, menu->SetActionEnabled(0, true));
    EXPECT_EQ(1, menu->SetActionEnabled(6, true));
    for (int action = 0; action <= 6; ++action) {
        EXPECT_EQ(action >= 1 && action <= 5 && action != GMIMultiCursorListener::ACTION_TALK, menu->IsActionEnabled(action))
            << action;
    }
    menu->SetSide(1);
    EXPECT_EQ(1, menu->GetSide());
}
