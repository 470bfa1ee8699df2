// The DirectInput 8 subset the engine reads the keyboard and the mouse through, over
// SDL's events.
//
// Keyboard: a 256-byte state indexed by DirectInput scan code (bit 0x80 while down).
// Keys are mapped by their position on the keyboard, not by what they type; extended
// keys are 0x80 | the code of the key they double (keypad Enter 0x9C, right Alt 0xB8,
// the arrows, Home, End ...).
// Mouse: buffered records in the order the events came: X, Y (relative movement in
// picture units, that is window pixels divided by the factor by which the picture is
// scaled to the window), Z (the wheel, 120 per notch, positive away from the user) and
// the buttons 0 left, 1 right, 2 middle (data 0x80 down, 0 up). Consecutive movement on
// an axis with no button record after it is merged into one record.
// Foreground devices lose their acquisition when the window loses the focus and cannot
// be acquired again until it has it back (DIERR_OTHERAPPHASPRIO). An exclusive mouse
// captures the pointer (relative mouse mode) while acquired.
#pragma once
#include "d3d9/D3D9.h"

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using REFGUID = const GUID&;
using REFIID = const GUID&;

extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;
extern const GUID IID_IDirectInput8W;
extern const GUID DIPROP_BUFFERSIZE;

#define DIRECTINPUT_VERSION 0x0800

#define DI_OK S_OK
#define DI_NOEFFECT S_FALSE
#define DI_BUFFEROVERFLOW S_FALSE
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_OTHERAPPHASPRIO E_ACCESSDENIED
#define DIERR_NOTACQUIRED static_cast<HRESULT>(0x8007000Cu)
#define DIERR_INPUTLOST static_cast<HRESULT>(0x8007001Eu)
#define DIERR_NOTINITIALIZED static_cast<HRESULT>(0x80070015u)
#define DIERR_DEVICENOTREG static_cast<HRESULT>(0x80040154u)

// Cooperative levels
#define DISCL_EXCLUSIVE 0x00000001u
#define DISCL_NONEXCLUSIVE 0x00000002u
#define DISCL_FOREGROUND 0x00000004u
#define DISCL_BACKGROUND 0x00000008u
#define DISCL_NOWINKEY 0x00000010u

#define DIPH_DEVICE 0u
#define DIGDD_PEEK 0x00000001u

// Offsets of the mouse's objects in DIMOUSESTATE (and of its buffered records)
#define DIMOFS_X 0u
#define DIMOFS_Y 4u
#define DIMOFS_Z 8u
#define DIMOFS_BUTTON0 12u
#define DIMOFS_BUTTON1 13u
#define DIMOFS_BUTTON2 14u
#define DIMOFS_BUTTON3 15u

struct DIDATAFORMAT
{
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
    const void* rgodf;
};
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse;

struct DIPROPHEADER
{
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};

struct DIPROPDWORD
{
    DIPROPHEADER diph;
    DWORD dwData;
};

struct DIDEVICEOBJECTDATA
{
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
    uintptr_t uAppData;
};

struct DIMOUSESTATE
{
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[4];
};

class IDirectInputDevice8W : public IUnknown
{
public:
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* aFormat) = 0;
    virtual HRESULT SetCooperativeLevel(HWND aWindow, DWORD aFlags) = 0;
    virtual HRESULT SetProperty(REFGUID aProperty, const DIPROPHEADER* aHeader) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT Poll() = 0;
    // Keyboard: 256 bytes; mouse: a DIMOUSESTATE (16 bytes).
    virtual HRESULT GetDeviceState(DWORD aSize, void* aData) = 0;
    // Buffered records, oldest first; *aCount is the room on entry and the number given
    // on return. Without DIGDD_PEEK the records given are removed.
    virtual HRESULT GetDeviceData(DWORD aRecordSize, DIDEVICEOBJECTDATA* aRecords, DWORD* aCount, DWORD aFlags) = 0;
};

class IDirectInput8W : public IUnknown
{
public:
    virtual HRESULT CreateDevice(REFGUID aDevice, IDirectInputDevice8W** aOut, IUnknown* aOuter) = 0;
};

HRESULT DirectInput8Create(HINSTANCE aInstance, DWORD aVersion, REFIID aInterface, void** aOut, IUnknown* aOuter);

// DirectInput scan code of an SDL scancode (SDL_Scancode's value); 0 for keys that have
// none.
BYTE DInputScanCode(int aSdlScancode);
