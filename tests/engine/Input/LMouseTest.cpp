// Mouse dispatch: listener order, interrupt, enabling, locks, double clicks, buttons out
// of range and dispatch from inside a dispatch.
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

class Listener : public LIMouseListener
{
public:
    explicit Listener(std::string aName) : mName(std::move(aName)) {}
    void OnDoubleClick(int aButton) override { Note("double " + std::to_string(aButton)); }
    void OnButtonDown(int aButton) override { Note("down " + std::to_string(aButton)); }
    void OnMove(const LVector2& aPosition) override { Note("move " + LTestPoint(aPosition.x, aPosition.y)); }
    void OnButtonUp(int aButton) override { Note("up " + std::to_string(aButton)); }
    void OnWheel(float aDelta) override { Note("wheel " + std::to_string(static_cast<int>(aDelta))); }

    std::function<void()> mHook;

private:
    void Note(const std::string& aText)
    {
        gCalls.push_back(mName + " " + aText);
        if (mHook) {
            mHook();
        }
    }
    std::string mName;
};

class LMouseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        RegisterFakeTimer();
        mMouse = LMouse::Get();
        ASSERT_NE(nullptr, mMouse);
    }

    void PressAt(int aButton, float aX, float aY, double aTime)
    {
        LFakeTimer::sNow = aTime;
        mMouse->OnMove(LVector2(aX, aY));
        mMouse->OnButtonDown(aButton);
        mMouse->OnButtonUp(aButton);
    }

    std::vector<std::string> Presses() const
    {
        std::vector<std::string> presses;
        for (const std::string& call : gCalls) {
            if (call.find("down") != std::string::npos || call.find("double") != std::string::npos) {
                presses.push_back(call);
            }
        }
        return presses;
    }

    LLogCapture mLog;
    LMouse* mMouse = nullptr;
};

TEST_F(LMouseTest, LowerPrioritiesFirstTiesInRegistrationOrderAndInterrupt)
{
    Listener a("a"), b("b"), c("c"), d("d");
    ASSERT_TRUE(mMouse->AddMember(&a, 10.0f));
    ASSERT_TRUE(mMouse->AddMember(&b, -1000.0f));
    ASSERT_TRUE(mMouse->AddMember(&c, 10.0f));
    ASSERT_TRUE(mMouse->AddMember(&d, 10.0f));
    EXPECT_TRUE(mMouse->AddMember(&b, 50.0f)); // already there: keeps its first place
    EXPECT_FALSE(mMouse->AddMember(nullptr, 0.0f));
    EXPECT_TRUE(mLog.Contains("Add member failure. apListener == NULL."));
    EXPECT_TRUE(mMouse->OnWheel(-240.0f));
    EXPECT_EQ((std::vector<std::string>{"b wheel -240", "a wheel -240", "c wheel -240", "d wheel -240"}), gCalls);

    gCalls.clear();
    a.mHook = [&] { mMouse->Interrupt(); };
    mMouse->OnButtonDown(1);
    a.mHook = nullptr;
    mMouse->OnButtonUp(1);
    EXPECT_EQ((std::vector<std::string>{"b down 1", "a down 1", "b up 1", "a up 1", "c up 1", "d up 1"}), gCalls);

    // Set between events, the interrupt swallows the next one whole.
    gCalls.clear();
    mMouse->Interrupt();
    mMouse->OnMove(LVector2(4, 5));
    mMouse->OnMove(LVector2(6, 7));
    EXPECT_EQ(4u, gCalls.size());
    EXPECT_EQ("b move 6,7", gCalls[0]);
    LVector2 position;
    EXPECT_EQ(6.0f, mMouse->GetPosition(position).x);

    Listener never("never");
    EXPECT_TRUE(mMouse->RemoveListener(&never));
    EXPECT_TRUE(mLog.Lines().size() == 1u);
}

TEST_F(LMouseTest, DisabledMouseDropsEventsAndEnablingSendsOneMove)
{
    Listener a("a"), b("b");
    mMouse->AddMember(&a, 0.0f);
    mMouse->AddMember(&b, 1.0f);
    mMouse->SetEnabled(false);
    mMouse->OnMove(LVector2(30, 40));
    mMouse->OnButtonDown(2);
    EXPECT_TRUE(gCalls.empty());
    EXPECT_EQ(1, mMouse->IsButtonDown(2));
    mMouse->SetEnabled(true);
    mMouse->SetEnabled(true);
    EXPECT_EQ((std::vector<std::string>{"a move 30,40", "b move 30,40"}), gCalls);

    // A listener that disables the mouse stops the dispatch after itself.
    gCalls.clear();
    a.mHook = [&] { mMouse->SetEnabled(false); };
    mMouse->OnButtonUp(2);
    EXPECT_EQ((std::vector<std::string>{"a up 2"}), gCalls);
}

TEST_F(LMouseTest, LockOwnersAloneHearEventsUntilTheFirstUnlocks)
{
    Listener listener("l"), bar("bar"), cursor("cursor");
    mMouse->AddMember(&listener, 0.0f);
    EXPECT_FALSE(mMouse->Lock(nullptr));
    EXPECT_FALSE(mMouse->AddLock(nullptr));
    EXPECT_TRUE(mLog.Contains("Lock failure. NULL arg."));
    EXPECT_TRUE(mLog.Contains("AddLock failure. NULL arg."));

    ASSERT_TRUE(mMouse->Lock(&bar));
    ASSERT_TRUE(mMouse->AddLock(&cursor));
    mMouse->SetEnabled(false);
    mMouse->Interrupt();
    mMouse->OnMove(LVector2(1, 2));
    mMouse->Unlock(&cursor); // not the first owner: the lock stays
    mMouse->OnButtonDown(1);
    EXPECT_EQ((std::vector<std::string>{"bar move 1,2", "cursor move 1,2", "bar down 1", "cursor down 1"}), gCalls);

    // The interrupt set before the lock still swallows the first unlocked event.
    gCalls.clear();
    mMouse->SetEnabled(true);
    mMouse->Unlock(&bar);
    EXPECT_FALSE(mMouse->IsLocked());
    mMouse->OnButtonUp(1);
    mMouse->OnButtonDown(3);
    EXPECT_EQ((std::vector<std::string>{"bar move 1,2", "cursor move 1,2", "l down 3"}), gCalls);

    // Removing the first owner ends its lock; removing another owner only drops that one.
    mMouse->Lock(&bar);
    mMouse->AddLock(&cursor);
    EXPECT_TRUE(mMouse->RemoveListener(&cursor));
    gCalls.clear();
    mMouse->OnButtonUp(3);
    EXPECT_EQ((std::vector<std::string>{"bar up 3"}), gCalls);
    EXPECT_TRUE(mMouse->RemoveListener(&bar));
    EXPECT_FALSE(mMouse->IsLocked());
    mMouse->Unlock(nullptr);
}

TEST_F(LMouseTest, AnInterruptAskedForByALockOwnerEndsWithItsEvent)
{
    Listener listener("l"), owner("owner");
    mMouse->AddMember(&listener, 0.0f);
    ASSERT_TRUE(mMouse->Lock(&owner));
    // A lock owner interrupting the click it handles, and ending its lock inside it.
    owner.mHook = [this, &owner] {
        mMouse->Interrupt();
        if (gCalls.back() == "owner up 1") {
            mMouse->Unlock(&owner);
        }
    };
    mMouse->OnButtonDown(1);
    mMouse->OnButtonUp(1);
    EXPECT_FALSE(mMouse->IsLocked());
    // The next click, with no move before it, reaches the listeners.
    mMouse->OnButtonDown(1);
    EXPECT_EQ((std::vector<std::string>{"owner down 1", "owner up 1", "l down 1"}), gCalls);

    // An outer unlocked dispatch keeps the interrupt its listener asked for, even when a
    // locked dispatch runs inside it.
    gCalls.clear();
    Listener second("second");
    mMouse->AddMember(&second, 1.0f);
    listener.mHook = [this, &owner] {
        if (gCalls.back() == "l up 2") {
            mMouse->Interrupt();
            mMouse->Lock(&owner);
            mMouse->OnMove(LVector2(3, 4));
            mMouse->Unlock(&owner);
        }
    };
    owner.mHook = nullptr;
    mMouse->OnButtonUp(2);
    mMouse->OnButtonUp(3);
    EXPECT_EQ((std::vector<std::string>{"l up 2", "owner move 3,4", "l up 3", "second up 3"}), gCalls);
    listener.mHook = nullptr;
    mMouse->RemoveListener(&listener);
    mMouse->RemoveListener(&second);
}

TEST_F(LMouseTest, DoubleClicksWithinTimeAndDistancePerButton)
{
    Listener a("a");
    mMouse->AddMember(&a, 0.0f);
    PressAt(1, 100, 100, 10.0);
    PressAt(1, 100, 100, 10.1); // double clicks stay off until enabled
    mMouse->SetDoubleClickEnabled(true);
    PressAt(1, 100, 100, 10.0);
    PressAt(1, 103, 97, 10.2);  // double
    PressAt(1, 103, 97, 10.3);  // a third quick press: double again
    PressAt(2, 103, 97, 10.35); // another button: plain
    PressAt(1, 107, 97, 10.4);  // 4 pixels away: plain
    PressAt(1, 107, 97, 10.65); // exactly the time apart: plain
    EXPECT_EQ((std::vector<std::string>{"a down 1", "a down 1", "a down 1", "a double 1", "a double 1", "a down 2",
                                        "a down 1", "a down 1"}),
              Presses());

    gCalls.clear();
    mMouse->SetDoubleClickDistance(10);
    mMouse->SetDoubleClickTime(1.0f);
    PressAt(1, 115, 90, 11.6);
    EXPECT_EQ((std::vector<std::string>{"a double 1"}), Presses());
}

TEST_F(LMouseTest, ButtonsOutsideOneToThreeAreIgnored)
{
    Listener a("a");
    mMouse->AddMember(&a, 0.0f);
    mMouse->SetDoubleClickEnabled(true);
    EXPECT_FALSE(mMouse->OnButtonDown(0));
    EXPECT_FALSE(mMouse->OnButtonDown(4));
    EXPECT_FALSE(mMouse->OnButtonUp(-1));
    EXPECT_TRUE(gCalls.empty());
    EXPECT_EQ(3, mLog.Count("Mouse button out of range: "));
    EXPECT_EQ(0, mMouse->IsButtonDown(4));
    EXPECT_FALSE(mMouse->FireMouseEvent(6, 0));
    EXPECT_TRUE(mLog.Contains("Invalid mouse event: 6"));
}

TEST_F(LMouseTest, ListenersMayDispatchAndRemoveListenersInsideADispatch)
{
    Listener a("a"), b("b"), c("c"), added("added");
    mMouse->AddMember(&a, 0.0f);
    mMouse->AddMember(&b, 1.0f);
    mMouse->AddMember(&c, 2.0f);
    bool nested = false;
    a.mHook = [&] {
        if (!nested) {
            nested = true;
            mMouse->RemoveListener(&c);
            mMouse->AddMember(&added, 0.5f);
            mMouse->OnMove(LVector2(9, 9)); // a dispatch of its own inside this one
        }
    };
    b.mHook = [&] { mMouse->RemoveListener(&b); };
    mMouse->OnButtonDown(1);
    EXPECT_EQ((std::vector<std::string>{"a down 1", "a move 9,9", "added move 9,9", "b move 9,9"}), gCalls);

    gCalls.clear();
    mMouse->OnButtonUp(1);
    EXPECT_EQ((std::vector<std::string>{"a up 1", "added up 1"}), gCalls);
}

} // namespace
