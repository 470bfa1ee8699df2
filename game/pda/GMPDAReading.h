// The small pieces that GMPDA's source files share: the menu's button ids, the scene's
// input, the mouse's interruption and the number states the PDA leaves for the scripts.
#pragma once
#include "Input/LMouse.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"

namespace GMPDAReading {

// The menu buttons with a tooltip, in tooltip index order.
inline const char* const kMenuIds[] = {"map", "inventory", "phone", "log", "menu"};

inline void SetSceneInput(bool aEnabled)
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(aEnabled);
    }
}

inline void InterruptMouse()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}

// A number state replacing any earlier one, telling nobody.
inline void AddNumberState(LStateManager* aStates, const char* aId, float aValue)
{
    LIState* state = L_NEW LIState();
    if (state == nullptr) {
        return;
    }
    if (!state->Set(LString(aId), LIState::TYPE_NUMBER, &aValue) || !aStates->AddState(state, false, true)) {
        L_ASSERT_FAILURE(LString("State not added: ") + aId);
        delete state;
    }
}

} // namespace GMPDAReading
