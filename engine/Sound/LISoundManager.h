// The sound service: makes sound players. A singleton made by the API object manager
// under the creator id "soundmanager" and deleted by the cleaner at exit.
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LISoundPlayer;

class LISoundManager : public LObject
{
public:
    // The service, made on first use; null when it cannot be made (logged) and after the
    // cleaner has deleted it.
    static LISoundManager* Get();

    LISoundManager() = default;
    ~LISoundManager() override;

    // A player holding the sample or stream of aFileName (a symbolic path), owned by the
    // caller; null (logged) when it cannot be opened.
    virtual LISoundPlayer* CreateSample(const LString& aId, const LString& aFileName) = 0;
    virtual LISoundPlayer* CreateStream(const LString& aId, const LString& aFileName) = 0;
};
