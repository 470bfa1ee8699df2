// A one-line label: raster-font text on an optional filled and outlined rectangle, shown
// and hidden with a short fade of its blend. The background measures (text width + 4) x
// (row height + 4) from the tool tip's origin, with the text 2 pixels in.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "stdlib/LIFrameListener.h"

class LColor;
class LIFont;
class LITimer;
class LSRectangle;
class LTextArea;

class LToolTip : public LDisplayGroup, public LIFrameListener
{
public:
    LToolTip();
    ~LToolTip() override;

    LString Dump() const override;

    bool Create(LIFont* aFont);
    void SetText(const LString& aText);
    void SetFillColor(const LColor& aColor);
    void SetStrokeColor(const LColor& aColor);
    // Refused while a fade runs.
    int SetFadeLength(float aSeconds);
    // Shows the tool tip fading in from blend 0; a running fade-out turns back.
    int FadeIn();
    // Fades a visible tool tip out and hides it at the end; a running fade-in turns back.
    int FadeOut();
    // Hides at once and stops any fade.
    void Hide();
    // Moves the tool tip so that its text stays on the screen.
    void KeepOnScreen();
    // One fade step.
    void OnFrame() override;

    bool IsFadingIn() const { return mFadingIn; }
    bool IsFadingOut() const { return mFadingOut; }
    LTextArea* GetTextArea() const { return mTextArea; }
    LSRectangle* GetBackground() const { return mBackground; }

private:
    double Now() const;
    // Turns a running fade round so the blend goes back from where it is.
    void Reverse(double aNow);
    bool StartListening();
    void StopListening();
    void SizeBackground();
    bool MakeBackground();

    LDisplayGroup* mInner = nullptr;
    LTextArea* mTextArea = nullptr;
    LIFont* mFont = nullptr;
    LString mText;
    float mFadeBlend = 0.0f;
    double mStartTime = 0.0;
    float mFadeLength = 0.25f;
    double mEndTime = 0.0;
    bool mFadingIn = false;
    bool mFadingOut = false;
    LITimer* mTimer = nullptr;
    LSRectangle* mBackground = nullptr;
    bool mListening = false;
};
