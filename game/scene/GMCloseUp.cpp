#include "scene/GMCloseUp.h"

#include "container/LString.h"

GMCloseUp::GMCloseUp() = default;

GMCloseUp::~GMCloseUp() = default;

LString GMCloseUp::Dump() const
{
    return DumpHead("GMCloseUp") + "]";
}
