// Keyboard state and buffered mouse records from SDL events pushed into the queue.
#include "dinput/DInput.h"
#include "support/LSdlEvents.h"
#include "win32/WinWindow.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace LSdlEvents;

LRESULT Proc(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
{
    return DefWindowProcW(aWindow, aMessage, aWParam, aLParam);
}

class DInput : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Proc;
        windowClass.lpszClassName = "DInputTest";
        RegisterClassExA(&windowClass);
        mWindow = CreateWindowExA(0, "DInputTest", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, mWindow);
        ShowWindow(mWindow, SW_SHOW);
        void* object = nullptr;
        ASSERT_EQ(DI_OK, DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8W, &object, nullptr));
        mInput = static_cast<IDirectInput8W*>(object);
    }

    void TearDown() override
    {
        if (mKeyboard) {
            mKeyboard->Release();
        }
        if (mMouse) {
            mMouse->Release();
        }
        if (mInput) {
            mInput->Release();
        }
        DestroyWindow(mWindow);
        Drain();
    }

    // The keyboard, with its format set and acquired when aReady.
    void MakeKeyboard(bool aReady = true)
    {
        ASSERT_EQ(DI_OK, mInput->CreateDevice(GUID_SysKeyboard, &mKeyboard, nullptr));
        ASSERT_EQ(DI_OK, mKeyboard->SetCooperativeLevel(mWindow, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND));
        if (aReady) {
            ASSERT_EQ(DI_OK, mKeyboard->SetDataFormat(&c_dfDIKeyboard));
            ASSERT_EQ(DI_OK, mKeyboard->Acquire());
        }
    }

    void MakeMouse(DWORD aBufferSize = 64)
    {
        ASSERT_EQ(DI_OK, mInput->CreateDevice(GUID_SysMouse, &mMouse, nullptr));
        ASSERT_EQ(DI_OK, mMouse->SetDataFormat(&c_dfDIMouse));
        ASSERT_EQ(DI_OK, mMouse->SetCooperativeLevel(mWindow, DISCL_EXCLUSIVE | DISCL_NOWINKEY | DISCL_FOREGROUND));
        DIPROPDWORD property{};
        property.diph.dwSize = sizeof(DIPROPDWORD);
        property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        property.diph.dwHow = DIPH_DEVICE;
        property.dwData = aBufferSize;
        ASSERT_EQ(DI_OK, mMouse->SetProperty(DIPROP_BUFFERSIZE, &property.diph));
        ASSERT_EQ(DI_OK, mMouse->Acquire());
    }

    // The codes of the keys held down.
    std::vector<int> Held()
    {
        std::vector<uint8_t> state(256);
        EXPECT_EQ(DI_OK, mKeyboard->GetDeviceState(256, state.data()));
        std::vector<int> held;
        for (int code = 0; code < 256; ++code) {
            if (state[code] != 0) {
                EXPECT_EQ(0x80, state[code]) << code;
                held.push_back(code);
            }
        }
        return held;
    }

    // Offset and value of each record.
    static std::vector<std::pair<DWORD, LONG>> Pairs(const std::vector<DIDEVICEOBJECTDATA>& aRecords)
    {
        std::vector<std::pair<DWORD, LONG>> pairs;
        for (const DIDEVICEOBJECTDATA& record : aRecords) {
            pairs.emplace_back(record.dwOfs, static_cast<LONG>(record.dwData));
        }
        return pairs;
    }

    std::vector<DIDEVICEOBJECTDATA> Records(HRESULT* aResult = nullptr)
    {
        std::vector<DIDEVICEOBJECTDATA> records(64);
        DWORD count = 64;
        HRESULT result = mMouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records.data(), &count, 0);
        if (aResult) {
            *aResult = result;
        }
        records.resize(SUCCEEDED(result) ? count : 0);
        return records;
    }

    HWND mWindow = nullptr;
    IDirectInput8W* mInput = nullptr;
    IDirectInputDevice8W* mKeyboard = nullptr;
    IDirectInputDevice8W* mMouse = nullptr;
};

TEST(DInputScanCodes, KeysMapByPositionWithExtendedKeysMarked)
{
    const struct
    {
        int mSdl;
        int mCode;
    } keys[] = {{SDL_SCANCODE_A, 0x1E},      {SDL_SCANCODE_Z, 0x2C},        {SDL_SCANCODE_1, 0x02},
                {SDL_SCANCODE_0, 0x0B},      {SDL_SCANCODE_RETURN, 0x1C},   {SDL_SCANCODE_KP_ENTER, 0x9C},
                {SDL_SCANCODE_LALT, 0x38},   {SDL_SCANCODE_RALT, 0xB8},     {SDL_SCANCODE_UP, 0xC8},
                {SDL_SCANCODE_KP_8, 0x48},   {SDL_SCANCODE_RSHIFT, 0x36},   {SDL_SCANCODE_SPACE, 0x39},
                {-1, 0},                     {SDL_NUM_SCANCODES, 0}};
    for (const auto& key : keys) {
        EXPECT_EQ(key.mCode, DInputScanCode(key.mSdl)) << key.mSdl;
    }
}

TEST_F(DInput, KeyboardReadsFailUntilFormatAndAcquisition)
{
    MakeKeyboard(false);
    std::vector<uint8_t> state(256);
    EXPECT_EQ(DIERR_INVALIDPARAM, mKeyboard->GetDeviceState(256, state.data()));
    EXPECT_EQ(DIERR_INVALIDPARAM, mKeyboard->Acquire());
    ASSERT_EQ(DI_OK, mKeyboard->SetDataFormat(&c_dfDIKeyboard));
    EXPECT_EQ(DIERR_NOTACQUIRED, mKeyboard->GetDeviceState(256, state.data()));
    ASSERT_EQ(DI_OK, mKeyboard->Acquire());
    EXPECT_EQ(DI_NOEFFECT, mKeyboard->Acquire());
    EXPECT_EQ(DIERR_INVALIDPARAM, mKeyboard->GetDeviceState(255, state.data()));
    EXPECT_EQ(DI_OK, mKeyboard->GetDeviceState(256, state.data()));
}

TEST_F(DInput, KeyboardStateFollowsKeyEvents)
{
    MakeKeyboard();
    Key("A", true);
    Key("Right Alt", true);
    Key("Keypad Enter", true);
    EXPECT_EQ((std::vector<int> {0x1E, 0x9C, 0xB8}), Held());
    Key("A", false);
    EXPECT_EQ((std::vector<int> {0x9C, 0xB8}), Held());
}

TEST_F(DInput, FocusLossDropsAcquisitionUntilFocusReturns)
{
    MakeKeyboard();
    Key("W", true);
    Focus(false);
    std::vector<uint8_t> state(256);
    EXPECT_EQ(DIERR_INPUTLOST, mKeyboard->GetDeviceState(256, state.data()));
    EXPECT_EQ(DIERR_OTHERAPPHASPRIO, mKeyboard->Acquire());
    Focus(true);
    ASSERT_EQ(DI_OK, mKeyboard->Acquire());
    EXPECT_TRUE(Held().empty()); // the key held when the focus went is released
}

TEST_F(DInput, MouseRecordsComeInEventOrderWithMovementMerged)
{
    MakeMouse();
    Move(3, 4);
    Move(2, 0);
    Button(1, true);
    Move(1, -1);
    Wheel(1);
    Button(3, true);
    Button(2, true);
    Button(1, false);
    std::vector<DIDEVICEOBJECTDATA> records = Records();
    EXPECT_EQ((std::vector<std::pair<DWORD, LONG>> {{DIMOFS_X, 5}, {DIMOFS_Y, 4}, {DIMOFS_BUTTON0, 0x80},
                                                    {DIMOFS_X, 1}, {DIMOFS_Y, -1}, {DIMOFS_Z, 120},
                                                    {DIMOFS_BUTTON1, 0x80}, {DIMOFS_BUTTON2, 0x80},
                                                    {DIMOFS_BUTTON0, 0}}),
              Pairs(records));
    for (size_t i = 1; i < records.size(); ++i) {
        EXPECT_GT(records[i].dwSequence, records[i - 1].dwSequence);
    }
    EXPECT_TRUE(Records().empty());
}

TEST_F(DInput, MouseMovementIsScaledToPictureUnits)
{
    // A picture of 400 x 300 shown in the 800 x 600 window: two window pixels a unit.
    mWindow->mPictureWidth = 400;
    mWindow->mPictureHeight = 300;
    MakeMouse();
    Move(10, -6);
    Button(1, true);
    Move(1, 1); // half a unit: carried
    Button(1, false);
    Move(1, 1);
    Wheel(-2);
    EXPECT_EQ((std::vector<std::pair<DWORD, LONG>> {{DIMOFS_X, 5}, {DIMOFS_Y, -3}, {DIMOFS_BUTTON0, 0x80},
                                                    {DIMOFS_BUTTON0, 0}, {DIMOFS_X, 1}, {DIMOFS_Y, 1},
                                                    {DIMOFS_Z, -240}}),
              Pairs(Records()));
}

TEST_F(DInput, FullBufferKeepsTheOldestAndReportsOverflow)
{
    MakeMouse(2);
    Button(1, true);
    Button(1, false);
    Button(3, true);
    HRESULT result = DI_OK;
    EXPECT_EQ((std::vector<std::pair<DWORD, LONG>> {{DIMOFS_BUTTON0, 0x80}, {DIMOFS_BUTTON0, 0}}),
              Pairs(Records(&result)));
    EXPECT_EQ(DI_BUFFEROVERFLOW, result);
    Records(&result);
    EXPECT_EQ(DI_OK, result);
}

TEST_F(DInput, UnacquiredMouseRecordsNothingAndReadsFail)
{
    MakeMouse();
    ASSERT_EQ(DI_OK, mMouse->Unacquire());
    EXPECT_EQ(DI_NOEFFECT, mMouse->Unacquire());
    Button(1, true);
    HRESULT result = DI_OK;
    Records(&result);
    EXPECT_EQ(DIERR_NOTACQUIRED, result);
    ASSERT_EQ(DI_OK, mMouse->Acquire());
    EXPECT_TRUE(Records().empty());
}

TEST_F(DInput, BadRecordSizesAndPropertiesAreRefused)
{
    MakeMouse();
    DIDEVICEOBJECTDATA record{};
    DWORD count = 1;
    EXPECT_EQ(DIERR_INVALIDPARAM, mMouse->GetDeviceData(20, &record, &count, 0));
    EXPECT_EQ(0u, count);
    DIPROPDWORD property{};
    property.diph.dwSize = sizeof(DIPROPHEADER);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    mMouse->Unacquire();
    EXPECT_EQ(DIERR_INVALIDPARAM, mMouse->SetProperty(DIPROP_BUFFERSIZE, &property.diph));
    EXPECT_EQ(DIERR_INVALIDPARAM, mMouse->SetCooperativeLevel(mWindow, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE));
    IDirectInputDevice8W* other = nullptr;
    EXPECT_EQ(DIERR_DEVICENOTREG, mInput->CreateDevice(IID_IDirectInput8W, &other, nullptr));
    void* object = nullptr;
    EXPECT_EQ(DIERR_INVALIDPARAM, DirectInput8Create(nullptr, 0x0700, IID_IDirectInput8W, &object, nullptr));
}

} // namespace
