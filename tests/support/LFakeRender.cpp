#include "support/LFakeRender.h"

#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LRegistry.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeTexture.h"

namespace {
template <typename T>
class LFakeCreator : public LIObjectCreator
{
public:
    explicit LFakeCreator(const char* aId) : LIObjectCreator(LString(aId)) {}

    LObject* Create() override { return L_NEW T(); }
};

template <typename T>
void Register(const char* aId)
{
    LRegistry* registry = LRegistry::Get();
    if (registry == nullptr || registry->GetCreatorIndex(LString(aId)) >= 0) {
        return;
    }
    LFakeCreator<T>* creator = L_NEW LFakeCreator<T>(aId);
    if (creator != nullptr && !registry->AddCreator(creator)) {
        delete creator;
    }
}
} // namespace

void RegisterFakeRender()
{
    Register<LFakeRasterizer>("rasterizer");
    Register<LFakeTexture>("texture");
    Register<LFakeDeviceCaps>("devicecaps");
}
