// The software cursor: states, following the mouse ahead of other listeners, drawing on
// top, and shutdown in either order with the display manager.
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"

#include <gtest/gtest.h>

namespace {
// Notes where the cursor group stood when this listener heard a move.
class Watcher : public LIMouseListener
{
public:
    void OnButtonDown(int) override {}
    void OnButtonUp(int) override {}
    void OnMove(const LVector2&) override { mSeen = mCursor->GetGroup()->GetWorldPosition(); }

    LCursor* mCursor = nullptr;
    LVector2 mSeen {-1.0f, -1.0f};
};

class CursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
        mMouse->OnMove(LVector2(20.0f, 30.0f));
        mCursor = new LCursor();
        ASSERT_NE(nullptr, mCursor->GetGroup());
        mArrow = ImageSprite("arrow", 8, 8);
        mHand = ImageSprite("hand", 8, 8);
        ASSERT_EQ(1, mCursor->AddState(LString("arrow"), mArrow));
        ASSERT_EQ(1, mCursor->AddState(LString("hand"), mHand));
    }

    void TearDown() override { delete mCursor; }

    LMouse* mMouse = nullptr;
    LCursor* mCursor = nullptr;
    LSprite* mArrow = nullptr;
    LSprite* mHand = nullptr;
};
} // namespace

TEST_F(CursorTest, OneStateShown)
{
    LLogCapture log;
    ASSERT_EQ(1, mCursor->SetState(LString("hand")));
    EXPECT_FALSE(mArrow->GetActive());
    EXPECT_TRUE(mHand->GetActive());
    EXPECT_EQ(0, mCursor->SetState(LString("wait")));
    EXPECT_TRUE(log.Contains("SetState failure. Invalid id:wait"));
    EXPECT_FALSE(mArrow->GetActive());
    EXPECT_TRUE(mHand->GetActive());

    // Taking a state out hands its object back without deleting it.
    LIDisplayObject* removed = nullptr;
    ASSERT_EQ(1, mCursor->RemoveState(LString("hand"), &removed));
    EXPECT_EQ(mHand, removed);
    EXPECT_EQ(nullptr, mHand->GetGroup());
    EXPECT_EQ(0, mCursor->RemoveState(LString("hand"), nullptr));
    delete mHand;
}

TEST_F(CursorTest, RefusedStatesAddNothing)
{
    LLogCapture log;
    EXPECT_EQ(0, mCursor->AddState(LString("x"), nullptr));
    EXPECT_TRUE(log.Contains("AddState failure. Invalid arg."));
    // A second object under a state id already used would stay shown whatever the state.
    LSprite* other = ImageSprite("other", 8, 8);
    EXPECT_EQ(0, mCursor->AddState(LString("hand"), other));
    EXPECT_EQ(nullptr, other->GetGroup());
    // An object the group refuses (its id is taken there) is not kept as a state.
    LSprite* twin = ImageSprite("arrow", 8, 8);
    EXPECT_EQ(0, mCursor->AddState(LString("twin"), twin));
    EXPECT_EQ(0, mCursor->SetState(LString("twin")));
    EXPECT_EQ(2, mCursor->GetGroup()->GetMemberCount());
    delete other;
    delete twin;
}

TEST_F(CursorTest, FollowsTheMouseAtItsPriority)
{
    // Both registered after the cursor: one below its priority hears the move before it,
    // one above after it.
    Watcher before;
    Watcher after;
    before.mCursor = mCursor;
    after.mCursor = mCursor;
    ASSERT_TRUE(mMouse->AddMember(&before, -1001.0f));
    ASSERT_TRUE(mMouse->AddMember(&after, -999.0f));
    EXPECT_EQ(LVector2(20.0f, 30.0f), mCursor->GetGroup()->GetWorldPosition());
    mCursor->SetState(LString("hand"));
    mMouse->OnMove(LVector2(400.0f, 300.0f));
    EXPECT_EQ(LVector2(400.0f, 300.0f), mCursor->GetGroup()->GetWorldPosition());
    EXPECT_EQ(LVector2(20.0f, 30.0f), before.mSeen);
    EXPECT_EQ(LVector2(400.0f, 300.0f), after.mSeen);
    mMouse->RemoveListener(&before);
    mMouse->RemoveListener(&after);
}

TEST_F(CursorTest, ShowingAgainJumpsToTheMouse)
{
    mCursor->SetVisible(false);
    mCursor->SetVisible(false);
    EXPECT_FALSE(mCursor->GetGroup()->GetActive());
    // The cursor does not hear this move: the mouse drops it.
    mMouse->SetEnabled(false);
    mMouse->OnMove(LVector2(123.0f, 45.0f));
    EXPECT_EQ(LVector2(20.0f, 30.0f), mCursor->GetGroup()->GetWorldPosition());
    mCursor->SetVisible(true);
    EXPECT_TRUE(mCursor->GetGroup()->GetActive());
    EXPECT_EQ(LVector2(123.0f, 45.0f), mCursor->GetGroup()->GetWorldPosition());
    mMouse->SetEnabled(true);
}

TEST_F(CursorTest, DrawsOnTop)
{
    LDisplayManager* display = LDisplayManager::Get();
    LDisplayGroup* panel = TestGroup("panel");
    panel->SetRelativeZ(9999.0f);
    LSprite* picture = ImageSprite("picture", 8, 8);
    panel->AddMember(picture, true);
    ASSERT_TRUE(display->AddMember(panel));
    mCursor->SetState(LString("arrow"));
    ASSERT_TRUE(display->Render());
    LFakeRasterizer* fake = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, fake);
    fake->Reset();
    ASSERT_TRUE(display->Render());
    ASSERT_EQ(2u, fake->Draws().size());
    EXPECT_EQ(picture->GetTexture(), fake->Draws()[0].mTextureHandle);
    EXPECT_EQ(mArrow->GetTexture(), fake->Draws()[1].mTextureHandle);

    // Lowered under the panel, the cursor draws first; hidden, not at all.
    mCursor->SetRelativeZ(100.0f);
    fake->Reset();
    display->Render();
    ASSERT_EQ(2u, fake->Draws().size());
    EXPECT_EQ(mArrow->GetTexture(), fake->Draws()[0].mTextureHandle);
    mCursor->SetVisible(false);
    fake->Reset();
    display->Render();
    ASSERT_EQ(1u, fake->Draws().size());
    EXPECT_EQ(picture->GetTexture(), fake->Draws()[0].mTextureHandle);
    delete panel;
}

TEST_F(CursorTest, ShutdownInEitherOrder)
{
    // The cleaner deletes the display manager first when it was made first: its root
    // deletes the cursor group, which the cursor must not delete again.
    delete LDisplayManager::Get();
    EXPECT_EQ(nullptr, mCursor->GetGroup());
    EXPECT_EQ(0, mCursor->SetState(LString("arrow")));
    mMouse->OnMove(LVector2(1.0f, 2.0f));
    mCursor->SetVisible(false);
}
