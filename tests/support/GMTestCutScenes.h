// The cut-scene player over tables a test writes, and cut scenes run to their end the
// way the frame loop runs them. Needs the fake movie manager (GMSceneFlow::RegisterFakes).
#pragma once
#include <string>
#include <vector>

class GMCutScenePlayer;
class LFakeMoviePlayer;

namespace GMTestCutScenes {

// Makes the cut-scene player read aTable and aSubtitles as "cutscenes.txt" and
// "cutscenes_subtitles.txt": for the moment it is made "//dataroot" points at a
// temporary folder holding only these two, then the earlier mount comes back. Null when
// the player existed already or could not be made.
GMCutScenePlayer* Make(const std::string& aTable, const std::string& aSubtitles = "");
// Frame passes 0.05 s apart (GMSceneFlow::Frames) in which every fake movie shown ends
// by its end notice, until no cut scene plays and no change of screen runs; whether that
// came within aLimit passes.
bool PlayOut(int aLimit = 400);
// The files of the movies the fake movie manager made so far, without their folder.
std::vector<std::string> Made();
// How often the movie aFile (without its folder) was asked for: made by the fake movie
// manager, or waiting in the player's queue.
int Asked(const std::string& aFile);
// The fake movie the player shows, or null.
LFakeMoviePlayer* Shown();
// Frame passes until no change of screen runs and nothing listens to the screen fader
// (a fade of the player's own has ended); whether that came within aLimit passes.
bool Settle(int aLimit = 100);

} // namespace GMTestCutScenes
