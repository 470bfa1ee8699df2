// A byte stream over one file on disk. The path is native, or symbolic ("//mount/rest")
// and resolved by the file system when the stream is made. The stream keeps its own
// position and moves the file there before every transfer; a short transfer leaves no
// failed state behind, so seeking back and reading again works.
//
// Open modes: 0 read (the file must exist), 1 write (created, or emptied when it exists),
// 2 read and write (must exist, contents kept).
#pragma once
#include "container/LString.h"
#include "stdlib/LIStream.h"
#include "win32/WinTypes.h"

class LISerializable;

class LFileStream : public LIStream
{
public:
    enum { OPEN_READ = 0, OPEN_WRITE = 1, OPEN_READ_WRITE = 2 };

    LFileStream(const LString& aPath, bool aSymbolic);
    ~LFileStream() override;
    LFileStream(const LFileStream&) = delete;
    LFileStream& operator=(const LFileStream&) = delete;

    bool Close() override;
    bool Flush() override;
    int GetPosition() override;
    bool Skip(int aNumBytes) override;
    bool Open() override;
    bool ReadBytes(int aNumBytes, void* aBuffer) override;
    void Reserved() override;
    bool SetPosition(int aPosition) override;
    bool WriteBytes(int aNumBytes, const void* aBuffer) override;
    // File size less the position while open; -1 when closed.
    int GetRemaining() override;
    // The open mode for the next Open; refused on an open stream.
    virtual bool SetOpenMode(int aMode);

    bool IsOpen() const { return mOpen; }
    const LString& GetNativePath() const { return mNativePath; }

    // Writes aObject's serialised form as the whole contents of the file: into a
    // temporary file beside it first, which then replaces the old file, so a failure
    // leaves the old contents in place.
    static bool WriteToFile(LISerializable* aObject, const LString& aPath, bool aSymbolic);
    // The same for bytes already made: aNumBytes bytes at aBytes become the whole file.
    static bool WriteBytesToFile(int aNumBytes, const void* aBytes, const LString& aPath, bool aSymbolic);

private:
    bool Seek();
    // Moves the file to the position and reads (writes) there; a short transfer advances
    // the position by what was done and gives false.
    bool Transfer(int aNumBytes, void* aBuffer, bool aWrite);

    LString mNativePath;
    bool mOpen = false;
    HANDLE mFile = nullptr;
    int mPosition = 0;
    int mOpenMode = OPEN_READ;
};
