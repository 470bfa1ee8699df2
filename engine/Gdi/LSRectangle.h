// A rectangle shape: outline of 4 pieces, fill of 2 triangles.
#pragma once
#include "Gdi/LIShape.h"

class LRectangle;

class LSRectangle : public LIShape
{
public:
    LSRectangle();
    ~LSRectangle() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;
    bool UpdateShape() override;

    virtual int SetRect(const LRectangle& aRect);
    const LRectangle* GetRect() const { return mRect; }

private:
    LRectangle* mRect = nullptr;
};
