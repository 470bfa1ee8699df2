#include "support/GMTestStateNotices.h"

#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/LTestStrings.h"

GMTestStateNotices::GMTestStateNotices(const char* aId) : mId(aId)
{
    LStateManager::Get()->AddListener(this, 10.0f);
}

GMTestStateNotices::~GMTestStateNotices()
{
    LStateManager::Get()->RemoveListener(this);
}

void GMTestStateNotices::OnStateChanged(LIState* aState)
{
    if (mId.empty() || ToStd(aState->GetId()) == mId) {
        ++mCount;
    }
}
