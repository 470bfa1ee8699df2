// The hand-held device the player opens over a scene. It cannot be opened yet: it is
// never open and shows nothing, but it keeps its listener and owns the inventory, whose
// saved block is already final.
#pragma once
#include "object/LBase.h"

class GMIPDAListener;
class GMInventoryPanel;

class GMPDA : public LBase
{
public:
    // The PDA, made on first use and registered with the engine's cleaner (it outlives
    // the game's singletons); null when it cannot be made (logged) and after the cleaner
    // has deleted it.
    static GMPDA* GetInstance();

    GMPDA();
    GMPDA(const GMPDA&) = delete;
    GMPDA& operator=(const GMPDA&) = delete;
    ~GMPDA() override;

    LString Dump() const override;

    bool IsOpen() const { return false; }
    // Closes the open PDA; it never is.
    void Close();
    GMInventoryPanel* GetInventoryPanel() const { return mInventory; }

    // Null is refused (logged, 0).
    int SetListener(GMIPDAListener* aListener);
    // Clears the listener when it is aListener (1); null is refused (logged).
    int RemoveListener(GMIPDAListener* aListener);
    GMIPDAListener* GetListener() const { return mListener; }
    // Passes aCode to the listener, if any.
    void NotifyListener(int aCode);

private:
    GMIPDAListener* mListener = nullptr;
    GMInventoryPanel* mInventory = nullptr;
};
