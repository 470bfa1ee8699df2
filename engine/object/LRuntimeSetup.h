// Start-up wiring of the runtime's three restorable singletons: their creators (the
// program's entry registers them after the platform creators) and their registration
// for saving, in the order event manager, state manager, game clock. Their restore
// records follow in that order in every saved game.
#pragma once

class LRegistry;

class LRuntimeSetup
{
public:
    // Adds the "eventmanager", "statemanager" and "gameclock" creators; 0 when one of
    // them was refused.
    static int RegisterCreators(LRegistry* aRegistry);
    // Registers the three singletons with the restore manager; 0 when one failed.
    static int RegisterRestorables();
};
