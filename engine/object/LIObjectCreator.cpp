#include "object/LIObjectCreator.h"

#include "stdlib/LLog.h"

LIObjectCreator::LIObjectCreator(const LString& aId)
    : mId(aId)
{
    if (aId.IsEmpty()) {
        L_ASSERT_FAILURE("Invalid id.");
    }
}

LIObjectCreator::~LIObjectCreator() = default;
