// One loaded location of a case: its description ("scene.txt"), characters, lights, audio
// and the viewpoint shown. Load builds it from the scene folder "//scenes/" + id + "/";
// SetViewpoint builds a viewpoint (camera, depth mesh, background, display members,
// hotspots, close-ups, navigation, player placement, lights). While shown it is a screen on
// the screen stack: it turns clicks on the ground into walks (a double click runs), answers
// the fader, the PDA and the interview, and draws each frame: the 2-D background, the depth
// mesh into the depth buffer only, the characters with their shadows under the scene's
// lights, then the 2-D decals.
#pragma once
#include "GMIScreen.h"
#include "Input/LIMouseListener.h"
#include "LVector3.h"
#include "container/LString.h"
#include "interview/GMIInterviewListener.h"
#include "object/LBase.h"
#include "pda/GMIPDAListener.h"
#include "ui/GMIScreenFaderListener.h"

class GMCharacter;
class GMCloseUp;
class GMHotspot;
class GMLighting;
class GMPicker;
class GMSceneAudio;
class GMScreenFader;
class GMAmbientAnimPlayer;
class GMShadowSimple;
class LShadowBuffer;
class LCamera;
class LDisplayGroup;
class LDrawElement;
class LHashKeyList;
class LNodeGroup;
class LPropertyList;
class LSprite;
class LVector;

class GMScene : public LBase,
                public GMIScreen,
                public LIMouseListener,
                public GMIScreenFaderListener,
                public GMIPDAListener,
                public GMIInterviewListener
{
public:
    static constexpr float kMousePriority = 10.0f;
    static constexpr float kDefaultShadowShade = 0.3f;
    // What the player's shadow volumes are drawn with (they do not use it).
    static constexpr float kShadowVolumeValue = 0.25f;

    // Registers the scene's mouse listener (double clicks on) and hides the multi-cursor;
    // input stays off until the scene is shown.
    GMScene();
    GMScene(const GMScene&) = delete;
    GMScene& operator=(const GMScene&) = delete;
    ~GMScene() override;

    LString Dump() const override;

    // Loading: 0 (logged) for an empty id, a "scene.txt" that does not load, a
    // "lights_low.txt" without a global light or a default viewpoint that cannot be set.
    bool Load(const LString& aId);
    bool SetupCharacters();
    bool SetupLights();
    // Each takes the viewpoint's list of "scene.txt".
    bool SetupCamera(const LPropertyList* aViewpoint);
    bool SetupDepthMesh(const LPropertyList* aViewpoint);
    bool SetupDisplayMembers(const LPropertyList* aViewpoint);
    bool SetupHotspots(const LPropertyList* aViewpoint);
    bool SetupCloseUps(const LPropertyList* aViewpoint);
    bool SetupCuts();
    void PlacePlayer(const LPropertyList* aViewpoint);
    // Appends a hotspot of the current viewpoint (owned); 0 for null or a duplicate id.
    bool AddHotspot(GMHotspot* aHotspot);

    // Viewpoints and cuts. SetViewpoint: 0 (logged, nothing changed) when the viewpoint
    // has no list, or when its depth mesh does not load.
    bool SetViewpoint(const LString& aViewpoint);
    // Input off, fade to black, SetViewpoint, fade back in, input on.
    bool FadeToViewpoint(const LString& aViewpoint);
    // The camera, background and decals of a cut of the interviews; "-" returns to the
    // viewpoint's own.
    bool SetCut(const LString& aCut);

    // Input: the scene's mouse listener and the hotspots. Turning on is refused while the
    // scene is not shown.
    void SetInputEnabled(bool aEnabled);
    void SetHotspotsEnabled(bool aEnabled);
    // Makes the scene's mouse listener the mouse's only lock owner, or releases it.
    void SetMouseLock(bool aLock);

    // Interviews: start the interview manager's current interview with the scene as its
    // listener; afterwards put the witness and the player back to their ambient life.
    bool StartInterview();
    void ResetCharacters();
    // Re-evaluates the "active" script of every NPC that has one.
    void RefreshCharacters();

    // The location's ambient audio ("audio.txt"): made and started when missing; stopped
    // and deleted, which also clears the keep-audio flag.
    void StartAudio();
    void StopAudio();
    // Set by a screen that covers the scene just before it pushes itself, so that the
    // audio plays on under it; cleared at every hiding.
    void SetKeepAudio(bool aKeep) { mKeepAudio = aKeep ? 1 : 0; }
    bool GetKeepAudio() const { return mKeepAudio != 0; }

    // Per frame, only while shown; 1 otherwise.
    bool Update();
    bool Render();

    // GMIScreen.
    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;
    // LIMouseListener: a button down walks, a double click runs.
    void OnDoubleClick(int aButton) override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    // GMIScreenFaderListener: the end of the viewpoint change's fades.
    void OnFade(int aEvent) override;
    // GMIPDAListener: 1 (minimized) gives the scene its input back, 4 (opened) takes it.
    void OnPDAEvent(int aCode) override;
    // GMIInterviewListener: 0 takes the input away, 1 gives it back.
    void OnInterviewEvent(int aCode) override;

    // What the rest of the game reads.
    const LString& GetId() const { return mId; }
    const LString& GetViewpoint() const { return mViewpoint; }
    // "//scenes/" + id + "/".
    const LString& GetFolder() const { return mFolder; }
    // The location's "scene.txt", or null before Load.
    const LPropertyList* GetSceneData() const { return mDescription; }
    const LPropertyList* GetEvidence() const { return mEvidence; }
    GMCharacter* GetPlayer() const { return mPlayer; }
    // A character of the location by name (the player or an NPC), or null.
    GMCharacter* GetCharacter(const LString& aName) const;
    // Puts a character made elsewhere into the scene's table (owned), as the player or as
    // an NPC: for tests and scenes built without "scene.txt". 0 for null or a name taken.
    bool AddCharacter(const LString& aName, GMCharacter* aCharacter, bool aPlayer);
    int GetNPCCount() const { return mNPCCount; }
    GMCharacter* GetNPC(int aIndex) const;
    int GetHotspotCount() const;
    GMHotspot* GetHotspot(int aIndex) const;
    GMHotspot* FindHotspot(const LString& aId) const;
    // Every hotspot re-evaluates its activity and, while input is on, each active hotspot
    // with its input on hears the mouse position again.
    void UpdateHotspots();
    LCamera* GetCamera() const { return mCamera; }
    LDrawElement* GetDepthMesh() const { return mDepthMesh; }
    LSprite* GetBackground() const { return mBackground; }
    LDisplayGroup* GetDisplayGroup() const { return mDisplayGroup; }
    LNodeGroup* GetSceneGroup() const { return mSceneGroup; }
    GMPicker* GetPicker() const { return mPicker; }
    GMLighting* GetLighting() const { return mLighting; }
    GMSceneAudio* GetAudio() const { return mAudio; }
    GMShadowSimple* GetShadowSimple() const { return mShadowSimple; }
    LShadowBuffer* GetShadowBuffer() const { return mShadowBuffer; }
    GMAmbientAnimPlayer* GetAmbientPlayer() const { return mAmbient; }
    float GetShadowShade() const { return mShadowShade; }
    int GetDecalCount() const { return mDecalCount; }
    LSprite* GetDecal(int aIndex) const;
    // The current cut's camera, or null without a cut (or one whose camera is missing).
    LCamera* GetCutCamera() const { return mCutCamera; }
    // The cut last asked for by SetCut ("-" or empty: the viewpoint's own).
    const LString& GetCut() const { return mCut; }
    // Whether the cut tables exist: SetupCuts builds them, for a viewpoint with interview
    // hotspots; every SetViewpoint drops them.
    bool HasCutTables() const { return mCutCameras != nullptr; }

    bool IsActive() const { return mActive != 0; }
    bool IsInputEnabled() const { return mInputEnabled != 0; }
    bool HasMouseLock() const { return mMouseLock != 0; }
    bool IsFading() const { return mFadingOut != 0 || mFadingIn != 0; }
    // Set while an interview started from the scene runs.
    void SetInterviewRunning(bool aRunning) { mInterviewRunning = aRunning ? 1 : 0; }
    bool IsInterviewRunning() const { return mInterviewRunning != 0; }

    // The close-up shown over the scene, or null; close-ups set it when they open.
    GMCloseUp* GetCloseUp() const { return mCloseUp; }
    void SetCloseUp(GMCloseUp* aCloseUp) { mCloseUp = aCloseUp; }
    // The close-ups of the current viewpoint (owned).
    int GetCloseUpCount() const;
    GMCloseUp* GetCloseUpAt(int aIndex) const;

    // Where the player stands (y up) and the planar direction it faces (x, z in the first
    // two components). With a player these come from it and the navigation; a scene
    // made without characters keeps the place set by hand. Null when neither.
    void SetPlayerPlace(const LVector3& aPosition, const LVector3& aDirection);
    const LVector3* GetPlayerPosition() const;
    const LVector3* GetPlayerDirection() const;

private:
    const LPropertyList* ViewpointList(const LString& aViewpoint) const;
    // The navigation on this scene and viewpoint, the player bound to its steering and
    // placed.
    void SetupNavigation(const LPropertyList* aViewpoint);
    void DecideNPCs();
    // Whether an NPC of "characters.npcs" shows in the current viewpoint.
    bool DecideNPC(const LPropertyList* aNPC) const;
    void MakeAmbientPlayer();
    void UpdateShadowChoice();
    // The stencil shadow pass: the player's volumes for the shadow-casting light, then
    // the shade over what they mark.
    void RenderStencilShadows(LCamera* aCamera);
    void DeleteHotspots();
    void DeleteDecals();
    void DeleteCuts();
    void DeleteCloseUps();
    void DeleteCharacters();
    void SetInput(bool aEnabled);
    void OnClick(int aButton, bool aRun);

    LDrawElement* mDepthMesh = nullptr;
    LString mId;
    LString mViewpoint;
    LPropertyList* mDescription = nullptr;
    LNodeGroup* mSceneGroup = nullptr;
    LSprite* mBackground = nullptr;
    LCamera* mCamera = nullptr;
    GMPicker* mPicker = nullptr;
    LVector* mHotspots = nullptr;
    LPropertyList* mEvidence = nullptr;
    LVector* mCloseUps = nullptr;
    LPropertyList* mCloseUpList = nullptr;
    LPropertyList* mHotspotList = nullptr;
    GMCharacter* mPlayer = nullptr;
    GMCharacter** mNPCs = nullptr;
    int mNPCCount = 0;
    LHashKeyList* mCharacters = nullptr;
    LString mFolder;
    GMScreenFader* mFader = nullptr;
    unsigned char mFadingOut = 0;
    unsigned char mFadingIn = 0;
    unsigned char mInterviewRunning = 0;
    unsigned char mListenerRegistered = 0;
    unsigned char mInputEnabled = 0;
    unsigned char mActive = 0;
    unsigned char mMouseLock = 0;
    unsigned char mKeepAudio = 0;
    // Whether the scene listens to the PDA and has set the navigation up, so that it
    // leaves them as it goes.
    unsigned char mPDAListening = 0;
    unsigned char mNavigationSet = 0;
    GMLighting* mLighting = nullptr;
    float mShadowShade = kDefaultShadowShade;
    GMSceneAudio* mAudio = nullptr;
    LPropertyList* mAnimations = nullptr;
    // The ambient animations of the viewpoint, or null.
    GMAmbientAnimPlayer* mAmbient = nullptr;
    LDisplayGroup* mDisplayGroup = nullptr;
    LSprite** mDecals = nullptr;
    int mDecalCount = 0;
    LHashKeyList* mCutCameras = nullptr;
    LHashKeyList* mCutBackgrounds = nullptr;
    LHashKeyList* mCutDecals = nullptr;
    LHashKeyList* mCutScripts = nullptr;
    LCamera* mCutCamera = nullptr;
    LSprite* mCutBackground = nullptr;
    LVector* mCutDecal = nullptr;
    LVector* mCutScript = nullptr;
    unsigned char mSimpleShadows = 0;
    GMShadowSimple* mShadowSimple = nullptr;
    LShadowBuffer* mShadowBuffer = nullptr;
    GMCloseUp* mCloseUp = nullptr;
    LString mCut;
    LString mPendingViewpoint;
    // The place of a scene without a player (SetPlayerPlace) and the answers of the
    // accessors above.
    bool mHasPlace = false;
    mutable LVector3 mPlayerPosition;
    mutable LVector3 mPlayerDirection;
};
