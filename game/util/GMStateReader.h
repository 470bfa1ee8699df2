// The game's one reading of raised events and of boolean states, for the parts that only
// ask whether something has happened or holds.
#pragma once

class LIState;
class LStateManager;
class LString;

class GMStateReader
{
public:
    // Whether the event aId is raised; false for an empty id and without an event manager.
    static bool IsRaised(const LString& aId);
    // Whether aState is a boolean state that holds true; false for null, another type or
    // no value.
    static bool IsTrue(const LIState* aState);
    // The same for the state aId of aStates; false without the manager or the state.
    static bool IsTrue(const LStateManager* aStates, const LString& aId);
};
