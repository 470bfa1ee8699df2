// What one test leaves behind is gone before the next starts, so that a test program
// runs whole (all its tests in one process) as it runs test by test: after each test the
// game's cleaner and then the engine's are deleted, with every singleton they hold, the
// accessors of the destroyed singletons may make them again, and the fake services'
// records and switches are back to their defaults.
#pragma once
#include <gtest/gtest.h>

class LTestIsolation : public testing::EmptyTestEventListener
{
public:
    void OnTestEnd(const testing::TestInfo& aTest) override;

    // The singletons of both layers deleted and their accessors reset.
    static void EndSingletons();
    // The fakes' records emptied, their switches and the fake time back to the start.
    static void ResetFakes();
};
