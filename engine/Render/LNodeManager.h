// The registry of the 3-D node groups drawn after the scene each frame. Until nodes
// exist it holds no group: Render draws nothing and succeeds.
#pragma once
#include "object/LBase.h"

class LNodeManager : public LBase
{
public:
    // The manager, made on first use and registered with the engine's cleaner; null when
    // it cannot be made (logged) and after the cleaner has deleted it.
    static LNodeManager* Get();

    LNodeManager();
    LNodeManager(const LNodeManager&) = delete;
    LNodeManager& operator=(const LNodeManager&) = delete;
    ~LNodeManager() override;

    LString Dump() const override;

    // Draws every registered group; 1.
    int Render();
};
