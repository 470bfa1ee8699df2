#include "Input/LInputDX9.h"

#include "Input/LKeyboardDX9.h"
#include "Input/LMouseDX9.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LInputDX9::LInputDX9(LIPlatform* aPlatform) : mPlatform(aPlatform)
{
}

LInputDX9::~LInputDX9()
{
    delete mKeyboard;
    mKeyboard = nullptr;
    delete mMouse;
    mMouse = nullptr;
    if (mDirectInput) {
        mDirectInput->Release();
        mDirectInput = nullptr;
    }
    mPlatform = nullptr;
}

bool LInputDX9::Init(HINSTANCE aInstance, HWND aWindow, bool, bool aKeyboard, bool aMouse)
{
    mKeyboard = nullptr;
    mMouse = nullptr;
    void* object = nullptr;
    HRESULT result = DirectInput8Create(aInstance, DIRECTINPUT_VERSION, IID_IDirectInput8W, &object, nullptr);
    if (FAILED(result)) {
        L_ERROR(LString("DirectInput8Create failure: ") + DXGetErrorString9(result) + ": " +
                DXGetErrorDescription9(result));
        return false;
    }
    mDirectInput = static_cast<IDirectInput8W*>(object);
    if (aKeyboard) {
        mKeyboard = L_NEW LKeyboardDX9(this, aWindow);
        if (!mKeyboard) {
            L_ERROR("Keyboard creation failure.");
            mDirectInput->Release();
            mDirectInput = nullptr;
            return false;
        }
    }
    if (aMouse) {
        mMouse = L_NEW LMouseDX9(this, aWindow, true, true, true);
        if (!mMouse) {
            L_ERROR("Mouse creation failure.");
            mDirectInput->Release();
            mDirectInput = nullptr;
            return false;
        }
    }
    return true;
}

bool LInputDX9::Update()
{
    bool result = true;
    if (mKeyboard && !mKeyboard->Update()) {
        result = false;
    }
    if (mMouse && !mMouse->Update()) {
        result = false;
    }
    return result;
}
