#include "object/LBase.h"

#include "container/LString.h"

LBase::~LBase() = default;

LString LBase::Dump() const
{
    return DumpHead("LBase") + "]";
}

LString LBase::DumpHead(const char* aClassName) const
{
    LString text("[");
    text += aClassName;
    text += " <";
    text += static_cast<const void*>(this);
    text += ">";
    return text;
}
