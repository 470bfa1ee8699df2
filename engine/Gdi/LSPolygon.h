// A polygon shape: its outline only (a closed polygon returns to its first point).
#pragma once
#include "Gdi/LIShape.h"

class LPolygon;

class LSPolygon : public LIShape
{
public:
    LSPolygon();
    ~LSPolygon() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;
    bool UpdateShape() override;

    virtual int SetPolygon(const LVector2* aPoints, int aCount, bool aClosed);
    virtual int SetPolygon(const LPolygon& aPolygon);
    virtual LPolygon* GetPolygon() const;

private:
    // Takes aPolygon (null: 0) in place of the old one.
    int Take(LPolygon* aPolygon);

    LPolygon* mPolygon = nullptr;
};
