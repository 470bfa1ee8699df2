// The creator of the file-system service, id "filesystem": a new LFileSystemWin per call.
#pragma once
#include "object/LIObjectCreator.h"

class LFileSystemWinCreator : public LIObjectCreator
{
public:
    LFileSystemWinCreator();
    ~LFileSystemWinCreator() override;

    LString Dump() const override;
    LObject* Create() override;
};
