// Makes the movie service under the creator id "moviemanager".
#pragma once
#include "object/LIObjectCreator.h"

class LMovieManagerBinkCreator : public LIObjectCreator
{
public:
    LMovieManagerBinkCreator();

    LString Dump() const override;
    LObject* Create() override;
};
