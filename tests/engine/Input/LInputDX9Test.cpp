// Input devices that could not be made: the keyboard reports failure, the mouse nothing.
#include "Input/LInputDX9.h"
#include "Input/LKeyboardDX9.h"
#include "Input/LMouseDX9.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

TEST(LInputDX9, DevicesWithoutDirectInputFailQuietlyEachFrame)
{
    LLogCapture log;
    LInputDX9 input(nullptr);
    EXPECT_EQ(nullptr, input.GetDirectInput());
    LKeyboardDX9 keyboard(&input, nullptr);
    LMouseDX9 mouse(&input, nullptr, true, true, true);
    EXPECT_EQ(2, log.Count("GetDirectInput failure."));
    EXPECT_TRUE(log.Contains("LMouseDX9 constructor failure."));
    log.Clear();
    EXPECT_FALSE(keyboard.Update());
    EXPECT_TRUE(mouse.Update());
    mouse.Unacquire();
    EXPECT_TRUE(log.Lines().empty());
    // An input holder without devices updates successfully.
    EXPECT_TRUE(input.Update());
}
