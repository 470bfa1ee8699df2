#include "D3D9Impl.h"

#include <string>

namespace {

std::string gDetail;
std::string gDescription;

struct ErrorText
{
    HRESULT mResult;
    const char* mName;
    const char* mDescription;
};

const ErrorText kTexts[] = {
    {D3D_OK, "S_OK", "No error occurred."},
    {S_FALSE, "S_FALSE", "The call succeeded but did nothing."},
    {E_FAIL, "E_FAIL", "An undetermined error occurred."},
    {E_NOTIMPL, "E_NOTIMPL", "Not implemented."},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "Ran out of memory."},
    {E_INVALIDARG, "E_INVALIDARG", "An invalid parameter was passed to the returning function."},
    {E_ACCESSDENIED, "E_ACCESSDENIED", "Access is denied."},
    {D3DERR_WRONGTEXTUREFORMAT, "D3DERR_WRONGTEXTUREFORMAT", "The pixel format of the texture is not supported."},
    {D3DERR_NOTFOUND, "D3DERR_NOTFOUND", "The requested item was not found."},
    {D3DERR_MOREDATA, "D3DERR_MOREDATA", "There is more data than the buffer holds."},
    {D3DERR_DEVICELOST, "D3DERR_DEVICELOST", "The device has been lost."},
    {D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE", "This device does not support the queried technique."},
    {D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY", "Out of video memory."},
    {D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL", "Invalid call."},
    // DirectInput results that the input stand-in returns
    {static_cast<HRESULT>(0x8007000Cu), "DIERR_NOTACQUIRED", "The device is not acquired."},
    {static_cast<HRESULT>(0x8007001Eu), "DIERR_INPUTLOST", "Access to the input device has been lost."},
    {static_cast<HRESULT>(0x80070015u), "DIERR_NOTINITIALIZED", "The object has not been initialized."},
    {static_cast<HRESULT>(0x80040154u), "DIERR_DEVICENOTREG", "The device is not registered."},
};

const ErrorText* Find(HRESULT aResult)
{
    for (const ErrorText& text : kTexts) {
        if (text.mResult == aResult) {
            return &text;
        }
    }
    return nullptr;
}

} // namespace

void D3D9SetErrorDetail(const std::string& aDetail)
{
    gDetail = aDetail;
}

const char* DXGetErrorString9(HRESULT aResult)
{
    const ErrorText* text = Find(aResult);
    return text ? text->mName : "Unknown";
}

const char* DXGetErrorDescription9(HRESULT aResult)
{
    const ErrorText* text = Find(aResult);
    gDescription = text ? text->mDescription : "n/a";
    if (FAILED(aResult) && !gDetail.empty()) {
        gDescription += " (" + gDetail + ")";
    }
    return gDescription.c_str();
}
