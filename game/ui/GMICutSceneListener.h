// Told once when a cut scene has ended, after its events, state changes and target have
// been applied. The cut-scene player forgets the listener after telling it, and a
// listener that ends first takes itself off the player.
#pragma once

class GMICutSceneListener
{
public:
    virtual ~GMICutSceneListener();
    virtual void OnCutSceneDone() = 0;
};
