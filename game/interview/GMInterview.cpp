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

bool GMInterview::Create(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName)
{
    mId = aDataName.Mid(0, aDataName.GetLength() - 4, 0);
    delete mDataList;
    mDataList = aDataList;
    L_NOTE("Create: the interview's data is not read yet: " + aSubtitlesName);
    return true;
}

bool GMInterview::Start()
{
    L_NOTE("Start: interviews cannot be shown yet.");
    return false;
}
