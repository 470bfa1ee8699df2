// What every full-screen part of the game (intro, menus, the scene, close-ups, cut scenes,
// puzzles) offers the screen manager. Only the top screen of the manager's stack is shown;
// a change fades through black.
//
// OnLeave comes before the fade-out starts; OnHidden when the fade-out has reached black
// and the screen is no longer shown (it takes its display objects away and unregisters its
// listeners); OnShow when it has become the top screen (it builds or shows its display
// objects and registers its listeners). A covered screen that comes back on top hears
// OnShow again.
//
// A screen is watched: the screen manager keeps steps asked for by a screen (a close that
// waits for a running change) only while that screen lives.
#pragma once
#include "object/LWatched.h"

class GMIScreen : public LWatched
{
public:
    virtual ~GMIScreen();
    virtual void OnLeave() = 0;
    virtual void OnHidden() = 0;
    virtual void OnShow() = 0;
};
