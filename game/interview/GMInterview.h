// One interview with a witness: the player picks a topic from the topic list, then a tone
// of questioning, and the witness answers; good answers fill the good side of the meter,
// other answers the bad side, and a full side ends the interview.
//
// Built so far: what it holds, the topic list it owns, and what the meter and the topic
// list ask of it. Reading its data, starting, asking and ending come with the topics,
// the sequences and the interview manager; until then no interview is ever made by the
// game and a filled meter only clears the meter-full flag (noted).
#pragma once
#include "LVector2.h"
#include "container/LHashKeyList.h"
#include "container/LString.h"
#include "object/LBase.h"

class GMHotspot;
class GMIInterviewListener;
class GMInterviewMeter;
class GMInterviewScrollBar;
class GMInterviewSequence;
class GMInterviewTopicArea;
class LButton;
class LDisplayGroup;
class LPropertyList;
class LStateManager;
class LToolTip;
class LVectorString;

class GMInterview : public LBase
{
public:
    static constexpr int kModeCount = 5;

    GMInterview();
    GMInterview(const GMInterview&) = delete;
    GMInterview& operator=(const GMInterview&) = delete;
    ~GMInterview() override;

    LString Dump() const override;
    virtual LString GetType() const;

    // Where the interview panel stands on the screen.
    void SetInterviewPosition(const LVector2& aPosition) { mPosition = aPosition; }
    const LVector2& GetInterviewPosition() const { return mPosition; }
    // The hotspot whose talk action started the interview (not owned); null otherwise.
    void SetTalkHotspot(GMHotspot* aHotspot) { mTalkHotspot = aHotspot; }
    GMHotspot* GetTalkHotspot() const { return mTalkHotspot; }
    // Told 0 when the interview takes over and 1 when it gives control back.
    void SetListener(GMIInterviewListener* aListener) { mListener = aListener; }
    GMIInterviewListener* GetListener() const { return mListener; }
    const LString& GetWitnessId() const { return mWitness; }

    // The key of the selected topic; empty when none.
    LString GetCurrentTopic() const { return mCurrentTopic; }
    // The shared scroll bar of the interview panel (not owned); null until started.
    GMInterviewScrollBar* GetScrollBar() const { return mScrollBar; }
    // The topic list (owned); null until the topics are read.
    GMInterviewTopicArea* GetTopicArea() const { return mTopicArea; }
    bool IsBusy() const { return mBusy; }
    bool IsMeterFull() const { return mMeterFull; }
    // Called by the meter when a side has filled and its glow has flashed.
    bool OnMeterFull(bool aGood);

private:
    GMHotspot* mTalkHotspot = nullptr;
    LString mId;
    // Topic key -> topic (owned).
    LHashKeyList mTopics {7, false};
    GMInterviewTopicArea* mTopicArea = nullptr;
    LString mCurrentTopic;
    bool mBusy = false;
    // Font key -> font (not owned).
    LHashKeyList mFonts {7, false};
    LPropertyList* mDataList = nullptr;
    LPropertyList* mSubtitleList = nullptr;
    GMInterviewSequence* mSequence = nullptr;
    bool mContinueToTopics = false;
    bool mEndAfterSequence = false;
    bool mMeterFull = false;
    LString mDenialStateId;
    LString mNoInfoStateId;
    bool mPhoneCall = false;
    // Character key -> scene character (owned table, characters not owned).
    LHashKeyList* mCharacters = nullptr;
    LString mWitness;
    LStateManager* mStateManager = nullptr;
    LDisplayGroup* mPanel = nullptr;
    LVector2 mPosition {0.0f, 0.0f};
    bool mDragging = false;
    LVector2 mDragOffset {0.0f, 0.0f};
    GMInterviewScrollBar* mScrollBar = nullptr;
    LDisplayGroup* mModeGroup = nullptr;
    LButton* mModeButtons[kModeCount] = {};
    GMInterviewMeter* mMeter = nullptr;
    float mGoodStep = 0.0f;
    float mBadStep = 0.0f;
    LPropertyList* mTopicButtonLayout = nullptr;
    int mHoveredMode = -1;
    int mTooltipMode = kModeCount;
    bool mTooltipPending = false;
    bool mTooltipShown = false;
    float mHoverStart = -1.0f;
    LToolTip* mModeTooltip = nullptr;
    LVectorString* mTooltipTexts = nullptr;
    GMIInterviewListener* mListener = nullptr;
    bool mBuildingTopics = false;
};
