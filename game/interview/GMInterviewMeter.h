// The circular gauge of a witness interview: an outer ring that fills with good reactions
// and an inner disc that fills with bad ones, each from 0 to 100. The interview adds to
// one side after each answer; the meter steps the shown value towards its target, and
// when a side reaches 100 it flashes that side's glow three times and then tells the
// interview.
//
// Only one side animates at a time: the other adder switches the animation over, and the
// first side stays where it stopped. A new target is always computed from the value
// shown. While a glow flashes no value moves.
//
// The meter draws itself: its four sprites ("bg", "top", "redglow", "greenglow") and,
// between them, one 9-degree piece per 2.5 points of each side, turned clockwise from
// twelve o'clock.
#pragma once
#include "Gdi/LIDisplayObject.h"
#include "object/LWatch.h"
#include "stdlib/LIFrameListener.h"

#include <cstdint>

class GMInterview;
class LIRasterizer;
class LPropertyList;
class LSprite;
class LVertexBuffer;

class GMInterviewMeter : public LIDisplayObject, public LIFrameListener
{
public:
    GMInterviewMeter();
    ~GMInterviewMeter() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;
    void OnFrame() override;

    // Loads the two fill textures (relative to the texture manager's root), builds the
    // piece geometry and the sprites of "groups.meter.sprites"; both glows start hidden.
    // Whatever is missing is logged and left out; true.
    bool Create(LPropertyList* aLayout);
    // Told when a side has filled and its glow has flashed.
    // Watched: a deleted interview is no longer told.
    void SetInterview(GMInterview* aInterview);
    GMInterview* GetInterview() const { return mListener.Get(); }

    // Aim the side at the value shown plus aDelta (above 98 it becomes 100, below 0 it
    // becomes 0) and start animating it; the target.
    float AddGood(float aDelta);
    float AddBad(float aDelta);

    float GetGoodValue() const { return mGoodValue; }
    float GetBadValue() const { return mBadValue; }
    // Sets a side at once, without animation (an interview starts from 0).
    void SetGoodValue(float aValue) { mGoodValue = aValue; mGoodTarget = aValue; }
    void SetBadValue(float aValue) { mBadValue = aValue; mBadTarget = aValue; }
    bool IsFlashing() const { return mGoodFlashing || mBadFlashing; }
    // The sprite of a name ("bg", "top", "redglow", "greenglow"), or null.
    LSprite* GetSprite(const LString& aName) const;

    static constexpr float kRingSize = 31.0f;
    static constexpr float kDiscSize = 19.5f;

private:
    float Add(float aDelta, bool aGood);
    void Listen(bool aListen);
    // One step of the flashing glow; true when the flashing has ended.
    bool Flash(LSprite* aGlow, bool& aFlashing, double aNow);
    bool DrawPieces(LRenderer* aRenderer, uint32_t aTexture, int aCount, float aSize);
    bool DrawSpriteAt(LRenderer* aRenderer, LSprite* aSprite, const LVector2& aPosition, float aBlend);

    LIRasterizer* mRasterizer = nullptr;
    LVertexBuffer* mCurrentBuffer = nullptr;
    LVertexBuffer* mDiscBuffer = nullptr;
    LVertexBuffer* mRingBuffer = nullptr;
    uint32_t mGoodTexture = 0;
    uint32_t mBadTexture = 0;
    float mGoodValue = 0.0f;
    float mBadValue = 0.0f;
    float mGoodTarget = 0.0f;
    float mBadTarget = 0.0f;
    double mLastTick = 0.0;
    bool mAnimatingGood = false;
    LWatch<GMInterview> mListener;
    LSprite* mBg = nullptr;
    LSprite* mTop = nullptr;
    LSprite* mRedGlow = nullptr;
    LSprite* mGreenGlow = nullptr;
    bool mBadFlashing = false;
    bool mGoodFlashing = false;
    int mFlashesLeft = 0;
    bool mListening = false;
};
