// The platform over the window, the Direct3D device and DirectInput. Each pass of Run:
// drain the window messages (WM_QUIT ends the loop); when the window was disturbed
// (activated, deactivated, moved or sized, a menu loop) reset the mouse; begin the scene;
// update the keyboard and the mouse, which call the application's input operations;
// the application's Update; end the scene and present.
#pragma once
#include "Render/LIPlatform.h"

class LGraphicsDX9;
class LInputDX9;
class LWindowWin;

class LPlatformPCDX9 : public LIPlatform
{
public:
    LPlatformPCDX9();
    // Tells the application (OnQuit, unless Quit did already), then deletes the graphics,
    // the input and the window object; the application goes with the base.
    ~LPlatformPCDX9() override;

    LString Dump() const override;

    int Init(int aParameter) override;
    // Uses aParams.mWindow when it is set (and then makes no input); otherwise makes the
    // window and writes it there. 0 (logged) on failure.
    int Init(LPlatformParams& aParams) override;
    void Quit() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void Frame() override;
    int Run() override;

    LGraphicsDX9* GetGraphics() const { return mGraphics; }
    LInputDX9* GetInput() const { return mInput; }

private:
    LGraphicsDX9* mGraphics = nullptr;
    LInputDX9* mInput = nullptr;
    LWindowWin* mWindow = nullptr;
    bool mQuit = false;
};
