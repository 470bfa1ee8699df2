#include "interview/GMInterviewMeter.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LSprite.h"
#include "Render/LIRasterizer.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "container/LPropertyList.h"
#include "interview/GMInterview.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

#include <initializer_list>

namespace {

constexpr float kFull = 100.0f;
// A target above this fills the side.
constexpr float kFillsAbove = 98.0f;
constexpr float kStep = 1.0f;
constexpr double kStepTime = 0.02;
constexpr double kFlashTime = 0.5;
constexpr int kFlashes = 3;
// Pieces per point of a side: 40 pieces of 9 degrees for 100 points.
constexpr float kPiecesPerPoint = 0.4f;
constexpr float kPieceDegrees = 9.0f;
constexpr float kDegreesToRadians = 0.0174532924f;
// Where "bg" and the pieces stand against the meter's position.
constexpr float kBgOffset = 3.0f;
constexpr float kPieceOffsetX = 2.0f;

// One 9-degree pie wedge and one 9-degree segment of a ring of inner radius 0.7, both of
// radius 1 and starting at twelve o'clock; two triangles as a strip each.
constexpr float kDiscWedge[] = {
    0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.156434f, 0.987688f, 0.0f, 0.0f, 0.0f, 0.0f,
};
constexpr float kRingSegment[] = {
    0.0f, 0.7f, 0.0f, 0.0f, 1.0f, 0.0f, 0.109504f, 0.691382f, 0.0f, 0.156434f, 0.987688f, 0.0f,
};

LVertexBuffer* MakeBuffer(const float* aVertices)
{
    LVertexBuffer* buffer = L_NEW LVertexBuffer();
    if (buffer == nullptr || !buffer->Create(1, aVertices, 4)) {
        L_ASSERT_FAILURE("");
        delete buffer;
        return nullptr;
    }
    return buffer;
}

} // namespace

void GMInterviewMeter::SetInterview(GMInterview* aInterview)
{
    mListener = aInterview;
}

GMInterviewMeter::GMInterviewMeter()
    : mRasterizer(LIRasterizer::Get())
{
}

GMInterviewMeter::~GMInterviewMeter()
{
    Listen(false);
    delete mDiscBuffer;
    delete mRingBuffer;
    delete mBg;
    delete mTop;
    delete mRedGlow;
    delete mGreenGlow;
}

LString GMInterviewMeter::Dump() const
{
    return DumpHead("GMInterviewMeter") + "]";
}

bool GMInterviewMeter::Create(LPropertyList* aLayout)
{
    if (LTextureManager* textures = LTextureManager::Get()) {
        mGoodTexture = textures->CreateTexture(LString("meter_good.tga"));
        mBadTexture = textures->CreateTexture(LString("meter_bad.tga"));
    }
    delete mDiscBuffer;
    delete mRingBuffer;
    mDiscBuffer = MakeBuffer(kDiscWedge);
    mRingBuffer = MakeBuffer(kRingSegment);

    LPropertyList* sprites = aLayout != nullptr ? aLayout->GetList(LString("groups.meter.sprites")) : nullptr;
    if (sprites == nullptr) {
        L_ASSERT_FAILURE("'meter.sprites' not found.");
        return true;
    }
    struct Slot
    {
        const char* mName;
        LSprite** mSprite;
    };
    for (const Slot& slot : {Slot {"bg", &mBg}, Slot {"top", &mTop}, Slot {"redglow", &mRedGlow},
                             Slot {"greenglow", &mGreenGlow}}) {
        delete *slot.mSprite;
        *slot.mSprite = LLayoutBuilder::BuildSprite(sprites->GetList(LString(slot.mName)));
        if (*slot.mSprite == nullptr) {
            L_ASSERT_FAILURE(LString("'") + slot.mName + "' sprite not found.");
        }
    }
    for (LSprite* glow : {mRedGlow, mGreenGlow}) {
        if (glow != nullptr) {
            glow->SetVisible(false);
        }
    }
    return true;
}

LSprite* GMInterviewMeter::GetSprite(const LString& aName) const
{
    if (aName == LString("bg")) {
        return mBg;
    }
    if (aName == LString("top")) {
        return mTop;
    }
    if (aName == LString("redglow")) {
        return mRedGlow;
    }
    return aName == LString("greenglow") ? mGreenGlow : nullptr;
}

float GMInterviewMeter::AddGood(float aDelta)
{
    return Add(aDelta, true);
}

float GMInterviewMeter::AddBad(float aDelta)
{
    return Add(aDelta, false);
}

float GMInterviewMeter::Add(float aDelta, bool aGood)
{
    float target = (aGood ? mGoodValue : mBadValue) + aDelta;
    if (target > kFillsAbove) {
        target = kFull;
    }
    // The gauge shows 0 to 100: a value below 0 would also be the base of the next target.
    if (target < 0.0f) {
        target = 0.0f;
    }
    (aGood ? mGoodTarget : mBadTarget) = target;
    mLastTick = LITimer::Now();
    mAnimatingGood = aGood;
    Listen(true);
    return target;
}

void GMInterviewMeter::Listen(bool aListen)
{
    if (aListen == mListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (frames == nullptr) {
        mListening = false;
        return;
    }
    if (aListen) {
        mListening = frames->AddListener(this, 0.0f) != 0;
    } else {
        frames->RemoveListener(this);
        mListening = false;
    }
}

void GMInterviewMeter::OnFrame()
{
    const double now = LITimer::Now();
    if (!mGoodFlashing && !mBadFlashing && now - mLastTick > kStepTime) {
        float& value = mAnimatingGood ? mGoodValue : mBadValue;
        const float target = mAnimatingGood ? mGoodTarget : mBadTarget;
        value += kStep;
        if (value >= target) {
            value = target;
            if (target == kFull) {
                (mAnimatingGood ? mGoodFlashing : mBadFlashing) = true;
                mFlashesLeft = kFlashes;
            } else {
                Listen(false);
            }
        }
        mLastTick = now;
    }
    if (mBadFlashing && now - mLastTick > kFlashTime) {
        if (Flash(mRedGlow, mBadFlashing, now) && mListener != nullptr) {
            mListener->OnMeterFull(false);
        }
    }
    if (mGoodFlashing && now - mLastTick > kFlashTime) {
        if (Flash(mGreenGlow, mGoodFlashing, now) && mListener != nullptr) {
            mListener->OnMeterFull(true);
        }
    }
}

bool GMInterviewMeter::Flash(LSprite* aGlow, bool& aFlashing, double aNow)
{
    // Without its sprite a glow counts a hide at every tick, so that the interview still
    // hears the end.
    const bool shown = aGlow == nullptr || aGlow->GetVisible();
    bool ended = false;
    if (shown) {
        if (aGlow != nullptr) {
            aGlow->SetVisible(false);
        }
        --mFlashesLeft;
        if (mFlashesLeft <= 0) {
            aFlashing = false;
            Listen(false);
            ended = true;
        }
    } else if (aGlow != nullptr) {
        aGlow->SetVisible(true);
    }
    mLastTick = aNow;
    return ended;
}

bool GMInterviewMeter::Render(LRenderer* aRenderer)
{
    UpdateForRender();
    if (!IsActive() || !IsVisible()) {
        return true;
    }
    if (aRenderer == nullptr) {
        return false;
    }
    const float blend = GetWorldBlend();
    const LVector2 at = GetWorldPosition();
    bool result = DrawSpriteAt(aRenderer, mBg, LVector2(at.x + kBgOffset, at.y + kBgOffset), blend);
    mCurrentBuffer = mRingBuffer;
    result = DrawPieces(aRenderer, mGoodTexture, static_cast<int>(mGoodValue * kPiecesPerPoint), kRingSize) && result;
    mCurrentBuffer = mDiscBuffer;
    result = DrawPieces(aRenderer, mBadTexture, static_cast<int>(mBadValue * kPiecesPerPoint), kDiscSize) && result;
    result = DrawSpriteAt(aRenderer, mTop, at, blend) && result;
    // The glows keep their own blend: they only show while flashing.
    for (LSprite* glow : {mRedGlow, mGreenGlow}) {
        if (glow != nullptr) {
            glow->SetPosition(at);
            result = glow->Render(aRenderer) && result;
        }
    }
    return result;
}

bool GMInterviewMeter::DrawSpriteAt(LRenderer* aRenderer, LSprite* aSprite, const LVector2& aPosition, float aBlend)
{
    if (aSprite == nullptr) {
        return true;
    }
    aSprite->SetBlend(aBlend);
    aSprite->SetPosition(aPosition);
    return aSprite->Render(aRenderer);
}

bool GMInterviewMeter::DrawPieces(LRenderer* aRenderer, uint32_t aTexture, int aCount, float aSize)
{
    if (aCount <= 0) {
        return true;
    }
    if (mRasterizer == nullptr || mCurrentBuffer == nullptr) {
        return false;
    }
    bool result = mRasterizer->SetBlendFactor(GetWorldBlend()) != 0;
    result = mRasterizer->SetTexture(static_cast<unsigned int>(aTexture)) != 0 && result;
    result = mRasterizer->SetVertexBuffer(mCurrentBuffer) != 0 && result;

    // The pieces turn about the meter's centre; the meter's origin lands where the renderer
    // puts a sprite's corner 2 pixels to the right of it (a screen point (x, y) is (x, -y)
    // in world space, plus the renderer's origin).
    const LVector2 center = GetCenter();
    const LVector2 at = GetWorldPosition();
    const LVector2 origin = aRenderer->GetOrigin();
    LMatrix4 toCenter;
    LMatrix4::Translation(&toCenter, -center.x, center.y, 0.0f);
    LMatrix4 scaling;
    LMatrix4::Scaling(&scaling, aSize, aSize, 1.0f);
    LMatrix4 toScreen;
    LMatrix4::Translation(&toScreen, at.x + kPieceOffsetX + origin.x, -at.y + origin.y, 0.0f);
    LMatrix4 scaled;
    LMatrix4::Multiply(&scaled, &toCenter, &scaling);
    for (int k = 0; k < aCount; ++k) {
        LMatrix4 rotation;
        LMatrix4::RotationZ(&rotation, -kPieceDegrees * static_cast<float>(k) * kDegreesToRadians);
        LMatrix4 turned;
        LMatrix4::Multiply(&turned, &scaled, &rotation);
        LMatrix4 world;
        LMatrix4::Multiply(&world, &turned, &toScreen);
        result = mRasterizer->SetTransform(LIRasterizer::kWorld, &world) != 0 && result;
        result = mRasterizer->DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2) != 0 && result;
    }
    return result;
}
