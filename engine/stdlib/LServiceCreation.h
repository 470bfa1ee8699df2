// How a platform service's accessor makes its one object: by creator id, through the API
// object manager (which initialises it with 0). The program's entry registers the
// creators at start-up, and a test may register a fake under the id first; when nobody
// has registered one, the service's default creator is registered on the spot.
#pragma once
#include "container/LString.h"
#include "object/LIObjectCreator.h"
#include "object/LObject.h"
#include "object/LRegistry.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LLog.h"

// The new service object, or null (CreateObject has logged why). aNewDefaultCreator may
// be null.
template <typename T>
T* LCreateService(const char* aId, LIObjectCreator* (*aNewDefaultCreator)())
{
    LRegistry* registry = LRegistry::Get();
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    if (!registry || !manager) {
        return nullptr;
    }
    const LString id(aId);
    if (aNewDefaultCreator && registry->GetCreatorIndex(id) == -1) {
        LIObjectCreator* creator = aNewDefaultCreator();
        if (creator && !registry->AddCreator(creator)) {
            delete creator;
        }
    }
    LObject* object = manager->CreateObject(id, nullptr);
    T* service = dynamic_cast<T*>(object);
    if (object && !service) {
        L_ERROR("Creator made an object of another kind: " + id);
    }
    return service;
}
