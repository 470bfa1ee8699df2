// The credits: a slide show over black of pictures and pages of centred text lines, to
// looping music. The first slide fades in one second after the screen opens, then a new
// picture and a new page cross-fade in every five seconds (twenty steps of 0.05, at
// least 0.03 s apart), endlessly; pictures and pages wrap around each on its own, and a
// kind the credits file does not give is left out. Any key returns to the main menu;
// mouse clicks do nothing.
//
// "//textures/menu/credits.txt": "credits.images", one entry per picture with its
// "file" under "//textures/menu/"; "credits.screens", one entry per page whose
// "entries" are blocks of lines.
#pragma once
#include "GMIScreen.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

#include <vector>

class LDisplayGroup;
class LIDisplayObject;
class LISoundPlayer;
class LPropertyList;

class GMCreditsScreen : public LBase,
                        public GMIScreen,
                        public LIMouseListener,
                        public LIKeyboardListener,
                        public LIFrameListener
{
public:
    static constexpr float kFirstChange = 1.0f;
    static constexpr float kSlideTime = 5.0f;
    static constexpr float kFadeStep = 0.05f;
    static constexpr float kFadeInterval = 0.03f;
    static constexpr float kBlockGap = 30.0f;

    // The screen, made on first use and registered with the game cleaner; null when it
    // cannot be made (logged) and after the cleaner has deleted it.
    static GMCreditsScreen* GetInstance();

    GMCreditsScreen();
    GMCreditsScreen(const GMCreditsScreen&) = delete;
    GMCreditsScreen& operator=(const GMCreditsScreen&) = delete;
    ~GMCreditsScreen() override;

    LString Dump() const override;

    void OnLeave() override {}
    void OnHidden() override;
    void OnShow() override;

    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    // Any key: back to the main menu.
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int) override {}
    void OnFrame() override;

    LDisplayGroup* GetRoot() const { return mRoot; }
    int GetPictureCount() const { return static_cast<int>(mPictures.size()); }
    int GetPageCount() const { return static_cast<int>(mPages.size()); }
    LIDisplayObject* GetPicture(int aIndex) const;
    LDisplayGroup* GetPage(int aIndex) const;
    int GetPictureIndex() const { return mPictureIndex; }
    int GetPageIndex() const { return mPageIndex; }
    bool IsCrossFading() const { return mCrossFading; }
    // The timer's time of the next change; negative while a cross-fade runs.
    double GetNextChange() const { return mNextChange; }
    bool IsListening() const { return mListening; }
    LISoundPlayer* GetMusic() const { return mMusic; }

private:
    void Build();
    void BuildPictures();
    void BuildPages();
    LDisplayGroup* BuildPage(int aIndex, LPropertyList* aPage);
    void StartChange(double aNow);
    void StepFade(double aNow);
    void SetBlends();
    void Listen(bool aOn);
    void Clear();

    LDisplayGroup* mRoot = nullptr;
    LPropertyList* mCredits = nullptr;
    std::vector<LIDisplayObject*> mPictures;
    std::vector<LDisplayGroup*> mPages;
    LISoundPlayer* mMusic = nullptr;
    int mPictureIndex = -1;
    int mPageIndex = -1;
    double mNextChange = -1.0;
    bool mCrossFading = false;
    float mFade = 0.0f;
    double mLastStep = 0.0;
    LIDisplayObject* mOutPicture = nullptr;
    LIDisplayObject* mInPicture = nullptr;
    LIDisplayObject* mOutPage = nullptr;
    LIDisplayObject* mInPage = nullptr;
    bool mListening = false;
};
