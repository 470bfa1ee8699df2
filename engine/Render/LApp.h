// The application as the platform sees it. Every operation has an empty default body, so
// an application overrides only what it needs. The platform owns its application and
// deletes it through the virtual destructor.
//
// Input arrives from the platform's devices: keys as DirectInput scan codes 0..255,
// mouse buttons as 1 left, 2 right, 3 middle with the device name u"mouse", movement as
// OnMove(u"mouse", position) and the wheel as OnMove(u"wheel", (0, running total)). The
// position given with u"mouse" is the device's running position itself: a change the
// application makes to it (clamping it to the screen, say) stays, and later movement adds
// to the changed value.
#pragma once

class LVector2;

class LApp
{
public:
    LApp() = default;
    LApp(const LApp&) = delete;
    LApp& operator=(const LApp&) = delete;
    virtual ~LApp();

    virtual void OnButtonDown(const char16_t* aDevice, int aButton);
    virtual void OnButtonUp(const char16_t* aDevice, int aButton);
    virtual void OnMove(const char16_t* aDevice, LVector2& aValue);
    // The platform is quitting or being destroyed; called once.
    virtual void OnQuit();
    // The application starts; the platform does not use the result.
    virtual bool Init();
    virtual void OnKeyDown(int aKey);
    virtual void OnKeyUp(int aKey);
    // One frame, inside the platform's begin-scene/end-scene bracket, after the input;
    // false when drawing failed (the platform goes on regardless).
    virtual bool Update();
    virtual void OnActivate();
    virtual void OnDeactivate();
};
