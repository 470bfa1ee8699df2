// The sample's locations loaded as the game loads them, for in-process flows: the sample
// data set's roots are mounted and the location goes through GMSceneManager::LoadScene.
// The caller registers the services first (RegisterFakeRender, RegisterFakeTimer,
// RegisterFakeSoundManager for a headless test; the real ones for a drawing test).
#pragma once
#include <map>
#include <string>

class GMScene;
class LTestDirectory;

class GMTestScene
{
public:
    // The generated sample's first location: player "vedrin", NPC "witness", default
    // viewpoint "vp01" (cam01), vp02 (cam02), lights with the global "sun", audio.
    static constexpr const char* kRiverbank = "case01/riverbank";

    // What start-up sets before any scene: the sample's roots, the texture root
    // "//textures" and the sample's fonts. False when one fails.
    static bool Prepare();
    // For a headless test: the recording fakes (render, timer at 0.0, sound) registered,
    // then Prepare.
    static bool PrepareHeadless();
    // Prepare, then loads aId immediately (the scene becomes the top screen and is
    // shown). The current scene, or null when the load failed.
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
