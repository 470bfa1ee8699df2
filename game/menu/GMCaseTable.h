// The game's four cases and what belongs to each: the desk's select and review buttons,
// the location a case starts in, its movies, the event that closes it and the event that
// tells it is closed; and the state of the case in progress. Case selection and case
// control both read it.
#pragma once
#include "container/LString.h"

struct GMCaseEntry
{
    int mNumber;
    // Null for the last case, which the desk does not offer.
    const char* mSelectButton;
    const char* mStartScene;
    // Played the first time the case is started, in order; the second may be null.
    const char* mIntroMovies[2];
    const char* mReviewButton;
    const char* mReviewMovie;
    // Raised by the game when the case is solved (compared without regard to case).
    const char* mClosingEvent;
    const char* mClosedEvent;
};

class GMCaseTable
{
public:
    static constexpr int kCaseCount = 4;
    // The case of the ledger and the back button that ends the game.
    static constexpr int kLastCase = 4;

    GMCaseTable() = delete;

    // Case aCase (1 to 4), or null.
    static const GMCaseEntry* Get(int aCase);
    // Whether the case's closed event is raised; false for a case outside 1 to 4.
    static bool IsClosed(int aCase);
    // Cases 1, 2 and 3 all closed: the last case may start.
    static bool FirstThreeClosed();
    // "sta_selectedcase" as GMSelectedCase reads it; 0 (no case in progress) when the
    // state is missing or holds no number in the int range (logged).
    static int SelectedCase();
    // "sta_selectedcase" set to aCase without notification, made when missing.
    static void SetSelectedCase(int aCase);
    // "case" + N + "_intro_played" and "evt_ledger" + N + "_displayed".
    static LString IntroPlayedEvent(int aCase);
    static LString LedgerEvent(int aCase);
};
