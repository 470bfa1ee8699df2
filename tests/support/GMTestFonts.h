// The test font (characters "Ao-B ", rows of 9 pixels) registered with the font manager
// under every font id the game's screens ask for, once per font manager: the atlas is written
// under the mounted roots and loaded through LFontManager::AddFont.
#pragma once

class GMTestRoots;

// True when every id is registered (now or by an earlier call).
bool RegisterGameTestFonts(const GMTestRoots& aRoots);
