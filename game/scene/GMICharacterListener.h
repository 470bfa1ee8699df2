// What a character tells the hotspot that started one of its actions or turns.
#pragma once

class GMICharacterListener
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
