// The puzzle test harness, on the game test kit: fakes for drawing, time and sound, fresh
// roots holding the sample's puzzle layouts and pictures, the PDA's files and the
// voice-over subtitles, the game fonts, and a scene screen at the bottom of the screen
// stack. A test opens a puzzle by its active state, clicks, drags, types, ends streams,
// then checks the top screen, events, states, inventory and display members, and after
// the hiding that the puzzle left nothing registered.
//
// Deleting the harness clears the screen stack and the current scene and deletes the game
// cleaner (and with it the puzzles).
#pragma once
#include "LVector2.h"
#include "scene/GMScene.h"
#include "support/GMTestRoots.h"
#include "support/LLogCapture.h"

#include <memory>
#include <string>

class GMPuzzle;
class LIDisplayObject;
class LVector;

// The location under a puzzle (a scene that loaded nothing): it notes its showings and
// hidings, and at each hiding the keep-audio flag it found before its own hiding ran. Its
// showing is only counted: a location's own showing would start the audio of its folder.
class GMHarnessScene : public GMScene
{
public:
    void OnHidden() override;
    void OnShow() override;

    int mShown = 0;
    int mHidden = 0;
    bool mKeptAudio = false;
};

// What a puzzle holds on the engine's services, counted before it opens.
struct GMPuzzleFootprint
{
    int mDisplayMembers = 0;
    int mMouseListeners = 0;
    int mKeyboardListeners = 0;
    int mFrameListeners = 0;
};

class GMPuzzleHarness
{
public:
    // Frames move the fake time on by this much.
    static constexpr double kFrameStep = 0.05;

    GMPuzzleHarness();
    ~GMPuzzleHarness();
    GMPuzzleHarness(const GMPuzzleHarness&) = delete;
    GMPuzzleHarness& operator=(const GMPuzzleHarness&) = delete;

    // Ends the game: the game cleaner is deleted, and the puzzles with it. What the engine
    // keeps (states, events, the mouse, the display tree) ends with each test, in the test
    // programs' shared main.
    static void EndGame();

    // Whether the fakes, roots, files and fonts are all in place.
    bool Ready() const { return mReady; }
    GMTestRoots& Roots() { return mRoots; }
    LLogCapture& Log() { return mLog; }
    GMHarnessScene& Scene() { return *mScene; }

    // Copies a file or a directory of the sample data (relative to sample/data) under the
    // same name below the roots, or under aTarget (relative to the data directory too).
    bool CopySample(const std::string& aRelative, const std::string& aTarget = "");
    // The puzzle's layout file below the roots' directory (for Roots().Write), from the
    // symbolic name its setup gives.
    static std::string LayoutFile(const GMPuzzle* aPuzzle);

    // Sets the boolean state aId to aValue with notification.
    static void SetState(const char* aId, bool aValue);
    static bool StateIsTrue(const char* aId);
    static bool EventRaised(const char* aId);
    static bool InventoryHolds(const char* aItemId);

    // Frame passes until no screen change or fade runs any more (at most aLimit).
    static void Settle(int aLimit = 100);
    static void Frames(int aCount);

    // Sets the active state true and settles; whether aPuzzle is then the top screen and
    // shown.
    bool Open(const char* aActiveState, GMPuzzle* aPuzzle);
    // Clicks the back button at its middle and settles; whether the scene is the top
    // screen again.
    bool Back(GMPuzzle* aPuzzle);

    static void MoveTo(const LVector2& aPosition);
    // A click after a pause (the fake time moves on by a second first), so that it is never
    // the second of a double click.
    static void Click(const LVector2& aPosition);
    // Press at aFrom (after a pause, as Click), moves in aSteps steps to aTo, release.
    static void Drag(const LVector2& aFrom, const LVector2& aTo, int aSteps = 4);
    static void Type(int aScanCode);
    // Ends the newest live stream named aName as a real stream ends (seen by the next
    // frame pass, which runs); false when there is none.
    static bool EndStream(const char* aName);

    // The cut scene the player holds, as the calls that hand one over: target scene and
    // viewpoint, state changes and movie, each followed by ";"; empty while none plays.
    static std::string CutSceneCalls();
    // Plays the cut scene out (GMTestCutScenes::PlayOut), which takes every screen off the
    // stack for its target location; the roots hold no location, so its load fails
    // (logged) and the main menu comes up in its place. Then the harness's scene takes
    // the menu's place as the current scene and the only screen again,
    // as for a puzzle opened anew; whether all of that came about.
    bool PlayOutToScene();
    // Ends whatever a run left: a cut scene still playing plays out, and the harness's
    // scene is the current scene and the only screen again (the screen left on top, if
    // another, is hidden first, as at a change of screen). False when the cut scene does
    // not end or the scene cannot be pushed.
    bool Restage();

    // A point of aPiece (aWidth x aHeight from its world position, tried in steps of
    // aStep) that no piece before it in aPieces (LIDisplayObject pointers in picking
    // order) covers, so that a press there picks it; its world position when none is
    // free (a test failure).
    static LVector2 UncoveredPoint(const LVector& aPieces, LIDisplayObject* aPiece, float aWidth, float aHeight,
                                   float aStep);
    // The member of the puzzle's root by dotted path, or null.
    static LIDisplayObject* Member(GMPuzzle* aPuzzle, const char* aPath);
    // The middle of a member's world boundary.
    static LVector2 Middle(LIDisplayObject* aObject);

    // The scene's own mouse listener does not count.
    GMPuzzleFootprint Footprint() const;
    // Empty when the puzzle holds no display object and no listener beyond aBefore; else
    // what is left. Fades still running (the subtitle's) count: run frames first.
    std::string Leftovers(GMPuzzle* aPuzzle, const GMPuzzleFootprint& aBefore) const;

private:
    // The harness's scene made current and pushed on an empty stack, then shown.
    bool PutSceneBack();
    LLogCapture mLog;
    GMTestRoots mRoots;
    // Made once the fakes are registered (a scene takes the mouse, which takes the timer).
    std::unique_ptr<GMHarnessScene> mScene;
    bool mReady = false;
};
