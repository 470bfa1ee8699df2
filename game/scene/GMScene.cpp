#include "scene/GMScene.h"

#include "container/LString.h"

GMScene::GMScene() = default;

GMScene::~GMScene() = default;

LString GMScene::Dump() const
{
    return DumpHead("GMScene") + "]";
}
