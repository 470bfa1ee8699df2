#include "DInputDevices.h"

#include "win32/WinWindow.h"

#include <SDL2/SDL.h>

#include <cmath>
#include <cstring>

const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID IID_IDirectInput8W = {0xBF798031, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID DIPROP_BUFFERSIZE = {1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

const DIDATAFORMAT c_dfDIKeyboard = {24, 16, 2, 256, 256, nullptr};
const DIDATAFORMAT c_dfDIMouse = {24, 16, 2, sizeof(DIMOUSESTATE), 7, nullptr};

namespace {

bool SameGuid(REFGUID aLeft, REFGUID aRight)
{
    return std::memcmp(&aLeft, &aRight, sizeof(GUID)) == 0;
}

DWORD gSequence = 0;

} // namespace

HRESULT DirectInput8Create(HINSTANCE, DWORD aVersion, REFIID aInterface, void** aOut, IUnknown* aOuter)
{
    if (!aOut) {
        return DIERR_INVALIDPARAM;
    }
    *aOut = nullptr;
    if (aOuter || aVersion != DIRECTINPUT_VERSION || !SameGuid(aInterface, IID_IDirectInput8W)) {
        return DIERR_INVALIDPARAM;
    }
    if (!WinSdlInit()) {
        D3D9SetErrorDetail(WinLastSdlError());
        return DIERR_NOTINITIALIZED;
    }
    *aOut = static_cast<IDirectInput8W*>(new DInputObject);
    return DI_OK;
}

HRESULT DInputObject::CreateDevice(REFGUID aDevice, IDirectInputDevice8W** aOut, IUnknown* aOuter)
{
    if (!aOut || aOuter) {
        return DIERR_INVALIDPARAM;
    }
    *aOut = nullptr;
    if (SameGuid(aDevice, GUID_SysKeyboard)) {
        *aOut = new DInputKeyboard;
    } else if (SameGuid(aDevice, GUID_SysMouse)) {
        *aOut = new DInputMouse;
    } else {
        return DIERR_DEVICENOTREG;
    }
    return DI_OK;
}

DInputDevice::DInputDevice(const DIDATAFORMAT* aExpectedFormat) : mExpectedFormat(aExpectedFormat)
{
    WinAddEventSink(&DInputDevice::Sink, this);
}

DInputDevice::~DInputDevice()
{
    WinRemoveEventSink(&DInputDevice::Sink, this);
}

void DInputDevice::Sink(const SDL_Event& aEvent, void* aContext)
{
    DInputDevice* device = static_cast<DInputDevice*>(aContext);
    if (aEvent.type == SDL_WINDOWEVENT && aEvent.window.event == SDL_WINDOWEVENT_FOCUS_LOST && device->mForeground) {
        device->Lose();
    }
    device->OnEvent(aEvent);
}

void DInputDevice::Lose()
{
    if (mAcquired) {
        mAcquired = false;
        mLost = true;
        OnAcquire(false);
    }
}

HRESULT DInputDevice::SetDataFormat(const DIDATAFORMAT* aFormat)
{
    if (mAcquired) {
        return static_cast<HRESULT>(0x800700AAu); // DIERR_ACQUIRED
    }
    if (!aFormat || aFormat->dwDataSize != mExpectedFormat->dwDataSize) {
        return DIERR_INVALIDPARAM;
    }
    mFormatSet = true;
    return DI_OK;
}

HRESULT DInputDevice::SetCooperativeLevel(HWND aWindow, DWORD aFlags)
{
    bool exclusive = (aFlags & DISCL_EXCLUSIVE) != 0;
    bool nonExclusive = (aFlags & DISCL_NONEXCLUSIVE) != 0;
    bool foreground = (aFlags & DISCL_FOREGROUND) != 0;
    bool background = (aFlags & DISCL_BACKGROUND) != 0;
    if (exclusive == nonExclusive || foreground == background) {
        return DIERR_INVALIDPARAM;
    }
    if (!IsWindow(aWindow)) {
        return static_cast<HRESULT>(0x80070006u); // E_HANDLE
    }
    if (mAcquired) {
        return static_cast<HRESULT>(0x800700AAu);
    }
    mExclusive = exclusive;
    mForeground = foreground;
    mWindow = aWindow;
    return DI_OK;
}

HRESULT DInputDevice::SetProperty(REFGUID aProperty, const DIPROPHEADER* aHeader)
{
    if (!aHeader || !SameGuid(aProperty, DIPROP_BUFFERSIZE)) {
        return DIERR_INVALIDPARAM;
    }
    if (aHeader->dwSize != sizeof(DIPROPDWORD) || aHeader->dwHeaderSize != sizeof(DIPROPHEADER) ||
        aHeader->dwHow != DIPH_DEVICE || aHeader->dwObj != 0) {
        return DIERR_INVALIDPARAM;
    }
    if (mAcquired) {
        return static_cast<HRESULT>(0x800700AAu);
    }
    DWORD size = reinterpret_cast<const DIPROPDWORD*>(aHeader)->dwData;
    mBufferSize = size > 4096 ? 4096 : size;
    return DI_OK;
}

HRESULT DInputDevice::Acquire()
{
    if (!mFormatSet) {
        return DIERR_INVALIDPARAM;
    }
    if (mAcquired) {
        return DI_NOEFFECT;
    }
    WinPumpEvents();
    if (mForeground && !WinHasFocus()) {
        return DIERR_OTHERAPPHASPRIO;
    }
    mAcquired = true;
    mLost = false;
    OnAcquire(true);
    return DI_OK;
}

HRESULT DInputDevice::Unacquire()
{
    if (!mAcquired) {
        return DI_NOEFFECT;
    }
    mAcquired = false;
    OnAcquire(false);
    return DI_OK;
}

HRESULT DInputDevice::Poll()
{
    if (!mAcquired) {
        return DIERR_NOTACQUIRED;
    }
    WinPumpEvents();
    return DI_NOEFFECT; // the devices need no polling
}

HRESULT DInputDevice::CheckReadable()
{
    WinPumpEvents();
    if (!mAcquired) {
        return mLost ? DIERR_INPUTLOST : DIERR_NOTACQUIRED;
    }
    return DI_OK;
}

DInputKeyboard::DInputKeyboard() : DInputDevice(&c_dfDIKeyboard)
{
}

void DInputKeyboard::OnEvent(const SDL_Event& aEvent)
{
    if (aEvent.type == SDL_KEYDOWN || aEvent.type == SDL_KEYUP) {
        BYTE code = DInputScanCode(aEvent.key.keysym.scancode);
        if (code != 0) {
            mState[code] = aEvent.type == SDL_KEYDOWN ? 0x80 : 0x00;
        }
    } else if (aEvent.type == SDL_WINDOWEVENT && aEvent.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        // Keys released elsewhere are never reported to us.
        std::memset(mState, 0, sizeof(mState));
    }
}

HRESULT DInputKeyboard::GetDeviceState(DWORD aSize, void* aData)
{
    if (!aData || !mFormatSet || aSize != sizeof(mState)) {
        return DIERR_INVALIDPARAM;
    }
    HRESULT readable = CheckReadable();
    if (FAILED(readable)) {
        return readable;
    }
    std::memcpy(aData, mState, sizeof(mState));
    return DI_OK;
}

HRESULT DInputKeyboard::GetDeviceData(DWORD, DIDEVICEOBJECTDATA*, DWORD* aCount, DWORD)
{
    if (aCount) {
        *aCount = 0;
    }
    return DIERR_INVALIDPARAM; // the keyboard is read by state only
}

DInputMouse::DInputMouse() : DInputDevice(&c_dfDIMouse)
{
}

void DInputMouse::OnAcquire(bool aAcquired)
{
    if (aAcquired) {
        mRecords.clear();
        mOverflow = false;
        mRestX = mRestY = 0.0f;
        mStateX = mStateY = mStateZ = 0;
    }
    if (mExclusive) {
        SDL_SetRelativeMouseMode(aAcquired ? SDL_TRUE : SDL_FALSE);
    }
}

void DInputMouse::Record(DWORD aOffset, DWORD aData, DWORD aTime, bool aMerge)
{
    if (aMerge) {
        // Movement joins the last record of its axis unless a button record followed it.
        for (auto it = mRecords.rbegin(); it != mRecords.rend(); ++it) {
            if (it->dwOfs >= DIMOFS_BUTTON0) {
                break;
            }
            if (it->dwOfs == aOffset) {
                it->dwData = static_cast<DWORD>(static_cast<LONG>(it->dwData) + static_cast<LONG>(aData));
                it->dwTimeStamp = aTime;
                return;
            }
        }
    }
    if (mRecords.size() >= mBufferSize) {
        mOverflow = true;
        return;
    }
    mRecords.push_back(DIDEVICEOBJECTDATA{aOffset, aData, aTime, ++gSequence, 0});
}

void DInputMouse::OnEvent(const SDL_Event& aEvent)
{
    if (!mAcquired) {
        return;
    }
    switch (aEvent.type) {
    case SDL_MOUSEMOTION: {
        float scale = WinPictureScale(mWindow);
        mRestX += aEvent.motion.xrel / scale;
        mRestY += aEvent.motion.yrel / scale;
        LONG dx = static_cast<LONG>(std::trunc(mRestX));
        LONG dy = static_cast<LONG>(std::trunc(mRestY));
        mRestX -= static_cast<float>(dx);
        mRestY -= static_cast<float>(dy);
        mStateX += dx;
        mStateY += dy;
        if (dx != 0) {
            Record(DIMOFS_X, static_cast<DWORD>(dx), aEvent.motion.timestamp, true);
        }
        if (dy != 0) {
            Record(DIMOFS_Y, static_cast<DWORD>(dy), aEvent.motion.timestamp, true);
        }
        break;
    }
    case SDL_MOUSEWHEEL: {
        LONG notches = aEvent.wheel.y;
        if (aEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            notches = -notches;
        }
        if (notches != 0) {
            mStateZ += notches * 120;
            Record(DIMOFS_Z, static_cast<DWORD>(notches * 120), aEvent.wheel.timestamp, true);
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        DWORD button;
        switch (aEvent.button.button) {
        case SDL_BUTTON_LEFT: button = 0; break;
        case SDL_BUTTON_RIGHT: button = 1; break;
        case SDL_BUTTON_MIDDLE: button = 2; break;
        case SDL_BUTTON_X1: button = 3; break;
        default: return;
        }
        BYTE state = aEvent.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0x00;
        mButtons[button] = state;
        Record(DIMOFS_BUTTON0 + button, state, aEvent.button.timestamp, false);
        break;
    }
    default: break;
    }
}

HRESULT DInputMouse::GetDeviceState(DWORD aSize, void* aData)
{
    if (!aData || !mFormatSet || aSize != sizeof(DIMOUSESTATE)) {
        return DIERR_INVALIDPARAM;
    }
    HRESULT readable = CheckReadable();
    if (FAILED(readable)) {
        return readable;
    }
    DIMOUSESTATE state{mStateX, mStateY, mStateZ, {mButtons[0], mButtons[1], mButtons[2], mButtons[3]}};
    mStateX = mStateY = mStateZ = 0;
    std::memcpy(aData, &state, sizeof(state));
    return DI_OK;
}

HRESULT DInputMouse::GetDeviceData(DWORD aRecordSize, DIDEVICEOBJECTDATA* aRecords, DWORD* aCount, DWORD aFlags)
{
    if (!aCount || aRecordSize != sizeof(DIDEVICEOBJECTDATA) || !mFormatSet || mBufferSize == 0) {
        if (aCount) {
            *aCount = 0;
        }
        return DIERR_INVALIDPARAM;
    }
    HRESULT readable = CheckReadable();
    if (FAILED(readable)) {
        *aCount = 0;
        return readable;
    }
    DWORD count = 0;
    while (count < *aCount && count < mRecords.size()) {
        if (aRecords) {
            aRecords[count] = mRecords[count];
        }
        ++count;
    }
    if (!(aFlags & DIGDD_PEEK)) {
        mRecords.erase(mRecords.begin(), mRecords.begin() + count);
    }
    *aCount = count;
    bool overflow = mOverflow;
    if (!(aFlags & DIGDD_PEEK)) {
        mOverflow = false;
    }
    return overflow ? DI_BUFFEROVERFLOW : DI_OK;
}
