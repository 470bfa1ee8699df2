// One edge of a shadow volume's welded mesh: its two vertex indices in the direction the
// face that made it runs, the face that made it and the second face sharing it (or -1),
// and whether the last update found it on the silhouette.
#pragma once
#include <cstdint>

class LShadowEdge
{
public:
    static constexpr int kNoFace = -1;

    int mStart = 0;
    int mEnd = 0;
    int mFace0 = 0;
    int mFace1 = kNoFace;
    uint8_t mSilhouette = 0;
};
