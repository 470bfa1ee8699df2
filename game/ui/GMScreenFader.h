// A full-screen black overlay above every other 2-D object, faded by an engine fader:
// FadeOut covers the picture with black, FadeIn clears it again, each over mFadeTime. One
// listener hears the fades; the screen manager takes it for its changes of screen, and
// other parts (a scene's change of viewpoint, interviews) take it for fades of their own.
#pragma once
#include "Gdi/LFader.h"
#include "object/LBase.h"

class GMIScreenFaderListener;
class LDisplayGroup;
class LSprite;

class GMScreenFader : public LBase, public LIFaderListener
{
public:
    // The fader, made and set up (Init) on first use and registered with the game
    // cleaner; null when it cannot be made (logged).
    static GMScreenFader* GetInstance();
    // The fader if it exists; never makes it.
    static GMScreenFader* Peek();

    GMScreenFader();
    ~GMScreenFader() override;

    LString Dump() const override;

    // Builds the overlay in opaque black, adds it to the display tree and makes the engine
    // fader that drives its blend (0 clear, 1 black). A second call replaces both.
    bool Init();
    bool FadeIn();
    // On a picture that is already black the listener hears "finished" at once.
    bool FadeOut();
    // Null is refused, and so is any listener but the holder while the fader is held.
    bool SetListener(GMIScreenFaderListener* aListener);
    // Clears the listener only when it is aListener.
    bool RemoveListener(GMIScreenFaderListener* aListener);
    // The holder keeps the fader until it releases it; a second holder is refused
    // (logged). Release by any other than the holder does nothing.
    bool Hold(GMIScreenFaderListener* aHolder);
    void Release(GMIScreenFaderListener* aHolder);
    bool SetValue(float aValue);
    bool SetTargetValue(float aValue);
    void SetActive(bool aActive);

    void OnFaderEvent(const LString& aFaderId, int aEvent) override;

    GMIScreenFaderListener* GetListener() const { return mListener; }
    GMIScreenFaderListener* GetHolder() const { return mHolder; }
    LDisplayGroup* GetGroup() const { return mGroup; }
    bool IsFadedIn() const { return mFadedIn != 0; }
    float GetFadeTime() const { return mFadeTime; }

private:
    // The overlay group holding one sprite of the colour, scaled over the screen.
    bool BuildOverlay(float aAlpha, float aRed, float aGreen, float aBlue);

    LFader* mFader = nullptr;
    GMIScreenFaderListener* mListener = nullptr;
    GMIScreenFaderListener* mHolder = nullptr;
    LSprite* mSprite = nullptr;
    LDisplayGroup* mGroup = nullptr;
    float mFadeTime = 0.3f;
    int mFadedIn = 1;
};
