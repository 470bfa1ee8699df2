// Reads the stream records of the geometry values (vectors, quaternion, line, matrix,
// boxes) from a memory stream loaded with the input, one byte choosing each record, and
// uses what was read in the computations that stand on it.
#include "LBox2.h"
#include "LBox3.h"
#include "LLine2.h"
#include "LMatrix4.h"
#include "LPolygon.h"
#include "LQuaternion.h"
#include "LVector4.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 16)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LPolygon polygon;
    for (int step = 0; step < 1024; ++step) {
        unsigned char kind = 0;
        if (!stream.Read(kind)) {
            break;
        }
        bool ok = true;
        switch (kind % 7) {
        case 0: {
            LVector2 v;
            ok = v.Read(&stream);
            polygon.AddPoint(v);
            (void)v.GetAngle(LVector2(1, 0));
            break;
        }
        case 1: {
            LVector3 v;
            ok = v.Read(&stream);
            (void)v.Normalize(0.0001f);
            break;
        }
        case 2: {
            LVector4 v;
            ok = v.Read(&stream);
            break;
        }
        case 3: {
            LQuaternion q;
            ok = q.Read(&stream);
            q.Normalize(0.0001f);
            break;
        }
        case 4: {
            LLine2 line;
            ok = line.Read(&stream);
            LVector2 out;
            (void)polygon.Intersects(line, true, 0.01f);
            (void)line.Intersect(LLine2(LVector2(0, 0), LVector2(1, 1), L_LINE_SEGMENT), out, false, 0.01f);
            break;
        }
        case 5: {
            LMatrix4 m;
            ok = m.Read(&stream);
            LMatrix4 inverse;
            LMatrix4::Inverse(&inverse, &m);
            polygon.Transform(m);
            break;
        }
        default: {
            LBox3 box;
            ok = box.Read(&stream);
            (void)box.IntersectsSegment(LVector3(0, 0, 0), LVector3(1, 1, 1));
            LBox2 flat;
            ok = flat.Read(&stream) && ok;
            break;
        }
        }
        if (!ok) {
            break;
        }
        (void)polygon.ContainsPoint(LVector2(0.5f, 0.5f));
    }
    return 0;
}
