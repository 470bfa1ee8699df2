// The interview with one of the case's experts: the crime lab, the research desk, the
// surveillance desk (each with the expert computer beside the notepad) or any other
// expert (kind 3, the notepad alone). The topics are a checklist in the notepad
// ("//textures/interview/expert_interview_layout.txt"), each asked in the one mode
// "stra"; a topic's "info" list is the profile the expert computer types out. The
// interview opens with "intros" when a topic is ready, "pending" when one is waiting,
// else a "noinfos" entry, and leaves through "btn_exit": the computer closes, the "exit"
// sequence plays, and only then the interview ends (listener told 1, cut scenes asked
// for, the player rises).
//
// The kind comes from characters 2 and 3 of the id (case ignored): "CL" 0, "RE" 1,
// "SU" 2, anything else 3. Experts have no meter: the answers' steps do nothing.
//
// The notepad, its scroll bar (from "//textures/interview/interview_layout.txt", as the
// checkmark and the hourglass) and the topic list are the interview's own.
#pragma once
#include "container/LHashKeyList.h"
#include "interview/GMInterview.h"

class GMExpertTopicArea;

class GMExpertInterview : public GMInterview
{
public:
    static constexpr int KIND_CRIME_LAB = 0;
    static constexpr int KIND_RESEARCH = 1;
    static constexpr int KIND_SURVEILLANCE = 2;
    static constexpr int KIND_OTHER = 3;
    // The mode every topic is asked in: "stra".
    static constexpr int kAskedMode = 3;
    static constexpr float kNotepadX = 400.0f;
    static constexpr float kNotepadY = 150.0f;
    static constexpr float kNotepadZ = 100.0f;

    // The kind of an interview id.
    static int KindOfId(const LString& aId);

    GMExpertInterview();
    ~GMExpertInterview() override;

    LString Dump() const override;
    LString GetType() const override;

    // As the witness interview's, with the info table, the expert's topic list and the
    // notepad; false (logged) when the subtitle list does not load.
    bool Create(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName) override;
    bool SetupTopicArea(LPropertyList* aDataList) override;
    bool SetupNotepad();
    // Seats the characters, tells the listener 0 and plays the opening. True.
    bool Start() override;

    // A topic's answer has ended: no topic is selected, not busy, the list updated.
    void OnTopicFinished();
    // Plays the "exit" sequence, after which the interview ends; without one it ends at
    // once. Only the first call counts until the end.
    void Exit();

    // Experts have no meter.
    void ApplyGoodStep() override {}
    void ApplyBadStep() override {}

    void OnButton(const LString& aId, int aEvent) override;
    void OnMove(const LVector2& aPosition) override;
    void OnWheel(float aDelta) override;
    void OnSequenceDone() override;

    int GetKind() const { return mKind; }
    bool IsExiting() const { return mExiting; }
    // The "info" list of a topic, or null.
    LPropertyList* GetInfo(const LString& aTopic) const;
    LDisplayGroup* GetNotepad() const { return mPanel; }
    GMExpertTopicArea* GetExpertTopicArea() const;

private:
    // "intros" or "pending": one entry at random; an entry that makes no sequence (or
    // none at all) leads straight to the notepad.
    void PlayOpening(const char* aKey);
    void PlayNoInfos();
    void ShowNotepad();
    void AskCurrentTopic();
    // The topic button of a topic, made as the witness list's with a checkmark and an
    // hourglass in every picture.
    LButton* MakeExpertTopicButton(const LString& aKey, const LString& aTitle);

    int mKind = KIND_OTHER;
    // Topic key -> the topic's "info" list (the lists belong to the data list).
    LHashKeyList mInfos {7, false};
    bool mExiting = false;
};
