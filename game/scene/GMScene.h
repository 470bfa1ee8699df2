// One loaded location. Until locations load no scene is ever made; the operations other
// parts already call on the current scene are here so that they need no change later.
#pragma once
#include "object/LBase.h"

class GMScene : public LBase
{
public:
    GMScene();
    ~GMScene() override;

    LString Dump() const override;

    // Clicks and keys reach the scene only while its input is enabled.
    void SetInputEnabled(bool aEnabled) { mInputEnabled = aEnabled; }
    bool IsInputEnabled() const { return mInputEnabled; }

private:
    bool mInputEnabled = true;
};
