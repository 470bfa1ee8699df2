// What a stand-in says when it is asked for: a stand-in whose real class opens on a state
// (a puzzle on its "..._active" state, the profiling computer, case selection) listens to
// that state and writes a NOTE when it turns true, instead of doing nothing silently.
// Every stand-in (GMStandIn) carries one; the states are kept in one table here.
#pragma once
#include "container/LString.h"
#include "state/LIStateListener.h"

class GMStandInNote : public LIStateListener
{
public:
    explicit GMStandInNote(const char* aClassName);
    GMStandInNote(const GMStandInNote&) = delete;
    GMStandInNote& operator=(const GMStandInNote&) = delete;
    ~GMStandInNote() override;

    // The state that asks for aClassName, or null when none does.
    static const char* StateOf(const char* aClassName);
    // "<class> is a stand-in: <what it would do> is not built yet."
    static LString Text(const char* aClassName, const LString& aWhat);

    void OnStateChanged(LIState* aState) override;

private:
    const char* mClassName = nullptr;
    const char* mState = nullptr;
    bool mListening = false;
};
