#include "object/LRestoreRecord.h"

#include "stdlib/LIStream.h"

LRestoreRecord::LRestoreRecord() = default;

LRestoreRecord::~LRestoreRecord() = default;

LString LRestoreRecord::Dump() const
{
    return DumpHead("LRestoreRecord") + " handle:" + mHandle + ", id:" + mObjectId +
           ", restore id:" + mRestoreId + "]";
}

bool LRestoreRecord::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    bool ok = aStream->Read(mSaveTag);
    ok = aStream->Read(mHandle) && ok;
    ok = aStream->Read(mObjectId) && ok;
    ok = aStream->Read(mRestoreId) && ok;
    return ok;
}

bool LRestoreRecord::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    bool ok = aStream->Write(mSaveTag);
    ok = aStream->Write(mHandle) && ok;
    ok = aStream->Write(mObjectId) && ok;
    ok = aStream->Write(mRestoreId) && ok;
    return ok;
}
