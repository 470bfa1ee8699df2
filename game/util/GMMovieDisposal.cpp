#include "util/GMMovieDisposal.h"

#include "Gdi/LDisplayManager.h"
#include "Video/LIMoviePlayer.h"

void GMMovieDisposal::Dispose(LIMoviePlayer*& aMovie, LIMovieListener* aListener)
{
    LIMoviePlayer* movie = aMovie;
    if (movie == nullptr) {
        return;
    }
    aMovie = nullptr;
    movie->RemoveListener(aListener);
    if (LDisplayManager* display = LDisplayManager::Get()) {
        display->RemoveMember(movie);
    }
    movie->Close();
    delete movie;
}
