// Reads the input as a gesture file, binds its keys to a loaded figure (the first byte
// chooses the gender) and plays it for a few seconds of frames, then stops. Every curve
// holds whole segments of samples and every running key's cursor lies within them.
#include "Render/LCharacter.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LGestureCurve.h"
#include "Render/LGesturePlayer.h"
#include "support/LFuzzCharacterWorld.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 13)) {
        return 0;
    }
    GMTestRoots& roots = FuzzCharacterWorld();
    LFuzzForgetRecords();
    roots.Write("data/gestures/input.gk", std::string(reinterpret_cast<const char*>(aData) + 1, aSize - 1));
    LCharacter character;
    LTestCharacters::Load(character, LTestCharacters::Data("npc", (aData[0] & 1) != 0 ? "f" : ""));
    {
        LGesturePlayer player;
        const bool loaded = player.Load(LString("//gestures/input.gk"));
        player.SetCharacter(LString("Primary"), &character);
        player.SetCharacter(LString("primary"), &character);
        player.Play();
        for (int frame = 0; loaded && frame < 40; ++frame) {
            FuzzFrame(0.1);
            character.UpdateTransform();
            if ((aData[0] & 2) != 0 && frame == 10) {
                player.Pause();
                player.Play();
            }
        }
        for (int i = 0; i < player.GetKeyCount(); ++i) {
            const LGestureCurve* curve = player.GetCurve(i);
            if (curve != nullptr && (curve->GetSampleCount() % LGestureCurve::kSamplesPerSegment != 0 ||
                                     curve->GetCursor() < 0 ||
                                     (curve->GetSampleCount() > 0 && curve->GetCursor() >= curve->GetSampleCount()))) {
                std::abort();
            }
        }
        player.Stop();
    }
    LGestureAnimManager::Get()->RemoveAll();
    return 0;
}
