// The accessor of a not yet built singleton: made once, on the game cleaner, gone with it.
#include "puzzles/harppuzzle/GMHarpPuzzle.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

TEST(StandIn, MadeOnceRegisteredWithTheGameCleanerAndGoneWithIt)
{
    LLogCapture log;
    GMHarpPuzzle* harp = GMHarpPuzzle::GetInstance();
    ASSERT_NE(nullptr, harp);
    EXPECT_EQ(harp, GMHarpPuzzle::GetInstance());
    GMPOBoxPuzzle* box = GMPOBoxPuzzle::GetInstance();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(static_cast<void*>(harp), static_cast<void*>(box));
    GMCleaner* cleaner = GMCleaner::GetInstance();
    ASSERT_EQ(2, cleaner->GetInstanceCount());
    EXPECT_EQ(box, cleaner->GetInstanceAt(0)); // deleted first
    EXPECT_EQ(harp, cleaner->GetInstanceAt(1));
    EXPECT_EQ(0u, ToStd(harp->Dump()).find("[GMHarpPuzzle <"));

    delete cleaner;
    EXPECT_EQ(nullptr, GMHarpPuzzle::GetInstance());
    EXPECT_EQ(nullptr, GMPOBoxPuzzle::GetInstance());
    EXPECT_EQ("", log.Bytes());
}
