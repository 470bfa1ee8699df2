// One collected item as it sits in a cell of an inventory sub-panel: a 64 x 64 icon (with
// a lab badge for a lab result) that shows its tooltip when the mouse rests on it, can be
// dragged to a free cell of its sub-panel and, when clicked, opens the multi-cursor with
// use (the item becomes the mouse cursor and the PDA closes), analyze (the item goes to
// the labs) and look (its description in the message box).
//
// The item's id is its sprite's id, followed by "_cl", "_re" or "_su" for a lab result
// (lab kind 1, 2 or 3). A press becomes a drag once the mouse has moved more than 7 pixels
// from the press point in x or y; only presses inside the PDA's scroll area count.
#pragma once
#include "Gdi/LDraggable.h"
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "container/LString.h"
#include "multicursor/GMIMultiCursorListener.h"
#include "stdlib/LIFrameListener.h"

class GMMultiCursor;
class LDisplayGroup;
class LPropertyList;
class LToolTip;

class GMInventoryItem : public LDraggable,
                        public LIMouseListener,
                        public GMIMultiCursorListener,
                        public LIFrameListener
{
public:
    static constexpr float kDragDistance = 7.0f;
    static constexpr float kToolTipDelay = 1.0f;
    static constexpr float kToolTipRise = 20.0f;
    static constexpr float kLabDelay = 5.0f;

    // The lab suffix of a lab kind ("_cl", "_re", "_su"); empty for any other kind.
    static const char* LabSuffix(int aLabKind);

    GMInventoryItem();
    GMInventoryItem(const GMInventoryItem&) = delete;
    GMInventoryItem& operator=(const GMInventoryItem&) = delete;
    // Leaves the mouse, the frames and the multi-cursor, and deletes its group (which
    // leaves the sub-panel's group); the tooltip stays with the tooltip manager.
    ~GMInventoryItem() override;

    // Builds the icon, badge and tooltip from the item's entry of the items file (its
    // "sprite" list), textures resolved under the texture root in force. Missing pieces
    // are logged and left out; true.
    bool Create(LPropertyList* aEntry, int aLabKind);
    LString GetId() const;
    LDisplayGroup* GetGroup() const { return mGroup; }
    LToolTip* GetToolTip() const { return mToolTip; }
    const LString& GetToolTipText() const { return mToolTipText; }
    // Follows the group's world activity: draggable and listening to the mouse exactly
    // while it is active.
    void RefreshActive();

    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnAction(int aAction) override;
    void OnFrame() override;

private:
    // The mouse position lies on the item and inside the PDA's scroll area.
    bool UnderMouse(const LVector2& aPosition);
    void MakeToolTip(const LString& aKey, int aLabKind);
    void StopHoverTimer();
    void FadeOutToolTip();
    void SetListening(bool aListening);
    void Analyze();
    void Look();

    LDisplayGroup* mGroup = nullptr;
    LVector2 mPressPosition {0.0f, 0.0f};
    float mMovement = 0.0f;
    double mPressTime = 0.0;
    GMMultiCursor* mMultiCursor = nullptr;
    bool mHovering = false;
    bool mToolTipPending = false;
    LString mToolTipText;
    double mHoverStart = 0.0;
    LToolTip* mToolTip = nullptr;
    // Between a press that started a drag and its release.
    bool mButtonDown = false;
    bool mListening = false;
    bool mFrameListening = false;
};
