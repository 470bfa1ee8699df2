// The game as the platform drives it. Init starts the game once (cursor, fonts, device
// settings, the saved managers, every game singleton in a fixed order, then the intro on
// the screen stack); Update draws one frame in a fixed order: clear, frame listeners, the
// scene, the other node groups, and last the 2-D display tree over the 3-D picture.
//
// Input goes on to LMouse and LKeyboard. Only the devices named exactly u"mouse" and
// u"wheel" count: a mouse position is clamped in place to the last pixel column and row
// (799, 599), and the wheel, reported as a running total, reaches the mouse as the change
// since the previous report.
//
// The platform owns the application and deletes it; it is not on a cleaner, and its
// destructor deletes none of the singletons it uses.
#pragma once
#include "Render/LApp.h"

class GMSceneManager;
class LDisplayManager;
class LFontManager;
class LFrameManager;
class LIRasterizer;
class LKeyboard;
class LMouse;
class LNodeManager;

class GMApp : public LApp
{
public:
    // The application, made on first use; null when it cannot be made (logged).
    static GMApp* GetInstance();

    // Fetches (and so makes, in this order) the mouse, keyboard, rasterizer, frame
    // manager, node manager, font manager, scene manager and display manager.
    GMApp();
    ~GMApp() override;

    void OnButtonDown(const char16_t* aDevice, int aButton) override;
    void OnButtonUp(const char16_t* aDevice, int aButton) override;
    void OnMove(const char16_t* aDevice, LVector2& aValue) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    // The result of pushing the intro.
    bool Init() override;
    // The 2-D pass's result.
    bool Update() override;

private:
    void LogDeviceCapabilities();
    void CreateGameSingletons();

    LMouse* mMouse = nullptr;
    LKeyboard* mKeyboard = nullptr;
    LIRasterizer* mRasterizer = nullptr;
    LDisplayManager* mDisplayManager = nullptr;
    LFrameManager* mFrameManager = nullptr;
    LNodeManager* mNodeManager = nullptr;
    LFontManager* mFontManager = nullptr;
    GMSceneManager* mSceneManager = nullptr;
    // The last wheel total reported.
    float mLastWheel = 0.0f;
};
