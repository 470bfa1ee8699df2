#include "writers/LAnyDeviceCaps.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LRegistry.h"

namespace {
class Creator : public LIObjectCreator
{
public:
    Creator() : LIObjectCreator(LString("devicecaps")) {}
    LObject* Create() override { return L_NEW LAnyDeviceCaps(); }
};
} // namespace

LString LAnyDeviceCaps::Dump() const
{
    return DumpHead("LAnyDeviceCaps") + "]";
}

void LAnyDeviceCaps::Register()
{
    LRegistry* registry = LRegistry::Get();
    if (registry == nullptr || registry->GetCreatorIndex(LString("devicecaps")) >= 0) {
        return;
    }
    LIObjectCreator* creator = L_NEW Creator();
    if (!registry->AddCreator(creator)) {
        delete creator;
    }
}

bool LAnyDeviceCaps::GetPixelShaderVersion(int& aMajor, int& aMinor)
{
    aMajor = 2;
    aMinor = 0;
    return true;
}

bool LAnyDeviceCaps::GetVertexShaderVersion(int& aMajor, int& aMinor)
{
    aMajor = 2;
    aMinor = 0;
    return true;
}
