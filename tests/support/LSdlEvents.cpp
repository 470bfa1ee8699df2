#include "support/LSdlEvents.h"

#include <SDL2/SDL.h>

namespace LSdlEvents {

void Key(const char* aName, bool aDown)
{
    SDL_Event event{};
    event.type = aDown ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = SDL_GetScancodeFromName(aName);
    SDL_PushEvent(&event);
}

void Move(int aX, int aY)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = aX;
    event.motion.yrel = aY;
    SDL_PushEvent(&event);
}

void Button(int aSdlButton, bool aDown)
{
    SDL_Event event{};
    event.type = aDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(aSdlButton);
    event.button.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

void Wheel(int aNotches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = aNotches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&event);
}

void Focus(bool aGained)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = aGained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
}

void Close()
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
}

} // namespace LSdlEvents
