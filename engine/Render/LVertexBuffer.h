// Vertex data in system memory, in one of the engine's seven vertex formats. The
// rasterizer copies it into device buffers as it is; this class knows nothing of the device.
//
// Formats (all components 32-bit floats; colours are r, g, b, a):
//   1  12 bytes  position
//   2  28 bytes  position, colour
//   3  20 bytes  position, u, v
//   4  40 bytes  position, normal, colour
//   5  32 bytes  position, normal, u, v
//   6  48 bytes  position, normal, colour, u, v
//   7  24 bytes  position, normal
#pragma once
#include "Render/LElementBuffer.h"

using LVertexFormat = int;

class LVertexBuffer : public LElementBuffer
{
public:
    static constexpr int kFormatCount = 8;

    LVertexBuffer();
    LVertexBuffer(const LVertexBuffer&) = delete;
    LVertexBuffer& operator=(const LVertexBuffer&) = delete;

    LString Dump() const override;

    // Copies aCount vertices of aFormat; the old data is freed. 0 and nothing changed
    // on a bad argument.
    int Create(int aFormat, const void* aData, int aCount);
    // Allocates room for aCount vertices without filling it.
    int Allocate(int aFormat, int aCount);
    // Changes only the count, to draw fewer vertices than allocated; never more.
    int SetVertexCount(int aCount);

    // Address of vertex aIndex; null for a format without a layout or an index outside the data.
    void* GetVertex(int aIndex) const;
    int GetVertexFormat() const { return mFormat; }
    int GetVertexSize() const { return mElementSize; }
    int GetVertexCount() const { return mCount; }

    // Record: int32 format, vertex size, vertex count, byte size, then the bytes.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Bytes of one vertex of a format; 0 for a code outside 1..7.
    static int GetFormatSize(int aFormat);
};
