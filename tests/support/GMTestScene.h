// The sample's locations loaded as the game loads them, for in-process flows: the sample
// data set's roots are mounted and the location goes through GMSceneManager::LoadScene.
// The caller registers the services first (RegisterFakeRender, RegisterFakeTimer,
// RegisterFakeSoundManager, RegisterFakeMovieManager for a headless test; the real ones for a drawing test).
#pragma once
#include <functional>
#include <map>
#include <string>

class GMInterview;
class GMScene;
class LButton;
class LTestDirectory;
class LVector2;

class GMTestScene
{
public:
    // The generated sample's first location: player "vedrin", NPC "witness", default
    // viewpoint "vp01" (cam01), vp02 (cam02), lights with the global "sun", audio.
    static constexpr const char* kRiverbank = "case01/riverbank";

    // What start-up sets before any scene: the sample's roots, the texture root
    // "//textures" and the sample's fonts. False when one fails.
    static bool Prepare();
    // For a headless test: the recording fakes (render, timer at 0.0, sound, movies) registered,
    // then Prepare.
    static bool PrepareHeadless();
    // Prepare, then loads aId immediately (the scene becomes the top screen and is
    // shown), as a location entered before: its card's event is raised. The current
    // scene, or null when the load failed.
    static GMScene* Load(const char* aId = kRiverbank);
    // A changed copy of a sample location for the faults of a location's files: copies
    // the sample's scenes folder aId into aDirectory, writes aFiles (name relative to the
    // location's folder, whole contents; an empty text removes the file) and mounts
    // "//scenes" there. Call after Prepare, then load through GMSceneManager::LoadScene.
    static bool MountChangedCopy(const LTestDirectory& aDirectory, const std::map<std::string, std::string>& aFiles,
                                 const char* aId = kRiverbank);
    // A text file of the sample's location aId.
    static std::string SampleFile(const std::string& aName, const char* aId = kRiverbank);
};

// Driving a loaded location the way the player does, for in-process flows.
namespace GMSceneFlow {

// The recording fakes for drawing, timer (at aNow), sound and movies.
void RegisterFakes(double aNow = 1.0);
// RegisterFakes, GMTestScene::Prepare, then the game cursor and the action menu, so that
// what they log while being made is behind the test. False when one fails.
bool PrepareGame();
// Frame passes 0.05 s apart: the frame listeners and the current scene's own update.
void Frames(int aCount);
// Frames until aDone holds (at most aLimit passes); whether it did.
bool FramesUntil(const std::function<bool()>& aDone, int aLimit = 400);
// The mouse moved to aAt; a left click there.
void Move(const LVector2& aAt);
void Click(const LVector2& aAt);
// After RegisterFakes: the sample's roots, the texture root as start-up sets it and the
// sample's fonts, then the sample's location aId loaded by the scene manager at
// aViewpoint and two frames; the scene, or null when a step fails.
GMScene* LoadSampleLocation(const char* aId, const char* aViewpoint);
// Clicks the hotspot at aAt (after a pause, so never a double click), waits for the
// action menu and clicks its look action; whether the look was offered and clicked.
bool Look(const LVector2& aAt);
// A click on the hotspot at aAt, then on the action menu's collect button once it has
// opened; false when the menu does not open for it.
bool CollectAt(const LVector2& aAt);
// PrepareGame, the medium skill, the engine's random generator seeded with aSeed, case 1
// selected, the sample's riverbank loaded by the scene manager, two frames and the mouse
// moved to its top left corner, where nothing stands; the scene, or null when a step
// fails.
GMScene* StartAtRiverbank(unsigned int aSeed);
// A click on a button's shown look, aInside from its top left corner (a test failure when
// there is no button).
void ClickButton(LButton* aButton, float aInside = 12.0f);
// Each voiced line of the interview's playing sequence ("sequenceSound") ended after half
// a second, until the interview is no longer busy (with aUntilEnded: until it no longer
// runs); the lines' file names, each followed by ";".
std::string PlayLines(GMInterview* aInterview, bool aUntilEnded = false);

} // namespace GMSceneFlow
