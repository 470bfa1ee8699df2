// Something that moves a model each frame besides its animation controller. A draw
// element owns at most one and calls its update once per element update, before posing.
#pragma once

class LIAnimator
{
public:
    virtual ~LIAnimator();

    virtual void Update() = 0;
};
