// What every puzzle screen shares: a singleton that waits on its active state, pushes
// itself over the scene with a fade when the state turns true, builds its display from
// its layout file at every showing, plays its introductory voice-over once per game,
// leaves by its back button, reports its solution and takes its display down when hidden.
//
// A puzzle derives from GMPuzzle, passes its setup to the constructor and adds its own
// objects through the hooks; its accessor is the puzzle's GMPuzzleSlot:
//
//   namespace { GMPuzzleSlot<GMFooPuzzle> sFoo; }
//   GMFooPuzzle* GMFooPuzzle::GetInstance() { return sFoo.Get(L_FILE, __LINE__); }
//   GMFooPuzzle::~GMFooPuzzle() { sFoo.Destroyed(this); }
//
// The showing, in order: the texture root is set to the puzzle's folder, the layout is
// loaded, the root group is built from "groups.g01-background" (or made with the setup's
// id, holding that group), BuildPieces adds the puzzle's own objects, the root is
// restored, the back button "back_btn" is built from "groups.g02-backbutton" (the setup
// may name other keys), the root group joins the display manager, OnBuilt registers
// the per-show listeners, the cursor and the minimised PDA bar are set, and the
// introductory voice-over starts (once per game: its marking event is saved with the game).
//
// The hiding, in order: ReleaseInput, the subtitle faded out and the sound deleted where
// the setup says so, DeletePieces, the root group removed and deleted, the layout
// deleted, the cursor released and the bar shown again.
//
// Steps that must not run inside a callback of an object they delete go through Defer,
// which runs them at the next frame pass.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "Sound/LISoundListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "interview/GMIVoicedLineListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"
#include "ui/GMIScreenFaderListener.h"
#include "util/GMCleaner.h"
#include "util/GMDeferredStep.h"

#include <functional>

class GMCutScenePlayer;
class LDisplayGroup;
class LISoundPlayer;
class LPropertyList;
class LSprite;
class LVector2;
class LVectorFloat;

// The constants of one puzzle. Null strings are absent (no voice-over, no layout).
struct GMPuzzleSetup
{
    const char* mClassName = nullptr;
    const char* mActiveState = nullptr;
    const char* mLayoutFile = nullptr;
    const char* mTextureRoot = nullptr;
    // The event marking the introductory voice-over as played, and its voice ids at the
    // easy skill level and at the others.
    const char* mVoiceEvent = nullptr;
    const char* mEasyVoice = nullptr;
    const char* mVoice = nullptr;
    // Whether the showing hides the minimised PDA bar (and the hiding shows it).
    bool mHidesBar = true;
    // The cursor type set at the showing, with its owner (null: an empty owner).
    int mCursor = 1;
    const char* mCursorOwner = nullptr;
    // Whether the hiding fades the subtitle out and deletes the sound player (otherwise
    // a voice plays on until its end notice deletes it).
    bool mFadeSubtitleOnHide = true;
    bool mDeleteSoundOnHide = true;
    // The root group: when named, a new group of that id at relative z mRootZ into which
    // the background is built (a missing background is then simply absent, and a null
    // key builds nothing, the puzzle adding it all); otherwise the background group itself.
    const char* mRootGroup = nullptr;
    float mRootZ = 0.0f;
    // The layout keys of the background (a group built with its children, or a sprite,
    // or with mBackgroundIsGroups a list of groups each becoming a member of the root)
    // and of the back button (null: the puzzle has none); a puzzle with its own root
    // group may name no background (null).
    const char* mBackgroundKey = "groups.g01-background";
    bool mBackgroundIsSprite = false;
    bool mBackgroundIsGroups = false;
    const char* mBackButtonKey = "groups.g02-backbutton";
    // The back button's relative z, where the puzzle sets one.
    bool mSetsBackButtonZ = false;
    float mBackButtonZ = 0.0f;
    // The error logged when the layout does not load (the assertion line when null).
    const char* mLoadFailure = nullptr;
    // The stream name of the introductory voice-over; a null voice id (at either level)
    // plays nothing, though the event is still raised.
    const char* mVoiceStream = "hintAudio";
    // Whether the showing sets the cursor, and the hiding releases it. With
    // mSetsDefaultCursor the showing makes mCursor the default type and the hiding the
    // default cursor (type 0), each followed by a release with an empty owner.
    bool mSetsCursor = true;
    bool mReleasesCursor = true;
    bool mSetsDefaultCursor = false;
};

class GMPuzzle : public LBase,
                 public GMIScreen,
                 public LIStateListener,
                 public LIButtonListener,
                 public LISoundListener,
                 public GMIVoicedLineListener,
                 public GMIScreenFaderListener
{
public:
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;
    static constexpr const char* kBackButtonId = "back_btn";
    static constexpr const char* kSubtitleFile = "//scenes/vo_subtitles.txt";
    static constexpr const char* kSubtitleFont = "TW_CEN_MT16";
    static constexpr const char* kHintAudio = "hintAudio";
    static constexpr const char* kSolvedAudio = "solvedAudio";

    explicit GMPuzzle(const GMPuzzleSetup& aSetup);
    GMPuzzle(const GMPuzzle&) = delete;
    GMPuzzle& operator=(const GMPuzzle&) = delete;
    // Drops every registration still held and deletes the owned objects. A puzzle's own
    // destructor calls Shutdown first, while its own parts still exist.
    ~GMPuzzle() override;

    LString Dump() const override;

    // The registrations of a new instance: its state listener (priority 0.0).
    void Register();

    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;

    // The active state turning true opens the puzzle; turning false calls OnClosedByState.
    void OnStateChanged(LIState* aState) override;
    // A click (event 4) of "back_btn", compared ignoring case, pops the puzzle with a fade.
    void OnButton(const LString& aId, int aEvent) override;
    // The end of the stream or effect now playing: a subtitle still showing fades out,
    // the player is deleted, then OnVoiceEnded.
    void OnSoundEnded(const LString& aName) override;
    // The end of the voice now playing: its subtitle fades out, the line is deleted, then
    // OnVoiceEnded.
    void OnLineEnded(GMVoicedLine* aLine) override;
    // The close through the screen fader (CloseByFader): at black the puzzle is hidden and
    // taken off the stack, the new top is shown and the picture fades in.
    void OnFade(int aEvent) override;

    const GMPuzzleSetup& GetSetup() const { return mSetup; }
    bool IsShown() const { return mShown; }
    bool IsSolved() const { return mSolved; }
    LDisplayGroup* GetRoot() const { return mRoot; }
    LPropertyList* GetLayout() const { return mLayout; }
    // The stream of the voice, or the effect, now playing.
    LISoundPlayer* GetSound() const;
    // The voiced line now playing, or null.
    GMVoicedLine* GetVoice() const { return mVoice; }
    // Whether the puzzle is the top screen of the screen manager.
    bool IsTopScreen();

protected:
    // Adds the puzzle's own objects to the root (the texture root is the puzzle's folder).
    virtual void BuildPieces() {}
    // After the root joined the display: the per-show listeners.
    virtual void OnBuilt() {}
    // First step of the hiding: the per-show listeners go.
    virtual void ReleaseInput() {}
    // The puzzle's objects go, before the root group is deleted.
    virtual void DeletePieces() {}
    // The active state turned false. The common rule: pop, but only when the puzzle is
    // the top screen.
    virtual void OnClosedByState();
    // What follows the end of the voice or effect aName, or the stream itself when it
    // could not be made: nothing unless the puzzle says so.
    virtual void OnVoiceEnded(const LString& aName);

    // Sets the current scene's keep-audio flag and pushes the puzzle with a fade; nothing
    // when the puzzle is on the stack already.
    bool Open();
    // PopFade when the puzzle is the top screen, at once or, while a change of screen
    // runs, once it has ended (if the puzzle is the top screen then); false when it is
    // not the top screen now.
    bool PopIfTop();
    // PopIfTop, then the mouse's dispatch of the click ends here.
    bool PopIfTopAndInterrupt();
    // Fades to black through the screen fader with this puzzle as its listener, then as
    // OnFade says; only while shown.
    bool CloseByFader();

    // The voice aVoiceId as the stream aName ("//sounds/" + id + ".ogg") with its subtitle
    // (in aFont, "TW_CEN_MT16" when null; with aKeepSubtitle the strip's next fade-out is
    // skipped), replacing the sound now playing. When the stream cannot be made: the
    // assertion line, no listener, volume, subtitle or play, then OnVoiceEnded (false).
    bool PlayVoice(const LString& aName, const LString& aVoiceId, const char* aFont = nullptr,
                   bool aKeepSubtitle = false);
    // Any sound file aFile as the stream aName in the sound slot, replacing the sound now
    // playing: the puzzle its listener, the options' volume, no subtitle of its own; its
    // end fades out a subtitle still showing, as a voice's does. False, with nothing
    // playing, when the stream cannot be made (then no end notice follows).
    bool PlayStream(const LString& aName, const LString& aFile);
    // The effect aPath as the stream aName, replacing the sound now playing, at the
    // options' volume, without a subtitle; with aListen its end comes to OnVoiceEnded.
    // When the stream cannot be made: the assertion line, and with aListen OnVoiceEnded
    // at once (false).
    bool PlaySound(const LString& aName, const LString& aPath, bool aListen = true);
    // Deletes the sound player, which hears nothing more.
    void DeleteSound();
    // Fades the subtitle strip out while it shows.
    void FadeSubtitle();

    // The common solving pieces: each false (logged) when its service is missing. An
    // event raised already (a puzzle solved again) is not raised twice.
    bool RaiseEvent(const LString& aId);
    bool SetStateTrue(const LString& aId);
    bool AddInventoryItem(const LString& aItemId);
    // Hands over to the cut scene: the scene's audio stops, then the player gets the
    // target, the state changes and the movie, in that order.
    bool HandOver(const LString& aScene, const LString& aViewpoint, const LVectorString& aStateChanges,
                  const LString& aMovie);
    // The same, with the puzzle taken off the screen stack (no fade, no screen told) and
    // hidden after the state changes are given and before the movie plays. Not from a
    // callback of one of the puzzle's own objects: through Defer.
    bool PopAndHandOver(const LString& aScene, const LString& aViewpoint, const LVectorString& aStateChanges,
                        const LString& aMovie);
    // At the next frame pass (the solving click's object goes with the screen): raises
    // aSolvedEvent, then PopAndHandOver with the one change aVisibleState to true.
    bool DeferSolvedHandOver(const char* aSolvedEvent, const char* aScene, const char* aViewpoint,
                             const char* aVisibleState, const char* aMovie);

    // The cursor of a puzzle that items are used on, at a move: the item cursor becomes the
    // highlighted item cursor, and anything else but that the target cursor, unless the
    // PDA is open over the puzzle (it sets its own); both with the owner aOwner.
    static void TrackItemCursor(const LString& aOwner);
    // The sprite of aList built and added to the root (the assertion line, and null, when
    // it cannot be).
    LSprite* AddSprite(LPropertyList* aList);
    static void ShowBar();

    // Hides the puzzle if it is shown (for the destructors at exit).
    void Shutdown();
    // The layout's values at aPath (below aList, the layout when null) as exactly aCount
    // numbers separated by "|": false with the error naming the key when they are missing
    // or malformed, and then the puzzle must not count as solved. For the values the
    // puzzle's clues must match, which the sample data supplies.
    bool ReadNumbers(LPropertyList* aList, const LString& aPath, int aCount, LVectorFloat& aOut) const;
    // The same for words: exactly aCount values separated by "|", none empty and no two
    // alike (compared ignoring case).
    bool ReadWords(LPropertyList* aList, const LString& aPath, int aCount, LVectorString& aOut) const;
    // Runs aStep at the next frame pass.
    bool Defer(std::function<void()> aStep);
    // Takes the display down and builds it again from the layout, as a showing does but
    // without the cursor, the bar or the voice; only while shown. Never from inside a
    // callback of an object of the display (use Defer).
    bool Rebuild();

    bool mSolved = false;

private:
    void Build();
    LDisplayGroup* BuildRoot();
    GMCutScenePlayer* PrepareHandOver(const LString& aScene, const LString& aViewpoint,
                                      const LVectorString& aStateChanges);
    void PlayIntroVoice();
    // The stream aName of aFile in the sound slot at the options' volume (with aListen
    // the puzzle its listener), not yet playing; false (nothing made) when it cannot be
    // made.
    bool MakeStream(const LString& aName, const LString& aFile, bool aListen);
    void DeleteDisplay();

    GMPuzzleSetup mSetup;
    LDisplayGroup* mRoot = nullptr;
    LPropertyList* mLayout = nullptr;
    LISoundPlayer* mSound = nullptr;
    // The voice now playing; mSound is null meanwhile.
    GMVoicedLine* mVoice = nullptr;
    GMDeferredStep mDeferred;
    bool mShown = false;
    bool mFading = false;
    // Whether the end of the sound now playing fades the subtitle out (a voice's end, and
    // a stream's that took over a voice's strip; not an effect's).
    bool mEndFadesSubtitle = false;
    bool mStateListening = false;
};

// The accessor's slot of one puzzle class: makes the instance on first use, registers it
// with the game cleaner and its state listener; null after the cleaner deleted it.
template <typename T>
class GMPuzzleSlot
{
public:
    T* Get(const char* aFile, int aLine)
    {
        if (mSlot.Peek() != nullptr || mSlot.IsDestroyed()) {
            return mSlot.Peek();
        }
        T* instance = new (aFile, aLine) T();
        if (instance == nullptr) {
            LogEntry("ASSERT FAILURE: ", aFile, aLine, LString());
            return nullptr;
        }
        mSlot.Install(instance);
        instance->Register();
        return instance;
    }
    T* Peek() const { return mSlot.Peek(); }
    void Destroyed(const T* aInstance) { mSlot.Destroyed(aInstance); }

private:
    GMSingleton<T> mSlot;
};
