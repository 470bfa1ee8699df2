// The computer screen beside an expert interview with the crime lab (kind 0), the research
// desk (1) or the surveillance desk (2): the expert's background from
// "//textures/expertcomputer/interface_layout.txt" ("experts.crimelab", "experts.research",
// "experts.surveillance"), a profile that types itself out one character at a time (an
// item and where it was collected, or a person's name, age and occupation, in the font
// "OCRA18"), the result's icon from "icons_results.txt" centred in the 200 x 160 box at
// (530, 175), and five decorations that blink on and off at random.
//
// The interview opens it as a screen (pushed with a fade) when its notepad is shown; the
// notepad stays on top, moved to the left. Closing runs two passes of the screen fader:
// at black the computer is hidden and taken off the stack and the screen below shown
// again, and when the picture is back the interview's exit starts.
//
// A singleton of the game cleaner. Whatever the layout lacks is left out.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMIScreenFaderListener.h"

class GMExpertInterview;
class LDisplayGroup;
class LIDisplayObject;
class LPropertyList;
class LSprite;
class LTextArea;

class GMExpertComputer : public LBase,
                         public GMIScreen,
                         public LIButtonListener,
                         public LIFrameListener,
                         public GMIScreenFaderListener
{
public:
    static constexpr int kAnimationCount = 5;
    enum Field
    {
        FIELD_ITEM = 0,
        FIELD_LOCATION = 1,
        FIELD_NAME = 2,
        FIELD_AGE = 3,
        FIELD_OCCUPATION = 4,
        FIELD_COUNT = 5,
        FIELD_NONE = -1,
    };
    static constexpr float kNotepadX = -130.0f;
    static constexpr float kNotepadY = 0.0f;
    static constexpr float kLinesBlend = 0.25f;
    static constexpr float kStepTime = 0.03f;
    static constexpr float kBlendStep = 0.1f;

    static GMExpertComputer* GetInstance();
    // The computer if it exists; never makes it.
    static GMExpertComputer* Peek();

    GMExpertComputer();
    GMExpertComputer(const GMExpertComputer&) = delete;
    GMExpertComputer& operator=(const GMExpertComputer&) = delete;
    ~GMExpertComputer() override;

    LString Dump() const override;

    // Stores the kind and the interview and pushes the screen with a fade (already on the
    // stack, it is built again for them); false when the screen manager refuses the push.
    bool Open(int aKind, GMExpertInterview* aInterview);
    // Shows one profile (a topic's "info" list, its texts keys of aSubtitles) and gives
    // its "item" to the inventory.
    void ShowInfo(LPropertyList* aInfo, LPropertyList* aSubtitles);
    // Starts closing (fades to black), or, while a change of screen runs (the computer
    // still fades in), once it has ended; false when the screen is not built.
    bool Close();
    // The interview is going: the computer keeps no pointer to it.
    void ForgetInterview(GMExpertInterview* aInterview);
    // Pushed but not shown yet (the fade to it still runs): it cannot close before.
    bool IsOpening() const;

    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;
    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;
    void OnFade(int aEvent) override;

    LDisplayGroup* GetRoot() const { return mRoot; }
    int GetKind() const { return mKind; }
    GMExpertInterview* GetInterview() const { return mInterview; }
    LTextArea* GetField(int aField) const;
    int GetCurrentField() const { return mCurrentField; }
    bool IsTyping() const { return mTyping; }
    LSprite* GetIcon() const { return mIcon; }
    LSprite* GetLines() const { return mLines; }
    LSprite* GetAnimation(int aIndex) const;
    LIDisplayObject* GetProfileGroup() const { return mProfile; }
    LIDisplayObject* GetEvidenceGroup() const { return mEvidence; }

private:
    void Build();
    LIDisplayObject* BuildPart(LPropertyList* aExpert, const char* aKey);
    void BuildFields();
    void BuildAnimations(LPropertyList* aExpert, double aNow);
    void StepAnimations(double aNow);
    void TypeNext(double aNow);
    void ReplaceIcon(LPropertyList* aInfo);
    static double Now();
    static double NextDelay(int aModulo);

    LDisplayGroup* mRoot = nullptr;
    int mKind = 0;
    GMExpertInterview* mInterview = nullptr;
    LIDisplayObject* mProfile = nullptr;
    LIDisplayObject* mEvidence = nullptr;
    LSprite* mAnimations[kAnimationCount] = {};
    bool mFadingIn[kAnimationCount] = {};
    bool mFadingOut[kAnimationCount] = {};
    float mBlends[kAnimationCount] = {};
    double mNextTimes[kAnimationCount] = {};
    double mLastTick = 0.0;
    // The profile's texts by field.
    LString mTexts[FIELD_COUNT];
    bool mTyping = false;
    LTextArea* mFields[FIELD_COUNT] = {};
    int mCurrentField = FIELD_NONE;
    LString mCurrentText;
    int mTyped = 0;
    double mNextCharacter = 0.0;
    LSprite* mIcon = nullptr;
    LSprite* mLines = nullptr;
    bool mListening = false;
    // Closing: the computer is the screen fader's listener.
    bool mClosing = false;
};
