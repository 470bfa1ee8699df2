// The main of the test programs: Google Test's, with each test's singletons ended after it
// (LTestIsolation).
#include "support/LTestIsolation.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new LTestIsolation());
    return RUN_ALL_TESTS();
}
