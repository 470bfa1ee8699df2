// The one reader of the number state "sta_selectedcase", the case the player works on.
// A stored number is a float: NaN, the infinities and values outside the int range are
// refused (logged) before any conversion; others are truncated toward zero.
#pragma once

class GMSelectedCase
{
public:
    enum Result {
        // No number state "sta_selectedcase" (or no state manager).
        RESULT_MISSING = 0,
        // A number that is no int: refused and logged.
        RESULT_INVALID = 1,
        RESULT_READ = 2,
    };

    // aCase is set only when the result is RESULT_READ.
    static Result Read(int& aCase);
    // The case, or -1 when the state is missing or invalid.
    static int Get();
};
