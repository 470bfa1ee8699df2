// The small action menu that opens over a clicked hotspot or item. Nothing is drawn and
// no choice is ever made yet: the menu keeps its side, which actions are enabled, its
// listener, where it was opened and whether it is shown.
#pragma once
#include "LVector2.h"
#include "util/GMStandIn.h"

class GMIMultiCursorListener;

class GMMultiCursor : public GMStandIn<GMMultiCursor>
{
public:
    static constexpr const char* kClassName = "GMMultiCursor";

    static constexpr float MAX_Y = 300.0f;

    // Null is refused (logged, 0).
    int SetListener(GMIMultiCursorListener* aListener);
    // Clears the listener only when it is aListener (1); else 0.
    int RemoveListener(GMIMultiCursorListener* aListener);
    // Actions 1 to 5; any other action changes nothing. 1.
    int SetActionEnabled(int aAction, bool aEnabled);
    // 1 mirrored, anything else normal.
    void SetSide(int aSide) { mSide = aSide; }
    // Opens the menu at aPosition, y at most MAX_Y; nothing while it is shown.
    void ShowAt(const LVector2& aPosition);
    // Closes the menu.
    void Hide(bool aDeactivate);

    GMIMultiCursorListener* GetListener() const { return mListener; }
    bool IsActionEnabled(int aAction) const;
    int GetSide() const { return mSide; }
    const LVector2& GetPosition() const { return mPosition; }
    bool IsShown() const { return mShown; }

private:
    GMIMultiCursorListener* mListener = nullptr;
    bool mEnabled[6] = {false, true, true, true, true, true};
    int mSide = 0;
    LVector2 mPosition {0.0f, 0.0f};
    bool mShown = false;
};
