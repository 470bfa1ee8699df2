#include "Input/LMouseDX9.h"

#include "Input/LInputDX9.h"
#include "Render/LApp.h"
#include "Render/LIPlatform.h"
#include "stdlib/LLog.h"

namespace {

const DWORD kBufferSize = 64;

// The running position and wheel total of the buffered mode, set from the first mouse
// that updates.
LVector2 sRunningPosition(0.0f, 0.0f);
float sRunningWheel = 0.0f;
bool sRunningStarted = false;

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

} // namespace

LMouseDX9::LMouseDX9(LInputDX9* aOwner, HWND aWindow, bool aExclusive, bool aForeground, bool aBuffered)
    : mOwner(aOwner), mExclusive(aExclusive), mForeground(aForeground), mBuffered(aBuffered)
{
    if (!aBuffered) {
        L_ASSERT_FAILURE("");
    }
    if (!Init(aWindow)) {
        L_ERROR("LMouseDX9 constructor failure.");
    }
    mSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

LMouseDX9::~LMouseDX9()
{
    if (mDevice) {
        mDevice->Unacquire();
        mDevice->Release();
        mDevice = nullptr;
    }
}

bool LMouseDX9::Init(HWND aWindow)
{
    IDirectInput8W* input = mOwner ? mOwner->GetDirectInput() : nullptr;
    if (!input) {
        L_ERROR("GetDirectInput failure.");
        return false;
    }
    HRESULT result = input->CreateDevice(GUID_SysMouse, &mDevice, nullptr);
    if (FAILED(result)) {
        mDevice = nullptr;
        L_ERROR("CreateDevice failure: " + DXError(result));
        return false;
    }
    result = mDevice->SetDataFormat(&c_dfDIMouse);
    if (FAILED(result)) {
        L_ERROR("SetDataFormat failure: " + DXError(result));
        mDevice->Release();
        mDevice = nullptr;
        return false;
    }
    DWORD level = (mExclusive ? DISCL_EXCLUSIVE | DISCL_NOWINKEY : DISCL_NONEXCLUSIVE) |
                  (mForeground ? DISCL_FOREGROUND : DISCL_BACKGROUND);
    result = mDevice->SetCooperativeLevel(aWindow, level);
    if (FAILED(result)) {
        L_ASSERT_FAILURE("SetCooperativeLevel failure:" + DXError(result));
        return false;
    }
    if (mBuffered) {
        DIPROPDWORD property{};
        property.diph.dwSize = sizeof(DIPROPDWORD);
        property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        property.diph.dwObj = 0;
        property.diph.dwHow = DIPH_DEVICE;
        property.dwData = kBufferSize;
        result = mDevice->SetProperty(DIPROP_BUFFERSIZE, &property.diph);
        if (FAILED(result)) {
            L_ASSERT_FAILURE("SetProperty failure:" + DXError(result));
            return false;
        }
    }
    mPosition.Set(0.0f, 0.0f);
    mWheel = 0.0f;
    mButtonDown[0] = mButtonDown[1] = mButtonDown[2] = false;
    return true;
}

void LMouseDX9::Unacquire()
{
    if (mDevice) {
        mDevice->Unacquire();
    }
}

void LMouseDX9::ReportMove(LApp* aApp)
{
    mPosition = sRunningPosition;
    aApp->OnMove(u"mouse", sRunningPosition);
}

void LMouseDX9::ReportWheel(LApp* aApp)
{
    mWheel = sRunningWheel;
    LVector2 value(0.0f, sRunningWheel);
    aApp->OnMove(u"wheel", value);
}

bool LMouseDX9::Update()
{
    if (!mDevice) {
        return true;
    }
    if (!mBuffered) {
        return false;
    }
    DIDEVICEOBJECTDATA records[kBufferSize] = {};
    DWORD count = kBufferSize;
    HRESULT result = mDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0);
    LIPlatform* platform = mOwner ? mOwner->GetPlatform() : nullptr;
    if (FAILED(result)) {
        if (!platform || !platform->IsActive()) {
            L_ERROR("GetDeviceState failure: " + DXError(result));
            return false;
        }
        result = mDevice->Acquire();
        if (result == E_ACCESSDENIED) {
            return false;
        }
        if (FAILED(result)) {
            L_ERROR("Acquire failed: " + DXError(result));
            return false;
        }
        count = kBufferSize;
        result = mDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0);
        if (FAILED(result)) {
            L_ERROR("GetDeviceState failure: " + DXError(result));
            return false;
        }
    }
    LApp* app = platform ? platform->GetApp() : nullptr;
    if (!app) {
        L_ERROR("Mouse output error. Could not get LApp.");
        return false;
    }
    if (!sRunningStarted) {
        sRunningStarted = true;
        sRunningPosition = mPosition;
        sRunningWheel = mWheel;
    }
    if (count > kBufferSize) {
        count = kBufferSize;
    }
    bool movePending = false;
    bool wheelPending = false;
    for (DWORD i = 0; i < count; ++i) {
        const DIDEVICEOBJECTDATA& record = records[i];
        const LONG value = static_cast<LONG>(record.dwData);
        switch (record.dwOfs) {
        case DIMOFS_X:
            sRunningPosition.x += static_cast<float>(value);
            movePending = true;
            break;
        case DIMOFS_Y:
            sRunningPosition.y += static_cast<float>(value);
            movePending = true;
            break;
        case DIMOFS_Z:
            sRunningWheel += static_cast<float>(value);
            wheelPending = true;
            break;
        case DIMOFS_BUTTON0:
        case DIMOFS_BUTTON1:
        case DIMOFS_BUTTON2: {
            const int index = static_cast<int>(record.dwOfs - DIMOFS_BUTTON0);
            const bool down = (record.dwData & 0x80) != 0;
            if (down == mButtonDown[index]) {
                break;
            }
            if (movePending) {
                ReportMove(app);
                movePending = false;
            } else if (wheelPending) {
                ReportWheel(app);
                wheelPending = false;
            }
            int button = index + 1;
            if (mSwapped && button <= 2) {
                button = 3 - button;
            }
            mButtonDown[index] = down;
            if (down) {
                app->OnButtonDown(u"mouse", button);
            } else {
                app->OnButtonUp(u"mouse", button);
            }
            break;
        }
        default: break; // a fourth button
        }
        if (movePending && wheelPending) {
            ReportWheel(app);
            wheelPending = false;
        }
    }
    if (movePending) {
        ReportMove(app);
    } else if (wheelPending) {
        ReportWheel(app);
    }
    return true;
}
