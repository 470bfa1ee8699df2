// A 3-D line, ray or segment (types as LLine2): the rays and segments of picking and of
// the plane and triangle tests.
#pragma once
#include "LLine2.h"
#include "LVector3.h"

class LLine3 : public LBase, public LISerializable
{
public:
    LLine3() = default;
    LLine3(const LVector3& aStart, const LVector3& aEnd, int aType) : mType(aType), mStart(aStart), mEnd(aEnd) {}
    LLine3(const LLine3&) = default;
    LLine3& operator=(const LLine3&) = default;
    ~LLine3() override;

    const LVector3& GetStart() const { return mStart; }
    const LVector3& GetEnd() const { return mEnd; }
    int GetType() const { return mType; }
    void SetType(int aType) { mType = aType; }

    // Always 1.
    int Set(const LVector3& aStart, const LVector3& aEnd, int aType);
    // end = start + direction; a direction below the epsilon on every axis zeroes both
    // points and gives 0.
    int SetFromDirection(const LVector3& aStart, const LVector3& aDirection, int aType);
    // For a point on the line: whether it lies within the ray's or segment's extent.
    bool IsWithinExtent(const LVector3& aPoint) const;

    // No stream record: both log "NYI." and give 0.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    int mType = L_LINE_INFINITE;
    LVector3 mStart;
    LVector3 mEnd;
};
