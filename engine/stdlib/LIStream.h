// The abstract byte stream every binary file and saved block goes through, and the typed
// operations that give the one binary encoding of the engine's data: every value in
// little-endian order, integers of 4 bytes, unsigned shorts of 2, booleans and bytes of 1,
// floats as IEEE single precision, and strings as a signed 32-bit unit count, the UTF-16
// units and one terminating 0 unit.
//
// A process-wide mode switches the typed writes to a tagged text form (one line per
// value, for inspecting what an object writes); reading knows only the binary form.
//
// A stream type provides the raw operations (ReadBytes/WriteBytes and positioning); each
// typed operation exists as a member and as a free function taking the stream first.
#pragma once

class LString;

class LIStream
{
public:
    enum { MODE_TEXT = 0, MODE_BINARY = 1 };

    virtual ~LIStream();

    virtual bool Close() = 0;
    virtual bool Flush() = 0;
    virtual int GetPosition() = 0;
    // Moves the position by aNumBytes; false when the stream refuses the new position.
    virtual bool Skip(int aNumBytes) = 0;
    virtual bool Open() = 0;
    // Copies the next aNumBytes bytes into aBuffer; true only when all were delivered.
    virtual bool ReadBytes(int aNumBytes, void* aBuffer) = 0;
    virtual void Reserved() = 0;
    virtual bool SetPosition(int aPosition) = 0;
    // Copies aNumBytes bytes to the stream at the position; true only when all were taken.
    virtual bool WriteBytes(int aNumBytes, const void* aBuffer) = 0;
    // Bytes left between the position and the end of the data, or -1 when unknown.
    // Readers use it to refuse counts that cannot be satisfied before they allocate.
    virtual int GetRemaining();
    // True when aBytes may still be read; a stream that cannot tell is trusted.
    bool Holds(long long aBytes);

    // The process-wide encoding of typed writes.
    static bool SetMode(int aMode);
    static int GetMode();

    bool Write(bool aValue);
    bool Write(unsigned char aValue);
    bool Write(unsigned short aValue);
    bool Write(int aValue);
    bool Write(unsigned int aValue);
    bool Write(float aValue);
    bool Write(const LString& aText);
    // Raw text without count or terminator; an empty text is refused.
    bool Write(const char* aText);
    bool Write(const char16_t* aText);
    // A comment line in text mode; nothing (and false) in binary mode.
    bool WriteComment(const LString& aText);

    bool Read(bool& aValue);
    bool Read(unsigned char& aValue);
    bool Read(unsigned short& aValue);
    bool Read(int& aValue);
    bool Read(unsigned int& aValue);
    bool Read(float& aValue);
    bool Read(LString& aText);
    // 0-terminated text, terminator included, into a new array (free with delete[]).
    bool Read(char*& aText);
    bool Read(char16_t*& aText);
    // Exactly aNumChars characters into a new array of aNumChars + 1, 0-terminated;
    // aText must point at null.
    bool Read(int aNumChars, char*& aText);
    bool Read(int aNumChars, char16_t*& aText);
};

bool Write(LIStream* aStream, bool aValue);
bool Write(LIStream* aStream, unsigned char aValue);
bool Write(LIStream* aStream, unsigned short aValue);
bool Write(LIStream* aStream, int aValue);
bool Write(LIStream* aStream, unsigned int aValue);
bool Write(LIStream* aStream, float aValue);
bool Write(LIStream* aStream, const LString& aText);
bool Write(LIStream* aStream, const char* aText);
bool Write(LIStream* aStream, const char16_t* aText);
bool WriteComment(LIStream* aStream, const LString& aText);

bool Read(LIStream* aStream, bool& aValue);
bool Read(LIStream* aStream, unsigned char& aValue);
bool Read(LIStream* aStream, unsigned short& aValue);
bool Read(LIStream* aStream, int& aValue);
bool Read(LIStream* aStream, unsigned int& aValue);
bool Read(LIStream* aStream, float& aValue);
bool Read(LIStream* aStream, LString& aText);
bool Read(LIStream* aStream, char*& aText);
bool Read(LIStream* aStream, char16_t*& aText);
bool Read(LIStream* aStream, int aNumChars, char*& aText);
bool Read(LIStream* aStream, int aNumChars, char16_t*& aText);
