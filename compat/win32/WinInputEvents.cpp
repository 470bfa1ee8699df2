#include "WinInputEvents.h"

#include <SDL2/SDL.h>

bool WinPushKeyNamed(const char* aName, bool aDown)
{
    const SDL_Scancode code = SDL_GetScancodeFromName(aName);
    if (code == SDL_SCANCODE_UNKNOWN) {
        return false;
    }
    WinPushKey(code, aDown);
    return true;
}

void WinPushKey(int aSdlScancode, bool aDown)
{
    SDL_Event event{};
    event.type = aDown ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(aSdlScancode);
    SDL_PushEvent(&event);
}

void WinPushMove(int aX, int aY)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = aX;
    event.motion.yrel = aY;
    SDL_PushEvent(&event);
}

void WinPushButton(int aSdlButton, bool aDown)
{
    SDL_Event event{};
    event.type = aDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(aSdlButton);
    event.button.state = aDown ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

void WinPushWheel(int aNotches)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = aNotches;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&event);
}

void WinPushFocus(bool aGained)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = aGained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
}

void WinPushClose()
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
}
