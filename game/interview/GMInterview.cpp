#include "interview/GMInterview.h"

#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "interview/GMInterviewTopicArea.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"

GMInterview::GMInterview()
    : mStateManager(LStateManager::Get())
{
}

GMInterview::~GMInterview()
{
    delete mTopicArea;
    delete mTooltipTexts;
    delete mDataList;
    delete mSubtitleList;
    delete mTopicButtonLayout;
    delete mCharacters;
}

LString GMInterview::Dump() const
{
    return DumpHead("GMInterview") + "]";
}

LString GMInterview::GetType() const
{
    return LString("regular");
}

bool GMInterview::OnMeterFull(bool aGood)
{
    mMeterFull = false;
    L_NOTE(aGood ? LString("OnMeterFull: completing an interview is not built yet.")
                 : LString("OnMeterFull: failing an interview is not built yet."));
    return false;
}
