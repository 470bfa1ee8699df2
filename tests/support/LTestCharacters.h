// A small character written into the game's roots for the character, steering and gesture
// tests: a skinned figure with the frames "Biped", "BN_Neck", "BN_Head" and
// "Biped_R_Hand" (tree form, "//meshes/figure.lim1"), its idle, walk and run animations,
// the player's action animations, the props and a character data list naming them.
#pragma once
#include <string>

class GMTestRoots;
class LCharacter;

class LTestCharacters
{
public:
    // A fixture member placed before the roots: registers the fake timer at time 0 before
    // mounting the roots would make the real one.
    struct FakeTimeFirst
    {
        FakeTimeFirst();
    };

    // Frames of the idle, walk and run animations and of each action animation.
    static constexpr unsigned kIdleFrames = 4;
    static constexpr unsigned kMoveFrames = 6;
    static constexpr unsigned kActionFrames = 120;

    // The figure's model in tree form.
    static std::string FigureBytes();
    // A figure with eyes: "Biped", "BN_Neck", "BN_Head" and under the head "BN_R_Eye" and
    // "BN_L_Eye", 16 up, 1 to either side and 1 forward (-z), in tree form.
    static std::string EyedFigureBytes();
    // A current-form animation of aFrames frames posing the figure's frames.
    static std::string AnimationBytes(const char16_t* aName, unsigned aFrames);

    // Writes the figure, "idle.lia1", "walk.lia1", "run.lia1", the action animations,
    // "Cell-Phone_idle_M.lia1", the four props and an empty "//characters/eyes.txt".
    static void Write(const GMTestRoots& aRoots);
    // A character data list (text) of the figure: type aType, gender aGender ("" for
    // none), with walk (movespeed 4) and run (movespeed 11) moves and aExtra lines (each
    // starting at depth 0) appended.
    static std::string Data(const std::string& aType, const std::string& aGender, const std::string& aExtra = "");
    // Parses the data list text and loads the character from it (no shadows); its result.
    static int Load(LCharacter& aCharacter, const std::string& aData);
};
