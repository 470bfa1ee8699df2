// The end of a movie a screen owns: forgotten by its owner first (so that nothing it calls
// on its way out finds it again), its listener unhooked, taken off the display, closed and
// deleted.
#pragma once

class LIMovieListener;
class LIMoviePlayer;

class GMMovieDisposal
{
public:
    GMMovieDisposal() = delete;

    // Ends aMovie as above and sets it to null; nothing when it is null already.
    static void Dispose(LIMoviePlayer*& aMovie, LIMovieListener* aListener);
};
