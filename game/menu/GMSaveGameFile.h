// Saved games. A save file, "//dataroot/game/game" + N + ".dat", holds the PDA
// inventory's block followed by the restore block (events, states and game clocks) up to
// the end of the file; no header, no lengths. The save and load screens run the three
// sequences here.
//
// Saving writes the save file first and the index after it, each through a temporary
// file, so a failure never leaves an index entry without its file, and never costs an
// older save. Loading reads the whole file before it touches the game, keeps a copy of
// the game in progress, and puts that copy back when the file turns out damaged (a block
// that does not read, or no location or viewpoint to return to): a failed load leaves
// the game as it was and starts no fade.
#pragma once

class GMIScreen;
class GMIScreenFaderListener;
class GMSaveIndexFile;
class LMemoryStream;
class LString;

class GMSaveGameFile
{
public:
    // Stops the title music of the main menu; called when the player is placed.
    using TitleMusicStop = void (*)();

    GMSaveGameFile() = delete;

    // Writes the game in progress as a new save file, numbered past every save file that
    // exists, then the index with its entry (and one for each save file passed), then
    // leaves the save screen (PopFade). False (logged, the screen kept, nothing written)
    // while a change of screen runs and when aIndex is an index file that exists but could
    // not be read. False (logged, the screen kept) when the save file or the index cannot
    // be written: a save file that cannot be written leaves the index untouched; an index
    // that cannot be written leaves the old index, the new save file staying on disk
    // unnamed until the next save lists it.
    static bool SaveGame(const LString& aDescription, const LString& aThumbnail, GMSaveIndexFile* aIndex);

    // Reads "//dataroot/game/" + aKey + ".dat" into the game and fades out with aListener
    // (the screen that runs the load) as the fader's listener; it calls PlaceAfterLoad at
    // black. False (logged) while a change of screen runs, and when the file cannot be
    // read or is damaged: the game in progress is then unchanged and no fade starts.
    static bool LoadGame(const LString& aKey, GMIScreenFaderListener* aListener);
    // At black after LoadGame: stops the title music, hides aScreen (the load screen) and
    // pops it and the main menu under it, loads the saved location at once, puts the
    // player at the saved place and direction in the saved viewpoint, and fades in.
    static bool PlaceAfterLoad(GMIScreen* aScreen, GMIScreenFaderListener* aListener);

    // The game in progress as a save file's bytes; false when a block failed.
    static bool Encode(LMemoryStream& aOut);
    // Makes the save in aSave (from its position to its end) the game in progress: every
    // event and state cleared, both blocks read, then the clock of "sta_selectedcase" made
    // current and "sta_currentskillsetting" set from the options, and the phone's pending
    // messages worked out again for the loaded game. A damaged save puts the game in
    // progress back, leaves the phone as it was and gives false.
    static bool Read(LMemoryStream& aSave);

    // The main menu's title music stop (the main menu sets it while it exists).
    static void SetTitleMusicStop(TitleMusicStop aStop);

private:
    // Clears events and states and reads both blocks; false at the first that fails.
    static bool Decode(LMemoryStream& aSave);
    // Whether the loaded states name a location and viewpoint to return to.
    static bool CanBePlaced();
    static void ApplyLoaded();
};
