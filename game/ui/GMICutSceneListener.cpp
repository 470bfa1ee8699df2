#include "ui/GMICutSceneListener.h"

#include "ui/GMCutScenePlayer.h"

GMICutSceneListener::~GMICutSceneListener()
{
    if (GMCutScenePlayer* player = GMCutScenePlayer::Peek()) {
        player->RemoveEndListener(this);
    }
}
