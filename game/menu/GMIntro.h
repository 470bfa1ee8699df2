// The first screen of the program: the maker's logo movie, full screen, after which the
// main menu replaces it and everything else on the screen stack. The space bar skips the
// movie from half a second after it starts; the skip is carried out on the next frame.
// While the movie plays the mouse belongs to the intro: its moves only steer the engine
// cursor (hidden here) and its clicks do nothing.
#pragma once
#include "GMIScreen.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "Video/LIMovieListener.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class LIMoviePlayer;

class GMIntro : public LBase,
                public GMIScreen,
                public LIMovieListener,
                public LIKeyboardListener,
                public LIFrameListener,
                public LIMouseListener
{
public:
    static constexpr int kSpaceKey = 57;
    static constexpr float kSkipDelay = 0.5f;
    static constexpr float kMovieZ = 1000.0f;

    // The intro, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMIntro* GetInstance();

    GMIntro();
    GMIntro(const GMIntro&) = delete;
    GMIntro& operator=(const GMIntro&) = delete;
    ~GMIntro() override;

    LString Dump() const override;

    void OnLeave() override;
    void OnHidden() override;
    // Starts the movie; a movie that cannot be made leads to the main menu at once.
    void OnShow() override;

    void OnMovieEnded(LString aName) override;
    void OnKeyDown(int aKey) override;
    // The space bar asks for the skip.
    void OnKeyUp(int aKey) override;
    void OnFrame() override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;

    LIMoviePlayer* GetMovie() const { return mMovie; }
    bool IsSkippable() const { return mInKeyboard; }

private:
    void DeleteMovie();
    void ReleaseInput();
    // The stack cleared and the main menu pushed.
    static void ShowMainMenu();

    LIMoviePlayer* mMovie = nullptr;
    // The timer time from which the space bar is heard; negative once it is.
    double mSkipTime = -1.0;
    bool mSkipRequested = false;
    bool mInFrames = false;
    bool mInKeyboard = false;
    bool mMouseLocked = false;
};
