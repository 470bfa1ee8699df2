// The sampled curve of one gesture key: x is the time in seconds since the key started,
// y the position in its animation (0 the first frame, 1 the end). The control points form
// a chain of cubic Bezier segments sharing their end points (3k + 1 points), each sampled
// at 101 points, the shared end points kept twice. A running key only moves its cursor
// forward through the samples.
#pragma once
#include "LVector2.h"

class LGestureCurve
{
public:
    static constexpr int kSamplesPerSegment = 101;

    LGestureCurve() = default;
    LGestureCurve(const LGestureCurve&) = delete;
    LGestureCurve& operator=(const LGestureCurve&) = delete;
    ~LGestureCurve();

    // Samples the chain of aCount control points; anything but 3k + 1 points (k >= 1)
    // leaves the curve without samples (logged) and gives false.
    bool Build(const LVector2* aPoints, int aCount);
    // The y of the first sample from the cursor on whose x is at least aTime, snapped to
    // 0.0 below 0.001 and 1.0 above 0.999; the cursor moves to that sample. False when
    // aTime lies past the last sample (the key has ended).
    bool Sample(float aTime, float* aPosition);
    void Rewind() { mCursor = 0; }

    int GetSampleCount() const { return mSampleCount; }
    int GetCursor() const { return mCursor; }
    // Null outside 0 .. count - 1.
    const LVector2* GetSample(int aIndex) const;

    // The snapping of Sample.
    static float Snap(float aPosition);

private:
    void Free();

    LVector2* mSamples = nullptr;
    int mSampleCount = 0;
    int mCursor = 0;
};
