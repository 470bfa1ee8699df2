#include "scene/GMHotspot.h"

GMHotspot::GMHotspot(const LString& aId, int aKind) : mId(aId), mKind(aKind) {}

GMHotspot::~GMHotspot() = default;

LString GMHotspot::Dump() const
{
    return DumpHead("GMHotspot") + "]";
}
