// Drag and drop: the dragged object under the mouse, enter, leave and drop events of the
// targets, putting the object back, and deleting targets and draggables mid-drag.
#include "Gdi/LDragManager.h"
#include "Gdi/LDraggable.h"
#include "Gdi/LIDragTarget.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
// A drop area of 100 x 100 pixels at (aX, aY) that records what it hears.
class Target : public LIDragTarget
{
public:
    Target(std::string aName, float aX, float aY, std::vector<std::string>* aLog)
        : mName(std::move(aName)), mArea(TestGroup("area", aX, aY)), mLog(aLog)
    {
        const LRectangle square(0.0f, 0.0f, 100.0f, 100.0f);
        mArea->SetBoundary(&square);
        SetBoundaryObject(mArea);
        LDragManager::Get()->AddTarget(this);
    }
    ~Target() override { delete mArea; }

    void OnDragEvent(int aEvent, LDraggable* aDraggable) override
    {
        mLog->push_back(mName + ":" + std::to_string(aEvent));
        if (aEvent == kDropped && mAccept) {
            aDraggable->SetDropped(true);
        }
        if (mHook) {
            mHook(aEvent, aDraggable);
        }
    }

    std::string mName;
    LDisplayGroup* mArea;
    std::vector<std::string>* mLog;
    bool mAccept = false;
    std::function<void(int, LDraggable*)> mHook;
};

class DragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
        // The item at (10, 10) inside a panel at (100, 50): its origin on the screen is
        // (110, 60).
        mPanel = TestGroup("panel", 100.0f, 50.0f);
        mItem = TestGroup("item", 10.0f, 10.0f);
        mPanel->AddMember(mItem, true);
        mDraggable.SetDisplayObject(mItem);
        mDraggable.SetEnabled(true);
    }

    void TearDown() override { delete mPanel; }

    void MoveTo(float aX, float aY)
    {
        mMouse->OnMove(LVector2(aX, aY));
        mDraggable.UpdateDrag();
    }

    void PressAt(float aX, float aY)
    {
        mMouse->OnMove(LVector2(aX, aY));
        mDraggable.StartDrag();
    }

    LMouse* mMouse = nullptr;
    LDisplayGroup* mPanel = nullptr;
    LDisplayGroup* mItem = nullptr;
    LDraggable mDraggable;
    std::vector<std::string> mEvents;
};
} // namespace

TEST_F(DragTest, TargetsHearEnterLeaveAndDrop)
{
    Target target("t", 300.0f, 300.0f, &mEvents);
    PressAt(115.0f, 65.0f);
    MoveTo(200.0f, 200.0f);
    // The point grabbed 5 pixels into the item stays under the mouse.
    EXPECT_EQ(LVector2(195.0f, 195.0f), mItem->GetWorldPosition());
    EXPECT_EQ(LVector2(95.0f, 145.0f), mItem->GetPosition());
    EXPECT_TRUE(mEvents.empty());
    MoveTo(350.0f, 350.0f);
    MoveTo(360.0f, 390.0f);
    MoveTo(450.0f, 350.0f);
    MoveTo(320.0f, 320.0f);
    EXPECT_EQ((std::vector<std::string> {"t:0", "t:1", "t:0"}), mEvents);
    EXPECT_TRUE(mDraggable.EndDrag());
    EXPECT_EQ((std::vector<std::string> {"t:0", "t:1", "t:0", "t:2"}), mEvents);
    // Nobody took it: back where it was.
    EXPECT_EQ(LVector2(110.0f, 60.0f), mItem->GetWorldPosition());
    EXPECT_FALSE(mDraggable.IsDragging());
}

TEST_F(DragTest, AnAcceptedObjectStaysWhereItWasDropped)
{
    Target target("t", 300.0f, 300.0f, &mEvents);
    target.mAccept = true;
    PressAt(110.0f, 60.0f);
    MoveTo(330.0f, 340.0f);
    mDraggable.EndDrag();
    EXPECT_EQ(LVector2(330.0f, 340.0f), mItem->GetWorldPosition());
    EXPECT_FALSE(mDraggable.GetDropped());
    // The next drag that ends outside every target puts the object back to its new place.
    PressAt(330.0f, 340.0f);
    MoveTo(10.0f, 10.0f);
    mDraggable.EndDrag();
    EXPECT_EQ(LVector2(330.0f, 340.0f), mItem->GetWorldPosition());
}

TEST_F(DragTest, NoMoveNoDragAndDisabledIgnoresMoves)
{
    Target target("t", 100.0f, 50.0f, &mEvents);
    PressAt(115.0f, 65.0f);
    EXPECT_TRUE(mDraggable.EndDrag());
    EXPECT_TRUE(mEvents.empty());
    EXPECT_EQ(LVector2(110.0f, 60.0f), mItem->GetWorldPosition());

    mDraggable.SetEnabled(false);
    PressAt(115.0f, 65.0f);
    MoveTo(300.0f, 300.0f);
    EXPECT_FALSE(mDraggable.IsDragging());
    EXPECT_EQ(LVector2(110.0f, 60.0f), mItem->GetWorldPosition());
    // Enabled while the button is still held: the drag starts at the next move.
    mDraggable.SetEnabled(true);
    MoveTo(120.0f, 70.0f);
    EXPECT_TRUE(mDraggable.IsDragging());
    EXPECT_EQ(LVector2(115.0f, 65.0f), mItem->GetWorldPosition());
    EXPECT_EQ((std::vector<std::string> {"t:0"}), mEvents);

    // A move after the button went up does nothing.
    mDraggable.EndDrag();
    MoveTo(400.0f, 400.0f);
    EXPECT_FALSE(mDraggable.IsDragging());
}

TEST_F(DragTest, InactiveOrAreaLessTargetsTakeNoPart)
{
    LLogCapture log;
    Target hidden("hidden", 300.0f, 300.0f, &mEvents);
    hidden.mArea->SetActive(false);
    PressAt(110.0f, 60.0f);
    MoveTo(350.0f, 350.0f);
    EXPECT_TRUE(mEvents.empty());
    // Made inactive while the object is over it, it hears no drop.
    hidden.mArea->SetActive(true);
    MoveTo(360.0f, 360.0f);
    hidden.mArea->SetActive(false);
    mDraggable.EndDrag();
    EXPECT_EQ((std::vector<std::string> {"hidden:0"}), mEvents);

    Target plain("plain", 0.0f, 0.0f, &mEvents);
    LIDisplayObject* noBoundary = TestGroup("none", 0.0f, 0.0f);
    plain.SetBoundaryObject(noBoundary);
    EXPECT_EQ(1, plain.SetDragged(&mDraggable));
    EXPECT_TRUE(log.Contains("SetDragged failure."));
    EXPECT_EQ(0, plain.SetBoundaryObject(nullptr));
    EXPECT_TRUE(log.Contains("SetBoundaryObject failure. NULL arg."));
    delete noBoundary;

    class Bare : public LIDragTarget
    {
    public:
        void OnDragEvent(int, LDraggable*) override {}
    } bare;
    EXPECT_EQ(0, bare.SetDragged(&mDraggable));
}

TEST_F(DragTest, RegistrationRules)
{
    LLogCapture log;
    LDragManager* manager = LDragManager::Get();
    const int before = manager->GetTargetCount();
    {
        Target target("t", 0.0f, 0.0f, &mEvents);
        EXPECT_EQ(1, manager->AddTarget(&target));
        EXPECT_EQ(before + 1, manager->GetTargetCount());
        EXPECT_EQ(1, manager->RemoveTarget(&target));
        EXPECT_EQ(0, manager->RemoveTarget(&target));
        EXPECT_EQ(1, manager->AddTarget(&target));
    }
    // A deleted target leaves the manager.
    EXPECT_EQ(before, manager->GetTargetCount());
    EXPECT_EQ(0, manager->AddTarget(nullptr));
    EXPECT_EQ(0, manager->RemoveTarget(nullptr));
    EXPECT_EQ(2, log.Count("Invalid arg."));
    LDraggable loose;
    EXPECT_EQ(0, loose.SetDisplayObject(nullptr));
    EXPECT_TRUE(log.Contains("SetDisplayObject failure. NULL arg."));
    EXPECT_EQ(0, loose.StartDrag());
}

TEST_F(DragTest, ACenteredObjectKeepsItsGrabPointAndComesBackExactly)
{
    // An 8 x 8 object centred at (4, 4) and placed at (10, 10): its origin is (6, 6) in
    // the panel, (106, 56) on the screen.
    mItem->SetCenter(4.0f, 4.0f);
    mItem->SetPosition(10.0f, 10.0f);
    ASSERT_EQ(LVector2(106.0f, 56.0f), mItem->GetWorldPosition());
    PressAt(107.0f, 58.0f);
    MoveTo(207.0f, 258.0f);
    EXPECT_EQ(LVector2(206.0f, 256.0f), mItem->GetWorldPosition());
    MoveTo(307.0f, 158.0f);
    EXPECT_EQ(LVector2(306.0f, 156.0f), mItem->GetWorldPosition());
    mDraggable.EndDrag();
    EXPECT_EQ(LVector2(10.0f, 10.0f), mItem->GetLocalPosition());
    EXPECT_EQ(LVector2(106.0f, 56.0f), mItem->GetWorldPosition());
}

TEST_F(DragTest, EachDragStartsOutsideEveryTarget)
{
    Target target("t", 300.0f, 300.0f, &mEvents);
    PressAt(110.0f, 60.0f);
    MoveTo(350.0f, 350.0f);
    mDraggable.EndDrag();
    // The next drag, from elsewhere: no leave for a target it never entered, and an enter
    // when it comes over the target again.
    PressAt(110.0f, 60.0f);
    MoveTo(120.0f, 70.0f);
    MoveTo(330.0f, 330.0f);
    EXPECT_EQ((std::vector<std::string> {"t:0", "t:2", "t:0"}), mEvents);
    EXPECT_TRUE(target.IsInside());
}

TEST_F(DragTest, TargetsAndDraggablesMayBeDeletedFromInsideANotice)
{
    Target* first = new Target("first", 300.0f, 300.0f, &mEvents);
    Target* second = new Target("second", 300.0f, 300.0f, &mEvents);
    // Entering the first deletes the second: it is not called in that pass.
    first->mHook = [&](int aEvent, LDraggable*) {
        if (aEvent == LIDragTarget::kEntered) {
            delete second;
            second = nullptr;
        }
    };
    PressAt(110.0f, 60.0f);
    MoveTo(350.0f, 350.0f);
    EXPECT_EQ((std::vector<std::string> {"first:0"}), mEvents);
    mDraggable.EndDrag();
    mEvents.clear();

    // A target that consumes the dropped object deletes its draggable.
    LDraggable* dragged = new LDraggable();
    dragged->SetDisplayObject(mItem);
    dragged->SetEnabled(true);
    first->mHook = [&](int aEvent, LDraggable* aDraggable) {
        if (aEvent == LIDragTarget::kDropped) {
            delete aDraggable;
            dragged = nullptr;
        }
    };
    mMouse->OnMove(LVector2(110.0f, 60.0f));
    dragged->StartDrag();
    mMouse->OnMove(LVector2(310.0f, 310.0f));
    dragged->UpdateDrag();
    EXPECT_TRUE(dragged->EndDrag());
    EXPECT_EQ(nullptr, dragged);
    EXPECT_EQ((std::vector<std::string> {"first:0", "first:2"}), mEvents);
    delete first;
}
