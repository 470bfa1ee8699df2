// The movie service: makes movie players. A singleton made by the API object manager
// under the creator id "moviemanager" and deleted by the cleaner at exit.
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LIMoviePlayer;
class LIObjectCreator;

class LIMovieManager : public LObject
{
public:
    // The service, made on first use; null when it cannot be made (logged) and after the
    // cleaner has deleted it.
    static LIMovieManager* Get();

    LIMovieManager() = default;
    ~LIMovieManager() override;

    // A player of the movie aFileName (a symbolic path) whose display-object id is aId,
    // owned by the caller; null (logged) when the movie cannot be opened. A full-screen
    // player draws where it stands in the display tree; a texture player fills a texture
    // registered with the texture manager under the movie's native path.
    virtual LIMoviePlayer* CreateFullScreenMovie(const LString& aId, const LString& aFileName) = 0;
    virtual LIMoviePlayer* CreateTextureMovie(const LString& aId, const LString& aFileName) = 0;

private:
    // The creator registered under "moviemanager" when the program registered none.
    static LIObjectCreator* NewDefaultCreator();
};
