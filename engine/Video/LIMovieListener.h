// Told when a movie that does not loop has shown its last frame, on the main thread
// (during the display manager's render or the frame manager's pass). The listener may
// delete the player from inside the call.
#pragma once

class LString;

class LIMovieListener
{
public:
    virtual void OnMovieEnded(LString aName) = 0;

protected:
    ~LIMovieListener() = default;
};
