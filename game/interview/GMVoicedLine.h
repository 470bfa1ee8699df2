// One line a character speaks: its sound stream, the gestures of the characters bound to
// the line's gesture roles, the speaker's lip sync and its text in the subtitle strip.
// Every voice of the game (hotspot voice-overs, close-ups, interview sequences, phone
// messages) is played through it.
//
// The owner sets the parts and calls Play once. Parts whose files are missing are left
// out without a logged fault: the gesture file and the lip-sync data are looked for
// first. When the stream cannot be made the stand-in file is tried; without one (or when
// that fails too) Play logs, plays nothing and returns false, and the line is over.
//
// The voice sets the line's length: gestures that end earlier leave it playing, and when
// the stream has run out the line ends once: the parts still running (gestures, lip sync)
// stop with it, the strip fades out when the line used it, and the listener is told. The owner may delete the line from inside that notice. Deleting it earlier
// stops every part without a notice.
#pragma once
#include "Render/LIGesturePlayerListener.h"
#include "Sound/LISoundListener.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LWatch.h"

class GMCharacter;
class GMIVoicedLineListener;
class LGesturePlayer;
class LIFont;
class LISoundPlayer;

class GMVoicedLine : public LBase, public LISoundListener, public LIGesturePlayerListener
{
public:
    // The gesture roles a gesture file may name.
    static constexpr int kRoleCount = 3;
    // Where the strip stands on the 800 x 600 screen while a line shows in it.
    static constexpr float kSubtitleY = 500.0f;
    // The font of a voice-over's subtitle.
    static constexpr const char* kSubtitleFont = "TW_CEN_MT16";

    explicit GMVoicedLine(GMIVoicedLineListener* aListener);
    GMVoicedLine(const GMVoicedLine&) = delete;
    GMVoicedLine& operator=(const GMVoicedLine&) = delete;
    ~GMVoicedLine() override;

    LString Dump() const override;

    // The stream aFile made as aName; with aStandIn non-empty, the file played instead
    // when aFile cannot be made.
    void SetStream(const LString& aName, const LString& aFile, const LString& aStandIn = LString());
    // The gesture file, played when it exists, and the character of each role
    // ("primary", "secondary", "tertiary" for 0 to 2; null leaves a role unbound).
    void SetGestures(const LString& aFile);
    void BindRole(int aRole, GMCharacter* aCharacter);
    // The speaker's lip-sync data, played when the file exists and the speaker loads it.
    void SetLipSync(GMCharacter* aSpeaker, const LString& aDataFile);
    // Puts aText into the strip when the line starts (at the strip's line height, in
    // aFont; shown again when it was fading out); at the end a strip still showing fades
    // out, even when the text was not found (aFound false). With aKeep the strip's next
    // fade-out is skipped, so the text stays up after the line.
    void SetSubtitle(const LString& aText, bool aFound, LIFont* aFont, bool aKeep = false);
    // An owner that reports a stream that cannot be made in its own words.
    void SetQuietFailure(bool aQuiet) { mQuietFailure = aQuiet; }

    // Starts every part. False (logged) when no stream could be made: nothing plays and
    // no notice follows.
    bool Play();
    // Ends every part now, without a notice.
    void Stop();

    void OnSoundEnded(const LString& aId) override;
    void OnGestureDone() override;

    bool IsPlaying() const { return mPlaying; }
    const LString& GetStreamName() const { return mStreamName; }
    LISoundPlayer* GetSound() const { return mSound; }
    LGesturePlayer* GetGestures() const { return mGestures; }
    // The speaker whose lip sync plays; null without one.
    GMCharacter* GetLipSyncSpeaker() const { return mLipSyncSpeaker.Get(); }

    // The stream file of a voice id: "//sounds/" + id, with ".ogg" added when the id has
    // no extension.
    static LString SoundFile(const LString& aId);
    // The text of aId in the voice-over subtitles ("//scenes/vo_subtitles.txt"); aFound
    // false when the file or the id is missing.
    static LString VoiceOverText(const LString& aId, bool& aFound);
    // The font of the voice-over subtitles, or null.
    static LIFont* VoiceOverFont();

private:
    LISoundPlayer* MakeStream(const LString& aFile) const;
    void LoadGestures();
    void StartLipSync();
    void ShowSubtitle() const;
    // Deletes the stream and the gestures and stops the lip sync.
    void StopParts();

    GMIVoicedLineListener* mListener = nullptr;
    LString mStreamName;
    LString mStreamFile;
    LString mStandIn;
    LString mGestureFile;
    LWatch<GMCharacter> mRoles[kRoleCount];
    LWatch<GMCharacter> mSpeaker;
    LString mLipSyncFile;
    LString mSubtitle;
    bool mHasSubtitle = false;
    bool mUsesStrip = false;
    bool mKeepSubtitle = false;
    bool mQuietFailure = false;
    LIFont* mFont = nullptr;

    LISoundPlayer* mSound = nullptr;
    LGesturePlayer* mGestures = nullptr;
    // Set only while the speaker's lip sync runs.
    LWatch<GMCharacter> mLipSyncSpeaker;
    bool mPlaying = false;
};
