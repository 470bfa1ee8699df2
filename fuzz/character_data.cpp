// Reads the input as a game character's data list over the test figure's files, then runs
// frames with the actions the first bytes choose and seats, shows and suspends it.
#include "Render/LAnimationCtrl.h"
#include "Render/LGestureAnimManager.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "support/LFuzzCharacterWorld.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 2 || aSize > (1u << 13)) {
        return 0;
    }
    FuzzCharacterWorld();
    LFuzzForgetRecords();
    LPropertyList data;
    data.Parse(reinterpret_cast<const char*>(aData) + 2, static_cast<int>(aSize - 2));
    {
        GMCharacter character;
        character.Load(&data, nullptr);
        character.SetIdleGestureEnabled(true);
        character.PlayAction(aData[0] % 12, nullptr);
        for (int frame = 0; frame < 60; ++frame) {
            FuzzFrame(0.1);
            character.UpdateSteering();
            character.UpdateTransform();
            character.Render();
            if (frame == 20) {
                character.SetSeated((aData[1] & 1) != 0, 0);
                character.ShowObject(LString("nod.lia1"), aData[1] & 2);
            } else if (frame == 40) {
                character.SetInterviewMode((aData[1] & 4) != 0, nullptr);
                character.SetAmbientSuspended((aData[1] & 8) != 0);
            }
        }
        character.StopAmbient();
    }
    LGestureAnimManager::Get()->RemoveAll();
    return 0;
}
