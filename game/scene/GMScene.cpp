#include "scene/GMScene.h"

#include "container/LString.h"

GMScene::GMScene() = default;

GMScene::~GMScene() = default;

LString GMScene::Dump() const
{
    return DumpHead("GMScene") + "]";
}

void GMScene::OnPDAEvent(int aCode)
{
    if (aCode == EVENT_MINIMIZED) {
        SetInputEnabled(true);
    } else if (aCode == EVENT_OPENED) {
        SetInputEnabled(false);
    }
}

void GMScene::SetPlayerPlace(const LVector3& aPosition, const LVector3& aDirection)
{
    mPlayerPosition = aPosition;
    mPlayerDirection = aDirection;
    mHasPlayer = true;
}
