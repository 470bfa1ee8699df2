// A clickable region of a viewpoint. The hotspots' own behaviour (loading from the
// viewpoint's hotspot file, activity scripts, the mouse, the multi-cursor and the actions)
// is built with the hotspots themselves; until then a hotspot holds what the scene asks of
// it: its id, its kind, whether its input is on and its 2-D part (none).
#pragma once
#include "container/LString.h"
#include "object/LBase.h"

class LVector2;

class GMHotspot : public LBase
{
public:
    enum Kind { KIND_NAVIGATE = 1, KIND_INTERVIEW = 2, KIND_TARGET = 3, KIND_GENERAL = 4 };

    GMHotspot(const LString& aId, int aKind);
    ~GMHotspot() override;

    LString Dump() const override;

    LString GetId() const { return mId; }
    int GetKind() const { return mKind; }
    void SetInputEnabled(bool aEnabled) { mInputEnabled = aEnabled ? 1 : 0; }
    bool IsInputEnabled() const { return mInputEnabled != 0; }
    // Re-evaluates whether the hotspot takes part (always, until scripts are read).
    void UpdateActive() {}
    bool IsActive() const { return true; }
    // The hover at a mouse position; nothing to show yet.
    void OnMove(const LVector2&) {}
    // Draws the hotspot's own 2-D part; true when there is none.
    bool RenderDisplayMember() { return true; }

private:
    LString mId;
    int mKind;
    unsigned char mInputEnabled = 0;
};
