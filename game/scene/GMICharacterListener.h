// What a character tells the hotspot that started one of its actions or turns.
#pragma once
#include "object/LWatched.h"

// Watched: a character or interview that keeps one finds it null once it has ended.
class GMICharacterListener : public LWatched
{
public:
    // A pick-up or camera action has reached its taking moment.
    virtual void OnPlayerActionPoint() = 0;
    // An action of codes 7 to 10 has ended.
    virtual void OnPlayerActionDone(int aAction) = 0;
    // A turn given this listener has ended.
    virtual void ContinueAction() = 0;

protected:
    ~GMICharacterListener() = default;
};
