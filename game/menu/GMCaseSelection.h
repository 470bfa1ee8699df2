// The desk on which the player picks a case, opened as a screen when the state
// "sta_caseselection_active" becomes true and closed when it becomes false. Before the
// desk it shows, once for each case just closed, that case's ledger page, which closes
// after ten seconds or on its back button; the last case's ledger ends the game and
// brings the main menu back.
//
// On the desk a select button starts its case (the case's intro movie and starting
// location the first time), a review button plays the case's review movie, and the back
// button (shown once cases 1 to 3 are closed or a case is in progress) starts the last
// case when cases 1 to 3 are closed and returns to the game otherwise.
//
// The display is built from "//textures/caseselection/caseselection_layout.txt" on every
// OnShow and deleted in OnHidden.
#pragma once
#include "GMIScreen.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMICutSceneListener.h"
#include "ui/GMIScreenFaderListener.h"

class LDisplayGroup;
class LPropertyList;

class GMCaseSelection : public LBase,
                        public GMIScreen,
                        public LIButtonListener,
                        public LIStateListener,
                        public GMICutSceneListener,
                        public LIKeyboardListener,
                        public GMIScreenFaderListener,
                        public LIFrameListener,
                        public LIMouseListener
{
public:
    static constexpr float kLedgerTime = 10.0f;
    static constexpr float kLedgerMousePriority = -5.0f;
    static constexpr int kRightButton = 2;

    // The case selection, made on first use (listening to the states) and registered
    // with the game cleaner; null when it cannot be made (logged) and after the cleaner
    // has deleted it.
    static GMCaseSelection* GetInstance();
    // The case selection if it exists; never makes it.
    static GMCaseSelection* Peek();

    GMCaseSelection();
    GMCaseSelection(const GMCaseSelection&) = delete;
    GMCaseSelection& operator=(const GMCaseSelection&) = delete;
    ~GMCaseSelection() override;

    LString Dump() const override;

    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;

    void OnButton(const LString& aId, int aEvent) override;
    void OnStateChanged(LIState* aState) override;
    // A review movie has ended: the location's sounds start again.
    void OnCutSceneDone() override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnFade(int aEvent) override;
    void OnFrame() override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    // While a ledger page is open, a right-button release goes no further.
    void OnButtonUp(int aButton) override;

    LDisplayGroup* GetDisplay() const { return mDisplay; }
    // The case whose ledger page is open, or 0.
    int GetLedgerCase() const { return mLedgerCase; }

private:
    bool LoadLayout(LPropertyList& aLayout);
    bool MakeRoot();
    void AddRoot();
    void DeleteDisplay();
    void ShowDesk();
    void ShowLedger(int aCase);
    void CloseLedger();
    // The back button's entry built into the root group, under aId when given.
    void AddBackButton(LPropertyList& aLayout, const LString& aId);
    void SelectCase(int aCase);
    void Review(const LString& aId);
    void StartLastCaseOrLeave();
    // Listeners of the ledger page.
    void JoinFrames();
    void LeaveFrames();
    void ListenToMouse(bool aOn);
    static void InterruptMouse();

    LDisplayGroup* mDisplay = nullptr;
    double mLedgerCloseTime = 0.0;
    int mLedgerCase = 0;
    bool mInFrames = false;
    bool mInMouse = false;
    bool mInKeyboard = false;
    bool mFading = false;
};
