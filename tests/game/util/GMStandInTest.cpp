// The accessor of a not yet built singleton: made once, on the game cleaner, gone with it.
#include "menu/GMIntro.h"
#include "puzzles/painting/GMPaintingPuzzle.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

TEST(StandIn, MadeOnceRegisteredWithTheGameCleanerAndGoneWithIt)
{
    LLogCapture log;
    GMPaintingPuzzle* painting = GMPaintingPuzzle::GetInstance();
    ASSERT_NE(nullptr, painting);
    EXPECT_EQ(painting, GMPaintingPuzzle::GetInstance());
    GMSlideBoxPuzzle* box = GMSlideBoxPuzzle::GetInstance();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(static_cast<void*>(painting), static_cast<void*>(box));
    GMCleaner* cleaner = GMCleaner::GetInstance();
    ASSERT_EQ(2, cleaner->GetInstanceCount());
    EXPECT_EQ(box, cleaner->GetInstanceAt(0)); // deleted first
    EXPECT_EQ(painting, cleaner->GetInstanceAt(1));
    EXPECT_EQ(0u, ToStd(painting->Dump()).find("[GMPaintingPuzzle <"));

    delete cleaner;
    EXPECT_EQ(nullptr, GMCleaner::Peek());
    EXPECT_EQ("", log.Bytes());
    // Once the cleaner has ended, the accessor makes the stand-in again.
    ASSERT_NE(nullptr, GMPaintingPuzzle::GetInstance());
    EXPECT_EQ(1, GMCleaner::GetInstance()->GetInstanceCount());
    delete GMCleaner::GetInstance();
}

TEST(StandIn, AStandInAskedForByItsStateSaysSoAndLeavesTheStateAlone)
{
    RegisterFakeTimer();
    LStateManager* states = LStateManager::Get();
    states->RemoveAllStates();
    ASSERT_NE(nullptr, GMPaintingPuzzle::GetInstance());
    ASSERT_NE(nullptr, GMIntro::GetInstance()); // asked for by no state
    LLogCapture log;
    states->SetState(LString("sta_paintingpuzzle_active"), LString("boolean"), LString("false"), true);
    states->SetState(LString("sta_slideboxpuzzle_active"), LString("boolean"), LString("true"), true);
    EXPECT_EQ("", log.Bytes()); // false, and a stand-in not made
    states->SetState(LString("sta_paintingpuzzle_active"), LString("true"), true);
    EXPECT_EQ(1, log.Count("NOTE: ")) << log.Bytes();
    EXPECT_TRUE(log.Contains("GMPaintingPuzzle is a stand-in: \"sta_paintingpuzzle_active\" turned true; what it opens is "
                             "not built yet.")) << log.Bytes();
    LIState* state = states->GetState(LString("sta_paintingpuzzle_active"));
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(1, *static_cast<unsigned char*>(state->GetValue()));
    // Gone with the game cleaner, it hears no more.
    delete GMCleaner::GetInstance();
    states->SetState(LString("sta_paintingpuzzle_active"), LString("false"), true);
    states->SetState(LString("sta_paintingpuzzle_active"), LString("true"), true);
    EXPECT_EQ(1, log.Count("NOTE: "));
    states->RemoveAllStates();
}
