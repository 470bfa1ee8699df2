// The owner of the one current location: the only place where a location is loaded or
// thrown away. The application calls its per-frame Update and Render; the load screen, cut
// scenes, the location card, the PDA map, the interview manager and puzzles call LoadScene.
// It also carries the player's pending position and direction (ground x, z), which the next
// viewpoint set-up uses instead of the viewpoint's own start. It holds the game's input
// for the message box: while a box is open the current scene takes no clicks.
// Every caller of LoadScene whose load failed hands the location to
// ShowMenuWhenNoScreenIsLeft, so that the player is never left on a black picture.
#pragma once
#include "object/LBase.h"
#include "ui/GMIMessageBoxListener.h"

class GMScene;
class LString;
class LVector2;

class GMSceneManager : public LBase, public GMIMessageBoxListener
{
public:
    // The singleton, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMSceneManager* GetInstance();
    // The current scene of the singleton, or null: the game's one reading of the current
    // scene for the parts outside the manager.
    static GMScene* GetCurrentScene();

    GMSceneManager();
    GMSceneManager(const GMSceneManager&) = delete;
    GMSceneManager& operator=(const GMSceneManager&) = delete;
    ~GMSceneManager() override;

    LString Dump() const override;

    // The current scene, or null.
    GMScene* GetScene() const { return mScene; }
    // Makes a scene made elsewhere current, not owned: tests of the parts that only reach
    // the current scene hand theirs in this way and take it back with null. A scene
    // loaded by LoadScene is unloaded first.
    void SetScene(GMScene* aScene);

    // Raises the location's visited event, unloads the current scene, loads "//scenes/" +
    // aId + "/" and puts it on the screen stack: at once in place of the top screen when
    // aImmediate, else pushed for the caller's fade. 0 (logged) for an empty id or a
    // location that does not load (no scene is current then). The location card is not
    // built yet, so aSkipPlacard changes nothing.
    bool LoadScene(const LString& aId, bool aImmediate, bool aSkipPlacard);
    // Takes the current scene off the screen stack, wherever it stands there, and off the
    // PDA, hides it when it is shown, stops its audio and deletes it. Always 1.
    bool UnloadScene();
    // After a location aId that did not load: when no screen is left, or only the location
    // card that was to load it (its chime over, the card then taken down at once), the
    // main menu fades in as the only screen with the cursor shown. Logged whether or not
    // the menu could open; a stack with anything else on it is left alone. While a change
    // of screen runs, the look waits for its end.
    static void ShowMenuWhenNoScreenIsLeft(const LString& aId);

    // Where the next viewpoint set-up puts the player (ground x, z) and the direction it
    // faces; each replaces the previous value. Cleared by every LoadScene.
    void SetPendingPosition(const LVector2& aPosition);
    void SetPendingDirection(const LVector2& aDirection);
    const LVector2* GetPendingPosition() const { return mPendingPosition; }
    const LVector2* GetPendingDirection() const { return mPendingDirection; }

    // The current scene's per-frame work and drawing; 1 without a scene.
    bool Update();
    bool Render();

    // The message box's input listener: a box turns the current scene's input off, and
    // its closing turns it back on unless the PDA is open over the scene.
    void OnMessageBoxReply(const LString& aId, int aAnswer) override;
    void OnMessageBoxShown() override;
    void OnMessageBoxClosed() override;

private:
    void ClearPending();

    LVector2* mPendingPosition = nullptr;
    LVector2* mPendingDirection = nullptr;
    GMScene* mScene = nullptr;
    // False for a scene handed in by SetScene.
    bool mOwnsScene = false;
};
