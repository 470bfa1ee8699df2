// The one subtitle strip every voiced line writes into: a translucent background over
// the bottom of the screen and up to two lines of text (the main line and one appended
// under it), faded in by Show and out by FadeOut. Option toggle 0 (subtitles off) keeps
// it from ever appearing; the lines are set all the same.
//
// Users set the text, call Show only when IsShown is false, and FadeOut when the line is
// over. SkipNextFadeOut makes the next FadeOut do nothing, for a strip that must stay up
// across a fade-out that other code will ask for.
#pragma once
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFader.h"

class LIFont;
class LTextArea;

class GMSubtitle : public LDisplayGroup, public LIFaderListener
{
public:
    // The strip, made on first use (placed in the display tree at relative z 1000.0 and
    // registered with the game cleaner); null when it cannot be made (logged) and after
    // the cleaner has deleted it.
    static GMSubtitle* GetInstance();

    GMSubtitle();
    GMSubtitle(const GMSubtitle&) = delete;
    GMSubtitle& operator=(const GMSubtitle&) = delete;
    ~GMSubtitle() override;

    LString Dump() const override;

    // The background, the text group and the faders; false when a stage failed (the
    // later ones are not built).
    bool Build();
    // Makes aText the only line of the strip (an appended line is dropped).
    bool SetText(const LString& aText, LIFont* aFont);
    // Puts aText in the line under the main one, replacing an earlier appended line.
    bool AppendText(const LString& aText, LIFont* aFont);
    // Fades the strip in from nothing, restarting a fade under way; true.
    bool Show();
    // Fades the strip out, or only consumes the skip flag; false when the text fade
    // could not start (a fade-in under way then ends as the fade-out instead).
    bool FadeOut();
    void SkipNextFadeOut() { mSkipNextFadeOut = true; }
    // Whether the last fade-in has ended (and no fade-out or hide has ended since).
    bool IsShown() const { return mShown; }
    // Hides the strip at once: any fade stops and the strip stays hidden until Show.
    void Hide();

    void OnFaderEvent(const LString& aFaderId, int aEvent) override;

    LDisplayGroup* GetBackgroundGroup() const { return mBackground; }
    LDisplayGroup* GetTextGroup() const { return mTextGroup; }
    // Null until the first SetText.
    LTextArea* GetMainLine() const { return mMainLine; }
    // Null unless AppendText was used since the last SetText.
    LTextArea* GetAppendedLine() const { return mAppendedLine; }
    bool IsShowing() const { return mShowing; }
    // Whether a fade (in or out) is under way.
    bool IsFading() const { return mBackgroundFader.IsRunning() || mTextFader.IsRunning(); }

private:
    // Replaces *aLine with a new line of aText under aId at (0, aY).
    void PutLine(LTextArea** aLine, const LString& aId, float aY, const LString& aText, LIFont* aFont);
    void DropLine(LTextArea** aLine);
    static void Fade(LFader& aFader, float aFrom, float aTo, int aDirection);

    LDisplayGroup* mBackground = nullptr;
    LDisplayGroup* mTextGroup = nullptr;
    LTextArea* mMainLine = nullptr;
    LTextArea* mAppendedLine = nullptr;
    LFader mBackgroundFader;
    LFader mTextFader;
    bool mShowing = false;
    bool mShown = false;
    bool mSkipNextFadeOut = false;
};
