// The test font (characters "Ao-B ", rows of 9 pixels) registered with the font manager
// under every font id the game's screens ask for, once per font manager: the atlas is written
// under the mounted roots and loaded through LFontManager::AddFont.
#pragma once

class GMTestRoots;

// True when every id is registered (now or by an earlier call).
bool RegisterGameTestFonts(const GMTestRoots& aRoots);

// The sample's fonts (sample/data/textures/fonts), copied under the mounted roots and made
// as start-up makes them, for tests that run the game's screens on its real fonts. Fonts
// made earlier in the process are kept: a fixture that loads a sample location makes the
// same ones, so the fonts are the same whichever test ran first. True when every id the
// game's screens ask for is there.
bool MakeSampleFonts(const GMTestRoots& aRoots);
