#include "support/GMTestEvents.h"

#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "support/LTestStrings.h"

#include <algorithm>

GMTestEvents::GMTestEvents()
{
    LEventManager::Get()->AddListener(this, 10.0f);
}

GMTestEvents::~GMTestEvents()
{
    LEventManager::Get()->RemoveListener(this);
}

void GMTestEvents::OnEvent(LEvent* aEvent)
{
    mRaised.push_back(ToStd(aEvent->GetId()));
}

int GMTestEvents::Count(const std::string& aId) const
{
    return static_cast<int>(std::count(mRaised.begin(), mRaised.end(), aId));
}
