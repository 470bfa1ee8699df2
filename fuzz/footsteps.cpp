// Reads the input as the footstep table ("//sounds/footsteps.txt"), a scene's "sounds.txt"
// and the eye data ("//characters/eyes.txt"), split at lines "%%", over the test figure
// and the fake sound service: sets up the player's footsteps, walks or runs it through
// steps at points across and around the polygons, and has it and a partner with eyes look
// at each other while the look-at fades in and out.
#include "Render/LGestureAnimManager.h"
#include "Render/LSteeringTDO.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "support/LFuzzCharacterWorld.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {


std::string Part(const std::string& aInput, size_t& aAt)
{
    if (aAt == std::string::npos) {
        return std::string();
    }
    const size_t split = aInput.find("\n%%\n", aAt);
    const std::string part = aInput.substr(aAt, split == std::string::npos ? std::string::npos : split - aAt);
    aAt = split == std::string::npos ? std::string::npos : split + 4;
    return part;
}

void Load(GMCharacter& aCharacter, const char* aName, const char* aMesh)
{
    std::string text = LTestCharacters::Data("npc", "", std::string("name=") + aName + "\n");
    text.replace(text.find("figure.lim1"), 11, aMesh);
    LPropertyList data;
    data.Parse(text.c_str(), static_cast<int>(text.size()));
    aCharacter.Load(&data, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    GMTestRoots& roots = FuzzCharacterWorld();
    static const bool sEyed = (roots.Write("data/meshes/eyed.lim1", LTestCharacters::EyedFigureBytes()), true);
    (void)sEyed;
    LFuzzForgetRecords();
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    size_t at = 0;
    roots.Write("data/sounds/footsteps.txt", Part(input, at));
    const std::string sceneText = Part(input, at);
    roots.Write("data/characters/eyes.txt", Part(input, at));
    LPropertyList sceneSounds;
    sceneSounds.Parse(sceneText.c_str(), static_cast<int>(sceneText.size()));
    {
        GMCharacter player;
        GMCharacter partner;
        Load(player, "vedrin", "eyed.lim1");
        Load(partner, "witness", "eyed.lim1");
        partner.SetPosition(LVector3(40.0f, 0.0f, 30.0f));
        player.SetIdleGestureEnabled(true);
        player.SetupFootsteps(&sceneSounds);
        LSteeringTDO steering;
        steering.SetDefaults();
        steering.SetCharacter(&player);
        player.SetSteering(&steering);
        steering.SetMoving(true, 1 + static_cast<int>(aSize % 2));
        const LCharacter::MoveRecord* move = player.GetMove(steering.GetMoveIndex());
        for (int i = 0; i < 64; ++i) {
            const float x = static_cast<float>((i % 8) * 60 - 210);
            const float z = static_cast<float>((i / 8) * 60 - 210);
            player.SetPosition(LVector3(x, 0.0f, z));
            player.GetStepSound(LVector2(x, z));
            if (move != nullptr && move->mAnimation != nullptr) {
                player.SetAnimationTime(move->mAnimation, static_cast<float>(i % 40) / 30.0f);
            }
            player.UpdateTransform();
        }
        steering.SetMoving(false, 0);
        player.SetEyeTarget(&partner);
        partner.SetEyeTarget(&player);
        player.SetLookAt(true);
        partner.SetLookAt(true);
        for (int frame = 0; frame < 30; ++frame) {
            FuzzFrame(0.05);
            if (frame == 15) {
                player.SetLookAt(false);
                partner.SetLookAt(false);
            }
            partner.UpdateTransform();
            player.UpdateTransform();
        }
    }
    LGestureAnimManager::Get()->RemoveAll();
    return 0;
}
