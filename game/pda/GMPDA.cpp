#include "pda/GMPDA.h"

#include "pda/GMIPDAListener.h"
#include "pda/GMInventoryPanel.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<GMPDA> sPDA;

} // namespace

GMPDA* GMPDA::GetInstance()
{
    return sPDA.Get(L_FILE, __LINE__, "GMPDA creation failure.");
}

GMPDA::GMPDA() : mInventory(L_NEW GMInventoryPanel())
{
    if (mInventory == nullptr) {
        L_ERROR("GMInventoryPanel creation failure.");
    }
}

GMPDA::~GMPDA()
{
    sPDA.Destroyed(this);
    delete mInventory;
    mInventory = nullptr;
}

LString GMPDA::Dump() const
{
    return DumpHead("GMPDA") + "]";
}

void GMPDA::Close()
{
}

int GMPDA::SetListener(GMIPDAListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return 0;
    }
    mListener = aListener;
    return 1;
}

int GMPDA::RemoveListener(GMIPDAListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("RemoveListener failure. NULL arg.");
        return 0;
    }
    if (mListener != aListener) {
        return 0;
    }
    mListener = nullptr;
    return 1;
}

void GMPDA::NotifyListener(int aCode)
{
    if (mListener != nullptr) {
        mListener->OnPDAEvent(aCode);
    }
}
