// The platform: the window, the graphics device, the input devices and the main loop,
// through which every call enters the program. Start-up takes the one platform from Get
// (made by the creator registered under "platform"), initialises it with the start-up
// parameters, hands it the application (SetApp, which passes ownership), starts the
// application with Init(0) and calls Run, which returns when the window is closed or the
// application quits; then it deletes the platform, which deletes the application.
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LApp;
class LIObjectCreator;
struct LPlatformParams;

class LIPlatform : public LObject
{
public:
    // The platform, made on first use through the API object manager with creator id
    // "platform" and parameter 0; null when it cannot be made (logged) and once it has
    // been deleted. The platform is not handed to the cleaner: start-up deletes it.
    static LIPlatform* Get();

    LIPlatform();
    LIPlatform(const LIPlatform&) = delete;
    LIPlatform& operator=(const LIPlatform&) = delete;
    // Deletes the application.
    ~LIPlatform() override;

    // Starts the application (its Init) when one is set; 1.
    int Init(int aParameter) override = 0;
    // Makes the window, the graphics device and the input; 1 on success, 0 on failure.
    virtual int Init(LPlatformParams& aParams) = 0;
    // Tells the application (OnQuit) and ends the loop before its next pass.
    virtual void Quit() = 0;
    virtual void OnActivate();
    virtual void OnDeactivate();
    // One frame of the application.
    virtual void Frame() = 0;
    // The main loop; 0 when it ends.
    virtual int Run() = 0;

    LApp* GetApp() const { return mApp; }
    // Takes ownership; a different application set before is deleted.
    void SetApp(LApp* aApp);
    bool IsActive() const { return mActive; }

protected:
    // The application's OnQuit, at most once for the life of the platform.
    void NotifyQuit();

    LApp* mApp = nullptr;
    LString mTitle;
    int mWidth = 0;
    int mHeight = 0;
    bool mWindowed = false;
    bool mActive = true;
    int mBits = 0;

private:
    // The creator registered under "platform" when the program registered none. The one
    // place that names the implementation.
    static LIObjectCreator* NewDefaultCreator();

    bool mQuitNotified = false;
};
