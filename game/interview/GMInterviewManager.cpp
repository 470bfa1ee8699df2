#include "interview/GMInterviewManager.h"

#include "stdlib/LLog.h"

void GMInterviewManager::PreloadInterview(const LString& aId)
{
    L_NOTE("PreloadInterview: interviews cannot be loaded yet: " + aId);
}

void GMInterviewManager::ClearInterviews()
{
}

GMInterview* GMInterviewManager::SelectInterview(const LString& aId)
{
    L_NOTE("SelectInterview: interviews cannot be loaded yet: " + aId);
    return nullptr;
}

bool GMInterviewManager::StartCurrentInterview()
{
    L_NOTE("StartCurrentInterview: no interview is selected.");
    return false;
}

template class GMStandIn<GMInterviewManager>;
