// Steps deferred to the next frame pass: their order, steps posted while they run, and
// dropping them.
#include "util/GMDeferredStep.h"

#include "stdlib/LFrameManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(DeferredStep, StepsRunOnceAtTheNextPassInOrderAndLaterPostsWaitForThePassAfter)
{
    RegisterFakeTimer();
    LLogCapture log;
    LFrameManager* frames = LFrameManager::Get();
    const int listeners = frames->GetListenerCount();
    std::string ran;
    GMDeferredStep deferred;
    ASSERT_TRUE(deferred.Post([&] { ran += "a"; }));
    ASSERT_TRUE(deferred.Post([&] {
        ran += "b";
        deferred.Post([&] { ran += "c"; });
    }));
    EXPECT_EQ(listeners + 1, frames->GetListenerCount());
    EXPECT_EQ("", ran);
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("ab", ran);
    LFakeTimer::Frames(2, 0.1);
    EXPECT_EQ("abc", ran);
    EXPECT_EQ(listeners, frames->GetListenerCount());

    deferred.Post([&] { ran += "d"; });
    deferred.Cancel();
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("abc", ran);
    EXPECT_EQ(listeners, frames->GetListenerCount());

    // A step that deletes its own deferral's owner: the steps queued after it were the
    // deleted owner's, and do not run.
    auto owned = std::make_unique<GMDeferredStep>();
    GMDeferredStep* raw = owned.get();
    raw->Post([&] { owned.reset(); });
    raw->Post([&] { ran += "e"; });
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ(nullptr, owned);
    EXPECT_EQ("abc", ran);
    EXPECT_EQ(listeners, frames->GetListenerCount());
    {
        GMDeferredStep dropped;
        dropped.Post([&] { ran += "f"; });
    }
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("abc", ran);
    EXPECT_EQ("", log.Problems());
}

TEST(DeferredStep, AnOwnerDeletedByItsStepEndsOnlyItsOwnSteps)
{
    RegisterFakeTimer();
    LFrameManager* frames = LFrameManager::Get();
    const int listeners = frames->GetListenerCount();
    struct Owner
    {
        GMDeferredStep mSteps;
        std::string mName;
    };
    std::string ran;
    auto first = std::make_unique<Owner>();
    first->mName = "first";
    Owner second;
    second.mName = "second";
    Owner* firstRaw = first.get();
    // Each step reads its owner, as a puzzle's steps read the puzzle.
    firstRaw->mSteps.Post([&] { ran += firstRaw->mName + ":gone "; first.reset(); });
    firstRaw->mSteps.Post([&, firstRaw] { ran += firstRaw->mName + ":late "; });
    second.mSteps.Post([&] {
        ran += second.mName + ":1 ";
        second.mSteps.Post([&] { ran += second.mName + ":2 "; });
    });
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("first:gone second:1 ", ran);
    LFakeTimer::Frames(1, 0.1);
    EXPECT_EQ("first:gone second:1 second:2 ", ran);
    EXPECT_EQ(listeners, frames->GetListenerCount());
}
