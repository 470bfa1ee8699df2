// The one subtitle strip every voiced line writes into. Nothing is drawn yet: the strip
// keeps its text, the fonts, its position and whether it is shown, so that callers behave
// as they will over the drawn strip.
#pragma once
#include "LVector2.h"
#include "container/LString.h"
#include "util/GMStandIn.h"

class LIFont;

class GMSubtitle : public GMStandIn<GMSubtitle>
{
public:
    static constexpr const char* kClassName = "GMSubtitle";

    // The only text of the strip; an appended line is dropped.
    bool SetText(const LString& aText, LIFont* aFont);
    // The line under the main one, replacing an earlier appended line.
    bool AppendText(const LString& aText, LIFont* aFont);
    // Shows the strip, unless subtitles are turned off in the options; true.
    bool Show();
    bool FadeOut();
    bool IsShown() const { return mShown; }
    void Hide();
    void SetPosition(float aX, float aY) { mPosition = LVector2(aX, aY); }
    const LVector2& GetPosition() const { return mPosition; }

    const LString& GetText() const { return mText; }
    const LString& GetAppendedText() const { return mAppendedText; }
    LIFont* GetFont() const { return mFont; }
    LIFont* GetAppendedFont() const { return mAppendedFont; }

private:
    LString mText;
    LString mAppendedText;
    LIFont* mFont = nullptr;
    LIFont* mAppendedFont = nullptr;
    LVector2 mPosition {0.0f, 0.0f};
    bool mShown = false;
};
