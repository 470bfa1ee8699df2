#include "Input/LKeyboardDX9.h"

#include "Input/LInputDX9.h"
#include "Render/LApp.h"
#include "Render/LIPlatform.h"
#include "stdlib/LLog.h"

#include <cstring>

namespace {

LString DXError(HRESULT aResult)
{
    return LString(DXGetErrorString9(aResult)) + ": " + DXGetErrorDescription9(aResult);
}

} // namespace

LKeyboardDX9::LKeyboardDX9(LInputDX9* aOwner, HWND aWindow) : mOwner(aOwner)
{
    Init(aWindow);
}

LKeyboardDX9::~LKeyboardDX9()
{
    if (mDevice) {
        mDevice->Unacquire();
        mDevice->Release();
        mDevice = nullptr;
    }
}

bool LKeyboardDX9::Init(HWND aWindow)
{
    IDirectInput8W* input = mOwner ? mOwner->GetDirectInput() : nullptr;
    if (!input) {
        L_ERROR("GetDirectInput failure.");
        return false;
    }
    HRESULT result = input->CreateDevice(GUID_SysKeyboard, &mDevice, nullptr);
    if (FAILED(result)) {
        mDevice = nullptr;
        L_ERROR("CreateDevice failure: " + DXError(result));
        return false;
    }
    result = mDevice->SetCooperativeLevel(aWindow, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    if (FAILED(result)) {
        mDevice->Release();
        mDevice = nullptr;
        L_ERROR("SetCooperativeLevel failure: " + DXError(result));
        return false;
    }
    std::memset(mKeys, 0, sizeof(mKeys));
    return true;
}

bool LKeyboardDX9::Update()
{
    if (!mDevice) {
        return false;
    }
    unsigned char keys[256] = {};
    mDevice->Poll();
    if (FAILED(mDevice->GetDeviceState(sizeof(keys), keys))) {
        mDevice->SetDataFormat(&c_dfDIKeyboard);
        HRESULT result = mDevice->Acquire();
        if (result == E_ACCESSDENIED) {
            return false;
        }
        if (FAILED(result)) {
            L_ERROR("Acquire failure: " + DXError(result));
            return false;
        }
        mDevice->Poll();
        result = mDevice->GetDeviceState(sizeof(keys), keys);
        if (FAILED(result)) {
            L_ERROR("GetDeviceState failure: " + DXError(result));
            return false;
        }
    }
    LIPlatform* platform = mOwner ? mOwner->GetPlatform() : nullptr;
    LApp* app = platform ? platform->GetApp() : nullptr;
    if (!app) {
        L_ERROR("Keyboard output error. Could not get LApp.");
        return false;
    }
    for (int key = 0; key < 256; ++key) {
        if (keys[key] != mKeys[key]) {
            if (keys[key] & 0x80) {
                app->OnKeyDown(key);
            } else {
                app->OnKeyUp(key);
            }
            mKeys[key] = keys[key];
        }
    }
    return true;
}
