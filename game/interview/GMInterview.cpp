#include "interview/GMInterview.h"

GMInterview::GMInterview() = default;

GMInterview::~GMInterview() = default;

LString GMInterview::Dump() const
{
    return DumpHead("GMInterview") + "]";
}
