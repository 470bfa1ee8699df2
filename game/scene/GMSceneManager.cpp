#include "scene/GMSceneManager.h"

#include "stdlib/LLog.h"

int GMSceneManager::Update()
{
    return 1;
}

int GMSceneManager::Render()
{
    return 1;
}

int GMSceneManager::LoadScene(const LString& aId, bool, bool)
{
    L_NOTE("LoadScene: locations cannot be loaded yet: " + aId);
    return 0;
}

template class GMStandIn<GMSceneManager>;
