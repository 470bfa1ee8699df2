#include "support/LTestApp.h"

#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LString.h"

#include <algorithm>
#include <cmath>

std::string LTestPoint(float aX, float aY)
{
    return std::to_string(static_cast<long>(std::lround(aX))) + "," +
           std::to_string(static_cast<long>(std::lround(aY)));
}

LTestApp::LTestApp(LTestAppRecord* aRecord, std::function<void(int)> aOnUpdate)
    : mRecord(aRecord), mOnUpdate(std::move(aOnUpdate))
{
}

LTestApp::~LTestApp()
{
    mRecord->mDeleted = true;
}

bool LTestApp::Init()
{
    ++mRecord->mInit;
    return true;
}

bool LTestApp::Update()
{
    const int frame = ++mRecord->mUpdate;
    mRecord->mCalls.push_back("update " + std::to_string(frame));
    if (mOnUpdate) {
        mOnUpdate(frame);
    }
    return true;
}

void LTestApp::OnQuit()
{
    ++mRecord->mQuit;
}

void LTestApp::OnActivate()
{
    ++mRecord->mActivate;
}

void LTestApp::OnDeactivate()
{
    ++mRecord->mDeactivate;
}

void LTestApp::OnKeyDown(int aKey)
{
    mRecord->mCalls.push_back("app key down " + std::to_string(aKey));
    LKeyboard::Get()->OnKeyDown(aKey);
}

void LTestApp::OnKeyUp(int aKey)
{
    mRecord->mCalls.push_back("app key up " + std::to_string(aKey));
    LKeyboard::Get()->OnKeyUp(aKey);
}

void LTestApp::OnButtonDown(const char16_t* aDevice, int aButton)
{
    mRecord->mCalls.push_back("app button down " + std::to_string(aButton));
    if (LString(aDevice) == LString(u"mouse")) {
        LMouse::Get()->OnButtonDown(aButton);
    }
}

void LTestApp::OnButtonUp(const char16_t* aDevice, int aButton)
{
    mRecord->mCalls.push_back("app button up " + std::to_string(aButton));
    if (LString(aDevice) == LString(u"mouse")) {
        LMouse::Get()->OnButtonUp(aButton);
    }
}

void LTestApp::OnMove(const char16_t* aDevice, LVector2& aValue)
{
    if (LString(aDevice) == LString(u"wheel")) {
        mRecord->mCalls.push_back("app wheel " + LTestPoint(aValue.x, aValue.y));
        const float delta = aValue.y - mLastWheel;
        mLastWheel = aValue.y;
        LMouse::Get()->OnWheel(delta);
        return;
    }
    mRecord->mCalls.push_back("app mouse " + LTestPoint(aValue.x, aValue.y));
    aValue.x = std::clamp(aValue.x, 0.0f, 799.0f);
    aValue.y = std::clamp(aValue.y, 0.0f, 599.0f);
    LMouse::Get()->OnMove(aValue);
}
