#include "interview/GMInterviewManager.h"

#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

GMInterviewManager::~GMInterviewManager()
{
    delete mPocketObjects;
}

const LPropertyList* GMInterviewManager::GetPocketObjects()
{
    if (!mPocketObjectsRead) {
        mPocketObjectsRead = true;
        auto* list = L_NEW LPropertyList();
        if (list->Load(LString("//interviews/pocketobjects.txt"), true)) {
            mPocketObjects = list;
        } else {
            delete list;
        }
    }
    return mPocketObjects;
}

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
