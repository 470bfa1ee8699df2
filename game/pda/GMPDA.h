// The hand-held device the player opens over a scene: a draggable overlay (not a screen of
// the screen manager) with a background, a main menu of six buttons ("map", "inventory",
// "phone", "log", "menu", "exit"), a tooltip for the menu buttons, one panel per function
// and a scroll area with a scroll bar that the panels share. Its closed form is the
// minimized bar (GMPDAMinimized), which opens it with a zoom and into which it collapses.
//
// Built once from "//textures/pda/pda_layout.txt" and the four panel layouts
// ("inventory_layout.txt", "map_layout.txt", "log_layout.txt", "phone_layout.txt" in the
// same directory), with "//textures/pda" as the texture root meanwhile. The listener (the
// current scene) hears GMIPDAListener codes: 4 when the PDA opens, 5 when it closes.
//
// The PDA is on the engine's cleaner and so outlives every game singleton: its destructor
// only forgets the bar, and it touches the engine services it uses only after testing them.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMIScreenFaderListener.h"

class GMIPDAListener;
class GMIPDAPanel;
class GMInventoryPanel;
class GMPDAMinimized;
class GMScreenFader;
class LButton;
class LDisplayGroup;
class LHashKeyList;
class LIDisplayObject;
class LPropertyList;
class LScrollBar;
class LToolTip;

class GMPDA : public LBase,
              public LIButtonListener,
              public GMIScreenFaderListener,
              public LIMouseListener,
              public LIFrameListener
{
public:
    static constexpr float kGroupZ = 9000.0f;
    static constexpr float kStartX = 100.0f;
    static constexpr float kStartY = 100.0f;
    // Presses are ignored this long after a panel change.
    static constexpr float kPanelChangeTime = 0.5f;

    // The PDA, made and built on first use and registered with the engine's cleaner; null
    // when it cannot be made (logged) and after the cleaner has deleted it.
    static GMPDA* GetInstance();

    GMPDA();
    GMPDA(const GMPDA&) = delete;
    GMPDA& operator=(const GMPDA&) = delete;
    ~GMPDA() override;

    LString Dump() const override;

    // Builds everything from the layouts; missing pieces are logged and left out.
    void Init();

    // Adds a panel under aId (owned from then on); a duplicate id is refused (logged, 0).
    int AddPanel(const LString& aId, GMIPDAPanel* aPanel);
    GMIPDAPanel* GetPanel(const LString& aId) const;
    GMIPDAPanel* GetCurrentPanel() const { return mCurrentPanel; }
    GMInventoryPanel* GetInventoryPanel() const;
    LDisplayGroup* GetGroup() const { return mGroup; }
    // The member "pdascrollarea" of the PDA group, or null.
    LDisplayGroup* GetScrollArea() const;
    LDisplayGroup* GetMainMenu() const { return mMainMenu; }
    LToolTip* GetToolTip() const { return mToolTip; }
    LScrollBar* GetScrollBar() const { return mScrollBar; }

    // Shows the PDA with a new main menu over the scene, whose input goes off; listener 4.
    void Open();
    // Closes the open PDA at once and minimizes the bar without animation; listener 5.
    // 0 when the PDA is not open.
    int Close();
    // The close of "exit" and "menu": the animated minimize of the bar, then Close.
    int CloseToBar();
    // Forwards to the bar.
    int Minimize(bool aAnimate);
    bool IsOpen() const;
    bool IsBusy() const { return mBusy; }

    // Shows the panel aId (any letter case) and keeps presses away for 0.5 s. 1 also when
    // it is already the current panel; 0 (logged) for an id that names no panel.
    int SetPanel(const LString& aId);
    void HidePanels();

    // The scroll content: the group of the shown panel that the scroll bar moves.
    int SetScrollContentGroup(LIDisplayObject* aGroup);
    int ClearScrollContentGroup();
    int SetScrollContentHeight(int aHeight);
    // The group SetScrollContentGroup was last given, null after a clear.
    LIDisplayObject* GetScrollContent() const { return mScrollContent; }
    void ResetScroll();

    // Null is refused (logged, 0).
    int SetListener(GMIPDAListener* aListener);
    // Clears the listener when it is aListener (1); null is refused (logged).
    int RemoveListener(GMIPDAListener* aListener);
    GMIPDAListener* GetListener() const { return mListener; }
    // Passes aCode to the listener, if any.
    void NotifyListener(int aCode);

    void OnButton(const LString& aId, int aEvent) override;
    void OnFade(int aEvent) override;
    void OnButtonDown(int) override {}
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnFrame() override;

private:
    // A new scroll bar over the scroll-bar group, with the geometry's specs.
    void BuildScrollBar(bool aMap);
    bool SetScrollGeometry(bool aMap);
    void SetMenuButtonsForPanel(bool aAlsoMenu);
    void ShowCaseDisplay();
    void PressMenu();
    bool ScenePanelsAllowed() const;
    LButton* GetMenuButton(const LString& aId) const;

    GMPDAMinimized* mMinimized = nullptr;
    GMIPDAPanel* mCurrentPanel = nullptr;
    LHashKeyList* mPanels = nullptr;
    LDisplayGroup* mGroup = nullptr;
    LDisplayGroup* mBackground = nullptr;
    LDisplayGroup* mMainMenu = nullptr;
    LDisplayGroup* mScrollBarGroup = nullptr;
    LPropertyList* mLayout = nullptr;
    LScrollBar* mScrollBar = nullptr;
    LDisplayGroup* mScrollArea = nullptr;
    LDisplayGroup* mScrollContentGroup = nullptr;
    LIDisplayObject* mScrollContent = nullptr;
    GMScreenFader* mFader = nullptr;
    bool mBusy = true;
    GMIPDAListener* mListener = nullptr;
    LButton* mDragButton = nullptr;
    bool mDragging = false;
    LVector2 mDragOffset {0.0f, 0.0f};
    double mBusyUntil = 0.0;
    bool mFrameListening = false;
    int mHoveredIndex = -1;
    int mToolTipIndex = 5;
    LToolTip* mToolTip = nullptr;
    LVectorString mToolTipTexts;
    bool mInited = false;
};
