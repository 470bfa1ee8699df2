// The parts of the sample the generator draws, one function per area of the game. Each
// writes its binary files under the output's data directory ("textures/...", "movies/...",
// "sounds/..."), matching the names and picture corners of the hand-written text files
// beside them in sample/data. A new area is a new function in a file of its own, added
// to the table in main.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SampleOutput;

void WriteFonts(SampleOutput& aOut);
void WriteCursors(SampleOutput& aOut);
void WriteInventoryItems(SampleOutput& aOut);
void WriteCommonTextures(SampleOutput& aOut);
void WriteMainMenu(SampleOutput& aOut);
void WriteMessageBox(SampleOutput& aOut);
void WriteOptionsScreen(SampleOutput& aOut);
void WriteSaveAndLoadScreens(SampleOutput& aOut);
void WriteCredits(SampleOutput& aOut);
void WriteThumbnails(SampleOutput& aOut);
void WriteCaseSelection(SampleOutput& aOut);
void WriteInterview(SampleOutput& aOut);
void WriteExpertComputer(SampleOutput& aOut);
void WriteMovies(SampleOutput& aOut);
void WriteSounds(SampleOutput& aOut);
void WriteOverlays(SampleOutput& aOut);
void WriteLocations(SampleOutput& aOut);
void WriteCharacters(SampleOutput& aOut);
void WriteVoiceOvers(SampleOutput& aOut);
void WriteCloseUps(SampleOutput& aOut);
void WriteSamplePDA(SampleOutput& aOut);
void WritePhone(SampleOutput& aOut);
void WriteMap(SampleOutput& aOut);
void WritePuzzles(SampleOutput& aOut);
void WriteProfiler(SampleOutput& aOut);
void WriteClickPuzzles(SampleOutput& aOut);
// Called by WritePuzzles, one puzzle each.
void WriteMonetBox(SampleOutput& aOut);
void WriteSurveillanceTapes(SampleOutput& aOut);
void WriteRoomService(SampleOutput& aOut);
void WriteBaseballBat(SampleOutput& aOut);
void WritePCDesktop(SampleOutput& aOut);
void WriteHarp(SampleOutput& aOut);

// A movie of the sample's kind (SampleMovies.cpp): 45 frames of one colour (Y, U, V),
// fading in from black over the first 15.
std::string SampleMovie(uint8_t aY, uint8_t aU, uint8_t aV);
void WriteLocationCopies(SampleOutput& aOut);
// Copies the location aSource (such as "case01/riverbank") under the scene id aScene, its
// first viewpoints renamed to aViewpoints (see SampleLocationCopies.cpp); false when the
// source has fewer viewpoints or a file cannot be written.
bool CopyLocation(SampleOutput& aOut, const std::string& aSource, const std::string& aScene,
                  const std::vector<std::string>& aViewpoints);
