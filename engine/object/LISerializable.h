// Interface of the classes that read and write themselves on a byte stream.
#pragma once

class LIStream;

class LISerializable
{
public:
    virtual ~LISerializable();
    virtual bool Read(LIStream* aStream) = 0;
    virtual bool Write(LIStream* aStream) = 0;
};
