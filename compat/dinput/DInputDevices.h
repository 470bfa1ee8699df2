// Inside compat only: the DirectInput object and its two kinds of device.
#pragma once
#include "DInput.h"
#include "d3d9/D3D9Impl.h"

#include <deque>

union SDL_Event;

class DInputObject final : public D3D9RefCounted<IDirectInput8W>
{
public:
    HRESULT CreateDevice(REFGUID aDevice, IDirectInputDevice8W** aOut, IUnknown* aOuter) override;
};

// What keyboard and mouse share: format, cooperative level, acquisition and focus.
class DInputDevice : public D3D9RefCounted<IDirectInputDevice8W>
{
public:
    DInputDevice(const DIDATAFORMAT* aExpectedFormat);
    HRESULT SetDataFormat(const DIDATAFORMAT* aFormat) override;
    HRESULT SetCooperativeLevel(HWND aWindow, DWORD aFlags) override;
    HRESULT SetProperty(REFGUID aProperty, const DIPROPHEADER* aHeader) override;
    HRESULT Acquire() override;
    HRESULT Unacquire() override;
    HRESULT Poll() override;

protected:
    ~DInputDevice() override;
    // Called with every SDL event while the device exists.
    virtual void OnEvent(const SDL_Event& aEvent) = 0;
    virtual void OnAcquire(bool aAcquired) {}
    // DI_OK when reads may go ahead, else the failure to return.
    HRESULT CheckReadable();
    void Lose();

    const DIDATAFORMAT* mExpectedFormat;
    bool mFormatSet = false;
    bool mAcquired = false;
    bool mLost = false;
    bool mExclusive = false;
    bool mForeground = true;
    HWND mWindow = nullptr;
    DWORD mBufferSize = 0;

private:
    static void Sink(const SDL_Event& aEvent, void* aContext);
};

class DInputKeyboard final : public DInputDevice
{
public:
    DInputKeyboard();
    HRESULT GetDeviceState(DWORD aSize, void* aData) override;
    HRESULT GetDeviceData(DWORD aRecordSize, DIDEVICEOBJECTDATA* aRecords, DWORD* aCount, DWORD aFlags) override;

private:
    void OnEvent(const SDL_Event& aEvent) override;
    BYTE mState[256] = {};
};

class DInputMouse final : public DInputDevice
{
public:
    DInputMouse();
    HRESULT GetDeviceState(DWORD aSize, void* aData) override;
    HRESULT GetDeviceData(DWORD aRecordSize, DIDEVICEOBJECTDATA* aRecords, DWORD* aCount, DWORD aFlags) override;

private:
    void OnEvent(const SDL_Event& aEvent) override;
    void OnAcquire(bool aAcquired) override;
    void Record(DWORD aOffset, DWORD aData, DWORD aTime, bool aMerge);

    std::deque<DIDEVICEOBJECTDATA> mRecords;
    bool mOverflow = false;
    float mRestX = 0.0f; // movement below one picture unit, carried to the next event
    float mRestY = 0.0f;
    LONG mStateX = 0; // movement since the last GetDeviceState
    LONG mStateY = 0;
    LONG mStateZ = 0;
    BYTE mButtons[4] = {};
};
