// A 2-D overlay for inspecting a scene's navigation: the walkable areas (the current
// camera's in white) and obstacles, the ground meshes' triangles, the way-points with
// their links and names, the route, the walker as an arrow and markers for the target,
// the next point and the last pick. A click on it sends the walker to the clicked ground
// point.
//
// The overlay "navdisplay" joins the display manager's root at construction, inactive:
// nothing is drawn and nothing hit until a developer tool activates it and registers it
// as a mouse listener. The content group maps the navigation's ground plane with y up.
//
// The navigation, its path finding and the steering are not owned; whoever owns them
// deletes the display first (or calls Create again). The display belongs to the display
// tree as well: an owner that keeps a pointer to it gives BindOwner the pointer's address,
// which the display clears when the tree deletes it first.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "LRectangle.h"
#include "LVector2.h"
#include "container/LString.h"
#include "stdlib/LIFrameListener.h"

class LColor;
class LFrame;
class LIPathFinding;
class LNavigationTDO;
class LSPolygon;
class LSRectangle;
class LSteeringTDO;
class LTextArea;

class LNavigationTDODisplay : public LDisplayGroup,
                              public LIKeyboardListener,
                              public LIMouseListener,
                              public LIFrameListener
{
public:
    static constexpr float kWidth = 560.0f;
    static constexpr float kHeight = 560.0f;
    static constexpr float kMargin = 25.0f;
    static constexpr float kLeft = 220.0f;
    static constexpr float kTop = 20.0f;
    // After the routing (-100.0) and the steering (-95.0).
    static constexpr float kFramePriority = -90.0f;
    // Where the walker is parked until the first frame.
    static constexpr float kParked = -300.0f;
    static constexpr float kRadiansToDegrees = 57.29578f;
    // The clamp of a clicked point into the walkable space.
    static constexpr float kClickClampDistance = 0.5f;
    static constexpr float kClickClampStep = 0.5f;

    LNavigationTDODisplay();
    LNavigationTDODisplay(const LNavigationTDODisplay&) = delete;
    LNavigationTDODisplay& operator=(const LNavigationTDODisplay&) = delete;
    // Leaves the keyboard, mouse and frame listeners and clears the bound owner pointer.
    ~LNavigationTDODisplay() override;

    LString Dump() const override;

    // Builds the overlay for aNavigation (required) and aSteering (may be null), shows
    // the navigation's current camera, parks the navigation at (-300, -300, 0) and joins
    // the keyboard (priority 0) and the frame manager (kFramePriority).
    bool Create(LNavigationTDO* aNavigation, LSteeringTDO* aSteering);
    // One outlined triangle per triangle of every subset of every frame's mesh, x and z of
    // the world corners in the plane. Frames without a mesh are skipped.
    bool SetupGroundMeshes(int aCount, LFrame* const* aFrames);
    // Fits the view to the union of aCamera's walkable areas (exact name) and colours its
    // areas white. False, with the old view kept, without a navigation with current areas
    // or without an area of that camera.
    bool SetView(const LString& aCamera);
    // Scales the content by (s, -s), s = (size - 2 margins) / the larger side, centred
    // inside the margins. A null rectangle or one without extent is refused (logged).
    bool FitContentRect(const LRectangle* aRect);
    bool ResetView();
    bool SetPickPosition(const LVector2& aPoint);

    // The address of the owner's pointer to this display, cleared when the display ends.
    void BindOwner(LNavigationTDODisplay** aOwnerSlot) { mOwnerSlot = aOwnerSlot; }

    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnFrame() override;

    // The ground point under a screen point, through the content group's inverse world
    // matrix.
    bool ScreenToGround(const LVector2& aScreen, LVector2& aOut);
    // The content's scale factor (0 before the first fitted view).
    float GetScaleFactor() const { return mScaleFactor; }
    const LString& GetViewName() const { return mViewName; }
    const LRectangle* GetViewRect() const { return mViewRect; }
    LDisplayGroup* GetContentGroup() const { return mContent; }

private:
    bool AddTo(LDisplayGroup* aGroup, LIDisplayObject* aMember, const char* aId);
    LDisplayGroup* MakeGroup(LDisplayGroup* aParent, const char* aId);
    LSPolygon* MakePolygon(const LVector2* aPoints, int aCount, bool aClosed, const LColor& aColor);
    LSRectangle* MakeMarker(const char* aId, const LColor& aColor);
    bool BuildAreas();
    bool BuildWayPoints();
    void ColourAreas();
    void Leave();

    LNavigationTDO* mNavigation = nullptr;
    LIPathFinding* mPathFinding = nullptr;
    LSteeringTDO* mSteering = nullptr;

    LDisplayGroup* mContent = nullptr;
    LDisplayGroup* mPositive = nullptr;
    LDisplayGroup* mNegative = nullptr;
    LDisplayGroup* mWayPoints = nullptr;
    LDisplayGroup* mPathGroup = nullptr;
    LDisplayGroup* mGroundMeshes = nullptr;
    LSRectangle* mPick = nullptr;
    LSRectangle* mTarget = nullptr;
    LSPolygon* mVisibleTarget = nullptr;
    LSPolygon* mPlayer = nullptr;
    LSPolygon* mPath = nullptr;
    LTextArea* mViewText = nullptr;

    LString mViewName;
    LRectangle* mViewRect = nullptr;
    float mScaleFactor = 0.0f;
    bool mViewFitted = false;
    bool mShowGroundMeshes = true;

    bool mKeyboardListening = false;
    bool mFrameListening = false;
    LNavigationTDODisplay** mOwnerSlot = nullptr;
};
